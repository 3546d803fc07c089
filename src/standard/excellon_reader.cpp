// The standard reading of Excellon NC drill files: the M48 header (units,
// zeros, number format, tools), drill hits, R repeats, G85 slots and routing.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

#include "readers/numeric_fields.h"
#include "standard/coordinate_decoder.h"
#include "standard/geometry_writer.h"
#include "standard/read_budget.h"
#include "standard/standard_limits.h"
#include "standard/standard_reader.h"
#include "text/ascii.h"

namespace corvane {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlankOrTab(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankOrTab(text.back())) text.remove_suffix(1);
  return text;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The letters and numbers of one body line.
struct DrillWords {
  double x = 0.0;
  double y = 0.0;
  double i = 0.0;
  double j = 0.0;
  double a = 0.0;
  bool hasX = false;
  bool hasY = false;
  bool hasI = false;
  bool hasJ = false;
  bool hasA = false;
  int32_t g = -1;
  int32_t m = -1;
};

class ExcellonReader {
 public:
  ExcellonReader(const StandardContext& context, StandardLayer& layer);
  void Read(std::string_view text);

 private:
  enum class Motion : uint8_t { kMove, kLinear, kClockwise, kCounterClockwise };

  void Line(std::string_view line);
  void CommentLine(std::string_view text);
  void AttributeComment(std::string_view text);
  bool UnitLine(std::string_view line);
  void ToolLine(std::string_view line);
  void BodyLine(std::string_view line);
  void RepeatLine(std::string_view line);
  void SlotLine(std::string_view line, std::size_t g85);
  const char* Words(const char* p, const char* end, DrillWords& words) const;
  StandardPoint Target(const DrillWords& words) const;
  void Route(StandardPoint target, const DrillWords& words);
  void Hit(StandardPoint at);
  bool CurrentShape(uint32_t& shape);
  void SetUnits(bool metric);
  void SetFormat(NumberFormat format, bool stated);
  void SetZeros(bool trailingOmitted);
  void Decoder();
  double Unit() const;
  void Finish();

  const StandardContext& context_;
  StandardLayer& layer_;
  ReadBudget budget_;
  GeometryWriter writer_;

  bool inHeader_ = false;
  bool ended_ = false;
  bool metric_ = false;
  bool unitStated_ = false;
  NumberFormat format_;
  bool trailingOmitted_ = false;
  AxisFormat axis_;
  bool incremental_ = false;

  struct Tool {
    uint32_t shape = 0;
    bool defined = false;
  };
  std::unordered_map<int32_t, Tool> tools_;
  int32_t tool_ = 0;         // 0: none selected
  int32_t shapeOfTool_ = 0;  // the tool whose shape currentShape_ holds
  uint32_t currentShape_ = 0;
  // The tool attributes (";#@! TA...") in force, "name,value;..." as the
  // Gerber reading keeps aperture attributes; each tool defined takes them.
  std::vector<StandardAttribute> toolAttributes_;
  // The object attributes (";#@! TO.N,...") in force for the holes drilled next.
  std::vector<StandardAttribute> objectAttributes_;
  void ObjectAttributesChanged();

  StandardPoint current_;
  bool routing_ = false;
  bool toolDown_ = false;
  bool plunges_ = false;  // whether the file has lowered the tool with M15
  Motion motion_ = Motion::kMove;
};

ExcellonReader::ExcellonReader(const StandardContext& context, StandardLayer& layer)
    : context_(context), layer_(layer), budget_(context.bounds), writer_(layer, budget_) {
  layer_.TakeSettings(context.layer, StandardSource::kExcellon);
  // What the file leaves open comes from the document's drill settings.
  format_ = context.settings.drillFormat;
  trailingOmitted_ = context.settings.drillCompression == kTrailingZerosOmitted;
  layer_.zeros = context.settings.drillCompression;
  Decoder();
}

void ExcellonReader::Read(std::string_view text) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end && !ended_) {
    const char* stop = p;
    while (stop < end && *stop != '\r' && *stop != '\n') ++stop;
    Line(Trimmed(std::string_view(p, static_cast<std::size_t>(stop - p))));
    p = stop + 1;
  }
  Finish();
}

void ExcellonReader::Decoder() {
  axis_ = AxisFormat::Make(format_, trailingOmitted_);
  layer_.xFormat =
      layer_.yFormat = {DecodingDigits(format_.intDigits), DecodingDigits(format_.decDigits)};
}

