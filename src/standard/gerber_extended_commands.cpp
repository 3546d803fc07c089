// The extended commands of a Gerber file, the ones between '%' signs: format,
// units, apertures and macros, blocks, polarity, aperture transformations,
// step and repeat, attributes, and the deprecated image parameters.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "standard/gerber_interpreter.h"
#include "standard/macro_evaluator.h"
#include "standard/standard_limits.h"
#include "text/ascii.h"
#include "text/fields.h"

namespace corvane {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsCSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsCSpace(text.back())) text.remove_suffix(1);
  return text;
}

// A decimal number (sign, digits, point, digits) at the front of `text`,
// which moves past it; 0 when there is none.
double TakeDecimal(std::string_view& text) {
  std::size_t n = 0;
  if (n < text.size() && (text[n] == '+' || text[n] == '-')) ++n;
  while (n < text.size() && (IsDigit(text[n]) || text[n] == '.')) ++n;
  const double value = ParseCDouble(text.substr(0, n));
  text.remove_prefix(n);
  return std::isfinite(value) ? value : 0.0;
}

// Digits at the front of `text` as a count, held below 10^9.
uint32_t TakeCount(std::string_view& text, bool& found) {
  uint32_t value = 0;
  found = false;
  while (!text.empty() && IsDigit(text.front())) {
    if (value < 100'000'000) value = value * 10 + static_cast<uint32_t>(text.front() - '0');
    text.remove_prefix(1);
    found = true;
  }
  return value;
}

// The number that follows `letter` in `text` ("A1B0", "X3Y2I5.0J4.0").
bool LetterValue(std::string_view text, char letter, double& value) {
  const std::size_t at = text.find(letter);
  if (at == std::string_view::npos) return false;
  std::string_view rest = text.substr(at + 1);
  const std::size_t before = rest.size();
  value = TakeDecimal(rest);
  return rest.size() != before;
}

// The parameters of an AD: decimals separated by X.
std::vector<double> ApertureParameters(std::string_view text) {
  std::vector<double> values;
  while (!text.empty() && values.size() < kMaxMacroVariable) {
    text = Trimmed(text);
    values.push_back(TakeDecimal(text));
    const std::size_t next = text.find_first_of("Xx");
    if (next == std::string_view::npos) break;
    text.remove_prefix(next + 1);
  }
  return values;
}

}  // namespace

const char* GerberInterpreter::ExtendedBlock(const char* p, const char* end) {
  const void* close = std::memchr(p, '%', static_cast<std::size_t>(end - p));
  const char* stop = close != nullptr ? static_cast<const char*>(close) : end;
  std::string_view block(p, static_cast<std::size_t>(stop - p));
  const std::string_view start = Trimmed(block);
  if (start.size() >= 2 && start.substr(0, 2) == "AM") {
    MacroDefinition(start.substr(2));  // its body is the rest of the block
  } else {
    // Older files put several commands into one block.
    while (!block.empty()) {
      const std::size_t star = block.find('*');
      Command(block.substr(0, star));
      if (star == std::string_view::npos) break;
      block.remove_prefix(star + 1);
    }
  }
  return stop == end ? end : stop + 1;
}

void GerberInterpreter::Command(std::string_view text) {
  text = Trimmed(text);
  if (text.size() < 2) return;
  const std::string_view code = text.substr(0, 2);
  const std::string_view rest = text.substr(2);
  if (code == "FS") return FormatCommand(rest);
  if (code == "MO") return UnitCommand(rest);
  if (code == "AD") return ApertureDefinition(rest);
  if (code == "AB") return ApertureBlock(rest);
  if (code == "SR") return StepRepeat(rest);
  if (code == "LP") {
    EndRegionForCommand();
    polarity_ =
        !rest.empty() && rest.front() == 'C' ? StandardPolarity::kClear : StandardPolarity::kDark;
    if (polarity_ == StandardPolarity::kClear) layer_.features |= kFeatureClearPolarity;
    return;
  }
  if (code == "LM" || code == "LR" || code == "LS") return ApertureTransform(code, rest);
  if (code == "TF" || code == "TA" || code == "TO" || code == "TD") return Attribute(code, rest);
  if (code == "IP" || code == "AS" || code == "MI" || code == "SF" || code == "OF" || code == "IR")
    return ImageCommand(code, rest);
  // IN and LN name the image and its levels and change nothing; other codes
  // are unknown.
}

