#include "app/probe_text.h"

#include <cstdio>

#include "platform/settings_store.h"

namespace corvane {
namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr std::string_view kUnitsSection = "Inspector";
constexpr std::string_view kUnitsKey = "Units";

std::string Capitalised(std::string text) {
  if (!text.empty() && text.front() >= 'a' && text.front() <= 'z') text.front() -= 'a' - 'A';
  return text;
}

std::string Pair(double a, double b, LengthUnit unit, std::string_view between) {
  return FormatLength(a, unit) + std::string(between) + FormatLength(b, unit) + " " +
         std::string(LengthUnitName(unit));
}

std::string ApertureLine(const ObjectAperture& aperture, LengthUnit unit) {
  return std::string(aperture.tool ? "Tool T" : "Aperture D") + std::to_string(aperture.code) +
         ", " + aperture.shape + " " + Pair(aperture.widthMm, aperture.heightMm, unit, " x ");
}

}  // namespace

std::string_view LengthUnitName(LengthUnit unit) {
  switch (unit) {
    case LengthUnit::kInch:
      return "in";
    case LengthUnit::kMil:
      return "mil";
    case LengthUnit::kMillimetre:
      break;
  }
  return "mm";
}

std::string_view LengthUnitStored(LengthUnit unit) {
  return unit == LengthUnit::kInch ? "inch" : LengthUnitName(unit);
}

std::optional<LengthUnit> LengthUnitNamed(std::string_view name) {
  for (const LengthUnit unit : {LengthUnit::kMillimetre, LengthUnit::kInch, LengthUnit::kMil}) {
    if (LengthUnitStored(unit) == name) return unit;
  }
  return std::nullopt;
}

std::optional<LengthUnit> StoredLengthUnit(const SettingsStore& store) {
  return LengthUnitNamed(store.ReadText(kUnitsSection, kUnitsKey, ""));
}

void StoreLengthUnit(SettingsStore& store, std::optional<LengthUnit> unit) {
  store.WriteText(kUnitsSection, kUnitsKey, unit ? LengthUnitStored(*unit) : "");
}

std::string FormatLength(double millimetres, LengthUnit unit) {
  char text[64];
  switch (unit) {
    case LengthUnit::kInch:
      std::snprintf(text, sizeof text, "%.4f", millimetres / kMillimetresPerInch);
      break;
    case LengthUnit::kMil:
      std::snprintf(text, sizeof text, "%.2f", millimetres / kMillimetresPerInch * 1000.0);
      break;
    case LengthUnit::kMillimetre:
      std::snprintf(text, sizeof text, "%.3f", millimetres);
      break;
  }
  // No "-0.000": a length that rounds to zero has no sign.
  const std::string_view shown = text;
  if (shown.front() == '-' && shown.find_first_not_of("-0.") == std::string_view::npos)
    return std::string(shown.substr(1));
  return text;
}

LengthUnit UnitOfFiles(const StandardModel& model) {
  for (const StandardLayer& layer : model.layers) {
    if (layer.units == StandardUnits::kMillimetre) return LengthUnit::kMillimetre;
    if (layer.units == StandardUnits::kInch) return LengthUnit::kInch;
  }
  return LengthUnit::kMillimetre;
}

std::string ObjectLines(const ObjectReport& report, LengthUnit unit) {
  std::string text = report.path + ", " + FunctionInWords(report.layerFunction) + "\n";
  text += "  " + Capitalised(report.kind) + " " + std::to_string(report.index) +
          (report.polarity == StandardPolarity::kDark ? ", dark" : ", clear") + "\n";
  if (report.aperture.known) text += "  " + ApertureLine(report.aperture, unit) + "\n";
  const bool stroke = report.startXMm != report.endXMm || report.startYMm != report.endYMm;
  text +=
      "  At X " + FormatLength(report.startXMm, unit) + " Y " + FormatLength(report.startYMm, unit);
  if (stroke)
    text +=
        " to X " + FormatLength(report.endXMm, unit) + " Y " + FormatLength(report.endYMm, unit);
  text += " " + std::string(LengthUnitName(unit)) + "\n";
  if (!report.box.Empty()) {
    text +=
        "  Size " +
        Pair(report.box.maxX - report.box.minX, report.box.maxY - report.box.minY, unit, " x ") +
        "\n";
  }
  for (const ReadableAttribute& attribute : report.attributes)
    text += "  " + attribute.words + ": " + attribute.value + "\n";
  return text;
}

std::string PanelText(std::string_view heading, std::span<const ObjectReport> reports,
                      LengthUnit unit) {
  std::string text(heading);
  text += "\n";
  if (reports.empty()) return text + "  Nothing\n";
  for (const ObjectReport& report : reports) text += ObjectLines(report, unit);
  return text;
}

}  // namespace corvane
