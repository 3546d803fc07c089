#include "dialogs/format_apply.h"

#include "document/corvane_doc.h"
#include "document/settings_table.h"
#include "loading/document_loader.h"
#include "platform/prompter.h"
#include "view/corvane_view.h"

namespace corvane {

CCorvaneDoc& FormatApplyTarget::Doc() const { return loader_.Doc(); }

void FormatApplyTarget::StoreDefault(std::string_view storedKey) const {
  WriteStoredDefault(store_, loader_.Doc(), storedKey);
}

void FormatApplyTarget::ReloadAndRedraw() const {
  {
    WaitCursor wait(prompter_);
    loader_.ReloadAll();
  }
  loader_.Doc().SetModified();
  view_.RedrawView();
}

}  // namespace corvane
