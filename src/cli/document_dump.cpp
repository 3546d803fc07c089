#include "cli/document_dump.h"

#include <algorithm>
#include <cstdio>

#include "document/corvane_doc.h"

namespace corvane {
namespace {

// Builds one record field by field.
class Record {
 public:
  explicit Record(std::string_view kind) : line_(kind) {}
  Record& Int(long long value) {
    char text[32];
    std::snprintf(text, sizeof text, " %lld", value);
    line_ += text;
    return *this;
  }
  Record& Real(double value) {
    line_ += ' ';
    line_ += FormatReal(value);
    return *this;
  }
  Record& Text(std::string_view text) {
    line_ += ' ';
    line_ += text;
    return *this;
  }
  const std::string& Line() const { return line_; }

 private:
  std::string line_;
};

std::string KindText(char kind) {
  if (kind == kKindStatement || kind == kKindArcCentre) return std::string(1, kind);
  return "0";
}

std::string ColorText(uint32_t color) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(color));
  return text;
}

void DumpLayers(const CCorvaneDoc& doc, const DumpSink& sink) {
  for (std::size_t i = 0; i < doc.Layers().size(); ++i) {
    const PlotLayer& l = doc.Layers()[i];
    Record r("layer");
    r.Int(static_cast<long long>(i)).Text(ColorText(l.color)).Int(l.mirrorOnXAxis);
    r.Int(l.mirrorOnYAxis).Int(l.offsetX).Int(l.offsetY).Int(l.visible).Text(QuoteName(l.fileName));
    sink(r.Line());
  }
}

void DumpApertures(const CCorvaneDoc& doc, const DumpSink& sink) {
  Aperture a;
  for (int32_t i = 0; doc.GetAperture(i, a); ++i) {
    // Only the parameters the record holds are printed, whatever the count says.
    const int32_t shown = std::clamp<int32_t>(a.paramCount, 0, kMaxMacroParams);
    Record r("aperture");
    r.Int(a.layer).Int(a.dcode).Int(a.shape).Real(a.sizeX).Real(a.sizeY).Int(a.quantity);
    r.Int(a.macroIndex).Int(shown);
    for (int32_t p = 0; p < shown; ++p) r.Real(a.params[static_cast<std::size_t>(p)]);
    sink(r.Line());
  }
}

void DumpMacros(const CCorvaneDoc& doc, const DumpSink& sink) {
  for (int32_t i = 0; i < doc.GetMacroCount(); ++i) {
    const ApertureMacro& m = *doc.GetMacro(i);
    Record r("macro");
    r.Int(i).Int(m.layer).Text(QuoteName(m.name)).Int(static_cast<long long>(m.primitives.size()));
    sink(r.Line());
  }
  for (int32_t i = 0; i < doc.GetMacroCount(); ++i) {
    for (const MacroPrimitive& p : doc.GetMacro(i)->primitives) {
      const int32_t shown = std::clamp<int32_t>(p.paramCount, 0, kMaxPrimitiveParams);
      Record r("primitive");
      r.Int(i).Int(p.type).Int(shown);
      for (int32_t k = 0; k < shown; ++k) {
        const auto index = static_cast<std::size_t>(k);
        const std::string value = FormatReal(p.values[index]);
        r.Text(p.isVariable[index] != 0 ? "$" + value : value);
      }
      sink(r.Line());
    }
  }
}

void DumpDrillData(const CCorvaneDoc& doc, const DumpSink& sink) {
  DrillTool tool;
  for (int32_t i = 0; doc.GetDrillTool(i, tool); ++i) {
    sink(Record("tool")
             .Int(tool.tool)
             .Int(tool.plating)
             .Real(tool.diameter)
             .Int(tool.quantity)
             .Line());
  }
  for (const DrillHit& hit : doc.DrillHits()) {
    sink(Record("hit").Int(hit.tool).Real(hit.x).Real(hit.y).Line());
  }
  // The further drill files of today's sets; the classic reading reads none of them.
  for (std::size_t k = 0; k < doc.DrillFiles().size(); ++k) {
    const DrillFileEntry& entry = doc.DrillFiles()[k];
    sink(Record("drillfile")
             .Int(static_cast<long long>(k))
             .Text(ColorText(entry.color))
             .Int(entry.visible)
             .Text(QuoteName(entry.fileName))
             .Line());
  }
  if (!doc.GetNetlistFileName().empty()) {
    sink(Record("netlist").Text(QuoteName(doc.GetNetlistFileName())).Line());
  }
}

void DumpItems(const CCorvaneDoc& doc, const DumpSink& sink) {
  for (const PlotItem& item : doc.Items()) {
    Record r("item");
    r.Int(item.layer).Text(KindText(item.kind)).Int(item.mode).Int(item.dcode);
    sink(r.Real(item.x).Real(item.y).Line());
  }
}

}  // namespace

std::string FormatReal(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

std::string QuoteName(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    switch (c) {
      case '\\':
        quoted += "\\\\";
        break;
      case '"':
        quoted += "\\\"";
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\r':
        quoted += "\\r";
        break;
      case '\t':
        quoted += "\\t";
        break;
      default:
        if (c >= 0x20 && c < 0x7F) {
          quoted += c;
        } else {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(c));
          quoted += escape;
        }
    }
  }
  quoted += '"';
  return quoted;
}

void DumpDocument(const CCorvaneDoc& doc, const DumpOptions& options, const DumpSink& sink) {
  DumpLayers(doc, sink);
  DumpApertures(doc, sink);
  DumpMacros(doc, sink);
  DumpDrillData(doc, sink);
  const Extents e = doc.GetExtents();
  sink(Record("extents").Real(e.maxX).Real(e.minX).Real(e.maxY).Real(e.minY).Line());
  sink(Record("items").Int(doc.GetItemCount()).Line());
  if (options.items) DumpItems(doc, sink);
}

std::string DumpDocumentText(const CCorvaneDoc& doc, const DumpOptions& options) {
  std::string text;
  DumpDocument(doc, options, [&text](std::string_view line) {
    text += line;
    text += '\n';
  });
  return text;
}

}  // namespace corvane