// Inches per unit of the file's numbers. A file that never states its unit
// is read in the document's plot units: inches after the drill multiplier.
double ExcellonReader::Unit() const {
  if (metric_) return 1.0 / 25.4;
  return unitStated_ ? 1.0 : context_.settings.drillMultiplier;
}

void ExcellonReader::SetUnits(bool metric) {
  metric_ = metric;
  unitStated_ = true;
}

void ExcellonReader::SetFormat(NumberFormat format, bool stated) {
  format_ = format;
  layer_.formatFromFile |= stated;
  if (stated && !(format == context_.settings.drillFormat)) layer_.features |= kFeatureHeaderFormat;
  Decoder();
}

void ExcellonReader::SetZeros(bool trailingOmitted) {
  trailingOmitted_ = trailingOmitted;
  layer_.zeros = trailingOmitted ? kTrailingZerosOmitted : kLeadingZerosOmitted;
  if (trailingOmitted != (context_.settings.drillCompression == kTrailingZerosOmitted))
    layer_.features |= kFeatureHeaderFormat;
  Decoder();
}

void ExcellonReader::Line(std::string_view line) {
  if (line.empty()) return;
  // Most lines of a drill file are hits: straight to the body.
  if ((line.front() == 'X' || line.front() == 'Y') && !inHeader_) return BodyLine(line);
  if (line.front() == ';') return CommentLine(line.substr(1));
  if (line == "M48") {
    inHeader_ = true;
    return;
  }
  if (line == "%" || line == "M95") {
    inHeader_ = false;
    return;
  }
  if (UnitLine(line)) return;
  if (line == "M71") return SetUnits(true);
  if (line == "M72") return SetUnits(false);
  if (StartsWith(line, "ICI,")) {
    incremental_ = line.substr(4) == "ON";
    return;
  }
  if (line.front() == 'T' && line.size() > 1 && IsDigit(line[1])) return ToolLine(line);
  if (inHeader_) return;  // FMAT, VER, DETECT, ATC and the like change nothing drawn
  BodyLine(line);
}

// ";FILE_FORMAT=3:3", ";FORMAT={3:3/ ...}", ";TYPE=PLATED" and the comment form
// of file attributes, ";#@! TF.FileFunction,...".
void ExcellonReader::CommentLine(std::string_view text) {
  text = Trimmed(text);
  if (StartsWith(text, "#@!")) {
    AttributeComment(Trimmed(text.substr(3)));
    return;
  }
  std::size_t at = text.find("FILE_FORMAT=");
  std::size_t skip = 12;
  if (at == std::string_view::npos) {
    at = text.find("FORMAT={");
    skip = 8;
  }
  if (at != std::string_view::npos) {
    const std::string_view digits = text.substr(at + skip);
    if (digits.size() >= 3 && IsDigit(digits[0]) && digits[1] == ':' && IsDigit(digits[2]))
      SetFormat({digits[0] - '0', digits[2] - '0'}, true);
    return;
  }
  if (StartsWith(text, "TYPE=")) {
    layer_.attributes.push_back({"TYPE", std::string(text.substr(5))});
  }
}

namespace {

void SetAttribute(std::vector<StandardAttribute>& dictionary, std::string name, std::string value) {
  for (StandardAttribute& attribute : dictionary) {
    if (attribute.name == name) {
      attribute.value = std::move(value);
      return;
    }
  }
  dictionary.push_back({std::move(name), std::move(value)});
}

std::string AttributeText(const std::vector<StandardAttribute>& dictionary) {
  std::string text;
  for (const StandardAttribute& attribute : dictionary) {
    if (!text.empty()) text += ';';
    text += attribute.name;
    if (!attribute.value.empty()) text += ',' + attribute.value;
  }
  return text;
}

}  // namespace

