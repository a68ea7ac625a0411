#include "gui/calendar_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/fonts.h"
#include "gui/widget_factories.h"

namespace gui {

namespace {

constexpr int kDayRole = Qt::UserRole;          // the day of the month, 0 for an empty cell
constexpr int kChangedRole = Qt::UserRole + 1;  // the user changed the day

constexpr int kCellWidth = 28;
constexpr int kCellHeight = 20;
constexpr int kWeeks = 6;

const QColor kNonWorkingColor(0xc0, 0x00, 0x00);
const QColor kChangedFrameColor(0x00, 0x40, 0xc0);
const QColor kCurrentDayColor(0xcf, 0xe3, 0xff);

// Draws a day: the current day of a table with the focus on a light background (the text
// keeps its colour), the user's changes in a frame.
class DayDelegate : public QStyledItemDelegate {
  public:
    explicit DayDelegate(QAbstractItemView* view) : QStyledItemDelegate(view), view_(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem plain(option);
        plain.state &= ~QStyle::State_Selected;
        // The view has filled a selected cell with the strong highlight already.
        if (option.state & QStyle::State_Selected)
            painter->fillRect(option.rect, view_->hasFocus()
                                               ? kCurrentDayColor
                                               : option.palette.color(QPalette::Base));
        QStyledItemDelegate::paint(painter, plain, index);
        if (index.data(kChangedRole).toBool()) {
            painter->save();
            painter->setPen(QPen(kChangedFrameColor, 2));
            painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
            painter->restore();
        }
    }

  private:
    QAbstractItemView* view_;
};

// A sample day of the legend with its meaning beside it.
QWidget* legendEntry(const char* sample, const char* style, const char* meaning) {
    auto* entry = new QWidget;
    auto* row = new QHBoxLayout(entry);
    row->setContentsMargins(0, 0, 0, 0);
    auto* day = new QLabel(QString::fromUtf8(sample));
    day->setAlignment(Qt::AlignCenter);
    day->setFixedSize(kCellWidth, kCellHeight);
    day->setStyleSheet(QString::fromUtf8(style));
    day->setAccessibleName(QString::fromUtf8(meaning));
    row->addWidget(day);
    row->addWidget(MakeLabel(meaning));
    return entry;
}

}  // namespace

// ---- One month ------------------------------------------------------------------------------

MonthTable::MonthTable(int month, QWidget* parent)
    : QTableWidget(kWeeks, 7, parent), month_(month) {
    setObjectName(QStringLiteral("Month%1").arg(month));
    setFont(WindowFont());
    setItemDelegate(new DayDelegate(this));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setTabKeyNavigation(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setShowGrid(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultSectionSize(kCellWidth);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setDefaultSectionSize(kCellHeight);
    for (int column = 0; column < 7; ++column) {
        auto* header =
            new QTableWidgetItem(QString::fromUtf8(app::CalendarForm::WeekdayShortName(column)));
        if (column >= 5)
            header->setForeground(kNonWorkingColor);
        setHorizontalHeaderItem(column, header);
    }
    for (int row = 0; row < kWeeks; ++row) {
        for (int column = 0; column < 7; ++column) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignCenter);
            setItem(row, column, cell);
        }
    }
    const int headerHeight = horizontalHeader()->sizeHint().height();
    setFixedSize(7 * kCellWidth + 2 * frameWidth(),
                 headerHeight + kWeeks * kCellHeight + 2 * frameWidth());
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (const int day = item(row, column)->data(kDayRole).toInt())
            emit dayChosen(day);
    });
}

QModelIndex MonthTable::indexOfDay(int day) const {
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column) {
            if (item(row, column)->data(kDayRole).toInt() == day)
                return model()->index(row, column);
        }
    }
    return {};
}

void MonthTable::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        const QModelIndex current = currentIndex();
        if (const int day = current.isValid() ? current.data(kDayRole).toInt() : 0)
            emit dayChosen(day);
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

// ---- The dialog -----------------------------------------------------------------------------

CalendarDialog::CalendarDialog(app::FormPort& messages, QWidget* parent)
    : QDialog(parent), form_(messages) {
    setObjectName("CalendarDialog");
    setWindowTitle(app::kCalendarCaption);
    setFont(WindowFont());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildYearRow());
    status_ = MakeLabel("");
    status_->setObjectName("CalendarStatus");
    workingDays_ = MakeLabel("");
    workingDays_->setObjectName("WorkingDays");
    layout->addWidget(status_);
    layout->addWidget(workingDays_);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(8);
    for (int month = 1; month <= 12; ++month) {
        auto* table = new MonthTable(month);
        auto* title = new QLabel;
        title->setFont(GroupFont());
        title->setAlignment(Qt::AlignCenter);
        auto* box = new QVBoxLayout;
        box->setSpacing(2);
        box->addWidget(title);
        box->addWidget(table);
        grid->addLayout(box, (month - 1) / 4, (month - 1) % 4);
        titles_[static_cast<std::size_t>(month - 1)] = title;
        months_[static_cast<std::size_t>(month - 1)] = table;
        connect(table, &MonthTable::dayChosen, this,
                [this, month](int day) { chooseDay(month, day); });
    }
    layout->addLayout(grid);
    layout->addLayout(buildLegend());
    layout->addLayout(buildButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
}

