#pragma once

#include <string_view>

namespace corvane {

class CCorvaneDoc;
class CCorvaneView;
class DocumentLoader;
class Prompter;
class SettingsStore;

// What applying a file format dialog reaches: the document (through the
// loader that reloads it), the stored defaults of the next new document, the
// wait cursor and the view that repaints.
class FormatApplyTarget {
 public:
  // Nothing is owned; `prompter` may be null (no wait cursor).
  FormatApplyTarget(DocumentLoader& loader, SettingsStore& store, Prompter* prompter,
                    CCorvaneView& view)
      : loader_(loader), store_(store), prompter_(prompter), view_(view) {}

  CCorvaneDoc& Doc() const;
  // Writes the document's value of the setting stored under `storedKey` to
  // the "Defaults" section, in the setting's written form.
  void StoreDefault(std::string_view storedKey) const;
  // Reads every file of the working set again under the wait cursor, marks
  // the document modified and repaints.
  void ReloadAndRedraw() const;

 private:
  DocumentLoader& loader_;
  SettingsStore& store_;
  Prompter* prompter_;
  CCorvaneView& view_;
};

}  // namespace corvane
