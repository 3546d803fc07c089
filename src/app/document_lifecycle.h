#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class CCorvaneDoc;
class DocumentLoader;
class Prompter;
class RecentFileList;
class WorkFileIo;

// Told when the document has been replaced (new or opened: the view's initial
// update) and when its title changes (the frame's caption).
class DocumentObserver {
 public:
  virtual ~DocumentObserver() = default;
  virtual void OnDocumentReplaced() {}
  virtual void OnTitleChanged(const std::string& /*caption*/) {}
};

inline constexpr std::string_view kWorkFileFilter =
    "Corvane Work Files (*.wrk)|*.wrk|All Files (*.*)|*.*||";
// Workspace > Open also opens what fabs and design tools exchange.
inline constexpr std::string_view kOpenFilter =
    "Corvane Work Files (*.wrk)|*.wrk|"
    "Archives (*.zip;*.tar;*.tar.gz;*.tgz;*.7z)|*.zip;*.tar;*.tar.gz;*.tgz;*.7z|"
    "Gerber Job Files (*.gbrjob)|*.gbrjob|All Files (*.*)|*.*||";
inline constexpr std::string_view kWorkFileExt = "wrk";
inline constexpr std::string_view kAppTitle = "Corvane";
inline constexpr std::string_view kUntitled = "Untitled";
inline constexpr std::string_view kFailedToOpen = "Failed to open document.";
inline constexpr std::string_view kFailedToSave = "Failed to save document.";

// The single document's New, Open, Save, Save As and close, with the modified
// flag, the "Save changes" question and the recent-file list.
class DocumentLifecycle {
 public:
  // None of the references is owned; the document is the loader's.
  DocumentLifecycle(DocumentLoader& loader, Prompter& prompter, WorkFileIo& io,
                    RecentFileList& recent);

  void SetObserver(DocumentObserver* observer) { observer_ = observer; }

  // The document's title: its work file's name, or "Untitled".
  std::string GetTitle() const;
  // The main window's caption: "<title> - Corvane".
  std::string GetCaption() const;

  // Asks "Save changes to %1?" when the document is modified; false when the
  // user cancels or the save fails, so the command that asked is abandoned.
  bool SaveModified();

  // A new empty document without asking: cleared, then the stored defaults.
  void NewDocument();
  // Each returns whether the command completed.
  bool OnFileNew();
  bool OnFileOpen();
  bool OnFileSave();
  bool OnFileSaveAs();
  // Opens a work file, asking first when the document is modified. On failure
  // the user is told and the previous document stays, unless reading had
  // already replaced it; then a new empty document takes its place. Any other
  // path (a folder, an archive, a job file, a plot or drill file) opens as a
  // set of files (OpenPaths).
  bool OpenDocumentFile(std::string_view path);
  // Opens folders, archives, job files or plot, drill and table files as one
  // new untitled document, stacked and coloured by function, in the reading
  // its files ask for. Whatever could not be read or was refused is told in
  // one message box, and the rest opens; when nothing could be read, the
  // open fails and an empty document remains. A single path enters the
  // recent-file list.
  bool OpenPaths(const std::vector<std::string>& paths);
  // Workspace > Open Folder...
  bool OnFileOpenFolder();
  // The name of the set the untitled document was opened from ("fab.zip");
  // empty for a document that came from nothing or from a work file.
  const std::string& SetName() const { return setName_; }
  // A recent file that fails to open leaves the list.
  bool OpenRecentFile(int index);
  // Exit: false keeps the program running.
  bool CanClose() { return SaveModified(); }

 private:
  enum class OpenOutcome { kOpened, kCancelled, kFailed };
  OpenOutcome Open(std::string_view path);
  OpenOutcome OpenSet(const std::vector<std::string>& paths);
  bool DoSave(const std::string& path);
  std::string PromptSavePath();
  void NotifyReplaced();
  void NotifyTitle();

  DocumentLoader& loader_;
  CCorvaneDoc& doc_;
  Prompter& prompter_;
  WorkFileIo& io_;
  RecentFileList& recent_;
  DocumentObserver* observer_ = nullptr;
  std::string setName_;
  std::string setFolder_;
};

// The absolute, normalized form of a path as the program keeps it.
std::string FullPath(std::string_view path);

}  // namespace corvane