void GerberInterpreter::FormatCommand(std::string_view text) {
  bool trailing = false;
  bool incremental = false;
  ZeroSuppression zeros = kLeadingZerosOmitted;
  NumberFormat x;
  NumberFormat y;
  bool haveY = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool digitFollows = i + 1 < text.size() && IsDigit(text[i + 1]);
    if (c == 'L') {
      trailing = false;
      zeros = kLeadingZerosOmitted;
    } else if (c == 'T') {
      trailing = true;
      zeros = kTrailingZerosOmitted;
    } else if (c == 'D' && !digitFollows) {
      trailing = false;  // no zeros omitted: every digit written, read like L
      zeros = kZeroSuppressionNone;
    } else if (c == 'A' || c == 'I') {
      incremental = c == 'I';
    } else if ((c == 'N' || c == 'G' || c == 'D' || c == 'M') && digitFollows) {
      ++i;  // the old sequence, G, D and M code sizes
    } else if ((c == 'X' || c == 'Y') && digitFollows) {
      NumberFormat& format = c == 'X' ? x : y;
      format.intDigits = text[i + 1] - '0';
      ++i;
      if (i + 1 < text.size() && IsDigit(text[i + 1])) format.decDigits = text[++i] - '0';
      haveY |= c == 'Y';
    }
  }
  if (!haveY) y = x;
  xFormat_ = AxisFormat::Make(x, trailing);
  yFormat_ = AxisFormat::Make(y, trailing);
  incremental_ = incremental;
  formatSeen_ = true;
  layer_.xFormat = x;
  layer_.yFormat = y;
  layer_.zeros = zeros;
}

void GerberInterpreter::UnitCommand(std::string_view text) {
  text = Trimmed(text);
  if (text.substr(0, 2) == "MM") {
    millimetres_ = true;
    metricApertures_ = true;
    unitSeen_ = true;
  } else if (text.substr(0, 2) == "IN") {
    millimetres_ = false;
    unitSeen_ = true;
  }
}

uint32_t GerberInterpreter::StandardApertureShape(char letter, const std::vector<double>& p) {
  const double unit = Unit();
  auto at = [&p](std::size_t i) { return i < p.size() ? p[i] : 0.0; };
  // The hole follows the sizes: one diameter, or the deprecated width and height.
  auto hole = [&](std::size_t i) {
    ApertureHole h;
    if (p.size() > i) h.width = at(i) * unit;
    if (p.size() > i + 1) {
      h.rectangular = true;
      h.height = at(i + 1) * unit;
    }
    return h;
  };
  ShapeBuilder& builder = writer_.Shapes();
  const double first = at(0) * unit;
  const double second = p.size() > 1 ? at(1) * unit : first;
  switch (letter) {
    case 'C':
      return AddCircleShape(builder, first, hole(1));
    case 'R':
      return AddRectangleShape(builder, first, second, hole(2));
    case 'O':
      return AddObroundShape(builder, first, second, hole(2));
    default: {
      const double vertices = p.size() > 1 && std::isfinite(at(1)) ? at(1) : 3.0;
      const long count = std::lround(std::clamp(vertices, -1e6, 1e6));
      return AddPolygonShape(builder, first, static_cast<int>(count), at(2), hole(3));
    }
  }
}

void GerberInterpreter::ApertureDefinition(std::string_view text) {
  text = Trimmed(text);
  if (!text.empty() && text.front() == 'D') text.remove_prefix(1);
  bool found = false;
  const auto dcode = static_cast<int32_t>(TakeCount(text, found));
  if (!found) return;
  const std::string_view definition = text;
  const std::size_t comma = text.find(',');
  const std::string_view name = Trimmed(text.substr(0, comma));
  const std::vector<double> params = comma == std::string_view::npos
                                         ? std::vector<double>{}
                                         : ApertureParameters(text.substr(comma + 1));
  Entry entry;
  StandardAperture record;
  record.code = dcode;
  if (name.size() == 1 && std::strchr("CROP", name.front()) != nullptr) {
    entry.target = StandardApertureShape(name.front(), params);
    entry.kind = static_cast<uint8_t>(name.front());
    record.origin = ApertureOrigin::kStandard;
  } else {
    // The last definition of a name counts; an undefined macro defines nothing.
    const auto macro = std::find_if(macros_.rbegin(), macros_.rend(),
                                    [&name](const Macro& m) { return m.name == name; });
    if (macro == macros_.rend()) return;
    ShapeBuilder& builder = writer_.Shapes();
    builder.Begin();
    EvaluateMacroBody(macro->body, params, Unit(), builder);
    entry.target = builder.Finish();
    entry.kind = 'M';
    record.origin = ApertureOrigin::kMacro;
  }
  Define(dcode, entry);
  record.shape = entry.target;
  record.definition = std::string(definition);
  record.attributes = AttributeText(apertureAttributes_);
  layer_.apertures.push_back(std::move(record));
}

