#include "standard/gerber_interpreter.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "standard/standard_reader.h"
#include "text/ascii.h"

namespace corvane {
namespace {

// D-codes below this are looked up in a plain table; the rest through a map.
constexpr int32_t kDirectCodes = 1000;
constexpr int32_t kNoEntry = -1;
// Stands in the dictionary for a D-code that neither the file nor the
// aperture table defines, so that it is looked for only once.
constexpr int32_t kMissing = -2;

// An unsigned code such as the 01 of D01, held below 10^9.
const char* ReadCode(const char* p, const char* end, int32_t& value) {
  if (p < end && (*p == '+' || *p == '-')) ++p;
  int32_t code = 0;
  for (; p < end && IsDigit(*p); ++p)
    if (code < 100'000'000) code = code * 10 + (*p - '0');
  value = code;
  return p;
}

}  // namespace

StandardLayer ReadStandardGerber(std::string_view text, const StandardContext& context) {
  StandardLayer layer;
  GerberInterpreter interpreter(context, layer);
  interpreter.Read(text);
  return layer;
}

GerberInterpreter::GerberInterpreter(const StandardContext& context, StandardLayer& layer)
    : context_(context),
      layer_(layer),
      budget_(context.bounds),
      writer_(layer, budget_),
      directEntries_(kDirectCodes, kNoEntry) {
  layer_.TakeSettings(context.layer, StandardSource::kGerber);
  // Until an FS says otherwise the file is RS-274-D: the document's format,
  // zero suppression, multiplier and offsets.
  const FormatSettings& s = context.settings;
  const bool trailing = s.gerberCompression == kTrailingZerosOmitted;
  xFormat_ = AxisFormat::Make(s.gerberXFormat, trailing, s.gerberMultiplier, s.gerberOffsetX);
  yFormat_ = AxisFormat::Make(s.gerberYFormat, trailing, s.gerberMultiplier, s.gerberOffsetY);
  layer_.xFormat = s.gerberXFormat;
  layer_.yFormat = s.gerberYFormat;
  layer_.zeros = s.gerberCompression;
}

void GerberInterpreter::Read(std::string_view text) {
  // Boards run at about 20 bytes an object; room that is never written costs
  // address space only, while growing by copies costs time.
  layer_.geometry.objects.reserve(text.size() / 20);
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end && !ended_) {
    const char c = *p;
    if (c == '%') {
      p = ExtendedBlock(p + 1, end);
    } else if (IsCSpace(c) || c == '*') {
      ++p;  // line breaks between statements, or an empty statement
    } else {
      p = DataBlock(p, end);
    }
  }
  Finish();
}

// --- Data blocks --------------------------------------------------------------

const char* GerberInterpreter::DataBlock(const char* p, const char* end) {
  Words words;
  bool found = false;
  while (p < end) {
    switch (*p) {
      case '*':
        Execute(words);
        return p + 1;
      case '%':
        Execute(words);
        return p;
      case 'X':
        p = ReadCoordinate(p + 1, end, xFormat_, !incremental_, words.x, found);
        words.hasX |= found;
        break;
      case 'Y':
        p = ReadCoordinate(p + 1, end, yFormat_, !incremental_, words.y, found);
        words.hasY |= found;
        break;
      case 'I':
        p = ReadCoordinate(p + 1, end, xFormat_, false, words.i, found);
        words.hasI |= found;
        break;
      case 'J':
        p = ReadCoordinate(p + 1, end, yFormat_, false, words.j, found);
        words.hasJ |= found;
        break;
      case 'D':
        p = ReadCode(p + 1, end, words.d);
        break;
      case 'M':
        p = ReadCode(p + 1, end, words.m);
        break;
      case 'G': {
        int32_t code = 0;
        p = ReadCode(p + 1, end, code);
        if (code == 4) return Comment(p, end);
        ApplyGCode(code);
        break;
      }
      default:
        ++p;  // N sequence numbers' letter, blanks, anything unknown
        break;
    }
  }
  Execute(words);
  return p;
}

// G04: the rest of the statement is a comment, unless it is an attribute in
// its comment form "G04 #@! TF...".
const char* GerberInterpreter::Comment(const char* p, const char* end) {
  const void* star = std::memchr(p, '*', static_cast<std::size_t>(end - p));
  const char* stop = star != nullptr ? static_cast<const char*>(star) : end;
  const char* q = p;
  while (q < stop && IsCSpace(*q)) ++q;
  if (stop - q >= 3 && std::memcmp(q, "#@!", 3) == 0) {
    q += 3;
    while (q < stop && IsCSpace(*q)) ++q;
    if (stop - q >= 2 && q[0] == 'T')
      Attribute(std::string_view(q, 2),
                std::string_view(q + 2, static_cast<std::size_t>(stop - q - 2)));
  }
  return stop == end ? end : stop + 1;
}

