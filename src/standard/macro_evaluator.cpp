#include "standard/macro_evaluator.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "standard/standard_limits.h"
#include "text/ascii.h"
#include "text/fields.h"

namespace corvane {
namespace {

const char* SkipSpace(const char* p, const char* end) {
  while (p < end && IsCSpace(*p)) ++p;
  return p;
}

// Digits as an unsigned number, held below 2^40 so that it cannot overflow.
uint64_t ReadCount(const char*& p, const char* end) {
  uint64_t value = 0;
  for (; p < end && IsDigit(*p); ++p)
    value = std::min<uint64_t>(value * 10 + (*p - '0'), 1ull << 40);
  return value;
}

double Finite(double value) { return std::isfinite(value) ? value : 0.0; }

// Recursive descent over one expression; depth counts unary signs and
// parentheses, the only ways to nest.
class ExpressionParser {
 public:
  ExpressionParser(const char*& p, const char* end, const MacroVariables& variables)
      : p_(p), end_(end), variables_(variables) {}

  double Sum(int depth) {
    double value = Product(depth);
    while (!tooDeep_) {
      p_ = SkipSpace(p_, end_);
      if (p_ == end_ || (*p_ != '+' && *p_ != '-')) break;
      const char op = *p_++;
      const double right = Product(depth);
      value = Finite(op == '+' ? value + right : value - right);
    }
    return value;
  }

  bool TooDeep() const { return tooDeep_; }

 private:
  double Product(int depth) {
    double value = Unary(depth);
    while (!tooDeep_) {
      p_ = SkipSpace(p_, end_);
      if (p_ == end_ || (*p_ != 'x' && *p_ != 'X' && *p_ != '/')) break;
      const char op = *p_++;
      const double right = Unary(depth);
      if (op == '/')
        value = right == 0.0 ? 0.0 : Finite(value / right);
      else
        value = Finite(value * right);
    }
    return value;
  }

  double Unary(int depth) {
    if (depth > kMaxExpressionDepth) {
      tooDeep_ = true;
      return 0.0;
    }
    p_ = SkipSpace(p_, end_);
    if (p_ == end_) return 0.0;
    const char c = *p_;
    if (c == '+' || c == '-') {
      ++p_;
      const double value = Unary(depth + 1);
      return c == '-' ? -value : value;
    }
    if (c == '(') {
      ++p_;
      const double value = Sum(depth + 1);
      p_ = SkipSpace(p_, end_);
      if (p_ < end_ && *p_ == ')') ++p_;
      return value;
    }
    if (c == '$') {
      ++p_;
      return variables_.Get(ReadCount(p_, end_));
    }
    if (IsDigit(c) || c == '.') return Number();
    return 0.0;  // nothing that starts an operand: the caller stops here
  }

  double Number() {
    const char* start = p_;
    while (p_ < end_ && IsDigit(*p_)) ++p_;
    if (p_ < end_ && *p_ == '.') {
      ++p_;
      while (p_ < end_ && IsDigit(*p_)) ++p_;
    }
    return Finite(ParseCDouble(std::string_view(start, static_cast<std::size_t>(p_ - start))));
  }

  const char*& p_;
  const char* end_;
  const MacroVariables& variables_;
  bool tooDeep_ = false;
};

// --- Primitives ---------------------------------------------------------------

class PrimitiveMaker {
 public:
  PrimitiveMaker(const std::vector<double>& values, double unit, ShapeBuilder& builder)
      : values_(values), unit_(unit), builder_(builder) {}

  void Make(uint64_t code) {
    switch (code) {
      case 1:
        return Circle();
      case 2:
      case 20:
        return VectorLine();
      case 21:
        return CentredBox(Value(1), Value(2), Value(3), Value(4), Value(5));
      case 22:
        return CentredBox(Value(1), Value(2), Value(3) + Value(1) / 2.0, Value(4) + Value(2) / 2.0,
                          Value(5));
      case 4:
        return Outline();
      case 5:
        return Polygon();
      case 6:
        return Moire();
      case 7:
        return Thermal();
      default:
        return;  // no such primitive: nothing to draw
    }
  }

