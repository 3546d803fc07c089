#pragma once

#include <cstdint>
#include <memory>

#include "loading/standard_loader.h"

namespace corvane {

class DocumentLoader;

// The standard reading of a loader's document, read when first asked for and
// again whenever the document has been loaded since: every command that loads
// goes through the loader, so the model never lags behind the document.
class StandardModelCache {
 public:
  explicit StandardModelCache(const DocumentLoader& loader) : loader_(loader) {}
  StandardModelCache(const StandardModelCache&) = delete;
  StandardModelCache& operator=(const StandardModelCache&) = delete;

  const StandardLoad& Current() { return *Shared(); }
  // The same load, shared: whoever holds it (a build on another thread)
  // keeps it alive after the cache has read the files again.
  std::shared_ptr<const StandardLoad> Shared();
  // Changes each time Current() reads the files again.
  uint64_t Generation() const { return generation_; }
  // Frees the model; the next Current() reads it again.
  void Release();

 private:
  const DocumentLoader& loader_;
  std::shared_ptr<const StandardLoad> load_;
  bool valid_ = false;
  uint64_t loadCount_ = 0;
  uint64_t generation_ = 0;
};

}  // namespace corvane
