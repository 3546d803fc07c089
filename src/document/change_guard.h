#pragma once

namespace corvane {

// Told before anything a paint reads changes in a document: its items,
// apertures, macros, drill tools and hits, layers, drill files, the flags and
// colours the renderers take, its extents. A picture drawn on another thread
// reads the document; whoever draws one stops it here, before the change.
class DocumentChangeGuard {
 public:
  virtual ~DocumentChangeGuard() = default;
  virtual void BeforeDocumentChange() = 0;
};

}  // namespace corvane
