#include "gui/comparison_table.h"

#include <cstdlib>

#include <QHeaderView>
#include <QTableWidget>

#include "gui/fonts.h"

namespace gui {

namespace {

constexpr int kRowHeight = 20;

// A title of two words or more becomes two lines, broken at the blank nearest the middle.
QString twoLines(const char* caption) {
    QString title = QString::fromUtf8(caption);
    int best = -1;
    for (int i = 0; i < title.size(); ++i) {
        if (title[i] == ' ' &&
            (best < 0 || std::abs(i - title.size() / 2) < std::abs(best - title.size() / 2)))
            best = i;
    }
    if (best >= 0)
        title[best] = '\n';
    return title;
}

}  // namespace

QTableWidget* MakeComparisonTable() {
    auto* table = new QTableWidget(4, static_cast<int>(app::kComparisonColumns.size()));
    table->setObjectName("ComparisonTable");
    table->setAccessibleName("Сравнение вариантов");
    table->setFont(WindowFont());
    QStringList headers;
    for (const char* header : app::kComparisonColumns) headers << twoLines(header);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // The variant's name is shown whole.
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return table;
}

void FitComparisonHeight(QTableWidget* table) {
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() + 4 * kRowHeight + 4);
}

void ShowComparison(QTableWidget* table, const std::array<app::ComparisonLine, 4>& rows) {
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            auto* item = new QTableWidgetItem(QString::fromStdString(
                rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]));
            item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                               : Qt::AlignCenter);
            if (row == 0) {
                QFont bold = WindowFont();
                bold.setBold(true);
                item->setFont(bold);
            }
            table->setItem(row, column, item);
        }
    }
}

}  // namespace gui
