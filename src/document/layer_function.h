#pragma once

// What a file of a working set is, and what it draws: the words the headless
// `layers` command prints, the work file stores and the layer panel shows.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

enum class FileKind : uint8_t {
  kUnknown = 0,
  kGerber,
  kExcellon,
  kApertureTable,
  kDrillToolTable,
  kJob,
  kNetlist,
};

enum class LayerSide : uint8_t { kNone = 0, kTop, kBottom, kInner, kAll };

enum class LayerType : uint8_t {
  kOther = 0,
  kCopper,
  kSoldermask,
  kSilkscreen,
  kSolderpaste,
  kOutline,
  kDrill,
  kDrawing,
};

// kUnstated: nothing said; drill files only carry one of the others.
enum class LayerPlating : uint8_t { kUnstated = 0, kPlated, kNonPlated, kMixed };

// The evidence the function was taken from, strongest first. kNone: the
// file was never identified (a layer added by hand or from an older work file).
enum class FunctionSource : uint8_t { kNone = 0, kAttributes, kJob, kName, kContent };

struct LayerFunction {
  FileKind kind = FileKind::kUnknown;
  LayerSide side = LayerSide::kNone;
  LayerType type = LayerType::kOther;
  int32_t inner = 0;  // the inner copper layer's number from the top, 1 up; 0 otherwise
  LayerPlating plating = LayerPlating::kUnstated;
  FunctionSource from = FunctionSource::kNone;
  bool negative = false;  // the file draws the image in negative (X2 file polarity)

  bool Identified() const { return from != FunctionSource::kNone; }
  friend bool operator==(const LayerFunction&, const LayerFunction&) = default;
};

// The lower-case words of the vocabulary: "gerber", "aperture-table", "top",
// "soldermask", "non-plated", "attributes". An unstated plating and the
// source of an unidentified file are the empty text.
std::string_view FileKindName(FileKind kind);
std::string_view LayerSideName(LayerSide side);
std::string_view LayerTypeName(LayerType type);
std::string_view LayerPlatingName(LayerPlating plating);
std::string_view FunctionSourceName(FunctionSource from);

// The reverse, exactly as written above; nothing for any other text.
std::optional<FileKind> FileKindNamed(std::string_view name);
std::optional<LayerSide> LayerSideNamed(std::string_view name);
std::optional<LayerType> LayerTypeNamed(std::string_view name);
std::optional<LayerPlating> LayerPlatingNamed(std::string_view name);
std::optional<FunctionSource> FunctionSourceNamed(std::string_view name);

// The function in the words of a person: "Top copper", "Inner copper 2",
// "Bottom silkscreen", "Outline", "Non-plated drill", "Aperture table",
// "Unknown file"; "(negative)" follows a negative image.
std::string FunctionInWords(const LayerFunction& function);

// The stored form: kind, side, type, inner, plating, source and polarity,
// separated by commas ("gerber,top,copper,0,,attributes,positive"); read back
// by ParseLayerFunction, which returns nothing for a text that is not one.
std::string FormatLayerFunction(const LayerFunction& function);
std::optional<LayerFunction> ParseLayerFunction(std::string_view text);

}  // namespace corvane
