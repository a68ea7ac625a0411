#include "gui/entry_list.h"

#include <algorithm>

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace gui {

QTreeWidget* MakeEntryList(const char* name, const char* accessibleName,
                           const QStringList& columns) {
    auto* list = new QTreeWidget;
    list->setObjectName(name);
    list->setAccessibleName(QString::fromUtf8(accessibleName));
    list->setColumnCount(static_cast<int>(columns.size()));
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setStretchLastSection(true);
    list->header()->setMinimumSectionSize(40);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setMinimumHeight(84);
    return list;
}

namespace {

// Where a row keeps the index of the entry it shows.
constexpr int kEntryRole = Qt::UserRole;

}  // namespace

std::vector<int> EntriesInOrder(int count) {
    std::vector<int> order(static_cast<std::size_t>(std::max(count, 0)));
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    return order;
}

void ShowEntryRows(QTreeWidget* list, const std::vector<int>& order, int selected,
                   const std::function<QStringList(int)>& texts) {
    const QSignalBlocker quiet(list);
    list->clear();
    QTreeWidgetItem* chosen = nullptr;
    for (int entry : order) {
        auto* item = new QTreeWidgetItem(texts(entry));
        item->setData(0, kEntryRole, entry);
        list->addTopLevelItem(item);
        if (entry == selected)
            chosen = item;
    }
    if (chosen)
        list->setCurrentItem(chosen);
    else
        list->clearSelection();
    for (int column = 0; column + 1 < list->columnCount(); ++column)
        list->resizeColumnToContents(column);
}

int SelectedEntry(const QTreeWidget* list) {
    const QList<QTreeWidgetItem*> chosen = list->selectedItems();
    return chosen.isEmpty() ? -1 : chosen.front()->data(0, kEntryRole).toInt();
}

}  // namespace gui
