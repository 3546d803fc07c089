// The shell's commands of the Inspector: showing its panel, Find (Ctrl+F),
// and the unit lengths are given in (View > Units), stored in the settings.

#include <array>
#include <optional>
#include <utility>

#include "app/app_shell.h"
#include "app/command_ids.h"
#include "app/object_probe.h"
#include "platform/frame_host.h"

namespace corvane {
namespace {

constexpr std::array<std::pair<int32_t, std::optional<LengthUnit>>, 4> kUnitCommands{{
    {kIdUnitsOfFiles, std::nullopt},
    {kIdUnitsMillimetre, LengthUnit::kMillimetre},
    {kIdUnitsInch, LengthUnit::kInch},
    {kIdUnitsMil, LengthUnit::kMil},
}};

}  // namespace

void AppShell::AddInspectorCommands() {
  const auto needsInspector = [this](int32_t, CommandUi& ui) {
    ui.enabled = frame_ != nullptr && inspector_ != nullptr;
  };
  frameTarget_.On(
      kIdViewInspector, [this](int32_t) { frame_->ShowInspector(!frame_->IsInspectorVisible()); },
      [this, needsInspector](int32_t id, CommandUi& ui) {
        needsInspector(id, ui);
        ui.checked = ui.enabled && frame_->IsInspectorVisible();
      });
  // In the classic reading Find stays at hand and says why it cannot look.
  frameTarget_.On(
      kIdFindNetOrComponent,
      [this](int32_t) {
        if (const auto refused = inspector_->RefusesFind())
          frame_->SetStatusText(*refused);
        else
          frame_->StartFind();
      },
      needsInspector);
  for (const auto& [id, unit] : kUnitCommands) {
    frameTarget_.On(
        id,
        [this, unit = unit](int32_t) {
          StoreLengthUnit(store_, unit);
          inspector_->SetUnit(unit);
        },
        [this, needsInspector, unit = unit](int32_t command, CommandUi& ui) {
          needsInspector(command, ui);
          ui.checked = StoredLengthUnit(store_) == unit;
        });
  }
}

}  // namespace corvane
