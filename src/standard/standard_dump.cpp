#include "standard/standard_dump.h"

#include <cmath>
#include <cstdio>

#include "standard/plane_geometry.h"

namespace corvane {
namespace {

constexpr const char* kFeatureNames[kStandardFeatureCount] = {"region",
                                                              "clear-polarity",
                                                              "step-repeat",
                                                              "block",
                                                              "macro-flash",
                                                              "polygon-flash",
                                                              "obround-flash",
                                                              "metric-without-g71",
                                                              "aperture-transform",
                                                              "image-transform",
                                                              "header-format",
                                                              "routing",
                                                              "slot"};

constexpr const char* kLimitNames[kStandardLimitCount] = {
    "expanded-objects", "points",     "shape-parts",      "repeats",        "block-depth",
    "expression-depth", "macro-work", "outline-vertices", "macro-variables"};

constexpr const char* kOriginNames[] = {"standard", "macro", "block",
                                        "table",    "tool",  "tool-table"};

const char* PolarityName(StandardPolarity polarity) {
  return polarity == StandardPolarity::kDark ? "dark" : "clear";
}

// `text` in double quotes: \\ \" \n \r \t, and \xNN for other bytes outside
// printable ASCII.
std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

// Appends " <value>" for each length.
template <typename... Values>
void Lengths(std::string& line, Values... values) {
  ((line += ' ', line += FormatLength(values)), ...);
}

std::string Names(const char* const* names, int count, uint32_t bits) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if ((bits & (1u << i)) == 0) continue;
    text += ' ';
    text += names[i];
  }
  return text;
}

void DumpHeader(const StandardLayer& layer, int index, const StandardDumpSink& sink) {
  char head[160];
  std::snprintf(head, sizeof head, "layer %d %s 0x%06X %d %d %d %d %d ", index,
                layer.source == StandardSource::kGerber ? "gerber" : "excellon",
                static_cast<unsigned>(layer.color & 0xFFFFFFu), layer.mirrorOnXAxis,
                layer.mirrorOnYAxis, layer.offsetX, layer.offsetY, layer.visible);
  sink(head + Quoted(layer.fileName));

  const char* units = layer.units == StandardUnits::kInch         ? "inch"
                      : layer.units == StandardUnits::kMillimetre ? "mm"
                                                                  : "unstated";
  const char* zeros = layer.zeros == kTrailingZerosOmitted  ? "trailing"
                      : layer.zeros == kLeadingZerosOmitted ? "leading"
                                                            : "none";
  char format[160];
  std::snprintf(format, sizeof format, "format %s %d.%d %d.%d %s %s %s", units,
                layer.xFormat.intDigits, layer.xFormat.decDigits, layer.yFormat.intDigits,
                layer.yFormat.decDigits, zeros, layer.formatFromFile ? "file" : "document",
                layer.negative ? "negative" : "positive");
  sink(format);
  if (layer.features != 0)
    sink("features" + Names(kFeatureNames, kStandardFeatureCount, layer.features));
  if (layer.limitsReached != 0)
    sink("limits" + Names(kLimitNames, kStandardLimitCount, layer.limitsReached));
  for (const StandardAttribute& attribute : layer.attributes)
    sink("attribute " + Quoted(attribute.name) + " " + Quoted(attribute.value));
  for (const StandardAperture& aperture : layer.apertures) {
    sink("aperture " + std::to_string(aperture.code) + " " +
         kOriginNames[static_cast<int>(aperture.origin)] + " " + std::to_string(aperture.shape) +
         " " + Quoted(aperture.definition) + " " + Quoted(aperture.attributes));
  }
}

void DumpSummary(const StandardLayer& layer, const StandardDumpSink& sink) {
  const StandardCounts counts = CountObjects(layer);
  char line[200];
  std::snprintf(line, sizeof line, "counts %llu %llu %llu %llu %llu %llu %llu",
                static_cast<unsigned long long>(counts.byKind[0]),
                static_cast<unsigned long long>(counts.byKind[1]),
                static_cast<unsigned long long>(counts.byKind[2]),
                static_cast<unsigned long long>(counts.byKind[3]),
                static_cast<unsigned long long>(counts.clear),
                static_cast<unsigned long long>(counts.contours),
                static_cast<unsigned long long>(counts.points));
  sink(line);
  if (layer.extents.Empty()) {
    sink("extents none");
    return;
  }
  std::string extents = "extents";
  Lengths(extents, layer.extents.minX, layer.extents.minY, layer.extents.maxX, layer.extents.maxY);
  sink(extents);
}

