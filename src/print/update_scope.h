#pragma once

// Holds a document in its update state for one producer's run, also when a step throws, so
// that a failed run never leaves the preview unable to repaint.

#include "print/page_list.h"

namespace print {

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
