#include "intake/job_file.h"

#include <nlohmann/json.hpp>

#include "text/ascii.h"
#include "text/path_parts.h"

namespace corvane {
namespace {

// The deepest nesting of brackets outside strings: nlohmann-json parses any
// depth, and a hostile file of nothing but '[' would exhaust the stack when
// the parsed value is destroyed.
bool NestsWithin(std::string_view text, int limit) {
  int depth = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > limit) return false;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return true;
}

std::string TextOf(const nlohmann::json& object, const char* key) {
  const auto it = object.find(key);
  return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

}  // namespace

std::optional<JobFile> ParseJobFile(std::string_view text) {
  if (text.size() > kMaxJobFileBytes || !NestsWithin(text, kMaxJobNesting)) return std::nullopt;
  const nlohmann::json root = nlohmann::json::parse(text, nullptr, false);
  if (!root.is_object()) return std::nullopt;
  JobFile job;
  // The board's layer count stands in the job's section of general board
  // data; it is the one top-level section that gives a LayerNumber.
  for (const nlohmann::json& section : root) {
    if (!section.is_object()) continue;
    const auto layers = section.find("LayerNumber");
    if (layers == section.end() || !layers->is_number_integer()) continue;
    const auto count = layers->get<int64_t>();
    if (count > 0 && count < 1000) job.layerCount = static_cast<int32_t>(count);
    break;
  }
  const auto files = root.find("FilesAttributes");
  if (files == root.end() || !files->is_array()) return job;
  for (const nlohmann::json& file : *files) {
    if (!file.is_object()) continue;
    JobFileEntry entry{TextOf(file, "Path"), TextOf(file, "FileFunction"),
                       TextOf(file, "FilePolarity")};
    if (!entry.path.empty()) job.files.push_back(std::move(entry));
  }
  return job;
}

const JobFileEntry* FindJobEntry(const JobFile& job, std::string_view fileName) {
  const std::string_view name = PathFileName(fileName);
  for (const JobFileEntry& entry : job.files) {
    if (EqualNoCase(PathFileName(entry.path), name)) return &entry;
  }
  return nullptr;
}

}  // namespace corvane
