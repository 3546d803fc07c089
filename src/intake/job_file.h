#pragma once

// A Gerber job file (.gbrjob): JSON naming the files of a fabrication set
// with each one's function and polarity, read with nlohmann-json.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct JobFileEntry {
  std::string path;          // as the job writes it, relative to the job's folder
  std::string fileFunction;  // "Copper,L1,Top"
  std::string filePolarity;  // "Positive"
};

struct JobFile {
  std::vector<JobFileEntry> files;
  int32_t layerCount = 0;  // GeneralSpecs' LayerNumber; 0 when not given
};

// A job file larger than this is no job file.
inline constexpr std::size_t kMaxJobFileBytes = 16u * 1024 * 1024;
// Deeper nesting than any job file has; refused before parsing.
inline constexpr int kMaxJobNesting = 64;

// Nothing for text that is not a JSON object, nests too deep or is too long;
// entries without a path are left out, fields of the wrong type read as empty.
std::optional<JobFile> ParseJobFile(std::string_view text);

// The entry for a file name (its last path part compared without case), or nullptr.
const JobFileEntry* FindJobEntry(const JobFile& job, std::string_view fileName);

}  // namespace corvane
