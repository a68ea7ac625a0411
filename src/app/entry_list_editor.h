#pragma once

// A list that the person edits through the fields below it: selecting a row puts it into the
// fields, "Добавить" appends what the fields hold, "Изменить" replaces the selected row with
// it, "Удалить" removes the selected row. Every entry is read into an item before it goes in;
// a refused entry (its reader shows why) leaves the list as it was. The fields and the
// selection are the form's own controls: the editor works on them through its rules.

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "app/form_port.h"
#include "app/main_form.h"

namespace app {

template <class Entry, class Item>
class EntryListEditor {
  public:
    struct Rules {
        // Told when "Изменить" finds no row selected.
        const char* noSelection = "";
        // The entry as an item, or nullopt once the reason is shown.
        std::function<std::optional<Item>(const Entry&)> read;
        // What the fields hold, as an entry.
        std::function<Entry()> fields;
        // Puts an item into the fields.
        std::function<void(const Item&)> show;
    };

    // `selected` is the form's selection, -1 for none; `changed` runs after each change of
    // the list.
    EntryListEditor(FormPort& port, int& selected, Rules rules, std::function<void()> changed)
        : port_(port),
          selected_(selected),
          rules_(std::move(rules)),
          changed_(std::move(changed)) {}

    const std::vector<Item>& Items() const { return items_; }

    // Selects a row and puts it into the fields; an index outside the list selects none.
    void Select(int index) {
        if (!contains(index)) {
            selected_ = -1;
            return;
        }
        selected_ = index;
        rules_.show(items_[static_cast<std::size_t>(index)]);
    }

    // The buttons: each takes the fields and the selection. An added row becomes the
    // selected one; after a removal the row that took its place is selected, or the last.
    bool AddClick() {
        if (!Add(rules_.fields()))
            return false;
        selected_ = static_cast<int>(items_.size()) - 1;
        return true;
    }
    bool ChangeClick() { return Change(selected_, rules_.fields()); }
    void RemoveClick() {
        Remove(selected_);
        Select(std::min(selected_, static_cast<int>(items_.size()) - 1));
    }

    // The same without the fields. A refused entry returns false.
    bool Add(const Entry& entry) {
        const std::optional<Item> item = rules_.read(entry);
        if (!item)
            return false;
        items_.push_back(*item);
        changed_();
        return true;
    }
    bool Change(int index, const Entry& entry) {
        if (!contains(index)) {
            port_.showMessage(kErrorCaption, rules_.noSelection);
            return false;
        }
        const std::optional<Item> item = rules_.read(entry);
        if (!item)
            return false;
        items_[static_cast<std::size_t>(index)] = *item;
        changed_();
        return true;
    }
    void Remove(int index) {
        if (!contains(index))
            return;
        items_.erase(items_.begin() + index);
        changed_();
    }
    // Replaces the whole list with items read and checked elsewhere (a plan file), selecting
    // none; the owner recomputes as it sees fit.
    void Assign(std::vector<Item> items) {
        items_ = std::move(items);
        selected_ = -1;
    }

  private:
    bool contains(int index) const { return index >= 0 && index < static_cast<int>(items_.size()); }

    FormPort& port_;
    int& selected_;
    Rules rules_;
    std::function<void()> changed_;
    std::vector<Item> items_;
};

}  // namespace app
