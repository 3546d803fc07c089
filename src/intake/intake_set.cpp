#include "intake/intake_set.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "intake/archive_cache.h"
#include "intake/file_identity.h"
#include "intake/file_sniffer.h"
#include "intake/job_file.h"
#include "intake/layer_stack.h"
#include "text/ascii.h"
#include "text/path_parts.h"

namespace corvane {
namespace {

// A file found, with its first bytes, before it is identified.
struct Found {
  explicit Found(std::string where) : path(std::move(where)) {}
  std::string path;
  std::string head;
  std::size_t size = 0;
  std::string problem;
  std::shared_ptr<const std::string> bytes;  // an archive member's whole text
  bool nestedArchive = false;                 // an archive lying in a folder
};

bool ReadHead(const std::string& path, Found& found) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    found.problem = std::strerror(errno);
    return false;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    found.problem = "not a regular file";
    return false;
  }
  found.size = static_cast<std::size_t>(info.st_size);
  found.head.resize(std::min<std::size_t>(found.size, kSniffBytes));
  std::size_t done = 0;
  while (done < found.head.size()) {
    const ssize_t got = ::read(fd, found.head.data() + done, found.head.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      found.problem = std::strerror(errno);
      ::close(fd);
      return false;
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  ::close(fd);
  found.head.resize(done);
  return true;
}

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool IsHidden(const std::filesystem::path& name) {
  const std::string text = name.filename().string();
  return !text.empty() && text.front() == '.';
}

class Gatherer {
 public:
  Gatherer(IntakeSet& set) : set_(set) {}

  void TakePath(const std::string& given) {
    const std::string path = WithoutTrailingSlashes(given);
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (std::filesystem::is_directory(status)) {
      set_.gathered = true;
      TakeFolder(path);
      return;
    }
    if (IsWorkFileName(path) && std::filesystem::is_regular_file(status)) {
      set_.workFiles.push_back(path);
      return;
    }
    if (std::filesystem::is_regular_file(status) && IsArchiveFile(path)) {
      set_.gathered = true;
      TakeArchive(path);
      return;
    }
    Found found(path);
    if (!std::filesystem::exists(status)) {
      // Perhaps a member of an archive, as a work file saved from one names it.
      const ArchiveCache::Member member = ArchiveCache::Shared().FindMember(path);
      if (member.bytes) {
        TakeMember(path, member.bytes);
        return;
      }
      found.problem = member.refusal.empty() ? std::strerror(ENOENT) : member.refusal;
      group_.push_back(std::move(found));
      FinishGroup();
      return;
    }
    ReadHead(path, found);
    if (found.problem.empty() && SniffFileKind(found.head) == FileKind::kJob) {
      set_.gathered = true;
      TakeJob(path, found);
      return;
    }
    group_.push_back(std::move(found));
    FinishGroup();
  }

  void Finish(const IntakeOptions& options) {
    set_.stacked = set_.gathered || options.stackPlainLists;
    if (!set_.stacked) return;
    std::vector<LayerFunction> functions;
    for (const IntakeFile& file : set_.files) functions.push_back(file.function);
    std::vector<IntakeFile> ordered;
    for (const std::size_t i : StackOrder(functions)) ordered.push_back(std::move(set_.files[i]));
    set_.files = std::move(ordered);
  }

 private:
  void TakeFolder(const std::string& folder) {
    std::vector<std::string> paths;
    std::error_code error;
    std::filesystem::recursive_directory_iterator it(
        folder, std::filesystem::directory_options::skip_permission_denied, error);
    for (; !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
      if (IsHidden(it->path()) || it.depth() >= kMaxFolderDepth) {
        if (it->is_directory(error)) it.disable_recursion_pending();
        continue;
      }
      if (!it->is_regular_file(error)) continue;
      if (paths.size() >= kMaxFolderFiles) {
        set_.refusals.push_back(folder + ": only its first " + std::to_string(kMaxFolderFiles) +
                                " files are listed");
        break;
      }
      paths.push_back(it->path().string());
    }
    std::sort(paths.begin(), paths.end());
    for (std::string& path : paths) {
      Found found(std::move(path));
      ReadHead(found.path, found);
      // An archive beside the files is most often those files once more.
      found.nestedArchive = found.problem.empty() && LooksLikeArchive(found.head);
      group_.push_back(std::move(found));
    }
    FinishGroup();
  }

  void TakeArchive(const std::string& path) {
    const std::shared_ptr<const ArchiveContents> contents = ArchiveCache::Shared().Open(path);
    if (contents->Refused()) {
      set_.refusals.push_back(path + ": refused: " + contents->refusal);
      return;
    }
    for (const ArchiveMember& member : contents->members) {
      Found found(path + "/" + member.path);
      found.bytes = member.bytes;
      found.size = member.bytes->size();
      found.head = member.bytes->substr(0, kSniffBytes);
      group_.push_back(std::move(found));
    }
    FinishGroup();
  }

  void TakeMember(const std::string& path, const std::shared_ptr<const std::string>& bytes) {
    Found found(path);
    found.bytes = bytes;
    found.size = bytes->size();
    found.head = bytes->substr(0, kSniffBytes);
    group_.push_back(std::move(found));
    FinishGroup();
  }

  // The job file named as a path: the files it lists, beside it.
  void TakeJob(const std::string& path, Found& jobFound) {
    std::string text = jobFound.head;
    if (jobFound.size > jobFound.head.size()) {
      text.clear();
      if (jobFound.size <= kMaxJobFileBytes) ReadWhole(path, text);
    }
    const std::optional<JobFile> job = ParseJobFile(text);
    const std::string folder(PathFolder(path));
    group_.push_back(std::move(jobFound));
    if (job) {
      for (const JobFileEntry& entry : job->files) {
        std::string name = WithForwardSlashes(entry.path);
        Found found(folder.empty() || name.front() == '/' ? name : folder + "/" + name);
        ReadHead(found.path, found);
        group_.push_back(std::move(found));
      }
    }
    TakeDrillFilesBeside(folder.empty() ? std::string(".") : folder);
    FinishGroup();
  }

  // A job file lists the plot files only; the drill files lie beside it.
  void TakeDrillFilesBeside(const std::string& folder) {
    std::vector<std::string> paths;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
      if (it->is_regular_file(error) && !IsHidden(it->path())) paths.push_back(it->path().string());
    }
    std::sort(paths.begin(), paths.end());
    for (std::string& path : paths) {
      if (folder == "." && path.rfind("./", 0) == 0) path.erase(0, 2);
      bool listed = false;
      for (const Found& found : group_) listed = listed || found.path == path;
      if (listed) continue;
      Found found(path);
      if (ReadHead(path, found) && SniffFileKind(found.head) == FileKind::kExcellon) {
        group_.push_back(std::move(found));
      }
    }
  }

  static void ReadWhole(const std::string& path, std::string& text) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return;
    char block[65536];
    for (;;) {
      const ssize_t got = ::read(fd, block, sizeof block);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0 || text.size() > kMaxJobFileBytes) break;
      text.append(block, static_cast<std::size_t>(got));
    }
    ::close(fd);
  }

  // Identifies the files found together, with the job file among them as evidence.
  void FinishGroup() {
    std::optional<JobFile> job;
    for (const Found& found : group_) {
      const std::size_t first = found.head.find_first_not_of(" \t\r\n");
      if (!found.problem.empty() || first == std::string::npos || found.head[first] != '{' ||
          SniffFileKind(found.head) != FileKind::kJob) {
        continue;
      }
      job = ParseJobFile(found.bytes ? std::string_view(*found.bytes) : found.head);
      if (job) break;
    }
    for (Found& found : group_) {
      IntakeFile file;
      file.path = std::move(found.path);
      file.problem = std::move(found.problem);
      file.function.kind = FileKind::kUnknown;
      file.function.from = FunctionSource::kContent;
      if (file.problem.empty() && !found.nestedArchive) {
        const FileIdentity identity =
            IdentifyFile(file.path, found.head, found.size, job ? &*job : nullptr);
        file.function = identity.function;
        file.usesTodaysFormats = identity.usesTodaysFormats;
      }
      set_.files.push_back(std::move(file));
    }
    group_.clear();
  }

  IntakeSet& set_;
  std::vector<Found> group_;
};

}  // namespace

bool IntakeSet::UsesTodaysFormats() const {
  return std::any_of(files.begin(), files.end(),
                     [](const IntakeFile& file) { return file.usesTodaysFormats; });
}

bool IntakeSet::HasProblems() const {
  return !refusals.empty() || std::any_of(files.begin(), files.end(), [](const IntakeFile& file) {
           return !file.problem.empty();
         });
}

bool IsWorkFileName(std::string_view name) { return EndsWithNoCase(name, ".wrk"); }

IntakeSet GatherIntake(std::span<const std::string> paths, const IntakeOptions& options) {
  IntakeSet set;
  Gatherer gatherer(set);
  for (const std::string& path : paths) gatherer.TakePath(path);
  gatherer.Finish(options);
  return set;
}

}  // namespace corvane
