#include "gui/comparison_table.h"

#include <QHeaderView>
#include <QTableWidget>

#include "gui/fonts.h"

namespace gui {

namespace {

constexpr int kRowHeight = 20;
// The titles are broken into lines of at most this many characters where they can be, so
// that the figures, not the titles, decide the columns' widths.
constexpr qsizetype kTitleLine = 11;

QString wrapped(const char* caption) {
    QString title;
    qsizetype lineStart = 0;
    for (const QString& word : QString::fromUtf8(caption).split(' ')) {
        if (title.isEmpty()) {
            title = word;
        } else if (title.size() - lineStart + 1 + word.size() <= kTitleLine) {
            title += ' ' + word;
        } else {
            title += '\n';
            lineStart = title.size();
            title += word;
        }
    }
    return title;
}

}  // namespace

QTableWidget* MakeComparisonTable() {
    auto* table = new QTableWidget(4, static_cast<int>(app::kComparisonColumns.size()));
    table->setObjectName("ComparisonTable");
    table->setAccessibleName("Сравнение вариантов");
    table->setFont(WindowFont());
    QStringList headers;
    for (const char* header : app::kComparisonColumns) headers << wrapped(header);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Every figure is shown whole; the last column takes the room left.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
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
