#include "app/document_lifecycle.h"

#include <filesystem>
#include <system_error>

#include "app/file_filter.h"
#include "app/recent_file_list.h"
#include "app/set_opening.h"
#include "app/work_file_io.h"
#include "dialogs/file_request.h"
#include "document/corvane_doc.h"
#include "intake/intake_set.h"
#include "loading/document_loader.h"
#include "platform/prompter.h"
#include "text/path_parts.h"

namespace corvane {

std::string FullPath(std::string_view path) {
  if (path.empty()) return {};
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(std::filesystem::path(path), error);
  if (error) return std::string(path);
  return full.lexically_normal().string();
}

DocumentLifecycle::DocumentLifecycle(DocumentLoader& loader, Prompter& prompter, WorkFileIo& io,
                                     RecentFileList& recent)
    : loader_(loader), doc_(loader.Doc()), prompter_(prompter), io_(io), recent_(recent) {}

std::string DocumentLifecycle::GetTitle() const {
  const std::string name(PathFileName(doc_.GetPathName()));
  if (name.empty() && !setName_.empty()) return setName_;
  return name.empty() ? std::string(kUntitled) : name;
}

std::string DocumentLifecycle::GetCaption() const {
  return GetTitle() + " - " + std::string(kAppTitle);
}

bool DocumentLifecycle::SaveModified() {
  if (!doc_.IsModified()) return true;
  const std::string text = "Save changes to " + GetTitle() + "?";
  switch (prompter_.ShowMessage(text, Prompter::Buttons::kYesNoCancel)) {
    case Prompter::Answer::kYes:
      return OnFileSave();
    case Prompter::Answer::kNo:
      return true;
    default:
      return false;
  }
}

void DocumentLifecycle::NewDocument() {
  setName_.clear();
  setFolder_.clear();
  loader_.ClearAll();
  loader_.LoadStoredDefaults();
  doc_.SetPathName({});
  doc_.SetModified(false);
  NotifyTitle();
  NotifyReplaced();
}

bool DocumentLifecycle::OnFileNew() {
  if (!SaveModified()) return false;
  NewDocument();
  return true;
}

bool DocumentLifecycle::OnFileOpen() {
  FileChooserRequest request;
  request.mode = FileChooserRequest::Mode::kOpen;
  request.title = "Open";
  // A single plot or drill file opens as a set of its own.
  request.filter = WithTodaysExtensions(
      WithTodaysExtensions(kOpenFilter, FileFamily::kPlot), FileFamily::kDrill);
  request.defaultExt = std::string(kWorkFileExt);
  request.initialDir = PathFolder(doc_.GetPathName());
  const auto path = prompter_.ChooseFile(request);
  if (!path) return false;
  return OpenDocumentFile(*path);
}

bool DocumentLifecycle::OnFileOpenFolder() {
  FileChooserRequest request;
  request.mode = FileChooserRequest::Mode::kFolder;
  request.title = "Open Folder";
  request.initialDir = setFolder_.empty() ? PathFolder(doc_.GetPathName()) : setFolder_;
  const auto path = prompter_.ChooseFile(request);
  if (!path) return false;
  return OpenPaths({*path});
}

bool DocumentLifecycle::OpenDocumentFile(std::string_view path) {
  return Open(path) == OpenOutcome::kOpened;
}

bool DocumentLifecycle::OpenPaths(const std::vector<std::string>& paths) {
  if (paths.size() == 1) return Open(paths.front()) == OpenOutcome::kOpened;
  return OpenSet(paths) == OpenOutcome::kOpened;
}

DocumentLifecycle::OpenOutcome DocumentLifecycle::Open(std::string_view path) {
  if (!IsWorkFileName(path)) return OpenSet({std::string(path)});
  if (!SaveModified()) return OpenOutcome::kCancelled;
  setName_.clear();
  setFolder_.clear();
  const std::string fullPath = FullPath(path);
  const std::string oldPath = doc_.GetPathName();
  const bool wasModified = doc_.IsModified();
  WorkFileResult result;
  {
    WaitCursor wait(&prompter_);
    // The reader resolves referenced names against the work file's folder.
    doc_.SetPathName(fullPath);
    result = io_.Read(loader_, fullPath);
  }
  if (!result.ok) {
    prompter_.ShowMessage(result.message.empty() ? kFailedToOpen : result.message,
                          Prompter::Buttons::kOk);
    if (result.documentCleared) {
      // The old contents are gone; what was read so far is no document.
      NewDocument();
    } else {
      doc_.SetPathName(oldPath);
      doc_.SetModified(wasModified);
    }
    return OpenOutcome::kFailed;
  }
  recent_.Add(fullPath);
  NotifyTitle();
  NotifyReplaced();
  return OpenOutcome::kOpened;
}

DocumentLifecycle::OpenOutcome DocumentLifecycle::OpenSet(const std::vector<std::string>& paths) {
  if (paths.empty() || !SaveModified()) return OpenOutcome::kCancelled;
  std::vector<std::string> fullPaths;
  for (const std::string& path : paths) fullPaths.push_back(FullPath(path));
  SetOpening opened;
  {
    WaitCursor wait(&prompter_);
    setName_.clear();
    setFolder_.clear();
    loader_.ClearAll();
    loader_.LoadStoredDefaults();
    doc_.SetPathName({});
    opened = OpenSetInto(loader_, fullPaths);
  }
  if (!opened.message.empty()) prompter_.ShowMessage(opened.message, Prompter::Buttons::kOk);
  if (!opened.loaded) {
    NewDocument();
    return OpenOutcome::kFailed;
  }
  setName_ = std::string(PathFileName(fullPaths.front()));
  setFolder_ = std::string(PathFolder(fullPaths.front()));
  doc_.SetModified(false);
  if (fullPaths.size() == 1) recent_.Add(fullPaths.front());
  NotifyTitle();
  NotifyReplaced();
  return OpenOutcome::kOpened;
}

bool DocumentLifecycle::OpenRecentFile(int index) {
  const std::string path = recent_.Get(index);
  if (path.empty()) return false;
  const OpenOutcome outcome = Open(path);
  // Only a failed open drops the entry; a cancelled "Save changes" keeps it.
  if (outcome == OpenOutcome::kFailed) {
    const auto& paths = recent_.Paths();
    for (int i = 0; i < recent_.Count(); ++i) {
      if (paths[static_cast<std::size_t>(i)] == path) {
        recent_.Remove(i);
        break;
      }
    }
  }
  return outcome == OpenOutcome::kOpened;
}

bool DocumentLifecycle::OnFileSave() {
  const std::string path = doc_.GetPathName();
  if (path.empty()) return OnFileSaveAs();
  return DoSave(path);
}

bool DocumentLifecycle::OnFileSaveAs() {
  const std::string path = PromptSavePath();
  if (path.empty()) return false;
  return DoSave(path);
}

std::string DocumentLifecycle::PromptSavePath() {
  FileChooserRequest request;
  request.mode = FileChooserRequest::Mode::kSave;
  request.title = "Save As";
  request.filter = std::string(kWorkFileFilter);
  request.defaultExt = std::string(kWorkFileExt);
  request.initialDir = setFolder_.empty() ? PathFolder(doc_.GetPathName()) : setFolder_;
  // A set opened from fab.zip is proposed as fab.wrk beside it.
  std::string name = GetTitle();
  if (!setName_.empty() && doc_.GetPathName().empty()) name = SetWorkFileName(setName_);
  request.initialName = WithDefaultExtension(name, kWorkFileExt);
  request.pathMustExist = false;
  const auto path = prompter_.ChooseFile(request);
  if (!path || path->empty()) return {};
  return FullPath(WithDefaultExtension(*path, kWorkFileExt));
}

bool DocumentLifecycle::DoSave(const std::string& path) {
  WorkFileResult result;
  {
    WaitCursor wait(&prompter_);
    result = io_.Write(doc_, path);
  }
  if (!result.ok) {
    prompter_.ShowMessage(result.message.empty() ? kFailedToSave : result.message,
                          Prompter::Buttons::kOk);
    return false;
  }
  doc_.SetModified(false);
  doc_.SetPathName(path);
  setName_.clear();
  setFolder_.clear();
  recent_.Add(path);
  NotifyTitle();
  return true;
}

void DocumentLifecycle::NotifyReplaced() {
  if (observer_ != nullptr) observer_->OnDocumentReplaced();
}

void DocumentLifecycle::NotifyTitle() {
  if (observer_ != nullptr) observer_->OnTitleChanged(GetCaption());
}

}  // namespace corvane
