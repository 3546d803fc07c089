#include "loading/standard_model_cache.h"

#include "loading/document_loader.h"

namespace corvane {

const StandardLoad& StandardModelCache::Current() {
  if (!valid_ || loadCount_ != loader_.LoadCount()) {
    load_ = LoadStandardModel(loader_.Doc(), loader_.SettingsBeforeGerberFiles());
    loadCount_ = loader_.LoadCount();
    valid_ = true;
    ++generation_;
  }
  return load_;
}

void StandardModelCache::Release() {
  load_ = StandardLoad{};
  valid_ = false;
}

}  // namespace corvane
