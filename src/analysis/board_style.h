#pragma once

// The colours a board is made in: the mask, the finish of the bare copper in
// the mask's openings and the silkscreen are the buyer's choices; substrate,
// copper seen through the mask and paste follow from them.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace corvane {

enum class BoardPaint : uint8_t { kMask = 0, kFinish, kSilk };

// One choice of a paint: its word ("green", "gold") and colour, 0x00BBGGRR.
struct PaintChoice {
  std::string_view name;
  uint32_t color = 0;
};

// The choices of a paint, the default first.
std::span<const PaintChoice> PaintChoices(BoardPaint paint);
// The choice of that word, exactly as written; none for any other.
std::optional<uint32_t> PaintChoiceNamed(BoardPaint paint, std::string_view name);

struct BoardStyle {
  // Indices into PaintChoices of each paint.
  uint32_t mask = 0;
  uint32_t finish = 0;
  uint32_t silk = 0;
  // Solder paste drawn over the finish.
  bool paste = false;

  uint32_t MaskColor() const;
  uint32_t FinishColor() const;
  uint32_t SilkColor() const;
  // Copper seen through the mask: the mask's colour, lighter and warmer.
  uint32_t CopperUnderMaskColor() const;
  uint32_t& Choice(BoardPaint paint);
  friend bool operator==(const BoardStyle&, const BoardStyle&) = default;
};

// The bare laminate where no mask and no copper covers it, and paste.
inline constexpr uint32_t kSubstrateColor = 0x5A8CB4;  // a pale brown
inline constexpr uint32_t kPasteColor = 0xA8A4A0;      // a dull grey

// `part` of `b` over `a` (0 gives a, 256 gives b), channel by channel.
uint32_t MixColor(uint32_t a, uint32_t b, uint32_t part);

}  // namespace corvane
