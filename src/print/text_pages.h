#pragma once

// Lays a plain text out onto the pages of a preview below the header band, continuing on
// further pages as needed. Each page records the part of the text it shows: the formatting
// rectangle, the character range and the shared text (kept once in the resource table).
// The lines are fitted with the library's text layout (Qt's, at the reference
// resolution), the same the replay draws with.

#include <functional>
#include <string>
#include <vector>

#include "print/graphics.h"
#include "print/measurement.h"
#include "print/resource_table.h"

namespace print {

class TPvPageList;

class TPvRtfPreview {
  public:
    TPvRtfPreview();

    TPvFont TextFileFont;
    bool WrapLines = true;
    bool ForceNewPages = true;

    // The document the preview shows (its page list). Also fixes the reserves: header band
    // and top margin, footer band and bottom margin (when the document has no font engine
    // yet, at the next load).
    TPvPageList* Preview() const { return preview_; }
    void SetPreview(TPvPageList* preview);

    std::function<void(TPvRtfPreview& sender, TPvValue& topReserve, TPvValue& bottomReserve)>
        OnNewPage;
    std::function<void(TPvRtfPreview& sender, int percent)> OnProgress;

    // The lines in TextFileFont, one after the other.
    void LoadTextLines(const std::vector<std::string>& lines);
    // Lays out a text with its font from the current page on.
    void LoadRichEdit(const TPvRichText& text);

    const TPvValue& TopReserve() const { return topReserve_; }
    const TPvValue& BottomReserve() const { return bottomReserve_; }

  private:
    void FixReserves();

    TPvPageList* preview_ = nullptr;
    bool reservesFixed_ = false;
    TPvValue topReserve_;
    TPvValue bottomReserve_;
};

}  // namespace print
