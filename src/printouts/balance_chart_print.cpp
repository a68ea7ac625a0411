#include "printouts/balance_chart_print.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "loan/date.h"
#include "loan/money.h"
#include "printouts/payment_pages.h"

namespace gui {

namespace {

using print::TPvExtended;

struct SeriesStyle {
    print::TPvColor color;
    int width;  // quarter points
    bool dashed;
};

// In the order of the variants, as the window's chart draws them: the plan as entered is
// a broad pale band under the others, so that the variant it coincides with shows on it.
constexpr std::array<SeriesStyle, 4> kSeriesStyles = {{
    {print::PvRgb(160, 196, 232), 20, false},
    {print::PvRgb(110, 110, 110), 5, true},
    {print::PvRgb(44, 160, 44), 6, false},
    {print::PvRgb(214, 96, 0), 6, false},
}};
// Lines up to this width (quarter points) leave no notch worth filling where they turn.
constexpr int kThinWidth = 8;
constexpr print::TPvColor kGridColor = print::PvRgb(210, 210, 210);
constexpr TPvExtended kDash = 0.06L;
constexpr TPvExtended kDashGap = 0.04L;
constexpr TPvExtended kLegendSample = 0.4L;
constexpr TPvExtended kLabelGap = 0.06L;
constexpr const char* kBalanceAxisTitle = "Остаток, руб.";
constexpr const char* kDateAxisTitle = "Дата платежа";
constexpr const char* kWidestDateLabel = "00.0000";

struct Point {
    TPvExtended x, y;
};

// The plot's rectangle and the ranges it shows.
struct Plot {
    TPvExtended left, top, right, bottom;
    std::int64_t firstDay, lastDay;
    double topBalance;

    TPvExtended X(const loan::Date& date) const {
        const auto span = static_cast<TPvExtended>(std::max<std::int64_t>(lastDay - firstDay, 1));
        return left +
               (right - left) * static_cast<TPvExtended>(loan::DaySerial(date) - firstDay) / span;
    }
    TPvExtended Y(double balance) const {
        return bottom - (bottom - top) * static_cast<TPvExtended>(balance / topBalance);
    }
};

class ChartPainter {
  public:
    explicit ChartPainter(print::TPvPageList& pages) : pages_(pages), canvas_(pages.Canvas) {
        canvas_.WordWrap = false;
    }

    TPvExtended TextWidth(const std::string& text) const {
        return pages_.Measurer().TextWidth(font_, text, print::kPvReferenceDpi) /
               print::kPvReferenceDpi;
    }
    TPvExtended LineHeight() const { return canvas_.TextHeight("0", print::pvInches, 10, 0); }

    void UseFont(const print::TPvFont& font) { font_ = canvas_.Font = font; }

    // A line of text in the box, at its top.
    void Text(const std::string& text, print::TPvAlignment alignment, TPvExtended x1,
              TPvExtended y1, TPvExtended x2) {
        canvas_.Font = font_;
        canvas_.Pen.Style = print::pvPenClear;
        canvas_.Brush.Style = print::pvBrushClear;
        canvas_.TextBox(text, alignment, print::pvInches, print::pvTop, 0, x1, y1, x2,
                        y1 + LineHeight());
    }

    void Line(print::TPvColor color, int width, Point from, Point to) {
        canvas_.Pen = {color, width, print::pvPenSolid, print::pvModeCopy};
        canvas_.Line(print::pvInches, from.x, from.y, to.x, to.y);
    }

    void Frame(TPvExtended x1, TPvExtended y1, TPvExtended x2, TPvExtended y2) {
        canvas_.Pen = {print::clBlack, 1, print::pvPenSolid, print::pvModeCopy};
        canvas_.Brush.Style = print::pvBrushClear;
        canvas_.Rectangle(print::pvInches, x1, y1, x2, y2);
    }

