#include "readers/gerber_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "document/read_target.h"
#include "readers/gerber_input.h"
#include "readers/numeric_fields.h"
#include "text/ascii.h"

namespace corvane {
namespace {

// The per-byte and per-word helpers of the statement loop: inlined, so that a
// word costs no call (a board has tens of millions of words).
#define CORVANE_ALWAYS_INLINE [[gnu::always_inline]] inline

constexpr double kInchToMillimetre = 25.4;
constexpr std::size_t kShapeTextLimit = 512;
// Readable bytes the number scan needs behind the end of a statement.
constexpr std::size_t kScanPadding = 8;
constexpr std::size_t kMacroNameLimit = 500;

const char* EndOfText(const char* p) { return p + std::strlen(p); }

// --- Statements ---------------------------------------------------------------

// Tracks the terminator of one statement: '*' until a '%' has been read.
struct Terminator {
  char expected = '*';
  // True when `c` ends the statement.
  bool Ends(char c) {
    if (c == '%' && expected == '*') {
      expected = '%';
      return false;
    }
    return c == expected;
  }
};

// Bytes of `word` equal to `byte` get their high bit set. Bits above the first
// match may be set spuriously, so only the lowest set bit is to be trusted.
constexpr uint64_t MatchByte(uint64_t word, uint8_t byte) {
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  constexpr uint64_t kHighs = 0x8080808080808080ULL;
  const uint64_t x = word ^ (kOnes * byte);
  return (x - kOnes) & ~x & kHighs;
}

// Index of the first byte in [p, p + count) that ends the statement or
// switches its terminator ('%' always, '*' while it is the terminator); count
// when there is none. Statements are short and boards are large, so this looks
// at eight bytes at a time. With a `copy` target the bytes up to the stop are
// copied there as they are looked at (possibly a few more, never past count).
CORVANE_ALWAYS_INLINE std::size_t FindStop(const char* p, std::size_t count, char expected,
                                           char* copy) {
  const bool star = expected == '*';
  std::size_t i = 0;
  if constexpr (std::endian::native == std::endian::little) {
    for (; i + 8 <= count; i += 8) {
      uint64_t word = 0;
      std::memcpy(&word, p + i, 8);
      if (copy != nullptr) std::memcpy(copy + i, &word, 8);
      uint64_t match = MatchByte(word, '%');
      if (star) match |= MatchByte(word, '*');
      if (match != 0) return i + static_cast<std::size_t>(std::countr_zero(match) / 8);
    }
  }
  for (; i < count; ++i) {
    if (copy != nullptr) copy[i] = p[i];
    if (p[i] == '%' || (star && p[i] == '*')) return i;
  }
  return count;
}

// Reads and drops the rest of an over-long statement. Returns its terminator,
// or 0 when the input ended first.
char DiscardRest(GerberInput& input, Terminator& terminator, std::size_t& consumed) {
  for (std::string_view chunk = input.Peek(); !chunk.empty(); chunk = input.Peek()) {
    const std::size_t stop = FindStop(chunk.data(), chunk.size(), terminator.expected, nullptr);
    if (stop == chunk.size()) {
      input.Skip(stop);
      consumed += stop;
      continue;
    }
    input.Skip(stop + 1);
    consumed += stop + 1;
    if (terminator.Ends(chunk[stop])) return chunk[stop];
  }
  return 0;
}

// --- Statement scanning -----------------------------------------------------------

// The number of leading digit characters of `word` (eight bytes of text, the
// first in the low byte), 0 to 8. A byte is a digit when its high nibble is 3
// both before and after adding 6 to its low nibble.
CORVANE_ALWAYS_INLINE int LeadingDigits(uint64_t word) {
  constexpr uint64_t kHighNibbles = 0xF0F0F0F0F0F0F0F0ULL;
  constexpr uint64_t kThrees = 0x3030303030303030ULL;
  const uint64_t notDigit = ((word & kHighNibbles) ^ kThrees) |
                            (((word + 0x0606060606060606ULL) & kHighNibbles) ^ kThrees);
  return notDigit == 0 ? 8 : std::countr_zero(notDigit) / 8;
}

// The value of the first `count` (1 to 8) digit characters of `word`.
CORVANE_ALWAYS_INLINE uint32_t EightDigitValue(uint64_t word, int count) {
  if (count == 0) return 0;
  uint64_t v = (word - 0x3030303030303030ULL) << (64 - 8 * count);
  v = v * 10 + (v >> 8);
  v = (((v & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32))) +
       (((v >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32)))) >>
      32;
  return static_cast<uint32_t>(v);
}

// Digits from `p`, which stands at the first of them: eight at once, then one
// at a time should there be more.
CORVANE_ALWAYS_INLINE const char* ScanDigits(const char* p, uint32_t& magnitude) {
  if constexpr (std::endian::native == std::endian::little) {
    uint64_t word = 0;
    std::memcpy(&word, p, 8);
    const int count = LeadingDigits(word);
    magnitude = EightDigitValue(word, count);
    p += count;
    if (count < 8) return p;
  }
  while (IsDigit(*p)) magnitude = magnitude * 10u + static_cast<uint32_t>(*p++ - '0');
  return p;
}

// Blanks and tabs, an optional sign and digits, in one pass: the value wraps
// modulo 2^32 and `digits` counts the digits, not the sign. The text must be
// followed by eight readable bytes (the statement buffer has them).
CORVANE_ALWAYS_INLINE const char* ScanSignedNumber(const char* p, uint32_t& value, int& digits) {
  if (IsDigit(*p)) {
    // The common case: digits right after the letter.
    const char* end = ScanDigits(p, value);
    digits = static_cast<int>(end - p);
    return end;
  }
  while (*p == ' ' || *p == '\t') ++p;
  const bool negative = *p == '-';
  if (negative || *p == '+') ++p;
  uint32_t magnitude = 0;
  const char* end = IsDigit(*p) ? ScanDigits(p, magnitude) : p;
  digits = static_cast<int>(end - p);
  value = negative ? 0u - magnitude : magnitude;
  return end;
}

CORVANE_ALWAYS_INLINE const char* ScanInt(const char* p, int32_t& value) {
  uint32_t raw = 0;
  int digits = 0;
  p = ScanSignedNumber(p, raw, digits);
  value = static_cast<int32_t>(raw);
  return p;
}

CORVANE_ALWAYS_INLINE const char* SkipNumber(const char* p) {
  int32_t ignored = 0;
  return ScanInt(p, ignored);
}

// How one axis decodes: the digit count trailing-zero padding fills up to (0
// when zeros are not padded), the offset, and plot units per last digit.
struct AxisRule {
  int padTo = 0;
  uint32_t offset = 0;
  double factor = 1.0;
};

AxisRule AxisRuleFor(const FormatSettings& settings, NumberFormat format, double offset) {
  AxisRule rule;
  if (settings.gerberCompression == kTrailingZerosOmitted) {
    rule.padTo = DecodingDigits(format.intDigits) + DecodingDigits(format.decDigits);
  }
  // Whole last-digit units, wrapping as the digits do.
  rule.offset = static_cast<uint32_t>(TruncateToInt32(offset));
  rule.factor = settings.gerberMultiplier * DecimalFactor(format.decDigits);
  return rule;
}

// The coordinate rules of a statement, fixed at its start. Only an FS block
// changes what they come from, so ReadGerber works them out again only after a
// statement with a parameter block.
struct StatementRules {
  explicit StatementRules(const FormatSettings& s)
      : x(AxisRuleFor(s, s.gerberXFormat, s.gerberOffsetX)),
        y(AxisRuleFor(s, s.gerberYFormat, s.gerberOffsetY)) {}
  AxisRule x;
  AxisRule y;
};

CORVANE_ALWAYS_INLINE double MetricScale(const GerberReaderState& state) {
  return state.metricCoordinates != 0 ? kInchToMillimetre : 1.0;
}

// Built field by field rather than copied whole: the fields were just stored
// one by one, and a wide load over such narrow stores stalls the store buffer
// on every statement.
CORVANE_ALWAYS_INLINE PlotItem ItemOf(uint8_t layer, char kind, uint8_t mode, int32_t dcode,
                                      double x, double y) {
  PlotItem item;
  item.layer = layer;
  item.kind = kind;
  item.mode = mode;
  item.dcode = dcode;
  item.x = x;
  item.y = y;
  return item;
}

CORVANE_ALWAYS_INLINE void EmitItems(ReadTarget& target, GerberReaderState& state,
                                     int32_t layerIndex) {
  const auto layer = static_cast<uint8_t>(layerIndex);
  state.statement.layer = layer;
  if (state.arcCentrePending) {
    target.AddItem(ItemOf(layer, kKindArcCentre, state.arcCentre.mode, state.arcCentre.dcode,
                          state.arcCentre.x, state.arcCentre.y));
    state.arcCentrePending = false;
  }
  const PlotItem& s = state.statement;
  target.AddItem(ItemOf(layer, s.kind, s.mode, s.dcode, s.x, s.y));
}

// An X or Y word: raw digits, padding in 32-bit arithmetic, the offset, the
// scale; then units, incremental mode and the interpolation scale.
CORVANE_ALWAYS_INLINE const char* ReadCoordinate(const char* p, const GerberReaderState& state,
                                                 const AxisRule& rule, double& axis) {
  uint32_t raw = 0;
  int digits = 0;
  p = ScanSignedNumber(p, raw, digits);
  for (; digits < rule.padTo; ++digits) raw *= 10u;
  raw += rule.offset;
  const double value = static_cast<int32_t>(raw) * rule.factor * MetricScale(state);
  axis = (state.incremental != 0 ? axis + value : value) * state.interpolationScale;
  return p;
}

// An I or J word: never padded, offset or incremental.
CORVANE_ALWAYS_INLINE const char* ReadArcOffset(const char* p, GerberReaderState& state,
                                                double factor, double& offset) {
  int32_t raw = 0;
  p = ScanInt(p, raw);
  offset = raw * factor * MetricScale(state);
  state.arcCentrePending = true;
  return p;
}

// What a letter of a statement does; lower-case letters act like upper-case ones.
enum class Word : uint8_t { kOther, kBlock, kEnd, kD, kG, kX, kY, kI, kJ };

constexpr std::array<Word, 256> MakeWordTable() {
  std::array<Word, 256> table{};
  table['%'] = Word::kBlock;
  table['*'] = Word::kEnd;
  constexpr std::pair<char, Word> kLetters[] = {{'D', Word::kD}, {'G', Word::kG}, {'X', Word::kX},
                                                {'Y', Word::kY}, {'I', Word::kI}, {'J', Word::kJ}};
  for (const auto& [letter, word] : kLetters) {
    table[static_cast<unsigned char>(letter)] = word;
    table[static_cast<unsigned char>(letter - 'A' + 'a')] = word;
  }
  return table;
}

constexpr std::array<Word, 256> kWords = MakeWordTable();

// One letter and the number after it; returns where the next word starts.
CORVANE_ALWAYS_INLINE const char* ScanWord(ReadTarget& target, GerberReaderState& state,
                                           const StatementRules& rules, const char* p,
                                           int32_t layerIndex) {
  const char* after = p + 1;
  switch (kWords[static_cast<unsigned char>(*p)]) {
    case Word::kBlock:
      return ParseParameterBlock(target, state, after, layerIndex);
    case Word::kEnd:
      EmitItems(target, state, layerIndex);
      return SkipNumber(after);
    case Word::kD:
      state.statement.kind = kKindStatement;
      return ScanInt(after, state.statement.dcode);
    case Word::kG: {
      int32_t code = 0;
      const char* next = ScanInt(after, code);
      return ApplyGCode(state, next, code);
    }
    case Word::kX:
      return ReadCoordinate(after, state, rules.x, state.statement.x);
    case Word::kY:
      return ReadCoordinate(after, state, rules.y, state.statement.y);
    case Word::kI:
      return ReadArcOffset(after, state, rules.x.factor, state.arcCentre.x);
    case Word::kJ:
      return ReadArcOffset(after, state, rules.y.factor, state.arcCentre.y);
    case Word::kOther:
      break;
  }
  return SkipNumber(after);
}

CORVANE_ALWAYS_INLINE void ScanStatement(ReadTarget& target, GerberReaderState& state,
                                         const StatementRules& rules, const char* text,
                                         int32_t layerIndex) {
  const char* p = text;
  while (*p == ' ' || *p == '\t') ++p;
  while (*p != '\0') {
    // A line break is a word without action; passing it here spares the word
    // dispatch. The number after it, if any, is passed as the next word's,
    // which ends at the same place.
    while (*p == '\n' || *p == '\r') ++p;
    if (*p != '\0') p = ScanWord(target, state, rules, p, layerIndex);
  }
}

// --- G-codes ------------------------------------------------------------------

void ClearArcCentre(GerberReaderState& state) {
  state.arcCentre.x = 0.0;
  state.arcCentre.y = 0.0;
}

void SetLinear(GerberReaderState& state, double scale) {
  state.statement.mode = kModeLinear;
  state.interpolationScale = scale;
  ClearArcCentre(state);
}

void SetArc(GerberReaderState& state, InterpolationMode single, InterpolationMode multi) {
  ClearArcCentre(state);
  state.statement.mode = state.multiQuadrant != 0 ? multi : single;
}

// --- Parameter blocks -------------------------------------------------------------

// The two digit characters of an FS axis. Characters that are not digits are
// held to the 0..9 the decoder supports; a format cut short changes nothing.
const char* ReadFormatDigits(const char* p, NumberFormat& format) {
  if (p[0] == '\0') return p;
  if (p[1] == '\0') return p + 1;
  format.intDigits = DecodingDigits(p[0] - '0');
  format.decDigits = DecodingDigits(p[1] - '0');
  return p + 2;
}

int32_t StandardShape(char letter) {
  switch (letter) {
    case 'C':
      return kShapeCircle;
    case 'R':
      return kShapeRectangle;
    case 'O':
      return kShapeEllipse;
    case 'P':
      return kShapePolygon;
    default:
      return kShapeNone;
  }
}

// A size of a standard aperture. The field reader passes a point in front of
// the first digit, which would read the legal size .010 as 10: a thousand
// times too large. Here a leading point belongs to the number.
const char* ReadApertureSize(const char* p, double& value) {
  if (p[0] != '.' || !IsDigit(p[1])) return ReadRealField(p, value, 0.0, false);
  const char* end = p + 1;
  while (IsDigit(*end)) ++end;
  value = ParseCDouble(std::string_view(p, static_cast<std::size_t>(end - p)));
  return end;
}

// `p` stands at the character that ended the one-letter shape text.
void DefineStandardAperture(ReadTarget& target, const GerberReaderState& state, Aperture aperture,
                            const char* p) {
  const double unit = state.metricApertures != 0 ? kInchToMillimetre : 1.0;
  if (*p != '\0') ++p;
  if (*p == ',') ++p;
  p = ReadApertureSize(p, aperture.sizeX);
  aperture.sizeX *= unit;
  if (*p == '*' || *p == '\0') {
    aperture.sizeY = aperture.sizeX;
  } else {
    ReadApertureSize(p + 1, aperture.sizeY);
    aperture.sizeY *= unit;
  }
  target.AddAperture(aperture);
}

// Unsigned numbers up to the statement's '*': signs and points in front of a
// number are passed over like any other character.
void DefineMacroAperture(ReadTarget& target, Aperture aperture, int32_t macroIndex, const char* p) {
  aperture.shape = kShapeMacro;
  aperture.macroIndex = macroIndex;
  while (*p != '\0' && *p != '*' && aperture.paramCount < kMaxMacroParams) {
    if (!IsDigit(*p)) {
      ++p;
      continue;
    }
    double value = 0.0;
    p = ReadRealField(p, value, 0.0, false);
    aperture.params[static_cast<std::size_t>(aperture.paramCount++)] = value;
  }
  target.AddAperture(aperture);
}

struct PrimitiveRule {
  int32_t code;
  int32_t type;
  int32_t paramCount;
};

constexpr std::array<PrimitiveRule, 10> kPrimitiveRules{{
    {1, 0, 4},   // circle
    {2, 1, 7},   // vector line
    {20, 1, 7},  // vector line
    {21, 2, 6},  // center line
    {22, 3, 6},  // lower-left line
    {3, 4, 0},
    {4, 5, 9},  // outline: only its first points are kept
    {5, 6, 6},  // polygon
    {6, 7, 9},  // moire
    {7, 8, 6},  // thermal
}};

const PrimitiveRule* FindPrimitiveRule(int32_t code) {
  for (const PrimitiveRule& rule : kPrimitiveRules) {
    if (rule.code == code) return &rule;
  }
  return nullptr;
}

// One parameter of a primitive: "$n" is variable n, a digit starts a number.
// The scan stays inside the primitive, so a primitive written with fewer
// parameters than its type has keeps zeros instead of taking the numbers of
// the next one (which would then be lost).
const char* ReadPrimitiveParameter(const char* p, MacroPrimitive& primitive, std::size_t index) {
  while (*p != '\0' && !IsDigit(*p) && *p != '$' && *p != '*' && *p != '%') ++p;
  if (*p == '$') {
    const char* digits = ++p;
    while (IsDigit(*p)) ++p;
    primitive.isVariable[index] = 1;
    primitive.values[index] =
        ParseCDouble(std::string_view(digits, static_cast<std::size_t>(p - digits)));
    return p;
  }
  if (IsDigit(*p)) return ReadRealField(p, primitive.values[index], 0.0, false);
  return p;
}

// One primitive up to and past its '*'. Codes outside the table (comments,
// variable definitions without a number) store nothing.
const char* ReadPrimitive(ApertureMacro& macro, const char* p) {
  const char* start = p;
  int32_t code = 0;
  p = ReadIntField(p, code, 0, false);
  const PrimitiveRule* rule = FindPrimitiveRule(code);
  if (rule != nullptr) {
    MacroPrimitive primitive;
    primitive.type = rule->type;
    primitive.paramCount = rule->paramCount;
    for (std::size_t i = 0; i < static_cast<std::size_t>(rule->paramCount); ++i) {
      p = ReadPrimitiveParameter(p, primitive, i);
    }
    macro.primitives.push_back(primitive);
  }
  while (*p != '\0' && *p != '*' && *p != '%') ++p;
  while (*p == '*' || *p == '\r' || *p == '\n') ++p;
  return p == start ? p + 1 : p;
}

// ReadStatement, telling also whether the statement held a '%' (and so
// possibly a parameter block).
CORVANE_ALWAYS_INLINE std::size_t ReadNextStatement(GerberInput& input, char* buffer,
                                                    std::size_t limit, bool& sawPercent) {
  limit = std::max<std::size_t>(limit, 1);
  Terminator terminator;
  std::size_t stored = 0;
  std::size_t consumed = 0;
  for (std::string_view chunk = input.Peek(); !chunk.empty(); chunk = input.Peek()) {
    const std::size_t room = std::min(chunk.size(), limit - stored);
    const std::size_t stop = FindStop(chunk.data(), room, terminator.expected, buffer + stored);
    const std::size_t taken = stop < room ? stop + 1 : room;
    input.Skip(taken);
    stored += taken;
    consumed = stored;
    if (stop < room && terminator.Ends(chunk[stop])) break;
    if (stored == limit) {
      const char end = DiscardRest(input, terminator, consumed);
      if (end != 0) buffer[stored++] = end;
      break;
    }
  }
  buffer[stored] = '\0';
  sawPercent = terminator.expected == '%';
  return consumed;
}

}  // namespace

