#include "app/view_commands.h"

#include "app/command_ids.h"
#include "app/command_router.h"
#include "app/file_filter.h"
#include "loading/document_loader.h"
#include "platform/prompter.h"
#include "view/corvane_view.h"

namespace corvane {

ViewCommands::ViewCommands(CCorvaneView& view, DocumentLoader& loader, Prompter& prompter)
    : view_(view), loader_(loader), prompter_(prompter) {}

void ViewCommands::Register(CommandTarget& viewTarget) {
  viewTarget.On(kIdNcDrillFile, [this](int32_t) { OnNcDrillFile(); });
  viewTarget.On(
      kIdReloadAll, [this](int32_t) { OnReloadAll(); },
      [this](int32_t, CommandUi& ui) { ui.enabled = !view_.GetDocument().IsEmpty(); });
}

void ViewCommands::OnNcDrillFile() {
  CCorvaneDoc& doc = view_.GetDocument();
  const std::string& ext = doc.Settings().drillFileExt;
  FileChooserRequest request;
  request.mode = FileChooserRequest::Mode::kOpen;
  request.filter = MakeFileFilter("NC Drill Files", ext);
  request.defaultExt = ext;
  request.initialDir = doc.GetDocumentDirectory();
  request.pathMustExist = true;
  const auto path = prompter_.ChooseFile(request);
  if (!path) return;
  {
    WaitCursor wait(&prompter_);
    loader_.LoadNcDrillFile(*path);
  }
  ZoomToExtentsAndRedraw();
}

void ViewCommands::OnReloadAll() {
  CCorvaneDoc& doc = view_.GetDocument();
  const bool wasModified = doc.IsModified();
  {
    WaitCursor wait(&prompter_);
    loader_.ReloadAll();
  }
  doc.SetModified(wasModified);
  view_.RedrawView();
}

void ViewCommands::ZoomToExtentsAndRedraw() {
  CCorvaneDoc& doc = view_.GetDocument();
  Viewport& viewport = view_.GetViewport();
  const DevicePoint pos = viewport.ZoomToExtents(doc.GetExtents(), doc.GetAutoOrigin() != 0);
  viewport.SetScrollPosition(pos.x, pos.y);
  view_.RedrawView();
}

}  // namespace corvane