    void Series(const SeriesStyle& style, const std::vector<Point>& points) {
        if (style.dashed) {
            Dashed(style, points);
            return;
        }
        // Segments end flat: where two meet at an angle, a wide line would show a notch, so
        // each runs on half its width into its neighbours, as a square cap would.
        const TPvExtended reach = style.width > kThinWidth ? style.width / 288.0L / 2 : 0;
        for (std::size_t i = 1; i < points.size(); ++i) {
            Point from = points[i - 1], to = points[i];
            const TPvExtended length = std::hypot(to.x - from.x, to.y - from.y);
            if (length > 0 && reach > 0) {
                const TPvExtended dx = (to.x - from.x) / length * reach;
                const TPvExtended dy = (to.y - from.y) / length * reach;
                if (i > 1)
                    from = {from.x - dx, from.y - dy};
                if (i + 1 < points.size())
                    to = {to.x + dx, to.y + dy};
            }
            Line(style.color, style.width, from, to);
        }
    }

  private:
    // Dashes of even length along the whole line, whatever the lengths of its segments.
    void Dashed(const SeriesStyle& style, const std::vector<Point>& points) {
        TPvExtended phase = 0;  // how far into the current dash and gap the line has come
        for (std::size_t i = 1; i < points.size(); ++i) {
            const Point a = points[i - 1], b = points[i];
            const TPvExtended length = std::hypot(b.x - a.x, b.y - a.y);
            TPvExtended done = 0;
            while (done < length) {
                const bool inDash = phase < kDash;
                const TPvExtended step =
                    std::min(length - done, inDash ? kDash - phase : kDash + kDashGap - phase);
                if (inDash) {
                    const auto at = [&](TPvExtended d) {
                        return Point{a.x + (b.x - a.x) * d / length,
                                     a.y + (b.y - a.y) * d / length};
                    };
                    Line(style.color, style.width, at(done), at(done + step));
                }
                done += step;
                phase = std::fmod(phase + step, kDash + kDashGap);
            }
        }
    }

    print::TPvPageList& pages_;
    print::TPvCanvas& canvas_;
    print::TPvFont font_;
};

std::string TwoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

void DrawBalanceAxis(ChartPainter& painter, const Plot& plot, const std::vector<double>& ticks,
                     TPvExtended left) {
    for (const double tick : ticks) {
        const TPvExtended y = plot.Y(tick);
        if (tick > 0)
            painter.Line(kGridColor, 1, {plot.left, y}, {plot.right, y});
        painter.Text(BalanceTickText(tick), print::taRightJustify, left,
                     y - painter.LineHeight() / 2, plot.left - kLabelGap);
    }
}

void DrawDateAxis(ChartPainter& painter, const Plot& plot, const DateTicks& ticks) {
    const TPvExtended half = painter.TextWidth(kWidestDateLabel);
    for (const loan::Date& date : ticks.dates) {
        const TPvExtended x = plot.X(date);
        painter.Line(kGridColor, 1, {x, plot.top}, {x, plot.bottom});
        const std::string label = ticks.stepMonths >= 12
                                      ? std::to_string(date.year)
                                      : TwoDigits(date.month) + "." + std::to_string(date.year);
        painter.Text(label, print::taCenter, x - half, plot.bottom + kLabelGap, x + half);
    }
}

// The variants' samples and names in two columns of two.
void DrawLegend(ChartPainter& painter, TPvExtended left, TPvExtended top, TPvExtended width) {
    const TPvExtended row = painter.LineHeight() * 1.4L;
    for (std::size_t i = 0; i < kSeriesStyles.size(); ++i) {
        const TPvExtended x = left + (i % 2 == 0 ? 0 : width / 2);
        const TPvExtended y = top + static_cast<TPvExtended>(i / 2) * row;
        const TPvExtended middle = y + painter.LineHeight() / 2;
        painter.Series(kSeriesStyles[i], {{x, middle}, {x + kLegendSample, middle}});
        painter.Text(app::kVariantNames[i], print::taLeftJustify, x + kLegendSample + kLabelGap, y,
                     x + width / 2);
    }
}

}  // namespace

std::vector<double> BalanceTicks(double top) {
    std::vector<double> ticks{0};
    if (!(top > 0))
        return ticks;
    // Whole roubles at the finest, so that no two labels read the same.
    const double power = std::max(1.0, std::pow(10.0, std::floor(std::log10(top / 8))));
    double step = power;
    for (const double factor : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        step = factor * power;
        if (top / step <= 8)
            break;
    }
    for (double value = step; ticks.back() < top; value += step) ticks.push_back(value);
    return ticks;
}

std::string BalanceTickText(double roubles) {
    const std::string digits = std::to_string(static_cast<long long>(std::llround(roubles)));
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ' ';
        text += digits[i];
    }
    return text;
}