void GerberInterpreter::MacroDefinition(std::string_view text) {
  const std::size_t star = text.find('*');
  Macro macro;
  macro.name = std::string(Trimmed(text.substr(0, star)));
  if (star != std::string_view::npos) macro.body = std::string(text.substr(star + 1));
  macros_.push_back(std::move(macro));
}

void GerberInterpreter::ApertureBlock(std::string_view text) {
  EndRegionForCommand();
  text = Trimmed(text);
  if (!text.empty() && text.front() == 'D') {
    text.remove_prefix(1);
    bool found = false;
    const auto dcode = static_cast<int32_t>(TakeCount(text, found));
    if (!found) return;
    layer_.features |= kFeatureBlock;
    writer_.OpenBlock();
    openBlocks_.push_back(dcode);
    return;
  }
  if (openBlocks_.empty()) return;  // a close without an open
  const int32_t dcode = openBlocks_.back();
  openBlocks_.pop_back();
  const int32_t block = writer_.CloseBlock();
  if (block < 0) return;
  Define(dcode, {true, static_cast<uint32_t>(block), 0});
  StandardAperture record;
  record.code = dcode;
  record.origin = ApertureOrigin::kBlock;
  record.shape = static_cast<uint32_t>(block);
  record.attributes = AttributeText(apertureAttributes_);
  layer_.apertures.push_back(std::move(record));
}

void GerberInterpreter::StepRepeat(std::string_view text) {
  EndRegionForCommand();
  double countX = 1.0;
  double countY = 1.0;
  double stepX = 0.0;
  double stepY = 0.0;
  LetterValue(text, 'X', countX);
  LetterValue(text, 'Y', countY);
  LetterValue(text, 'I', stepX);
  LetterValue(text, 'J', stepY);
  // A new SR ends the one before; SR with one copy (or none given) only ends.
  if (writer_.RepeatOpen()) writer_.CloseRepeat();
  const auto count = [](double value) {
    return static_cast<uint32_t>(std::clamp(std::floor(value), 1.0, 4e9));
  };
  const uint32_t nx = count(countX);
  const uint32_t ny = count(countY);
  if (nx == 1 && ny == 1) return;
  layer_.features |= kFeatureStepRepeat;
  writer_.OpenRepeat(nx, ny, stepX * Unit(), stepY * Unit());
}

void GerberInterpreter::ApertureTransform(std::string_view code, std::string_view text) {
  text = Trimmed(text);
  if (code == "LM") {
    mirrorX_ = text.find('X') != std::string_view::npos;
    mirrorY_ = text.find('Y') != std::string_view::npos;
  } else {
    // Without a number the command sets its neutral value.
    const bool stated = !text.empty() && (IsDigit(text.front()) || text.front() == '.' ||
                                          text.front() == '-' || text.front() == '+');
    if (code == "LR")
      rotation_ = stated ? TakeDecimal(text) : 0.0;
    else
      scale_ = stated ? TakeDecimal(text) : 1.0;
  }
  // Mirroring first, then scaling, then rotation.
  apertureLinear_ = Affine::Scale(mirrorX_ ? -1.0 : 1.0, mirrorY_ ? -1.0 : 1.0)
                        .Then(Affine::Scale(scale_, scale_))
                        .Then(Affine::Rotation(rotation_));
  ++generation_;
  if (!apertureLinear_.IsLinearIdentity()) layer_.features |= kFeatureApertureTransform;
}

// --- Attributes ---------------------------------------------------------------

std::string GerberInterpreter::AttributeText(
    const std::vector<StandardAttribute>& dictionary) const {
  std::string text;
  for (const StandardAttribute& attribute : dictionary) {
    if (!text.empty()) text += ';';
    text += attribute.name;
    if (!attribute.value.empty()) text += ',' + attribute.value;
  }
  return text;
}

