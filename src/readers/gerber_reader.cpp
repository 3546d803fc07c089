#include "readers/gerber_reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string_view>

#include "document/corvane_doc.h"
#include "readers/gerber_input.h"
#include "readers/numeric_fields.h"

namespace corvane {
namespace {

constexpr double kInchToMillimetre = 25.4;
constexpr std::size_t kShapeTextLimit = 512;
constexpr std::size_t kMacroNameLimit = 500;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

const char* SkipNumber(const char* p) {
  int digits = 0;
  return SkipSignedDigits(p, digits);
}

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

// Reads and drops the rest of an over-long statement. Returns its terminator,
// or 0 when the input ended first.
char DiscardRest(GerberInput& input, Terminator& terminator, std::size_t& consumed) {
  for (int next = input.Next(); next != GerberInput::kEnd; next = input.Next()) {
    ++consumed;
    const auto c = static_cast<char>(next);
    if (terminator.Ends(c)) return c;
  }
  return 0;
}

// --- Statement scanning -----------------------------------------------------------

// Plot units per last digit of each axis, fixed for one statement.
struct CoordinateFactors {
  double x;
  double y;
};

CoordinateFactors FactorsFor(const FormatSettings& settings) {
  return {settings.gerberMultiplier * DecimalFactor(settings.gerberXFormat.decDigits),
          settings.gerberMultiplier * DecimalFactor(settings.gerberYFormat.decDigits)};
}

double MetricScale(const GerberReaderState& state) {
  return state.metricCoordinates != 0 ? kInchToMillimetre : 1.0;
}

void EmitItems(CCorvaneDoc& doc, GerberReaderState& state, int32_t layerIndex) {
  const auto layer = static_cast<uint8_t>(layerIndex);
  state.statement.layer = layer;
  if (state.arcCentrePending) {
    PlotItem centre = state.arcCentre;
    centre.kind = kKindArcCentre;
    centre.layer = layer;
    doc.AddItem(centre);
    state.arcCentrePending = false;
  }
  doc.AddItem(state.statement);
}

// An X or Y word: decoded, unit-scaled, made absolute, then interpolation-scaled.
const char* ReadCoordinate(const char* p, const GerberReaderState& state, NumberFormat format,
                           ZeroSuppression compression, double offset, double factor,
                           double& axis) {
  double value = 0.0;
  p = DecodeGerberCoordinate(p, format, compression, offset, factor, value);
  value *= MetricScale(state);
  axis = (state.incremental != 0 ? axis + value : value) * state.interpolationScale;
  return p;
}

// An I or J word: never padded, offset or incremental.
const char* ReadArcOffset(const char* p, GerberReaderState& state, double factor, double& offset) {
  offset = ParseInt32(p) * factor * MetricScale(state);
  state.arcCentrePending = true;
  return SkipNumber(p);
}

// One letter and the number after it; returns where the next word starts.
const char* ScanWord(CCorvaneDoc& doc, const CoordinateFactors& factors, const char* p,
                     int32_t layerIndex) {
  GerberReaderState& state = doc.GerberState();
  const FormatSettings& settings = doc.Settings();
  const char* after = p + 1;
  switch (UpperAscii(*p)) {
    case '%':
      return ParseParameterBlock(doc, after, layerIndex);
    case '*':
      EmitItems(doc, state, layerIndex);
      return SkipNumber(after);
    case 'D':
      state.statement.kind = kKindStatement;
      state.statement.dcode = ParseInt32(after);
      return SkipNumber(after);
    case 'G':
      return ApplyGCode(state, SkipNumber(after), ParseInt32(after));
    case 'X':
      return ReadCoordinate(after, state, settings.gerberXFormat, settings.gerberCompression,
                            settings.gerberOffsetX, factors.x, state.statement.x);
    case 'Y':
      return ReadCoordinate(after, state, settings.gerberYFormat, settings.gerberCompression,
                            settings.gerberOffsetY, factors.y, state.statement.y);
    case 'I':
      return ReadArcOffset(after, state, factors.x, state.arcCentre.x);
    case 'J':
      return ReadArcOffset(after, state, factors.y, state.arcCentre.y);
    default:
      return SkipNumber(after);
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

// `p` stands at the character that ended the one-letter shape text.
void DefineStandardAperture(CCorvaneDoc& doc, Aperture aperture, const char* p) {
  const double unit = doc.GerberState().metricApertures != 0 ? kInchToMillimetre : 1.0;
  if (*p != '\0') ++p;
  if (*p == ',') ++p;
  p = ReadRealField(p, aperture.sizeX, 0.0, false);
  aperture.sizeX *= unit;
  if (*p == '*' || *p == '\0') {
    aperture.sizeY = aperture.sizeX;
  } else {
    ReadRealField(p + 1, aperture.sizeY, 0.0, false);
    aperture.sizeY *= unit;
  }
  doc.AddAperture(aperture);
}

// Unsigned numbers up to the statement's '*': signs and points in front of a
// number are passed over like any other character.
void DefineMacroAperture(CCorvaneDoc& doc, Aperture aperture, int32_t macroIndex, const char* p) {
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
  doc.AddAperture(aperture);
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

}  // namespace

std::size_t ReadStatement(GerberInput& input, char* buffer, std::size_t limit) {
  limit = std::max<std::size_t>(limit, 1);
  Terminator terminator;
  std::size_t stored = 0;
  for (int next = input.Next(); next != GerberInput::kEnd; next = input.Next()) {
    const auto c = static_cast<char>(next);
    buffer[stored++] = c;
    if (terminator.Ends(c)) break;
    if (stored == limit) {
      std::size_t consumed = stored;
      const char end = DiscardRest(input, terminator, consumed);
      if (end != 0) buffer[stored++] = end;
      buffer[stored] = '\0';
      return consumed;
    }
  }
  buffer[stored] = '\0';
  return stored;
}

void ReadGerber(CCorvaneDoc& doc, GerberInput& input, int32_t layerIndex) {
  char buffer[kStatementBufferSize];
  while (ReadStatement(input, buffer, kStatementLimit) != 0) {
    ParseStatement(doc, buffer, layerIndex);
  }
}

void ParseStatement(CCorvaneDoc& doc, const char* text, int32_t layerIndex) {
  const CoordinateFactors factors = FactorsFor(doc.Settings());
  const char* p = SkipBlanks(text);
  while (*p != '\0') p = ScanWord(doc, factors, p, layerIndex);
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

const char* ParseParameterBlock(CCorvaneDoc& doc, const char* text, int32_t layerIndex) {
  if (text[0] == 'F' && text[1] == 'S') return ParseFormat(doc, text + 2);
  if (text[0] == 'M' && text[1] == 'O') return ParseUnitMode(doc.GerberState(), text + 2);
  if (text[0] == 'A' && text[1] == 'D') {
    return ParseApertureDefinition(doc, text[2] != '\0' ? text + 3 : text + 2, layerIndex);
  }
  if (text[0] == 'A' && text[1] == 'M') return ParseApertureMacro(doc, text + 2, layerIndex);
  // Any other block is scanned as ordinary words.
  return text;
}

const char* ParseFormat(CCorvaneDoc& doc, const char* p) {
  FormatSettings& settings = doc.Settings();
  GerberReaderState& state = doc.GerberState();
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

const char* ParseApertureDefinition(CCorvaneDoc& doc, const char* p, int32_t layerIndex) {
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
    if (aperture.shape != kShapeNone) DefineStandardAperture(doc, aperture, shapeEnd);
  } else if (const int32_t macro = doc.FindMacro(shape, layerIndex); macro >= 0) {
    DefineMacroAperture(doc, aperture, macro, shapeEnd);
  }
  return EndOfText(shapeEnd);
}

const char* ParseApertureMacro(CCorvaneDoc& doc, const char* p, int32_t layerIndex) {
  auto macro = std::make_unique<ApertureMacro>();
  macro->layer = layerIndex;
  const char* nameEnd = p;
  while (*nameEnd != '\0' && *nameEnd != '*') ++nameEnd;
  macro->name.assign(p, std::min(static_cast<std::size_t>(nameEnd - p), kMacroNameLimit));
  p = *nameEnd == '*' ? nameEnd + 1 : nameEnd;
  while (*p != '\0' && *p != '%') p = ReadPrimitive(*macro, p);
  doc.AddMacro(std::move(macro));
  return *p == '%' ? p + 1 : p;
}

}  // namespace corvane