// "TF.FileFunction,..." sets a file attribute, "TA.AperFunction,..." a tool
// attribute for the tools defined after it, "TD" deletes tool attributes.
void ExcellonReader::AttributeComment(std::string_view text) {
  const std::string_view code = text.substr(0, 2);
  if (code != "TF" && code != "TA" && code != "TO" && code != "TD") return;
  text.remove_prefix(code.size());
  const std::size_t comma = text.find(',');
  std::string name(Trimmed(text.substr(0, comma)));
  std::string value(comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1));
  if (code == "TD") {
    if (name.empty()) {
      toolAttributes_.clear();
      objectAttributes_.clear();
    } else {
      const auto named = [&name](const StandardAttribute& a) { return a.name == name; };
      std::erase_if(toolAttributes_, named);
      std::erase_if(objectAttributes_, named);
    }
    ObjectAttributesChanged();
  } else if (!name.empty()) {
    std::vector<StandardAttribute>& dictionary = code == "TF"   ? layer_.attributes
                                                 : code == "TA" ? toolAttributes_
                                                                : objectAttributes_;
    SetAttribute(dictionary, std::move(name), std::move(value));
    if (code == "TO") ObjectAttributesChanged();
  }
}

// The set of the attributes now in force, shared with a recent one that is the same.
void ExcellonReader::ObjectAttributesChanged() {
  constexpr std::size_t kRecentSets = 8;
  std::vector<std::string>& sets = layer_.objectAttributeSets;
  if (sets.empty()) sets.emplace_back();
  std::string text = AttributeText(objectAttributes_);
  uint32_t set = 0;
  if (!text.empty()) {
    const std::size_t oldest = sets.size() > kRecentSets ? sets.size() - kRecentSets : 1;
    set = static_cast<uint32_t>(sets.size());
    for (std::size_t i = sets.size(); i-- > oldest;) {
      if (sets[i] == text) set = static_cast<uint32_t>(i);
      if (set == i) break;
    }
    if (set == sets.size()) sets.push_back(std::move(text));
  }
  writer_.SetObjectAttributes(set);
}

