#include "app/view_tool_commands.h"

#include "app/command_ids.h"
#include "app/command_router.h"
#include "dialogs/layer_visibility_dlg.h"
#include "dialogs/offset_layer_dlg.h"
#include "platform/dialog_runner.h"
#include "view/corvane_view.h"

namespace corvane {

ViewToolCommands::ViewToolCommands(CCorvaneView& view, DialogRunner& dialogs, SettingsStore& store)
    : view_(view), dialogs_(dialogs), store_(store) {}

void ViewToolCommands::Register(CommandTarget& viewTarget) {
  CCorvaneView& v = view_;
  viewTarget.On(kIdZoomIn, [&v](int32_t) { v.OnZoomIn(); });
  viewTarget.On(kIdZoomOut, [&v](int32_t) { v.OnZoomOut(); });
  viewTarget.On(kIdZoomExtents, [&v](int32_t) { v.OnZoomExtents(); });
  viewTarget.On(
      kIdZoomTool, [&v](int32_t) { v.OnZoomTool(); },
      [&v](int32_t, CommandUi& ui) { ui.checked = v.Tools().IsZoomToolOn(); });
  // The check marks show the view's copies of the document's flags.
  viewTarget.On(
      kIdAutoOrigin, [&v](int32_t) { v.OnAutoOrigin(); },
      [&v](int32_t, CommandUi& ui) { ui.checked = v.GetViewport().GetAutoOrigin() != 0; });
  viewTarget.On(
      kIdMirrorX, [&v](int32_t) { v.OnMirrorX(); },
      [&v](int32_t, CommandUi& ui) { ui.checked = v.GetViewport().GetMirrorX() != 0; });
  // Mirror Y shows what the user set: the bottom board view's mapping turns
  // it over, and its check mark must not follow that.
  viewTarget.On(
      kIdMirrorY, [&v](int32_t) { v.OnMirrorY(); },
      [&v](int32_t, CommandUi& ui) { ui.checked = v.GetDocument().GetMirrorY() != 0; });
  viewTarget.On(kIdRedraw, [&v](int32_t) { v.OnRedraw(); });
  viewTarget.On(kIdMeasure, [&v](int32_t) { v.OnMeasure(); });
  viewTarget.On(kIdOffsetLayer, [this](int32_t) { OnOffsetLayer(); });
  viewTarget.On(
      kIdSetVisibility, [this](int32_t) { OnSetVisibility(); },
      [&v](int32_t, CommandUi& ui) { ui.enabled = !v.GetDocument().IsEmpty(); });
}

void ViewToolCommands::OnOffsetLayer() {
  const CCorvaneDoc& doc = view_.GetDocument();
  COffsetLayerDlg dialog;
  for (int32_t i = 0; i < doc.GetLayerCount(); ++i) dialog.AddName(doc.GetLayerFileName(i));
  dialog.AddName(std::string(kOffsetDrillEntry));
  if (dialogs_.RunModal(dialog) == DialogResult::kCancel) return;
  view_.StartOffsetTool(dialog.GetSelection());
}

void ViewToolCommands::OnSetVisibility() {
  CCorvaneDoc& doc = view_.GetDocument();
  CLayerVisibilityDlg dialog(&store_);
  view_.SetVisibilityDialog(&dialog);
  dialog.SetView(&view_);
  for (int32_t i = 0; i < doc.GetLayerCount(); ++i) {
    dialog.AddLayerName(doc.GetLayerFileName(i), doc.IsLayerVisible(i));
  }
  dialog.SetApertureFileName(doc.GetApertureFileName());
  dialog.SetNcDrillFileName(doc.GetNcDrillFileName());
  dialog.SetDrillToolFileName(doc.GetDrillToolFileName());
  dialog.SetShowDrillHoleBox(true);
  dialog.SetShowDrillHoles(doc.GetShowDrillHoles());
  const DialogResult result = dialogs_.RunModal(dialog);
  // Applying repaints the whole view; what was applied live stays on Cancel.
  if (result == DialogResult::kOk) view_.ApplyLayerVisibility();
  view_.SetVisibilityDialog(nullptr);
}

}  // namespace corvane