 private:
  double Value(std::size_t i) const { return i < values_.size() ? values_[i] : 0.0; }
  double Length(std::size_t i) const { return Value(i) * unit_; }
  // Exposure 0 is off; every other value is on.
  StandardPolarity Exposure() const {
    return std::fabs(Value(0)) < 0.5 ? StandardPolarity::kClear : StandardPolarity::kDark;
  }

  // Rotates the points about the macro's origin and adds them as one polygon.
  void AddTurned(StandardPolarity polarity, std::vector<StandardPoint>& points, double degrees) {
    const Affine turn = Affine::Rotation(degrees);
    if (!turn.IsLinearIdentity())
      for (StandardPoint& p : points) p = turn.ApplyLinear(p);
    builder_.AddPolygon(polarity, points.data(), points.size());
  }

  void Circle() {
    const double diameter = Length(1);
    if (diameter == 0.0) return;
    const StandardPoint centre = Affine::Rotation(Value(4)).ApplyLinear({Length(2), Length(3)});
    builder_.AddCircle(Exposure(), centre.x, centre.y, diameter);
  }

  void VectorLine() {
    const double width = Length(1);
    const StandardPoint from{Length(2), Length(3)};
    const StandardPoint to{Length(4), Length(5)};
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    if (length == 0.0 || width == 0.0) return;
    const double nx = -(to.y - from.y) / length * width / 2.0;
    const double ny = (to.x - from.x) / length * width / 2.0;
    points_ = {{from.x + nx, from.y + ny},
               {from.x - nx, from.y - ny},
               {to.x - nx, to.y - ny},
               {to.x + nx, to.y + ny}};
    AddTurned(Exposure(), points_, Value(6));
  }

  void CentredBox(double width, double height, double cx, double cy, double degrees) {
    const double w = std::fabs(width) * unit_ / 2.0;
    const double h = std::fabs(height) * unit_ / 2.0;
    cx *= unit_;
    cy *= unit_;
    if (w == 0.0 || h == 0.0) return;
    points_ = {{cx - w, cy - h}, {cx + w, cy - h}, {cx + w, cy + h}, {cx - w, cy + h}};
    AddTurned(Exposure(), points_, degrees);
  }

  void Outline() {
    const double stated = Value(1);
    if (!(stated >= 1.0)) return;
    if (stated > kMaxOutlineVertices) {
      builder_.Budget().Reach(kLimitOutlineVertices);
      return;
    }
    const auto vertices = static_cast<std::size_t>(std::lround(stated));
    points_.clear();
    for (std::size_t i = 0; i <= vertices; ++i)
      points_.push_back({Length(2 + 2 * i), Length(3 + 2 * i)});
    if (points_.size() > 1 && points_.back() == points_.front()) points_.pop_back();
    AddTurned(Exposure(), points_, Value(2 + 2 * (vertices + 1)));
  }

  void Polygon() {
    const double stated = std::isfinite(Value(1)) ? Value(1) : 0.0;
    const int vertices = static_cast<int>(
        std::clamp(std::lround(stated), long{kMinPolygonVertices}, long{kMaxPolygonVertices}));
    const double r = std::fabs(Length(4)) / 2.0;
    if (r == 0.0) return;
    points_.clear();
    for (int i = 0; i < vertices; ++i) {
      const double angle = kTwoPi * i / vertices;
      points_.push_back({Length(2) + r * std::cos(angle), Length(3) + r * std::sin(angle)});
    }
    AddTurned(Exposure(), points_, Value(5));
  }