void GerberInterpreter::ApplyGCode(int32_t code) {
  switch (code) {
    case 1:
      interpolation_ = Interpolation::kLinear;
      break;
    case 2:
      interpolation_ = Interpolation::kClockwise;
      break;
    case 3:
      interpolation_ = Interpolation::kCounterClockwise;
      break;
    case 36:
      if (!writer_.InRegion()) writer_.BeginRegion();
      layer_.features |= kFeatureRegion;
      break;
    case 37:
      if (writer_.InRegion()) writer_.EndRegion(polarity_);
      break;
    case 70:
      millimetres_ = false;
      unitSeen_ = true;
      break;
    case 71:
      millimetres_ = true;
      unitSeen_ = true;
      g71Seen_ = true;
      break;
    case 74:
      multiQuadrant_ = false;
      break;
    case 75:
      multiQuadrant_ = true;
      break;
    case 90:
      incremental_ = false;
      break;
    case 91:
      incremental_ = true;
      break;
    default:
      break;  // G54 and G55 (select, prepare flash) and the unknown do nothing
  }
}

void GerberInterpreter::Execute(const Words& words) {
  if (words.d >= 10) SelectAperture(words.d);
  const bool coordinates = words.hasX || words.hasY || words.hasI || words.hasJ;
  int32_t operation = words.d >= 1 && words.d <= 3 ? words.d : 0;
  // Coordinates without an operation: the deprecated modal form repeats the last one.
  if (operation == 0 && words.d < 0 && coordinates) operation = lastOperation_;
  if (operation != 0 || coordinates) {
    const StandardPoint target = Target(words);
    if (operation != 0) lastOperation_ = operation;
    if (operation == 1) {
      Interpolate(target, words);
    } else if (operation == 2) {
      if (writer_.InRegion()) writer_.StartContour(target);
    } else if (operation == 3) {
      Flash(target);
    }
    current_ = target;
  }
  if (words.m == 2 || words.m == 0) ended_ = true;
}

StandardPoint GerberInterpreter::Target(const Words& words) const {
  const double unit = Unit();
  StandardPoint target = current_;
  if (words.hasX) target.x = incremental_ ? current_.x + words.x * unit : words.x * unit;
  if (words.hasY) target.y = incremental_ ? current_.y + words.y * unit : words.y * unit;
  return target;
}

// --- Operations ---------------------------------------------------------------

bool GerberInterpreter::ArcCentre(StandardPoint target, const Words& words, StandardPoint& centre,
                                  double& sweep) const {
  const double unit = Unit();
  const bool ccw = interpolation_ == Interpolation::kCounterClockwise;
  const double i = words.hasI ? words.i * unit : 0.0;
  const double j = words.hasJ ? words.j * unit : 0.0;
  if (multiQuadrant_) {
    centre = {current_.x + i, current_.y + j};
    sweep = ArcSweep(current_, target, centre, ccw, true);
    return true;
  }
  // Single quadrant: I and J are unsigned; the centre is the candidate whose
  // arc stays within 90° and whose two radii agree best. Start equal to end is
  // a dot.
  if (current_ == target) {
    centre = current_;
    sweep = 0.0;
    return true;
  }
  bool found = false;
  double bestMismatch = 0.0;
  for (int candidate = 0; candidate < 4; ++candidate) {
    const StandardPoint c{current_.x + ((candidate & 1) != 0 ? -std::fabs(i) : std::fabs(i)),
                          current_.y + ((candidate & 2) != 0 ? -std::fabs(j) : std::fabs(j))};
    const double s = ArcSweep(current_, target, c, ccw, false);
    if (std::fabs(s) > kPi / 2.0 + 1e-9) continue;
    const double mismatch = std::fabs(std::hypot(current_.x - c.x, current_.y - c.y) -
                                      std::hypot(target.x - c.x, target.y - c.y));
    if (!found || mismatch < bestMismatch) {
      found = true;
      bestMismatch = mismatch;
      centre = c;
      sweep = s;
    }
  }
  return found;
}

void GerberInterpreter::Interpolate(StandardPoint target, const Words& words) {
  StandardPoint centre;
  double sweep = 0.0;
  const bool linear = interpolation_ == Interpolation::kLinear;
  const bool arc = !linear && ArcCentre(target, words, centre, sweep);
  if (writer_.InRegion()) {
    if (!writer_.InContour()) writer_.StartContour(current_);
    if (arc) {
      if (sweep != 0.0) writer_.ContourArc(target, centre, sweep);
    } else {
      writer_.ContourLine(target);
    }
    return;
  }
  const Entry* entry = FindEntry(apertureCode_);
  if (entry == nullptr || entry->block) return;  // nothing to draw with
  const uint32_t shape = CurrentShape(*entry);
  if (arc && sweep == 0.0) {
    writer_.Line(current_, current_, shape, polarity_);
  } else if (arc) {
    writer_.Arc(current_, target, centre, sweep, shape, polarity_);
  } else {
    writer_.Line(current_, target, shape, polarity_);
  }
}

