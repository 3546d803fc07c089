#include "intake/file_identity.h"

#include <array>
#include <cmath>
#include <map>
#include <utility>

#include "intake/file_attributes.h"
#include "intake/file_sniffer.h"
#include "intake/job_file.h"
#include "intake/name_conventions.h"
#include "standard/standard_reader.h"
#include "text/ascii.h"

namespace corvane {
namespace {

// A board outline has a few hundred draws at most.
constexpr std::size_t kMaxOutlineObjects = 4000;

bool Contains(std::string_view text, std::string_view word) {
  return text.find(word) != std::string_view::npos;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = UpperAscii(c);
  return upper;
}

// What an Excellon header's comments say of its holes' plating.
LayerPlating PlatingOfContent(std::string_view head) {
  const std::string upper = Upper(head.substr(0, 8192));
  const bool nonPlated = Contains(upper, "NON_PLATED") || Contains(upper, "NON-PLATED") ||
                         Contains(upper, "NONPLATED") || Contains(upper, "UNPLATED") ||
                         Contains(upper, "NPTH");
  const bool plated = Contains(upper, "TYPE=PLATED") || Contains(upper, ";PLATED") ||
                      Contains(upper, "; PLATED") || Contains(upper, " PTH");
  if (nonPlated && plated) return LayerPlating::kMixed;
  if (nonPlated) return LayerPlating::kNonPlated;
  if (plated) return LayerPlating::kPlated;
  return LayerPlating::kUnstated;
}

// Only strokes of one aperture whose ends all meet in pairs: a closed
// drawing such as a board's outline, and nothing else.
bool DrawsOnlyAnOutline(std::string_view text) {
  // An outline multiplies nothing: a file that steps, repeats or builds
  // shapes beyond these bounds is no outline, and costs no more to find so.
  StandardContext context;
  context.bounds.expandedObjects = kMaxOutlineObjects;
  context.bounds.addedPoints = 64 * kMaxOutlineObjects;
  context.bounds.shapeParts = 256;
  context.bounds.macroWork = 64 * 1024;
  const StandardLayer layer = ReadStandardGerber(text, context);
  if (layer.limitsReached != 0) return false;
  const std::vector<StandardObject>& objects = layer.geometry.objects;
  if (objects.empty() || objects.size() > kMaxOutlineObjects) return false;
  std::map<std::pair<int64_t, int64_t>, int> ends;
  const auto key = [](double x, double y) {
    return std::pair<int64_t, int64_t>{std::llround(x * 1e5), std::llround(y * 1e5)};
  };
  uint32_t shape = 0;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    const StandardObject& o = objects[i];
    if (o.kind != StandardKind::kLine && o.kind != StandardKind::kArc) return false;
    if (o.polarity != StandardPolarity::kDark) return false;
    uint32_t used = o.ref;
    if (o.kind == StandardKind::kArc) {
      if (o.ref >= layer.geometry.arcs.size()) return false;
      used = layer.geometry.arcs[o.ref].shape;
    }
    if (i == 0) shape = used;
    if (used != shape) return false;
    ++ends[key(o.x0, o.y0)];
    ++ends[key(o.x1, o.y1)];
  }
  for (const auto& [point, count] : ends) {
    if (count % 2 != 0) return false;
  }
  return true;
}

LayerFunction FromContent(FileKind kind, std::string_view head, std::size_t size) {
  LayerFunction f;
  f.kind = kind;
  f.from = FunctionSource::kContent;
  if (kind == FileKind::kExcellon) {
    f.type = LayerType::kDrill;
    f.side = LayerSide::kAll;
    f.plating = PlatingOfContent(head);
  } else if (kind == FileKind::kGerber && size <= head.size() && !Contains(head, "D03") &&
             !Contains(head, "G36") && DrawsOnlyAnOutline(head)) {
    // (A file with flashes or regions is no outline and is not read at all.)
    f.type = LayerType::kOutline;
    f.side = LayerSide::kAll;
  }
  return f;
}

bool UsesTodaysFormats(FileKind kind, const FileAttributes& attributes, std::string_view head) {
  if (attributes.x2 || attributes.metric) return true;
  if (kind == FileKind::kGerber) {
    static constexpr std::array<std::string_view, 9> kWords{
        "G36", "%LPC", "%SR", "%AB", "%AM", "%LM", "%LR", "%LS", "G04 #@!"};
    for (const std::string_view word : kWords) {
      if (Contains(head, word)) return true;
    }
  }
  if (kind == FileKind::kExcellon) {
    // Routed slots and canned slots.
    return Contains(head, "G85") || Contains(head, "M15") || Contains(head, "G00X");
  }
  return false;
}

LayerFunction FunctionOf(FileKind kind, std::string_view name, std::string_view head,
                         std::size_t size, const JobFile* job, const FileAttributes& attributes) {
  const int32_t layerCount = job != nullptr && job->layerCount > 0 ? job->layerCount
                                                                   : attributes.layerCount;
  if (!attributes.fileFunction.empty()) {
    if (auto f = FunctionFromAttribute(attributes.fileFunction, attributes.filePolarity, kind,
                                       FunctionSource::kAttributes, layerCount)) {
      return *f;
    }
  }
  if (job != nullptr) {
    if (const JobFileEntry* entry = FindJobEntry(*job, name)) {
      if (auto f = FunctionFromAttribute(entry->fileFunction, entry->filePolarity, kind,
                                         FunctionSource::kJob, layerCount)) {
        return *f;
      }
    }
  }
  if (auto f = FunctionFromName(name, kind)) {
    if (f->type == LayerType::kDrill && f->plating == LayerPlating::kUnstated &&
        kind == FileKind::kExcellon) {
      f->plating = PlatingOfContent(head);
    }
    return *f;
  }
  return FromContent(kind, head, size);
}

}  // namespace

FileIdentity IdentifyFile(std::string_view name, std::string_view head, std::size_t size,
                          const JobFile* job) {
  FileIdentity identity;
  const FileKind kind = SniffFileKind(head);
  if (kind != FileKind::kGerber && kind != FileKind::kExcellon) {
    identity.function.kind = kind;
    identity.function.from = FunctionSource::kContent;
    return identity;
  }
  const FileAttributes attributes = ReadFileAttributes(head);
  identity.function = FunctionOf(kind, name, head, size, job, attributes);
  identity.usesTodaysFormats = UsesTodaysFormats(kind, attributes, head.substr(0, kSniffBytes));
  return identity;
}

}  // namespace corvane
