#pragma once

// The lists of the planner's entries (prepayments, rate changes): a row an entry, one of them
// selected, drawn from the model without handing the selection back to it. A list may show
// its entries in an order of its own; each row knows the entry it shows.

#include <functional>
#include <string>
#include <vector>

#include <QStringList>

class QTreeWidget;

namespace gui {

QTreeWidget* MakeEntryList(const char* name, const char* accessibleName,
                           const QStringList& columns);

// Shows a row for each entry of `order` (the entries' indexes, in the order shown), the row of
// entry i with the texts `texts(i)`, and selects the row of entry `selected` (none when it
// is not shown).
void ShowEntryRows(QTreeWidget* list, const std::vector<int>& order, int selected,
                   const std::function<QStringList(int)>& texts);

// Entries 0 .. count - 1 in their own order.
std::vector<int> EntriesInOrder(int count);

// The same for texts in UTF-8, as the model gives them.
template <class Texts>
void ShowEntries(QTreeWidget* list, const std::vector<int>& order, int selected,
                 const Texts& texts) {
    ShowEntryRows(list, order, selected, [&texts](int i) {
        QStringList row;
        for (const std::string& cell : texts(i)) row << QString::fromStdString(cell);
        return row;
    });
}

// The entry of the selected row, -1 for none.
int SelectedEntry(const QTreeWidget* list);

}  // namespace gui
