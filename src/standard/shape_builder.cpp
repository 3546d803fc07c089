#include "standard/shape_builder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace corvane {
namespace {

// The box of the dark parts and whether the shape strokes round.
void Summarise(StandardShapes& shapes, StandardShape& shape) {
  StandardBox box;
  for (uint32_t i = 0; i < shape.primitiveCount; ++i) {
    const ShapePrimitive& part = shapes.primitives[shape.firstPrimitive + i];
    if (part.polarity != StandardPolarity::kDark) continue;
    if (part.kind == PrimitiveKind::kCircle) {
      const double r = part.diameter / 2.0;
      box.Add(part.cx - r, part.cy - r);
      box.Add(part.cx + r, part.cy + r);
    } else {
      for (uint32_t p = 0; p < part.pointCount; ++p) {
        const StandardPoint& point = shapes.points[part.firstPoint + p];
        box.Add(point.x, point.y);
      }
    }
  }
  shape.box = box;
  shape.flags = 0;
  shape.roundDiameter = 0.0;
  if (shape.primitiveCount == 1) {
    const ShapePrimitive& only = shapes.primitives[shape.firstPrimitive];
    if (only.kind == PrimitiveKind::kCircle && only.polarity == StandardPolarity::kDark &&
        only.cx == 0.0 && only.cy == 0.0) {
      shape.flags = kShapeRound;
      shape.roundDiameter = only.diameter;
    }
  }
}

void AddHole(ShapeBuilder& builder, const ApertureHole& hole) {
  if (!(hole.width > 0.0)) return;
  if (!hole.rectangular) {
    builder.AddCircle(StandardPolarity::kClear, 0.0, 0.0, hole.width);
    return;
  }
  const double w = hole.width / 2.0;
  const double h = hole.height / 2.0;
  const std::array<StandardPoint, 4> corners{{{-w, -h}, {w, -h}, {w, h}, {-w, h}}};
  builder.AddPolygon(StandardPolarity::kClear, corners.data(), corners.size());
}

void AddBox(ShapeBuilder& builder, double cx, double cy, double width, double height) {
  const double w = width / 2.0;
  const double h = height / 2.0;
  const std::array<StandardPoint, 4> corners{
      {{cx - w, cy - h}, {cx + w, cy - h}, {cx + w, cy + h}, {cx - w, cy + h}}};
  builder.AddPolygon(StandardPolarity::kDark, corners.data(), corners.size());
}

// A circle's points through `linear`, for maps that do not keep circles round.
void AppendMappedCircle(const ShapePrimitive& circle, const Affine& linear,
                        std::vector<StandardPoint>& out) {
  const double r = circle.diameter / 2.0;
  const uint32_t count = std::max<uint32_t>(ArcChordCount(r, kTwoPi), 3);
  const std::size_t first = out.size();
  AppendCirclePoints(circle.cx, circle.cy, r, count, out);
  for (std::size_t i = first; i < out.size(); ++i) out[i] = linear.ApplyLinear(out[i]);
}

}  // namespace

void ShapeBuilder::Begin() { first_ = static_cast<uint32_t>(shapes_.primitives.size()); }

void ShapeBuilder::AddCircle(StandardPolarity polarity, double cx, double cy, double diameter) {
  if (!budget_.TakeShapeParts(1)) return;
  ShapePrimitive part;
  part.kind = PrimitiveKind::kCircle;
  part.polarity = polarity;
  part.cx = cx;
  part.cy = cy;
  part.diameter = std::fabs(diameter);
  shapes_.primitives.push_back(part);
}

void ShapeBuilder::AddPolygon(StandardPolarity polarity, const StandardPoint* points,
                              std::size_t count) {
  if (count < 3) return;
  if (!budget_.TakeShapeParts(1) || !budget_.TakePoints(count)) return;
  ShapePrimitive part;
  part.kind = PrimitiveKind::kPolygon;
  part.polarity = polarity;
  part.firstPoint = static_cast<uint32_t>(shapes_.points.size());
  part.pointCount = static_cast<uint32_t>(count);
  shapes_.points.insert(shapes_.points.end(), points, points + count);
  shapes_.primitives.push_back(part);
}

uint32_t ShapeBuilder::Finish() {
  StandardShape shape;
  shape.firstPrimitive = first_;
  shape.primitiveCount = static_cast<uint32_t>(shapes_.primitives.size()) - first_;
  Summarise(shapes_, shape);
  shapes_.shapes.push_back(shape);
  first_ = static_cast<uint32_t>(shapes_.primitives.size());
  return static_cast<uint32_t>(shapes_.shapes.size() - 1);
}

uint32_t AddCircleShape(ShapeBuilder& builder, double diameter, const ApertureHole& hole) {
  builder.Begin();
  builder.AddCircle(StandardPolarity::kDark, 0.0, 0.0, diameter);
  AddHole(builder, hole);
  return builder.Finish();
}

uint32_t AddRectangleShape(ShapeBuilder& builder, double width, double height,
                           const ApertureHole& hole) {
  builder.Begin();
  AddBox(builder, 0.0, 0.0, std::fabs(width), std::fabs(height));
  AddHole(builder, hole);
  return builder.Finish();
}

