#include "loading/standard_model_cache.h"

#include "loading/document_loader.h"

namespace corvane {

std::shared_ptr<const StandardLoad> StandardModelCache::Shared() {
  if (!valid_ || loadCount_ != loader_.LoadCount()) {
    load_ = std::make_shared<const StandardLoad>(
        LoadStandardModel(loader_.Doc(), loader_.SettingsBeforeGerberFiles()));
    loadCount_ = loader_.LoadCount();
    valid_ = true;
    ++generation_;
  }
  return load_;
}

void StandardModelCache::Release() {
  load_.reset();
  valid_ = false;
}

}  // namespace corvane
