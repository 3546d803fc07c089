#pragma once

// The Inspector's words: lengths in the unit the user reads, and the lines
// that describe the objects under the pointer or the one chosen.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "analysis/object_report.h"
#include "standard/standard_model.h"

namespace corvane {

class SettingsStore;

enum class LengthUnit : uint8_t { kMillimetre = 0, kInch = 1, kMil = 2 };

// "mm", "in", "mil".
std::string_view LengthUnitName(LengthUnit unit);
// The stored words "mm", "inch", "mil"; nothing for any other text (the
// files' units are followed then).
std::optional<LengthUnit> LengthUnitNamed(std::string_view name);
std::string_view LengthUnitStored(LengthUnit unit);
// The unit the user chose under View > Units ("Inspector", "Units"), or
// nothing to follow the files' own.
std::optional<LengthUnit> StoredLengthUnit(const SettingsStore& store);
void StoreLengthUnit(SettingsStore& store, std::optional<LengthUnit> unit);
// Millimetres in `unit`, with the digits the unit needs: "1.500", "0.0591", "59.06".
std::string FormatLength(double millimetres, LengthUnit unit);
// The files' unit: millimetres when the first layer that says is metric.
LengthUnit UnitOfFiles(const StandardModel& model);

// "top.gbr, Top copper" and the object's lines, one fact a line.
std::string ObjectLines(const ObjectReport& report, LengthUnit unit);
// The panel's text: a heading, then each object top layer first.
std::string PanelText(std::string_view heading, std::span<const ObjectReport> reports,
                      LengthUnit unit);

}  // namespace corvane