  // A ring as one polygon: the outer circle, a cut to the inner circle, the
  // inner circle backwards, and the cut back. The cut's two edges cancel.
  void Ring(StandardPoint centre, double outer, double inner, double degrees) {
    const uint32_t count = std::max<uint32_t>(ArcChordCount(outer, kTwoPi), 3);
    points_.clear();
    AppendCirclePoints(centre.x, centre.y, outer, count, points_);
    points_.push_back(points_.front());
    const std::size_t innerStart = points_.size();
    AppendCirclePoints(centre.x, centre.y, inner, count, points_);
    std::reverse(points_.begin() + static_cast<std::ptrdiff_t>(innerStart) + 1, points_.end());
    points_.push_back(points_[innerStart]);
    AddTurned(StandardPolarity::kDark, points_, degrees);
  }

  void Moire() {
    const StandardPoint centre{Length(0), Length(1)};
    const double degrees = Value(8);
    const double thickness = std::fabs(Length(3));
    const double gap = std::fabs(Length(4));
    const double rings = std::clamp(Value(5), 0.0, 1000.0);
    double outer = std::fabs(Length(2)) / 2.0;
    for (int ring = 0; ring < static_cast<int>(rings) && outer > 0.0; ++ring) {
      const double inner = outer - thickness;
      if (inner <= 0.0) {
        const StandardPoint c = Affine::Rotation(degrees).ApplyLinear(centre);
        builder_.AddCircle(StandardPolarity::kDark, c.x, c.y, 2.0 * outer);
      } else {
        Ring(centre, outer, inner, degrees);
      }
      outer = inner - gap;
    }
    const double crossWidth = std::fabs(Value(6));
    const double crossLength = std::fabs(Value(7));
    CrossBar(centre, crossLength * unit_, crossWidth * unit_, degrees);
    CrossBar(centre, crossWidth * unit_, crossLength * unit_, degrees);
  }

  void CrossBar(StandardPoint centre, double width, double height, double degrees) {
    if (width == 0.0 || height == 0.0) return;
    const double w = width / 2.0;
    const double h = height / 2.0;
    points_ = {{centre.x - w, centre.y - h},
               {centre.x + w, centre.y - h},
               {centre.x + w, centre.y + h},
               {centre.x - w, centre.y + h}};
    AddTurned(StandardPolarity::kDark, points_, degrees);
  }

  // The ring between the two diameters less a cross of the gap's width: up to
  // four quarter pieces, each bounded by the outer arc, the gap's edges and the
  // inner arc (or the gap's corner when the inner circle lies inside the cross).
  void Thermal() {
    const StandardPoint centre{Length(0), Length(1)};
    const double outer = std::fabs(Length(2)) / 2.0;
    const double inner = std::fabs(Length(3)) / 2.0;
    const double half = std::fabs(Length(4)) / 2.0;
    const double degrees = Value(5);
    if (outer <= inner || outer <= half * std::sqrt(2.0)) return;
    std::vector<StandardPoint> quarter;
    const double outerFrom = std::asin(half / outer);
    const StandardPoint outerStart{outer * std::cos(outerFrom), outer * std::sin(outerFrom)};
    const StandardPoint outerEnd{outerStart.y, outerStart.x};
    quarter.push_back(outerStart);
    FlattenArc(outerStart, outerEnd, {0, 0}, kPi / 2.0 - 2.0 * outerFrom, kMaxChordsPerTurn,
               quarter);
    if (inner > half * std::sqrt(2.0)) {
      const double innerFrom = std::asin(half / inner);
      const StandardPoint innerStart{inner * std::sin(innerFrom), inner * std::cos(innerFrom)};
      const StandardPoint innerEnd{innerStart.y, innerStart.x};
      quarter.push_back(innerStart);
      FlattenArc(innerStart, innerEnd, {0, 0}, -(kPi / 2.0 - 2.0 * innerFrom), kMaxChordsPerTurn,
                 quarter);
    } else {
      quarter.push_back({half, half});
    }
    for (int turn = 0; turn < 4; ++turn) {
      const Affine quarterTurn = Affine::Rotation(90.0 * turn);
      points_.clear();
      for (const StandardPoint& p : quarter) {
        const StandardPoint q = quarterTurn.ApplyLinear(p);
        points_.push_back({centre.x + q.x, centre.y + q.y});
      }
      AddTurned(StandardPolarity::kDark, points_, degrees);
    }
  }

