#include "gui/entry_list.h"

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

void ShowEntryRows(QTreeWidget* list, int count, int selected,
                   const std::function<QStringList(int)>& texts) {
    const QSignalBlocker quiet(list);
    list->clear();
    for (int i = 0; i < count; ++i) list->addTopLevelItem(new QTreeWidgetItem(texts(i)));
    if (selected >= 0 && selected < count)
        list->setCurrentItem(list->topLevelItem(selected));
    else
        list->clearSelection();
    for (int column = 0; column + 1 < list->columnCount(); ++column)
        list->resizeColumnToContents(column);
}

int SelectedEntry(const QTreeWidget* list) {
    const QList<QTreeWidgetItem*> chosen = list->selectedItems();
    return chosen.isEmpty() ? -1 : list->indexOfTopLevelItem(chosen.front());
}

}  // namespace gui