QLayout* CalendarDialog::buildYearRow() {
    auto* row = new QHBoxLayout;
    year_ = new QSpinBox;
    year_->setObjectName("YearSpin");
    year_->setFont(InputFont());
    year_->setRange(app::CalendarForm::kFirstYear, app::CalendarForm::kLastYear);
    year_->setValue(form_.Year());
    year_->setKeyboardTracking(false);
    auto* previous = new QToolButton;
    previous->setObjectName("PreviousYearButton");
    previous->setArrowType(Qt::LeftArrow);
    previous->setAccessibleName("Предыдущий год");
    previous->setToolTip("Предыдущий год");
    auto* next = new QToolButton;
    next->setObjectName("NextYearButton");
    next->setArrowType(Qt::RightArrow);
    next->setAccessibleName("Следующий год");
    next->setToolTip("Следующий год");
    row->addWidget(MakeFieldLabel("&Год:", year_));
    row->addWidget(previous);
    row->addWidget(year_);
    row->addWidget(next);
    row->addStretch();

    connect(year_, &QSpinBox::valueChanged, this, [this](int year) {
        form_.SetYear(year);
        refresh();
    });
    connect(previous, &QToolButton::clicked, year_, &QSpinBox::stepDown);
    connect(next, &QToolButton::clicked, year_, &QSpinBox::stepUp);
    return row;
}

QLayout* CalendarDialog::buildLegend() {
    auto* row = new QHBoxLayout;
    row->addWidget(legendEntry("5", "", "Рабочий день"));
    row->addWidget(legendEntry("6", "color: #c00000; font-weight: bold;", "Нерабочий день"));
    row->addWidget(legendEntry("7", "border: 2px solid #0040c0;", "Изменено вами"));
    row->addStretch();
    auto* hint = MakeLabel("Щелчок или пробел меняет день: рабочий ↔ нерабочий.");
    hint->setObjectName("CalendarHint");
    row->addWidget(hint);
    return row;
}

QLayout* CalendarDialog::buildButtons() {
    auto* row = new QHBoxLayout;
    resetYear_ = MakeButton("ResetYearButton", "Сбросить изменения года");
    auto* save = MakeButton("SaveButton", "&Сохранить");
    auto* cancel = MakeButton("CancelButton", "Отмена");
    row->addWidget(resetYear_);
    row->addStretch();
    row->addWidget(save);
    row->addWidget(cancel);
    connect(resetYear_, &QPushButton::clicked, this, [this] {
        form_.ResetYear();
        refresh();
    });
    connect(save, &QPushButton::clicked, this, &CalendarDialog::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    return row;
}

bool CalendarDialog::load() {
    const bool loaded = form_.Load();
    refresh();
    return loaded;
}

void CalendarDialog::refresh() {
    const int year = form_.Year();
    if (year_->value() != year) {
        const QSignalBlocker quiet(year_);
        year_->setValue(year);
    }
    status_->setText(QString::fromStdString(form_.StatusText()));
    status_->setStyleSheet(loan::ProductionCalendar::Approved(year) ? QString()
                                                                    : "color: #a04000;");
    workingDays_->setText(QString::fromStdString(form_.WorkingDaysText()));
    for (MonthTable* table : months_) {
        const QString title = QString::fromStdString(app::CalendarForm::MonthName(table->month()));
        titles_[static_cast<std::size_t>(table->month() - 1)]->setText(title);
        table->setAccessibleName(title + " " + QString::number(year));
        showMonth(*table);
    }
    resetYear_->setEnabled(form_.YearHasChanges());
}

void CalendarDialog::showMonth(MonthTable& table) {
    const int year = form_.Year();
    const int month = table.month();
    const int first = app::CalendarForm::FirstColumn(year, month);
    const int days = loan::DaysInMonth(year, month);
    for (int cell = 0; cell < kWeeks * 7; ++cell) {
        QTableWidgetItem* item = table.item(cell / 7, cell % 7);
        const int day = cell - first + 1;
        if (day < 1 || day > days) {
            item->setText(QString());
            item->setData(kDayRole, 0);
            item->setData(kChangedRole, false);
            item->setData(Qt::AccessibleTextRole, QVariant());
            item->setFlags(Qt::NoItemFlags);
            continue;
        }
        const loan::Date date{year, month, day};
        const bool working = form_.IsWorkingDay(date);
        QFont font = table.font();
        font.setBold(!working);
        item->setText(QString::number(day));
        item->setData(kDayRole, day);
        item->setData(kChangedRole, form_.IsChanged(date));
        item->setData(Qt::AccessibleTextRole, QString::fromStdString(form_.DayDescription(date)));
        item->setForeground(working ? table.palette().color(QPalette::Text) : kNonWorkingColor);
        item->setFont(font);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
}

void CalendarDialog::chooseDay(int month, int day) {
    form_.Toggle({form_.Year(), month, day});
    refresh();
}

void CalendarDialog::save() {
    // A failed save is shown by the form; the dialog stays open with the changes.
    if (form_.Save())
        accept();
}

bool EditProductionCalendar(QWidget* parent, app::FormPort& messages) {
    CalendarDialog dialog(messages, parent);
    if (!dialog.load())
        return false;
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace gui