uint32_t AddObroundShape(ShapeBuilder& builder, double width, double height,
                         const ApertureHole& hole) {
  width = std::fabs(width);
  height = std::fabs(height);
  builder.Begin();
  if (width == height) {
    builder.AddCircle(StandardPolarity::kDark, 0.0, 0.0, width);
  } else if (width > height) {
    const double reach = (width - height) / 2.0;
    AddBox(builder, 0.0, 0.0, width - height, height);
    builder.AddCircle(StandardPolarity::kDark, -reach, 0.0, height);
    builder.AddCircle(StandardPolarity::kDark, reach, 0.0, height);
  } else {
    const double reach = (height - width) / 2.0;
    AddBox(builder, 0.0, 0.0, width, height - width);
    builder.AddCircle(StandardPolarity::kDark, 0.0, -reach, width);
    builder.AddCircle(StandardPolarity::kDark, 0.0, reach, width);
  }
  AddHole(builder, hole);
  return builder.Finish();
}

uint32_t AddPolygonShape(ShapeBuilder& builder, double diameter, int vertices, double rotation,
                         const ApertureHole& hole) {
  vertices = std::clamp(vertices, kMinPolygonVertices, kMaxPolygonVertices);
  const double r = std::fabs(diameter) / 2.0;
  const Affine turn = Affine::Rotation(rotation);
  std::vector<StandardPoint> points;
  points.reserve(static_cast<std::size_t>(vertices));
  for (int i = 0; i < vertices; ++i) {
    const double angle = kTwoPi * i / vertices;
    points.push_back(turn.ApplyLinear({r * std::cos(angle), r * std::sin(angle)}));
  }
  builder.Begin();
  builder.AddPolygon(StandardPolarity::kDark, points.data(), points.size());
  AddHole(builder, hole);
  return builder.Finish();
}

uint32_t AddEllipseShape(ShapeBuilder& builder, double width, double height) {
  const double rx = std::fabs(width) / 2.0;
  const double ry = std::fabs(height) / 2.0;
  const uint32_t count = std::max<uint32_t>(ArcChordCount(std::max(rx, ry), kTwoPi), 3);
  std::vector<StandardPoint> points;
  AppendCirclePoints(0.0, 0.0, 1.0, count, points);
  for (StandardPoint& p : points) p = {p.x * rx, p.y * ry};
  builder.Begin();
  builder.AddPolygon(StandardPolarity::kDark, points.data(), points.size());
  return builder.Finish();
}

uint32_t AddTransformedShape(ShapeBuilder& builder, uint32_t index, const Affine& linear) {
  StandardShapes& shapes = builder.Shapes();
  builder.Begin();
  if (index >= shapes.shapes.size()) return builder.Finish();
  const StandardShape source = shapes.shapes[index];
  double scale = 1.0;
  const bool similar = linear.IsSimilarity(scale);
  std::vector<StandardPoint> points;
  for (uint32_t i = 0; i < source.primitiveCount; ++i) {
    const ShapePrimitive part = shapes.primitives[source.firstPrimitive + i];
    if (part.kind == PrimitiveKind::kCircle && similar) {
      const StandardPoint centre = linear.ApplyLinear({part.cx, part.cy});
      builder.AddCircle(part.polarity, centre.x, centre.y, part.diameter * scale);
      continue;
    }
    points.clear();
    if (part.kind == PrimitiveKind::kCircle) {
      AppendMappedCircle(part, linear, points);
    } else {
      for (uint32_t p = 0; p < part.pointCount; ++p)
        points.push_back(linear.ApplyLinear(shapes.points[part.firstPoint + p]));
    }
    builder.AddPolygon(part.polarity, points.data(), points.size());
  }
  const uint32_t made = builder.Finish();
  shapes.shapes[made].base = source.base != kNoBaseShape ? source.base : index;
  return made;
}

void TransformAllShapes(StandardShapes& shapes, const Affine& linear, ReadBudget& budget) {
  double scale = 1.0;
  const bool similar = linear.IsSimilarity(scale);
  if (!similar) scale = std::sqrt(std::fabs(linear.Determinant()));
  for (StandardPoint& point : shapes.points) point = linear.ApplyLinear(point);
  for (ShapePrimitive& part : shapes.primitives) {
    if (part.kind != PrimitiveKind::kCircle) continue;
    const uint32_t count = std::max<uint32_t>(ArcChordCount(part.diameter / 2.0, kTwoPi), 3);
    if (similar || !budget.TakePoints(count)) {
      const StandardPoint centre = linear.ApplyLinear({part.cx, part.cy});
      part.cx = centre.x;
      part.cy = centre.y;
      part.diameter *= scale;
      continue;
    }
    part.kind = PrimitiveKind::kPolygon;
    part.firstPoint = static_cast<uint32_t>(shapes.points.size());
    AppendMappedCircle(part, linear, shapes.points);
    part.pointCount = static_cast<uint32_t>(shapes.points.size()) - part.firstPoint;
  }
  for (StandardShape& shape : shapes.shapes) Summarise(shapes, shape);
}

}  // namespace corvane