void DumpShapes(const StandardShapes& shapes, const StandardDumpSink& sink) {
  for (std::size_t i = 0; i < shapes.shapes.size(); ++i) {
    const StandardShape& shape = shapes.shapes[i];
    const std::string round =
        (shape.flags & kShapeRound) != 0 ? FormatLength(shape.roundDiameter) : "-";
    sink("shape " + std::to_string(i) + " " + round + " " + std::to_string(shape.primitiveCount));
    for (uint32_t p = 0; p < shape.primitiveCount; ++p) {
      const ShapePrimitive& part = shapes.primitives[shape.firstPrimitive + p];
      std::string line = "part ";
      if (part.kind == PrimitiveKind::kCircle) {
        line += "circle ";
        line += PolarityName(part.polarity);
        Lengths(line, part.cx, part.cy, part.diameter);
      } else {
        line += "polygon ";
        line += PolarityName(part.polarity);
        line += " " + std::to_string(part.pointCount);
        for (uint32_t k = 0; k < part.pointCount; ++k) {
          const StandardPoint& point = shapes.points[part.firstPoint + k];
          Lengths(line, point.x, point.y);
        }
      }
      sink(line);
    }
  }
}

void DumpRegion(const StandardGeometry& g, const StandardRegion& region,
                const StandardDumpSink& sink) {
  for (uint32_t c = 0; c < region.contourCount; ++c) {
    const StandardContour& contour = g.contours[region.firstContour + c];
    std::string line = "contour " + std::to_string(contour.pointCount);
    for (uint32_t k = 0; k < contour.pointCount; ++k) {
      const StandardPoint& point = g.points[contour.firstPoint + k];
      Lengths(line, point.x, point.y);
    }
    sink(line);
  }
}

void DumpObjects(const StandardLayer& layer, const StandardDumpSink& sink) {
  const StandardGeometry& g = layer.geometry;
  for (std::size_t i = 1; i < layer.objectAttributeSets.size(); ++i)
    sink("set " + std::to_string(i) + " " + Quoted(layer.objectAttributeSets[i]));
  for (const AttributeRun& run : layer.objectAttributeRuns)
    sink("run " + std::to_string(run.firstObject) + " " + std::to_string(run.set));
  for (std::size_t i = 0; i < g.objects.size(); ++i) {
    const StandardObject& o = g.objects[i];
    std::string line = "object " + std::to_string(i) + " ";
    switch (o.kind) {
      case StandardKind::kFlash:
        line += std::string("flash ") + PolarityName(o.polarity);
        Lengths(line, o.x0, o.y0);
        line += " " + std::to_string(o.ref);
        break;
      case StandardKind::kLine:
        line += std::string("line ") + PolarityName(o.polarity);
        Lengths(line, o.x0, o.y0, o.x1, o.y1);
        line += " " + std::to_string(o.ref);
        break;
      case StandardKind::kArc: {
        const StandardArc& arc = g.arcs[o.ref];
        line += std::string("arc ") + PolarityName(o.polarity);
        Lengths(line, o.x0, o.y0, o.x1, o.y1, arc.cx, arc.cy, arc.sweep * 180.0 / kPi);
        line += " " + std::to_string(arc.shape);
        break;
      }
      case StandardKind::kRegion:
        line += std::string("region ") + PolarityName(o.polarity) + " " +
                std::to_string(g.regions[o.ref].contourCount);
        sink(line);
        DumpRegion(g, g.regions[o.ref], sink);
        continue;
    }
    sink(line);
  }
}

}  // namespace

std::string FormatLength(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6f", value);
  std::string out = text;
  if (out.find('.') != std::string::npos) {
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
  }
  if (out == "-0") out = "0";
  return out;
}

void DumpStandardLayer(const StandardLayer& layer, int index, const StandardDumpOptions& options,
                       const StandardDumpSink& sink) {
  DumpHeader(layer, index, sink);
  DumpSummary(layer, sink);
  if (!options.items) return;
  DumpShapes(layer.shapes, sink);
  DumpObjects(layer, sink);
}

void DumpStandardModel(const StandardModel& model, const StandardDumpOptions& options,
                       const StandardDumpSink& sink) {
  for (std::size_t i = 0; i < model.layers.size(); ++i)
    DumpStandardLayer(model.layers[i], static_cast<int>(i), options, sink);
}

std::string DumpStandardModelText(const StandardModel& model, const StandardDumpOptions& options) {
  std::string text;
  DumpStandardModel(model, options, [&text](std::string_view line) {
    text += line;
    text += '\n';
  });
  return text;
}

std::string DumpStandardLayerText(const StandardLayer& layer, int index,
                                  const StandardDumpOptions& options) {
  std::string text;
  DumpStandardLayer(layer, index, options, [&text](std::string_view line) {
    text += line;
    text += '\n';
  });
  return text;
}

}  // namespace corvane
