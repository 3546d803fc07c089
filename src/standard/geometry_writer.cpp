#include "standard/geometry_writer.h"

#include <algorithm>
#include <cmath>

#include "standard/standard_limits.h"

namespace corvane {
namespace {

StandardBox PointsBox(const std::vector<StandardPoint>& points, uint32_t first, uint32_t count) {
  StandardBox box;
  for (uint32_t i = 0; i < count; ++i) box.Add(points[first + i].x, points[first + i].y);
  return box;
}

StandardBox RegionBox(const StandardGeometry& g, const StandardRegion& region) {
  StandardBox box;
  for (uint32_t c = 0; c < region.contourCount; ++c) {
    const StandardContour& contour = g.contours[region.firstContour + c];
    box.Add(PointsBox(g.points, contour.firstPoint, contour.pointCount));
  }
  return box;
}

StandardPolarity Inverted(StandardPolarity polarity, bool invert) {
  if (!invert) return polarity;
  return polarity == StandardPolarity::kDark ? StandardPolarity::kClear : StandardPolarity::kDark;
}

}  // namespace

GeometryWriter::GeometryWriter(StandardLayer& layer, ReadBudget& budget)
    : layer_(layer), out_(layer.geometry), budget_(budget), shapes_(layer.shapes, budget) {
  if (layer_.objectAttributeSets.empty()) layer_.objectAttributeSets.emplace_back();
}

void GeometryWriter::Append(const StandardObject& object) {
  std::vector<AttributeRun>& runs = layer_.objectAttributeRuns;
  const uint32_t inForce = runs.empty() ? 0 : runs.back().set;
  if (inForce != attributeSet_)
    runs.push_back({static_cast<uint32_t>(out_.objects.size()), attributeSet_});
  out_.objects.push_back(object);
}

void GeometryWriter::Flash(StandardPoint at, uint32_t shape, StandardPolarity polarity) {
  Append({at.x, at.y, at.x, at.y, shape, StandardKind::kFlash, polarity});
}

void GeometryWriter::Line(StandardPoint from, StandardPoint to, uint32_t shape,
                          StandardPolarity polarity) {
  Append({from.x, from.y, to.x, to.y, shape, StandardKind::kLine, polarity});
}

void GeometryWriter::Arc(StandardPoint from, StandardPoint to, StandardPoint centre, double sweep,
                         uint32_t shape, StandardPolarity polarity) {
  out_.arcs.push_back({centre.x, centre.y, sweep, shape});
  Append({from.x, from.y, to.x, to.y, static_cast<uint32_t>(out_.arcs.size() - 1),
          StandardKind::kArc, polarity});
}

// --- Regions ------------------------------------------------------------------

void GeometryWriter::BeginRegion() {
  inRegion_ = true;
  inContour_ = false;
  regionFirstContour_ = static_cast<uint32_t>(out_.contours.size());
}

void GeometryWriter::CloseContour() {
  if (!inContour_) return;
  inContour_ = false;
  auto count = static_cast<uint32_t>(out_.points.size()) - contourFirstPoint_;
  // The closing point repeats the first: the contour closes by itself.
  if (count > 1 && out_.points.back() == out_.points[contourFirstPoint_]) {
    out_.points.pop_back();
    --count;
  }
  if (count < 3) {
    out_.points.resize(contourFirstPoint_);
    return;
  }
  out_.contours.push_back({contourFirstPoint_, count});
}

void GeometryWriter::StartContour(StandardPoint at) {
  CloseContour();
  inContour_ = true;
  contourFirstPoint_ = static_cast<uint32_t>(out_.points.size());
  out_.points.push_back(at);
}

void GeometryWriter::ContourLine(StandardPoint to) {
  if (out_.points.back() != to) out_.points.push_back(to);
}

void GeometryWriter::ContourArc(StandardPoint to, StandardPoint centre, double sweep) {
  const StandardPoint from = out_.points.back();
  const double radius = std::hypot(from.x - centre.x, from.y - centre.y);
  uint32_t chords = ArcChordCount(radius, sweep);
  if (!budget_.TakePoints(chords)) chords = 1;
  FlattenArc(from, to, centre, sweep, chords, out_.points);
}

void GeometryWriter::EndRegion(StandardPolarity polarity) {
  CloseContour();
  inRegion_ = false;
  const auto contours = static_cast<uint32_t>(out_.contours.size()) - regionFirstContour_;
  if (contours == 0) return;
  const StandardRegion region{regionFirstContour_, contours};
  const StandardBox box = RegionBox(out_, region);
  out_.regions.push_back(region);
  Append({box.minX, box.minY, box.maxX, box.maxY, static_cast<uint32_t>(out_.regions.size() - 1),
          StandardKind::kRegion, polarity});
}

// --- Copies -------------------------------------------------------------------

uint32_t GeometryWriter::InstanceShape(uint32_t shape, uint64_t generation, const Affine& linear) {
  if (linear.IsLinearIdentity()) return shape;
  // Turning or mirroring a round pad leaves it as it is.
  double scale = 0.0;
  const std::vector<StandardShape>& shapes = layer_.shapes.shapes;
  if (shape < shapes.size() && (shapes[shape].flags & kShapeRound) != 0 &&
      linear.IsSimilarity(scale) && scale == 1.0)
    return shape;
  if (shape >= instances_.size()) instances_.resize(shape + 1);
  if (instances_[shape].generation == generation + 1) return instances_[shape].shape;
  const uint32_t made = AddTransformedShape(shapes_, shape, linear);
  instances_[shape] = {generation + 1, made};
  return made;
}

bool GeometryWriter::Copy(const StandardGeometry& from, StandardObject object, StandardGeometry& to,
                          const Affine& transform, uint64_t generation, bool invert, bool counted) {
  if (counted && !budget_.TakeObjects(1)) return false;
  const StandardPoint p0 = transform.Apply({object.x0, object.y0});
  const StandardPoint p1 = transform.Apply({object.x1, object.y1});
  object.polarity = Inverted(object.polarity, invert);
  switch (object.kind) {
    case StandardKind::kFlash:
    case StandardKind::kLine:
      object.ref = InstanceShape(object.ref, generation, transform);
      break;
    case StandardKind::kArc: {
      StandardArc arc = from.arcs[object.ref];
      const StandardPoint centre = transform.Apply({arc.cx, arc.cy});
      arc.cx = centre.x;
      arc.cy = centre.y;
      if (transform.Mirrors()) arc.sweep = -arc.sweep;
      arc.shape = InstanceShape(arc.shape, generation, transform);
      to.arcs.push_back(arc);
      object.ref = static_cast<uint32_t>(to.arcs.size() - 1);
      break;
    }
    case StandardKind::kRegion: {
      const StandardRegion region = from.regions[object.ref];
      uint64_t points = 0;
      for (uint32_t c = 0; c < region.contourCount; ++c)
        points += from.contours[region.firstContour + c].pointCount;
      if (counted && !budget_.TakePoints(points)) return false;
      const StandardRegion copy{static_cast<uint32_t>(to.contours.size()), region.contourCount};
      for (uint32_t c = 0; c < region.contourCount; ++c) {
        const StandardContour contour = from.contours[region.firstContour + c];
        const auto first = static_cast<uint32_t>(to.points.size());
        for (uint32_t i = 0; i < contour.pointCount; ++i)
          to.points.push_back(transform.Apply(from.points[contour.firstPoint + i]));
        to.contours.push_back({first, contour.pointCount});
      }
      const StandardBox box = RegionBox(to, copy);
      to.regions.push_back(copy);
      object.ref = static_cast<uint32_t>(to.regions.size() - 1);
      object.x0 = box.minX;
      object.y0 = box.minY;
      object.x1 = box.maxX;
      object.y1 = box.maxY;
      if (&to == &out_)
        Append(object);
      else
        to.objects.push_back(object);
      return true;
    }
  }
  object.x0 = p0.x;
  object.y0 = p0.y;
  object.x1 = p1.x;
  object.y1 = p1.y;
  if (&to == &out_)
    Append(object);
  else
    to.objects.push_back(object);
  return true;
}

// --- Blocks and repeats -------------------------------------------------------

GeometryWriter::Marks GeometryWriter::CurrentMarks() const {
  return {static_cast<uint32_t>(out_.objects.size()), static_cast<uint32_t>(out_.arcs.size()),
          static_cast<uint32_t>(out_.regions.size()), static_cast<uint32_t>(out_.contours.size()),
          static_cast<uint32_t>(out_.points.size())};
}

void GeometryWriter::Truncate(const Marks& marks) {
  out_.objects.resize(marks.objects);
  out_.arcs.resize(marks.arcs);
  out_.regions.resize(marks.regions);
  out_.contours.resize(marks.contours);
  out_.points.resize(marks.points);
  std::vector<AttributeRun>& runs = layer_.objectAttributeRuns;
  while (!runs.empty() && runs.back().firstObject >= marks.objects) runs.pop_back();
}

bool GeometryWriter::OpenBlock() {
  const auto depth =
      std::count_if(frames_.begin(), frames_.end(), [](const Frame& f) { return !f.repeat; });
  if (depth >= kMaxBlockDepth) {
    budget_.Reach(kLimitBlockDepth);
    ++skippedBlocks_;
    return false;
  }
  frames_.push_back({false, CurrentMarks()});
  return true;
}

bool GeometryWriter::BlockOpen() const {
  return std::any_of(frames_.begin(), frames_.end(), [](const Frame& f) { return !f.repeat; });
}

int32_t GeometryWriter::CloseBlock() {
  if (skippedBlocks_ > 0) {
    --skippedBlocks_;
    return -1;
  }
  if (!BlockOpen()) return -1;
  // A repeat opened inside the block ends with it.
  while (frames_.back().repeat) CloseFrame();
  const Frame frame = frames_.back();
  frames_.pop_back();
  BlockRange range{static_cast<uint32_t>(blockStore_.objects.size()), 0};
  for (uint32_t i = frame.marks.objects; i < out_.objects.size(); ++i)
    Copy(out_, out_.objects[i], blockStore_, Affine{}, 0, false, false);
  range.objectCount = static_cast<uint32_t>(blockStore_.objects.size()) - range.firstObject;
  Truncate(frame.marks);
  blocks_.push_back(range);
  return static_cast<int32_t>(blocks_.size() - 1);
}

void GeometryWriter::FlashBlock(int32_t block, const Affine& place, uint64_t generation,
                                bool invert) {
  if (block < 0 || static_cast<std::size_t>(block) >= blocks_.size()) return;
  const BlockRange range = blocks_[static_cast<std::size_t>(block)];
  for (uint32_t i = 0; i < range.objectCount; ++i) {
    const StandardObject object = blockStore_.objects[range.firstObject + i];
    if (!Copy(blockStore_, object, out_, place, generation, invert, true)) return;
  }
}

void GeometryWriter::OpenRepeat(uint32_t countX, uint32_t countY, double stepX, double stepY) {
  if (countX > kMaxRepeatsPerAxis || countY > kMaxRepeatsPerAxis) budget_.Reach(kLimitRepeats);
  countX = std::clamp<uint32_t>(countX, 1, kMaxRepeatsPerAxis);
  countY = std::clamp<uint32_t>(countY, 1, kMaxRepeatsPerAxis);
  frames_.push_back({true, CurrentMarks(), countX, countY, stepX, stepY});
}

bool GeometryWriter::RepeatOpen() const {
  return std::any_of(frames_.begin(), frames_.end(), [](const Frame& f) { return f.repeat; });
}

void GeometryWriter::CloseRepeat() {
  if (!RepeatOpen()) return;
  // Blocks left open inside the repeat are dropped with it.
  while (!frames_.back().repeat) {
    Truncate(frames_.back().marks);
    frames_.pop_back();
  }
  CloseFrame();
}

void GeometryWriter::CloseFrame() {
  const Frame frame = frames_.back();
  frames_.pop_back();
  if (frame.repeat) Replicate(frame);
}

void GeometryWriter::Replicate(const Frame& frame) {
  const uint32_t first = frame.marks.objects;
  const auto last = static_cast<uint32_t>(out_.objects.size());
  if (first == last) return;
  // The attribute runs of the original, so that each copy carries them too.
  std::vector<AttributeRun> runs;
  uint32_t setAtFirst = 0;
  for (const AttributeRun& run : layer_.objectAttributeRuns) {
    if (run.firstObject <= first)
      setAtFirst = run.set;
    else if (run.firstObject < last)
      runs.push_back(run);
  }
  const uint32_t inForce = attributeSet_;
  for (uint32_t x = 0; x < frame.countX; ++x) {
    for (uint32_t y = 0; y < frame.countY; ++y) {
      if (x == 0 && y == 0) continue;
      const Affine shift = Affine::Translation(x * frame.stepX, y * frame.stepY);
      attributeSet_ = setAtFirst;
      std::size_t nextRun = 0;
      for (uint32_t i = first; i < last; ++i) {
        while (nextRun < runs.size() && runs[nextRun].firstObject == i)
          attributeSet_ = runs[nextRun++].set;
        if (!Copy(out_, out_.objects[i], out_, shift, 0, false, true)) {
          attributeSet_ = inForce;
          return;
        }
      }
    }
  }
  attributeSet_ = inForce;
}

void GeometryWriter::FinishFile() {
  if (inRegion_) EndRegion(StandardPolarity::kDark);
  while (!frames_.empty()) {
    if (frames_.back().repeat) {
      CloseFrame();
    } else {
      Truncate(frames_.back().marks);
      frames_.pop_back();
    }
  }
}

// --- The layer's own transformation -------------------------------------------

void ApplyLayerTransform(StandardLayer& layer, const Affine& transform, ReadBudget& budget) {
  if (transform.IsIdentity()) return;
  StandardGeometry& g = layer.geometry;
  for (StandardPoint& point : g.points) point = transform.Apply(point);
  const bool mirrors = transform.Mirrors();
  for (StandardArc& arc : g.arcs) {
    const StandardPoint centre = transform.Apply({arc.cx, arc.cy});
    arc.cx = centre.x;
    arc.cy = centre.y;
    if (mirrors) arc.sweep = -arc.sweep;
  }
  for (StandardObject& object : g.objects) {
    if (object.kind == StandardKind::kRegion) {
      const StandardBox box = RegionBox(g, g.regions[object.ref]);
      object.x0 = box.minX;
      object.y0 = box.minY;
      object.x1 = box.maxX;
      object.y1 = box.maxY;
      continue;
    }
    const StandardPoint p0 = transform.Apply({object.x0, object.y0});
    const StandardPoint p1 = transform.Apply({object.x1, object.y1});
    object.x0 = p0.x;
    object.y0 = p0.y;
    object.x1 = p1.x;
    object.y1 = p1.y;
  }
  if (!transform.IsLinearIdentity()) TransformAllShapes(layer.shapes, transform, budget);
}

Affine LayerSettingsTransform(const StandardLayer& layer) {
  Affine t =
      Affine::Scale(layer.mirrorOnYAxis != 0 ? -1.0 : 1.0, layer.mirrorOnXAxis != 0 ? -1.0 : 1.0);
  t.tx = layer.offsetX / 1000.0;
  t.ty = layer.offsetY / 1000.0;
  return t;
}

}  // namespace corvane
