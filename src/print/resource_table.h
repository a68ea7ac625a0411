#pragma once

// The resource table: the pens, brushes, fonts, pictures and texts that the recorded
// objects of every page share. Adding an item first looks for an equal one and reuses it,
// raising its reference count; objects refer to their entries by index.

#include <cassert>
#include <string>
#include <vector>

#include "print/graphics.h"

namespace print {

// A shared text laid out on pages: plain text in one font.
struct TPvRichText {
    std::string Text;  // UTF-8, lines ended by "\r" or "\n"
    TPvFont Font;
    bool operator==(const TPvRichText&) const = default;
};

template <class Item>
class TPvSharedList {
  public:
    // Index of an equal entry (its count raised), or of a new entry with count 1.
    int Acquire(const Item& item, bool reuseEqual = true) {
        if (reuseEqual) {
            for (std::size_t i = 0; i < entries_.size(); ++i) {
                if (entries_[i].item == item) {
                    ++entries_[i].references;
                    return int(i);
                }
            }
        }
        entries_.push_back({item, 1});
        return int(entries_.size() - 1);
    }
    // Lowers the count; an entry with no references stays in place so indices hold.
    void Release(int index) {
        if (Valid(index) && entries_[index].references > 0)
            --entries_[index].references;
    }

    bool Valid(int index) const { return index >= 0 && index < Count(); }
    const Item& operator[](int index) const {
        assert(Valid(index));
        return entries_[index].item;
    }
    int RefCount(int index) const { return Valid(index) ? entries_[index].references : 0; }
    int Count() const { return int(entries_.size()); }
    void Clear() { entries_.clear(); }

  private:
    struct Entry {
        Item item;
        int references;
    };
    std::vector<Entry> entries_;
};

class TPvResourceTable {
  public:
    TPvSharedList<TPvBrush>& Brushes() { return brushes_; }
    TPvSharedList<TPvFont>& Fonts() { return fonts_; }
    TPvSharedList<TPvPen>& Pens() { return pens_; }
    TPvSharedList<TPvRichText>& Texts() { return texts_; }
    const TPvSharedList<TPvBrush>& Brushes() const { return brushes_; }
    const TPvSharedList<TPvFont>& Fonts() const { return fonts_; }
    const TPvSharedList<TPvPen>& Pens() const { return pens_; }
    const TPvSharedList<TPvRichText>& Texts() const { return texts_; }

    // Equal pictures share one entry only when this is set, as for the other lists.
    bool CompareGraphics = false;

    void Clear();

  private:
    TPvSharedList<TPvBrush> brushes_;
    TPvSharedList<TPvFont> fonts_;
    TPvSharedList<TPvPen> pens_;
    TPvSharedList<TPvRichText> texts_;
};

}  // namespace print