// "INCH", "METRIC", with ",LZ" or ",TZ" (the zeros kept) and a format such as
// ",000.000" in any order.
bool ExcellonReader::UnitLine(std::string_view line) {
  const bool inch = StartsWith(line, "INCH");
  const bool metric = StartsWith(line, "METRIC");
  if (!inch && !metric) return false;
  SetUnits(metric);
  std::string_view rest = line.substr(inch ? 4 : 6);
  while (!rest.empty()) {
    const std::size_t comma = rest.find(',');
    const std::string_view field = Trimmed(rest.substr(0, comma));
    if (field == "LZ") {
      SetZeros(true);  // leading zeros kept: the trailing ones are omitted
    } else if (field == "TZ") {
      SetZeros(false);
    } else if (!field.empty() && (field.front() == '0' || field.front() == '.')) {
      const std::size_t point = field.find('.');
      const auto whole = static_cast<int32_t>(std::min(point, field.size()));
      const auto decimals =
          point == std::string_view::npos ? 0 : static_cast<int32_t>(field.size() - point - 1);
      SetFormat({whole, decimals}, true);
    }
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  return true;
}

// "T01C0.035F200S65": in the header a definition; in the body a selection
// that may define as well. T0 selects no tool.
void ExcellonReader::ToolLine(std::string_view line) {
  const char* p = line.data() + 1;
  const char* end = line.data() + line.size();
  int32_t number = 0;
  for (; p < end && IsDigit(*p); ++p)
    if (number < 100'000'000) number = number * 10 + (*p - '0');
  const char* diameter =
      static_cast<const char*>(std::memchr(p, 'C', static_cast<std::size_t>(end - p)));
  if (diameter != nullptr && number > 0) {
    double value = 0.0;
    bool found = false;
    ReadCoordinate(diameter + 1, end, axis_, false, value, found);
    ShapeBuilder& builder = writer_.Shapes();
    const uint32_t shape = AddCircleShape(builder, found ? std::fabs(value) * Unit() : 0.0, {});
    tools_[number] = {shape, true};
    shapeOfTool_ = 0;  // a redefinition of the current tool takes effect at once
    StandardAperture record;
    record.code = number;
    record.origin = ApertureOrigin::kTool;
    record.shape = shape;
    record.definition = std::string(line.substr(static_cast<std::size_t>(p - line.data())));
    record.attributes = AttributeText(toolAttributes_);
    layer_.apertures.push_back(std::move(record));
  }
  if (!inHeader_) tool_ = number;
}

// The current tool's shape; a tool the file does not define takes its
// diameter from the drill tool table, or stays a point.
bool ExcellonReader::CurrentShape(uint32_t& shape) {
  if (tool_ <= 0) return false;
  if (shapeOfTool_ == tool_) {
    shape = currentShape_;
    return true;
  }
  shapeOfTool_ = tool_;
  const auto found = tools_.find(tool_);
  if (found != tools_.end()) {
    shape = currentShape_ = found->second.shape;
    return true;
  }
  double diameter = 0.0;
  std::string definition = "none";
  for (const DrillTool& tool : context_.drillTools) {
    if (tool.tool == tool_) {
      diameter = tool.diameter;
      char text[48];
      std::snprintf(text, sizeof text, "%.6g", diameter);
      definition = text;
      break;
    }
  }
  shape = currentShape_ = AddCircleShape(writer_.Shapes(), diameter, {});
  tools_[tool_] = {shape, false};
  StandardAperture record;
  record.code = tool_;
  record.origin = ApertureOrigin::kToolTable;
  record.shape = shape;
  record.definition = definition;
  layer_.apertures.push_back(std::move(record));
  return true;
}

const char* ExcellonReader::Words(const char* p, const char* end, DrillWords& words) const {
  bool found = false;
  double value = 0.0;
  while (p < end) {
    const char c = *p;
    if (c == 'X' || c == 'Y' || c == 'I' || c == 'J') {
      const bool absolute = !incremental_ && (c == 'X' || c == 'Y');
      p = ReadCoordinate(p + 1, end, axis_, absolute, value, found);
      if (!found) continue;
      double& target = c == 'X' ? words.x : c == 'Y' ? words.y : c == 'I' ? words.i : words.j;
      bool& has = c == 'X'   ? words.hasX
                  : c == 'Y' ? words.hasY
                  : c == 'I' ? words.hasI
                             : words.hasJ;
      target = value;
      has = true;
    } else if (c == 'A') {
      p = ReadCoordinate(p + 1, end, axis_, false, words.a, found);
      words.hasA |= found;
    } else if (c == 'G' || c == 'M') {
      int32_t code = 0;
      for (++p; p < end && IsDigit(*p); ++p)
        if (code < 100'000) code = code * 10 + (*p - '0');
      (c == 'G' ? words.g : words.m) = code;
    } else {
      ++p;
    }
  }
  return p;
}

StandardPoint ExcellonReader::Target(const DrillWords& words) const {
  const double unit = Unit();
  StandardPoint target = current_;
  if (words.hasX) target.x = incremental_ ? current_.x + words.x * unit : words.x * unit;
  if (words.hasY) target.y = incremental_ ? current_.y + words.y * unit : words.y * unit;
  return target;
}

void ExcellonReader::BodyLine(std::string_view line) {
  if (line.front() == 'R' && line.size() > 1 && IsDigit(line[1])) return RepeatLine(line);
  // Operator messages and canned text may hold any letter.
  if (StartsWith(line, "M47") || StartsWith(line, "M97") || StartsWith(line, "M98")) return;
  for (std::size_t g = line.find('G'); g != std::string_view::npos; g = line.find('G', g + 1))
    if (line.substr(g, 3) == "G85") return SlotLine(line, g);
  DrillWords words;
  Words(line.data(), line.data() + line.size(), words);
  switch (words.m) {
    case 15:
      toolDown_ = true;
      plunges_ = true;
      break;
    case 16:
    case 17:
      toolDown_ = false;
      break;
    case 30:
    case 0:
      ended_ = true;
      return;
    default:
      break;
  }
  if (words.g >= 0 && words.g <= 3) {
    routing_ = true;
    constexpr Motion kMotions[] = {Motion::kMove, Motion::kLinear, Motion::kClockwise,
                                   Motion::kCounterClockwise};
    motion_ = kMotions[words.g];
    // A rapid move runs with the tool up. A file that plunges with M15 cuts
    // only after it; many files never do, and cut from the next G01/G02/G03
    // on until M16/M17 lifts the tool.
    if (words.g == 0) toolDown_ = !plunges_;
  } else if (words.g == 5 || words.g == 81) {
    routing_ = false;  // back to drilling
    toolDown_ = false;
  } else if (words.g == 90 || words.g == 91) {
    incremental_ = words.g == 91;
  } else if (words.g >= 0) {
    return;  // zero set, canned cycles and the like: what they do is not drawn
  }
  if (!words.hasX && !words.hasY) return;
  // The classic reading knows no decimal points in coordinates.
  if (line.find('.') != std::string_view::npos) layer_.features |= kFeatureHeaderFormat;
  const StandardPoint target = Target(words);
  if (routing_)
    Route(target, words);
  else
    Hit(target);
  current_ = target;
}

void ExcellonReader::Hit(StandardPoint at) {
  uint32_t shape = 0;
  if (CurrentShape(shape)) writer_.Flash(at, shape, StandardPolarity::kDark);
}

// A routed stroke of the tool's width while the tool is down; a move otherwise.
void ExcellonReader::Route(StandardPoint target, const DrillWords& words) {
  uint32_t shape = 0;
  if (!toolDown_ || motion_ == Motion::kMove || !CurrentShape(shape)) return;
  layer_.features |= kFeatureRouting;
  if (motion_ == Motion::kLinear) {
    writer_.Line(current_, target, shape, StandardPolarity::kDark);
    return;
  }
  const bool ccw = motion_ == Motion::kCounterClockwise;
  const double unit = Unit();
  StandardPoint centre;
  if (words.hasA) {
    // A radius: the centre of the shorter arc on the side the direction asks for.
    const double dx = target.x - current_.x;
    const double dy = target.y - current_.y;
    const double chord = std::hypot(dx, dy);
    if (chord == 0.0) return;
    const double radius = std::max(std::fabs(words.a) * unit, chord / 2.0);
    const double rise = std::sqrt(std::max(0.0, radius * radius - chord * chord / 4.0));
    const double side = ccw ? 1.0 : -1.0;
    centre = {current_.x + dx / 2.0 - side * rise * dy / chord,
              current_.y + dy / 2.0 + side * rise * dx / chord};
  } else {
    centre = {current_.x + (words.hasI ? words.i * unit : 0.0),
              current_.y + (words.hasJ ? words.j * unit : 0.0)};
  }
  const double sweep = ArcSweep(current_, target, centre, ccw, !words.hasA);
  if (sweep != 0.0) writer_.Arc(current_, target, centre, sweep, shape, StandardPolarity::kDark);
}

// "R5X0.1Y0": five more hits, each this far from the one before.
void ExcellonReader::RepeatLine(std::string_view line) {
  const char* p = line.data() + 1;
  const char* end = line.data() + line.size();
  uint64_t count = 0;
  for (; p < end && IsDigit(*p); ++p)
    count = std::min<uint64_t>(count * 10 + static_cast<uint64_t>(*p - '0'), 1ull << 30);
  DrillWords words;
  Words(p, end, words);
  const double unit = Unit();
  const double dx = words.hasX ? words.x * unit : 0.0;
  const double dy = words.hasY ? words.y * unit : 0.0;
  const StandardPoint start = current_;
  uint32_t shape = 0;
  if (!routing_ && CurrentShape(shape)) {
    for (uint64_t k = 1; k <= count && budget_.TakeObjects(1); ++k) {
      const auto steps = static_cast<double>(k);
      writer_.Flash({start.x + dx * steps, start.y + dy * steps}, shape, StandardPolarity::kDark);
    }
  }
  const auto steps = static_cast<double>(count);
  current_ = {start.x + dx * steps, start.y + dy * steps};
}

// "X1.0Y2.0G85X3.0Y2.0": a slot of the tool's width between the two points.
void ExcellonReader::SlotLine(std::string_view line, std::size_t g85) {
  DrillWords first;
  DrillWords second;
  Words(line.data(), line.data() + g85, first);
  Words(line.data() + g85 + 3, line.data() + line.size(), second);
  const StandardPoint from = Target(first);
  current_ = from;
  const StandardPoint to = Target(second);
  current_ = to;
  uint32_t shape = 0;
  if (!CurrentShape(shape)) return;
  layer_.features |= kFeatureSlot;
  writer_.Line(from, to, shape, StandardPolarity::kDark);
}

void ExcellonReader::Finish() {
  writer_.FinishFile();
  layer_.units = !unitStated_ ? StandardUnits::kUnstated
                 : metric_    ? StandardUnits::kMillimetre
                              : StandardUnits::kInch;
  const FormatSettings& s = context_.settings;
  ApplyLayerTransform(
      layer_,
      Affine::Translation(s.drillOffsetX, s.drillOffsetY).Then(LayerSettingsTransform(layer_)),
      budget_);
  layer_.limitsReached = budget_.Reached();
  ComputeStandardExtents(layer_);
}

}  // namespace

StandardLayer ReadStandardExcellon(std::string_view text, const StandardContext& context) {
  StandardLayer layer;
  ExcellonReader reader(context, layer);
  reader.Read(text);
  return layer;
}

}  // namespace corvane
