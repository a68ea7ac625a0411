#pragma once

// The lists of the planner's entries (prepayments, rate changes): a row an entry, one of them
// selected, drawn from the model without handing the selection back to it.

#include <functional>
#include <string>

#include <QStringList>

class QTreeWidget;

namespace gui {

QTreeWidget* MakeEntryList(const char* name, const char* accessibleName,
                           const QStringList& columns);

// Shows `count` rows, row i with the texts `texts(i)`, and selects row `selected` (none
// when it is outside them).
void ShowEntryRows(QTreeWidget* list, int count, int selected,
                   const std::function<QStringList(int)>& texts);

// The same for texts in UTF-8, as the model gives them.
template <class Texts>
void ShowEntries(QTreeWidget* list, int count, int selected, const Texts& texts) {
    ShowEntryRows(list, count, selected, [&texts](int i) {
        QStringList row;
        for (const std::string& cell : texts(i)) row << QString::fromStdString(cell);
        return row;
    });
}

// The selected row, -1 for none.
int SelectedEntry(const QTreeWidget* list);

}  // namespace gui
