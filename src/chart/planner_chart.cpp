#include "chart/planner_chart.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>

#include "app/planner_form.h"
#include "loan/date.h"

namespace gui {

namespace {

struct SeriesStyle {
    QColor color;
    int width;
    Qt::PenStyle style;
};

// In the order of the variants. The plan as entered is a broad pale band under the others,
// so that the variant it coincides with still shows on top of it.
const std::array<SeriesStyle, 4> kSeriesStyles = {{
    {QColor(160, 196, 232), 9, Qt::SolidLine},
    {QColor(110, 110, 110), 2, Qt::DashLine},
    {QColor(44, 160, 44), 2, Qt::SolidLine},
    {QColor(214, 96, 0), 2, Qt::SolidLine},
}};

// A date as a moment on the time axis: noon, so that no time zone moves it to another day.
qint64 moment(const loan::Date& date) {
    return QDateTime(QDate(date.year, date.month, date.day), QTime(12, 0)).toMSecsSinceEpoch();
}

}  // namespace

QChart* MakeBalanceChart(const app::PlannerForm& planner) {
    auto* chart = new QChart;
    chart->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    chart->setLocalizeNumbers(true);
    chart->setBackgroundRoundness(0);
    // The plot takes the room: the chart's own frame is thin.
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setMargins(QMargins(6, 4, 10, 4));
    chart->legend()->setAlignment(Qt::AlignBottom);
    QFont title = chart->titleFont();
    title.setPointSize(10);
    title.setBold(true);
    chart->setTitleFont(title);
    if (!planner.HasPlan()) {
        chart->setTitle(kNoPlanChartTitle);
        return chart;
    }
    chart->setTitle(kChartTitle);

    auto* dates = new QDateTimeAxis;
    dates->setFormat("MM.yyyy");
    dates->setTitleText("Дата платежа");
    auto* balances = new QValueAxis;
    balances->setLabelFormat("%.0f");
    balances->setTitleText("Остаток, руб.");
    chart->addAxis(dates, Qt::AlignBottom);
    chart->addAxis(balances, Qt::AlignLeft);

    qint64 last = moment(planner.Terms().loanDate);
    for (std::size_t i = 0; i < loan::kPlanVariants.size(); ++i) {
        auto* series = new QLineSeries;
        series->setName(QString::fromUtf8(app::kVariantNames[i]));
        for (const app::BalancePoint& point : planner.BalanceCurve(loan::kPlanVariants[i])) {
            series->append(static_cast<qreal>(moment(point.date)),
                           loan::ToUnitsDouble(point.balance));
            last = std::max(last, moment(point.date));
        }
        const SeriesStyle& style = kSeriesStyles[i];
        QPen pen(style.color, style.width, style.style, Qt::RoundCap, Qt::RoundJoin);
        series->setPen(pen);
        chart->addSeries(series);
        series->attachAxis(dates);
        series->attachAxis(balances);
    }
    dates->setRange(QDateTime::fromMSecsSinceEpoch(moment(planner.Terms().loanDate)),
                    QDateTime::fromMSecsSinceEpoch(last));
    dates->setTickCount(std::clamp(planner.Terms().termMonths + 1, 2, 9));
    balances->setRange(0, loan::ToUnitsDouble(planner.Terms().sum));
    balances->applyNiceNumbers();
    return chart;
}

QImage RenderBalanceChart(const app::PlannerForm& planner, QSize size) {
    // The view lays the chart out as a shown one does, without appearing on any screen.
    QChartView view(MakeBalanceChart(planner));
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.setFrameShape(QFrame::NoFrame);
    view.setRenderHint(QPainter::Antialiasing);
    view.resize(size);
    view.show();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    view.render(&painter);
    return image;
}

QByteArray BalanceChartPng(const app::PlannerForm& planner, QSize size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!RenderBalanceChart(planner, size).save(&buffer, "PNG"))
        return {};
    return bytes;
}

}  // namespace gui
