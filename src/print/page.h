#pragma once

// One recorded page: its paper, its drawing objects in drawing order and its part of a
// shared laid-out text.

#include <memory>
#include <vector>

#include "print/objects.h"
#include "print/paper.h"

namespace print {

// The part of a shared text (an entry of the resource table's texts) shown on a page.
struct TPvPageRtfInfo {
    int TextIndex = -1;  // none when negative
    // The formatting rectangle in inches from the paper's corner.
    TPvExtended Left = 0, Top = 0, Right = 0, Bottom = 0;
    // Characters FirstChar .. LastChar (inclusive, counted in UTF-16 code units as a text
    // editor counts them) are shown.
    int FirstChar = 0;
    int LastChar = -1;
    bool WordWrap = true;

    bool Present() const { return TextIndex >= 0; }
};

class TPvPage {
  public:
    TPvPage(TPvExtended widthInches, TPvExtended heightInches, TPvOrientation orientation)
        : Width(widthInches), Height(heightInches), Orientation(orientation) {}

    TPvExtended Width;
    TPvExtended Height;
    TPvOrientation Orientation;
    TPvPageRtfInfo RtfInfo;
    bool HeaderVisible = true;
    bool FooterVisible = true;

    template <class Object>
    Object& Add(std::unique_ptr<Object> object) {
        Object& added = *object;
        objects_.push_back(std::move(object));
        return added;
    }
    const std::vector<std::unique_ptr<TPvBaseObject>>& Objects() const { return objects_; }
    int ObjectCount() const { return int(objects_.size()); }
    const TPvBaseObject& Object(int index) const { return *objects_.at(index); }

    void Accept(TPvObjectVisitor& visitor) const {
        for (const auto& object : objects_) object->Accept(visitor);
    }

  private:
    std::vector<std::unique_ptr<TPvBaseObject>> objects_;
};

}  // namespace print