namespace {

void SetAttribute(std::vector<StandardAttribute>& dictionary, std::string_view name,
                  std::string_view value) {
  for (StandardAttribute& attribute : dictionary) {
    if (attribute.name == name) {
      attribute.value = std::string(value);
      return;
    }
  }
  dictionary.push_back({std::string(name), std::string(value)});
}

bool EraseAttribute(std::vector<StandardAttribute>& dictionary, std::string_view name) {
  const auto before = dictionary.size();
  std::erase_if(dictionary, [&name](const StandardAttribute& a) { return a.name == name; });
  return dictionary.size() != before;
}

}  // namespace

void GerberInterpreter::Attribute(std::string_view code, std::string_view text) {
  text = Trimmed(text);
  const std::size_t comma = text.find(',');
  const std::string_view name = text.substr(0, comma);
  const std::string_view value =
      comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
  if (code == "TF") {
    if (!name.empty()) SetAttribute(layer_.attributes, name, value);
  } else if (code == "TA") {
    if (!name.empty()) SetAttribute(apertureAttributes_, name, value);
  } else if (code == "TO") {
    if (name.empty()) return;
    SetAttribute(objectAttributes_, name, value);
    ObjectAttributesChanged();
  } else if (name.empty()) {
    apertureAttributes_.clear();
    objectAttributes_.clear();
    ObjectAttributesChanged();
  } else {
    EraseAttribute(apertureAttributes_, name);
    if (EraseAttribute(objectAttributes_, name)) ObjectAttributesChanged();
  }
}

// Object attributes change with every net or component: a set is shared only
// with the last few sets, which catches a file that switches back and forth
// between a handful without a search through every set of a large board.
void GerberInterpreter::ObjectAttributesChanged() {
  constexpr std::size_t kRecentSets = 8;
  std::vector<std::string>& sets = layer_.objectAttributeSets;
  if (sets.empty()) sets.emplace_back();
  std::string text = AttributeText(objectAttributes_);
  uint32_t set = 0;
  if (!text.empty()) {
    const std::size_t oldest = sets.size() > kRecentSets ? sets.size() - kRecentSets : 1;
    set = static_cast<uint32_t>(sets.size());
    for (std::size_t i = sets.size(); i-- > oldest;) {
      if (sets[i] == text) {
        set = static_cast<uint32_t>(i);
        break;
      }
    }
    if (set == sets.size()) sets.push_back(std::move(text));
  }
  writer_.SetObjectAttributes(set);
}

// --- Deprecated image parameters ----------------------------------------------

void GerberInterpreter::ImageCommand(std::string_view code, std::string_view text) {
  text = Trimmed(text);
  double value = 0.0;
  if (code == "IP") {
    layer_.negative = text.substr(0, 3) == "NEG";
  } else if (code == "AS") {
    swapAxes_ = text.substr(0, 4) == "AYBX";
  } else if (code == "MI") {
    mirrorImageA_ = LetterValue(text, 'A', value) && value != 0.0;
    mirrorImageB_ = LetterValue(text, 'B', value) && value != 0.0;
  } else if (code == "SF") {
    scaleA_ = LetterValue(text, 'A', value) ? value : 1.0;
    scaleB_ = LetterValue(text, 'B', value) ? value : 1.0;
  } else if (code == "OF") {
    offsetA_ = LetterValue(text, 'A', value) ? value * Unit() : 0.0;
    offsetB_ = LetterValue(text, 'B', value) ? value * Unit() : 0.0;
  } else {
    imageRotation_ = TakeDecimal(text);
  }
}

// Axis selection, mirroring, scaling, offset, then rotation of the image,
// each about the file's origin.
Affine GerberInterpreter::ImageTransform() const {
  Affine image = swapAxes_ ? Affine{0.0, 1.0, 1.0, 0.0, 0.0, 0.0} : Affine{};
  image = image.Then(Affine::Scale(mirrorImageA_ ? -1.0 : 1.0, mirrorImageB_ ? -1.0 : 1.0))
              .Then(Affine::Scale(scaleA_, scaleB_))
              .Then(Affine::Translation(offsetA_, offsetB_))
              .Then(Affine::Rotation(imageRotation_));
  return image;
}

void GerberInterpreter::EndRegionForCommand() {
  if (writer_.InRegion()) writer_.EndRegion(polarity_);
}

}  // namespace corvane