std::size_t ReadStatement(GerberInput& input, char* buffer, std::size_t limit) {
  bool sawPercent = false;
  return ReadNextStatement(input, buffer, limit, sawPercent);
}

void ReadGerber(ReadTarget& target, GerberReaderState& state, GerberInput& input,
                int32_t layerIndex) {
  // Zeroed once, with room behind the statement for the eight-byte number scan.
  char buffer[kStatementBufferSize + kScanPadding] = {};
  StatementRules rules(target.Settings());
  bool sawPercent = false;
  while (ReadNextStatement(input, buffer, kStatementLimit, sawPercent) != 0) {
    ScanStatement(target, state, rules, buffer, layerIndex);
    if (sawPercent) rules = StatementRules(target.Settings());
  }
}

void ParseStatement(ReadTarget& target, GerberReaderState& state, const char* text,
                    int32_t layerIndex) {
  // A copy with the padding the number scan reads into.
  std::string padded(text);
  padded.append(kScanPadding, '\0');
  ScanStatement(target, state, StatementRules(target.Settings()), padded.c_str(), layerIndex);
}

const char* ApplyGCode(GerberReaderState& state, const char* text, int32_t code) {
  switch (code) {
    case 1:
      SetLinear(state, 1.0);
      break;
    case 2:
      SetArc(state, kModeClockwise, kModeClockwiseMulti);
      break;
    case 3:
      SetArc(state, kModeCounterClockwise, kModeCounterClockwiseMulti);
      break;
    case 4:
      text = ScanTo(text, '*');
      break;
    case 10:
      SetLinear(state, 10.0);
      break;
    case 11:
      SetLinear(state, 0.1);
      break;
    case 12:
      SetLinear(state, 0.01);
      break;
    case 70:
    case 71:
      state.metricCoordinates = code == 71 ? 1 : 0;
      break;
    case 74:
      ClearArcCentre(state);
      state.statement.mode = kModeLinear;
      state.multiQuadrant = 0;
      break;
    case 75:
      ClearArcCentre(state);
      state.multiQuadrant = 1;
      break;
    case 90:
    case 91:
      state.incremental = code == 91 ? 1 : 0;
      break;
    default:
      break;
  }
  return *text == '*' ? text + 1 : text;
}