DateTicks DateTicksBetween(const loan::Date& first, const loan::Date& last, int most) {
    const int firstMonth = first.year * 12 + first.month - 1 + (first.day > 1 ? 1 : 0);
    const int lastMonth = last.year * 12 + last.month - 1;
    DateTicks ticks;
    for (const int step : {1, 2, 3, 6, 12, 24, 60, 120}) {
        ticks.stepMonths = step;
        ticks.dates.clear();
        for (int month = (firstMonth + step - 1) / step * step; month <= lastMonth; month += step)
            ticks.dates.push_back({month / 12, month % 12 + 1, 1});
        if (static_cast<int>(ticks.dates.size()) <= most)
            break;
    }
    return ticks;
}

void PrintBalanceChart(print::TPvPageList& pages, const app::PlannerForm& planner, TPvExtended left,
                       TPvExtended top, TPvExtended width) {
    if (!planner.HasPlan())
        return;
    std::array<std::vector<app::BalancePoint>, 4> curves;
    Plot plot{};
    plot.firstDay = loan::DaySerial(planner.Terms().loanDate);
    plot.lastDay = plot.firstDay;
    for (std::size_t i = 0; i < curves.size(); ++i) {
        curves[i] = planner.BalanceCurve(loan::kPlanVariants[i]);
        for (const app::BalancePoint& point : curves[i])
            plot.lastDay = std::max(plot.lastDay, loan::DaySerial(point.date));
    }
    const std::vector<double> balanceTicks = BalanceTicks(loan::ToUnitsDouble(planner.Terms().sum));
    plot.topBalance = std::max(balanceTicks.back(), 1.0);

    ChartPainter painter(pages);
    painter.UseFont(Cyrillic(print::PvFont("Arial", 10, print::pvBold)));
    painter.Text(kPrintedChartTitle, print::taLeftJustify, left, top, left + width);
    TPvExtended y = top + painter.LineHeight() * 1.5L;
    painter.UseFont(Cyrillic(print::PvFont("Arial", 8)));
    const TPvExtended line = painter.LineHeight();
    painter.Text(kBalanceAxisTitle, print::taLeftJustify, left, y, left + width);
    y += line * 1.5L;

    TPvExtended labels = 0;
    for (const double tick : balanceTicks)
        labels = std::max(labels, painter.TextWidth(BalanceTickText(tick)));
    const TPvExtended dateLabel = painter.TextWidth(kWidestDateLabel);
    plot.left = left + labels + kLabelGap;
    plot.right = left + width - dateLabel / 2;
    plot.top = y;
    // Below the plot: the dates, the axis's title and the legend's two rows.
    plot.bottom = top + kPrintedChartHeight - kLabelGap - line * 2.4L - line * 3.2L;

    DrawBalanceAxis(painter, plot, balanceTicks, left);
    const int most = static_cast<int>((plot.right - plot.left) / (dateLabel * 1.5L)) + 1;
    DrawDateAxis(
        painter, plot,
        DateTicksBetween(planner.Terms().loanDate, loan::DateFromSerial(plot.lastDay), most));
    for (std::size_t i = 0; i < curves.size(); ++i) {
        std::vector<Point> points;
        points.reserve(curves[i].size());
        for (const app::BalancePoint& point : curves[i])
            points.push_back({plot.X(point.date), plot.Y(loan::ToUnitsDouble(point.balance))});
        painter.Series(kSeriesStyles[i], points);
    }
    painter.Frame(plot.left, plot.top, plot.right, plot.bottom);

    y = plot.bottom + kLabelGap + line * 1.2L;
    painter.Text(kDateAxisTitle, print::taCenter, plot.left, y, plot.right);
    DrawLegend(painter, plot.left, y + line * 1.6L, plot.right - plot.left);
}

}  // namespace gui
