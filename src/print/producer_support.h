#pragma once

// What the producers that lay content out onto a preview's pages share.

#include "print/page_list.h"

namespace print {

// Reported when a producer runs with no preview attached.
inline constexpr const char* kPvPreviewMissing =
    "The \"Preview\" property must be set to a TPvPreview component";

// Holds a document in its update state for one producer's run, also when a step throws, so
// that a failed run never leaves the preview unable to repaint.
class TPvUpdateScope {
  public:
    explicit TPvUpdateScope(TPvPageList& pages) : pages_(pages) { pages_.BeginUpdate(); }
    ~TPvUpdateScope() { pages_.EndUpdate(); }
    TPvUpdateScope(const TPvUpdateScope&) = delete;
    TPvUpdateScope& operator=(const TPvUpdateScope&) = delete;

  private:
    TPvPageList& pages_;
};

}  // namespace print
