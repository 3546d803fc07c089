#pragma once

// Builds the shapes of a layer: one part after the other into a new shape,
// the standard apertures (circle, rectangle, obround, polygon, each with its
// optional hole), and transformed copies of a shape.

#include <cstddef>
#include <cstdint>

#include "standard/plane_geometry.h"
#include "standard/read_budget.h"
#include "standard/standard_model.h"

namespace corvane {

// The hole of a standard aperture: round (the current form) or rectangular
// (the deprecated form with two sizes). A width of 0 means no hole.
struct ApertureHole {
  double width = 0.0;
  double height = 0.0;
  bool rectangular = false;
};

class ShapeBuilder {
 public:
  ShapeBuilder(StandardShapes& shapes, ReadBudget& budget) : shapes_(shapes), budget_(budget) {}

  // Starts a new shape; parts go into it until Finish.
  void Begin();
  void AddCircle(StandardPolarity polarity, double cx, double cy, double diameter);
  // A closed polygon; fewer than three points add nothing.
  void AddPolygon(StandardPolarity polarity, const StandardPoint* points, std::size_t count);
  // Closes the shape and returns its index.
  uint32_t Finish();

  StandardShapes& Shapes() { return shapes_; }
  ReadBudget& Budget() { return budget_; }

 private:
  StandardShapes& shapes_;
  ReadBudget& budget_;
  uint32_t first_ = 0;
};

// The standard apertures, sizes in inches.
uint32_t AddCircleShape(ShapeBuilder& builder, double diameter, const ApertureHole& hole);
uint32_t AddRectangleShape(ShapeBuilder& builder, double width, double height,
                           const ApertureHole& hole);
// A stadium: the shorter side's semicircles at both ends of the longer side.
uint32_t AddObroundShape(ShapeBuilder& builder, double width, double height,
                         const ApertureHole& hole);
// A regular polygon; the first vertex at `rotation` degrees.
uint32_t AddPolygonShape(ShapeBuilder& builder, double diameter, int vertices, double rotation,
                         const ApertureHole& hole);
// An ellipse inscribed in width × height, as a polygon.
uint32_t AddEllipseShape(ShapeBuilder& builder, double width, double height);

// Vertex counts of polygon apertures are taken within these.
inline constexpr int kMinPolygonVertices = 3;
inline constexpr int kMaxPolygonVertices = 1000;

// Adds a copy of shape `index` under the linear part of `linear` (its
// translation is not used) and returns the copy's index. A circle stays a
// circle under rotation, mirroring and uniform scaling and becomes a polygon
// under anything else.
uint32_t AddTransformedShape(ShapeBuilder& builder, uint32_t index, const Affine& linear);

// Transforms every shape in place by the linear part of `linear`. Circles
// that the map does not keep round become polygons while the budget has
// points for them; after that they stay circles of the mean scale.
void TransformAllShapes(StandardShapes& shapes, const Affine& linear, ReadBudget& budget);

}  // namespace corvane