void GerberInterpreter::Flash(StandardPoint target) {
  if (writer_.InRegion()) return;  // a region has no flashes
  const Entry* entry = FindEntry(apertureCode_);
  if (entry == nullptr) return;
  if (entry->block) {
    const Affine place = apertureLinear_.Then(Affine::Translation(target.x, target.y));
    writer_.FlashBlock(static_cast<int32_t>(entry->target), place, generation_,
                       polarity_ == StandardPolarity::kClear);
    return;
  }
  if (entry->kind == 'M') layer_.features |= kFeatureMacroFlash;
  if (entry->kind == 'P') layer_.features |= kFeaturePolygonFlash;
  if (entry->kind == 'O') layer_.features |= kFeatureObroundFlash;
  writer_.Flash(target, CurrentShape(*entry), polarity_);
}

uint32_t GerberInterpreter::CurrentShape(const Entry& entry) {
  return writer_.InstanceShape(entry.target, generation_, apertureLinear_);
}

// --- The aperture dictionary --------------------------------------------------

void GerberInterpreter::SelectAperture(int32_t dcode) { apertureCode_ = dcode; }

const GerberInterpreter::Entry* GerberInterpreter::FindEntry(int32_t dcode) {
  if (dcode < 0) return nullptr;
  int32_t index = kNoEntry;
  if (dcode < kDirectCodes) {
    index = directEntries_[static_cast<std::size_t>(dcode)];
  } else {
    const auto found = otherEntries_.find(dcode);
    if (found != otherEntries_.end()) index = found->second;
  }
  if (index >= 0) return &entries_[static_cast<std::size_t>(index)];
  if (index == kMissing) return nullptr;
  return TableEntry(dcode);
}

void GerberInterpreter::Define(int32_t dcode, const Entry& entry) {
  entries_.push_back(entry);
  const auto index = static_cast<int32_t>(entries_.size() - 1);
  if (dcode < kDirectCodes)
    directEntries_[static_cast<std::size_t>(dcode)] = index;
  else
    otherEntries_[dcode] = index;
}

// RS-274-D: a D-code the file does not define comes from the aperture table.
const GerberInterpreter::Entry* GerberInterpreter::TableEntry(int32_t dcode) {
  const Aperture* found = nullptr;
  for (const Aperture& aperture : context_.apertureTable) {
    if (aperture.layer < 0 && aperture.dcode == dcode) {
      found = &aperture;
      break;
    }
  }
  uint32_t shape = 0;
  bool known = found != nullptr;
  ShapeBuilder& builder = writer_.Shapes();
  if (known) {
    switch (found->shape) {
      case kShapeCircle:
      case kShapeLine:  // a line aperture draws with a round pen of its width
        shape = AddCircleShape(builder, found->sizeX, {});
        break;
      case kShapeRectangle:
      case kShapeSquare:
        shape = AddRectangleShape(builder, found->sizeX, found->sizeY, {});
        break;
      case kShapeEllipse:
        shape = AddEllipseShape(builder, found->sizeX, found->sizeY);
        break;
      default:
        known = false;
        break;
    }
  }
  if (!known) {
    if (dcode < kDirectCodes)
      directEntries_[static_cast<std::size_t>(dcode)] = kMissing;
    else
      otherEntries_[dcode] = kMissing;
    return nullptr;
  }
  Define(dcode, {false, shape, 0});
  StandardAperture record;
  record.code = dcode;
  record.origin = ApertureOrigin::kTable;
  record.shape = shape;
  char sizes[64];
  std::snprintf(sizes, sizeof sizes, ",%.6gX%.6g", found->sizeX, found->sizeY);
  record.definition = std::string(ShapeName(found->shape)) + sizes;
  layer_.apertures.push_back(std::move(record));
  return &entries_.back();
}

// --- End of file --------------------------------------------------------------

void GerberInterpreter::Finish() {
  if (writer_.InRegion()) writer_.EndRegion(polarity_);
  writer_.FinishFile();
  if (metricApertures_ && !g71Seen_) layer_.features |= kFeatureMetricWithoutG71;
  layer_.units = !unitSeen_     ? StandardUnits::kUnstated
                 : millimetres_ ? StandardUnits::kMillimetre
                                : StandardUnits::kInch;
  layer_.formatFromFile = formatSeen_;
  const Affine image = ImageTransform();
  if (!image.IsIdentity() || layer_.negative) layer_.features |= kFeatureImageTransform;
  ApplyLayerTransform(layer_, image.Then(LayerSettingsTransform(layer_)), budget_);
  layer_.limitsReached = budget_.Reached();
  ComputeStandardExtents(layer_);
}

}  // namespace corvane