  const std::vector<double>& values_;
  double unit_;
  ShapeBuilder& builder_;
  std::vector<StandardPoint> points_;
};

// Most parameters an outline of the largest allowed size needs, with room for
// exposure, count and rotation.
constexpr std::size_t kMaxPrimitiveValues = 2 * (kMaxOutlineVertices + 1) + 3;

class BodyEvaluator {
 public:
  BodyEvaluator(std::span<const double> params, double unit, ShapeBuilder& builder)
      : variables_(params), unit_(unit), builder_(builder) {}

  void Statement(const char* p, const char* end) {
    p = SkipSpace(p, end);
    if (p == end) return;
    if (*p == '$') return Assignment(p + 1, end);
    if (!IsDigit(*p)) return;
    const uint64_t code = ReadCount(p, end);
    if (code == 0) return;  // a comment
    values_.clear();
    while (true) {
      p = SkipSpace(p, end);
      if (p == end || *p != ',') break;
      ++p;
      const double value = Expression(p, end);
      if (values_.size() < kMaxPrimitiveValues) values_.push_back(value);
      while (p < end && *p != ',') ++p;  // whatever cannot belong to the value
    }
    PrimitiveMaker(values_, unit_, builder_).Make(code);
  }

 private:
  void Assignment(const char* p, const char* end) {
    if (p == end || !IsDigit(*p)) return;  // "$=": no variable named
    const uint64_t number = ReadCount(p, end);
    p = SkipSpace(p, end);
    if (p == end || *p != '=') return;
    ++p;
    const double value = Expression(p, end);
    if (!variables_.Set(number, value)) builder_.Budget().Reach(kLimitMacroVariables);
  }

  double Expression(const char*& p, const char* end) {
    bool tooDeep = false;
    const double value = EvaluateMacroExpression(p, end, variables_, tooDeep);
    if (tooDeep) builder_.Budget().Reach(kLimitExpressionDepth);
    return value;
  }

  MacroVariables variables_;
  double unit_;
  ShapeBuilder& builder_;
  std::vector<double> values_;
};

}  // namespace

MacroVariables::MacroVariables(std::span<const double> params) {
  const std::size_t count = std::min<std::size_t>(params.size(), kMaxMacroVariable);
  values_.assign(params.begin(), params.begin() + static_cast<std::ptrdiff_t>(count));
}

double MacroVariables::Get(uint64_t number) const {
  if (number == 0 || number > values_.size()) return 0.0;
  return values_[number - 1];
}

bool MacroVariables::Set(uint64_t number, double value) {
  if (number == 0 || number > kMaxMacroVariable) return false;
  if (number > values_.size()) values_.resize(number, 0.0);
  values_[number - 1] = value;
  return true;
}

double EvaluateMacroExpression(const char*& p, const char* end, const MacroVariables& variables,
                               bool& tooDeep) {
  ExpressionParser parser(p, end, variables);
  const double value = parser.Sum(0);
  tooDeep = parser.TooDeep();
  if (tooDeep) {
    while (p < end && *p != ',') ++p;  // the rest of this value is not read
    return 0.0;
  }
  return value;
}

void EvaluateMacroBody(std::string_view body, std::span<const double> params, double unit,
                       ShapeBuilder& builder) {
  if (!builder.Budget().TakeMacroWork(body.size())) return;
  BodyEvaluator evaluator(params, unit, builder);
  const char* p = body.data();
  const char* end = p + body.size();
  while (p < end) {
    const void* star = std::memchr(p, '*', static_cast<std::size_t>(end - p));
    const char* stop = star != nullptr ? static_cast<const char*>(star) : end;
    evaluator.Statement(p, stop);
    p = stop == end ? end : stop + 1;
  }
}

}  // namespace corvane