const char* ParseParameterBlock(ReadTarget& target, GerberReaderState& state, const char* text,
                                int32_t layerIndex) {
  if (text[0] == 'F' && text[1] == 'S') return ParseFormat(target.Settings(), state, text + 2);
  if (text[0] == 'M' && text[1] == 'O') return ParseUnitMode(state, text + 2);
  if (text[0] == 'A' && text[1] == 'D') {
    return ParseApertureDefinition(target, state, text[2] != '\0' ? text + 3 : text + 2,
                                   layerIndex);
  }
  if (text[0] == 'A' && text[1] == 'M') return ParseApertureMacro(target, text + 2, layerIndex);
  // Any other block is scanned as ordinary words.
  return text;
}

const char* ParseFormat(FormatSettings& settings, GerberReaderState& state, const char* p) {
  while (*p != '\0' && *p != '%') {
    const char letter = *p++;
    switch (letter) {
      case 'A':
      case 'I':
        state.incremental = letter == 'I' ? 1 : 0;
        break;
      case 'L':
        settings.gerberCompression = kLeadingZerosOmitted;
        break;
      case 'T':
        settings.gerberCompression = kTrailingZerosOmitted;
        break;
      case 'X':
        p = ReadFormatDigits(p, settings.gerberXFormat);
        break;
      case 'Y':
        p = ReadFormatDigits(p, settings.gerberYFormat);
        break;
      case 'D':
      case 'G':
      case 'N':
        if (*p != '\0') ++p;
        break;
      default:
        break;
    }
  }
  return *p == '%' ? p + 1 : p;
}

const char* ParseUnitMode(GerberReaderState& state, const char* text) {
  state.metricApertures = text[0] == 'M' && text[1] == 'M' ? 1 : 0;
  return EndOfText(text);
}

const char* ParseApertureDefinition(ReadTarget& target, const GerberReaderState& state,
                                    const char* p, int32_t layerIndex) {
  Aperture aperture;
  aperture.layer = layerIndex;
  aperture.dcode = 0;
  aperture.shape = kShapeNone;
  aperture.quantity = 0;
  p = ReadIntField(p, aperture.dcode, 0, false);
  const char* shapeEnd = p;
  while (*shapeEnd != '\0' && *shapeEnd != ',' && *shapeEnd != '*' && *shapeEnd != '%') {
    ++shapeEnd;
  }
  const std::string_view shape(p,
                               std::min(static_cast<std::size_t>(shapeEnd - p), kShapeTextLimit));
  if (shape.size() == 1) {
    aperture.shape = StandardShape(shape[0]);
    if (aperture.shape != kShapeNone) DefineStandardAperture(target, state, aperture, shapeEnd);
  } else if (const int32_t macro = target.FindMacro(shape, layerIndex); macro >= 0) {
    DefineMacroAperture(target, aperture, macro, shapeEnd);
  }
  return EndOfText(shapeEnd);
}

const char* ParseApertureMacro(ReadTarget& target, const char* p, int32_t layerIndex) {
  auto macro = std::make_unique<ApertureMacro>();
  macro->layer = layerIndex;
  const char* nameEnd = p;
  while (*nameEnd != '\0' && *nameEnd != '*') ++nameEnd;
  macro->name.assign(p, std::min(static_cast<std::size_t>(nameEnd - p), kMacroNameLimit));
  p = *nameEnd == '*' ? nameEnd + 1 : nameEnd;
  while (*p != '\0' && *p != '%') p = ReadPrimitive(*macro, p);
  target.AddMacro(std::move(macro));
  return *p == '%' ? p + 1 : p;
}

}  // namespace corvane
#undef CORVANE_ALWAYS_INLINE
