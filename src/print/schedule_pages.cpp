#include "print/schedule_pages.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace velunar::print {
namespace {

constexpr double kBodyPoints = 8.0;
constexpr double kTitlePoints = 14.0;
constexpr double kNotePoints = 9.0;
// The widest cells of any range are among those of its first sixty dates: what a double-hour opens follows
// the stems and branches of its date, which come round every sixty days.
constexpr std::int64_t kSampleDays = 60;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QFont SheetFont(double points, bool bold = false) {
    QFont f = QGuiApplication::font();
    f.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"), f.family()});
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// Where everything of a page goes, in the device's pixels.
struct Layout {
    double width = 0, height = 0;
    double mm = 1;  // pixels in a millimetre
    double headHeight = 0, footHeight = 0, rowHeight = 0;
    std::int64_t rowsPerPage = 12;
    std::vector<double> columns;  // widths
    QFont body, bold;
};

Layout LayOut(QPagedPaintDevice& device, const SheetRange& range, const ReferenceTables& tables) {
    Layout l;
    l.width = device.width();
    l.height = device.height();
    l.mm = device.logicalDpiY() / 25.4;
    const QFontMetricsF title(SheetFont(kTitlePoints, true), &device), note(SheetFont(kNotePoints), &device);
    l.headHeight = title.lineSpacing() + note.lineSpacing() * 2 + 2 * l.mm;
    l.footHeight = note.lineSpacing() + 1.5 * l.mm;

    const bool clock = range.place.has_value();
    const std::vector<std::string> titles = SheetColumns(clock);
    std::vector<std::vector<std::string>> sample;
    ForEachSheetRow(
        range.firstDay, std::min(range.lastDay, range.firstDay + kSampleDays - 1), range.mode, tables,
        range.place,
        [&](const SheetRow& row) {
            sample.push_back(SheetCells(row, clock, range.spelling));
            return true;
        },
        range.taboo);
    // The columns at the body size; a page too narrow for them takes a smaller size for all.
    double points = kBodyPoints;
    const double padding = 2 * l.mm;
    auto measure = [&](double size) {
        const QFontMetricsF plain(SheetFont(size), &device), strong(SheetFont(size, true), &device);
        std::vector<double> widths(titles.size());
        for (std::size_t c = 0; c < titles.size(); ++c) {
            widths[c] = strong.horizontalAdvance(Q(titles[c]));
            for (const auto& cells : sample)
                widths[c] = std::max(widths[c], plain.horizontalAdvance(Q(cells[c])));
            widths[c] += padding;
        }
        return widths;
    };
    l.columns = measure(points);
    double total = 0;
    for (double w : l.columns) total += w;
    if (total > l.width) {
        points *= l.width / total * 0.98;
        l.columns = measure(points);
        total = 0;
        for (double w : l.columns) total += w;
    }
    // What room is left goes to every column alike, so the table spans the page.
    for (double& w : l.columns) w += (l.width - total) / static_cast<double>(l.columns.size());
    l.body = SheetFont(points);
    l.bold = SheetFont(points, true);

    // Whole dates to a page where a date's rows fit, so a date is never split; else as many rows as fit.
    const double natural = QFontMetricsF(l.body, &device).lineSpacing() * 1.3;
    const double table = l.height - l.headHeight - l.footHeight;
    const auto fit = std::max<std::int64_t>(1, static_cast<std::int64_t>(table / natural) - 1);
    const int date = RowsPerDate(range.mode);
    l.rowsPerPage = fit >= date ? fit / date * date : fit;
    l.rowHeight = std::min(table / static_cast<double>(l.rowsPerPage + 1), natural * 1.4);
    return l;
}

class PagePainter {
  public:
    PagePainter(QPainter& p, const Layout& l, const SheetRange& range, std::int64_t pages)
        : p_(p), l_(l), range_(range), pages_(pages), titles_(SheetColumns(range.place.has_value())) {}

    void Begin(std::int64_t page) {
        page_ = page;
        p_.setPen(Qt::black);
        p_.setFont(SheetFont(kTitlePoints, true));
        const QFontMetricsF title(p_.font(), p_.device());
        p_.drawText(QRectF(0, 0, l_.width, title.lineSpacing()), Qt::AlignLeft | Qt::AlignVCenter,
                    QStringLiteral("开穴表"));
        p_.setFont(SheetFont(kNotePoints));
        const QFontMetricsF note(p_.font(), p_.device());
        p_.drawText(QRectF(0, 0, l_.width, title.lineSpacing()), Qt::AlignRight | Qt::AlignVCenter,
                    Q(range_.heading.range));
        const double y = title.lineSpacing();
        p_.drawText(QRectF(0, y, l_.width, note.lineSpacing()), Qt::AlignLeft | Qt::AlignVCenter,
                    Q(range_.heading.place));
        p_.drawText(QRectF(0, y + note.lineSpacing(), l_.width, note.lineSpacing()),
                    Qt::AlignLeft | Qt::AlignVCenter, Q(range_.heading.mode));
        top_ = l_.headHeight;
        row_ = 0;
        // The column titles on every page.
        p_.fillRect(QRectF(0, top_, l_.width, l_.rowHeight), QColor(0xDD, 0xDD, 0xDD));
        p_.setFont(l_.bold);
        double x = 0;
        for (std::size_t c = 0; c < titles_.size(); ++c) {
            p_.drawText(QRectF(x, top_, l_.columns[c], l_.rowHeight), Qt::AlignCenter, Q(titles_[c]));
            x += l_.columns[c];
        }
        top_ += l_.rowHeight;
    }

    void Row(const SheetRow& row) {
        const std::vector<std::string> cells = SheetCells(row, range_.place.has_value(), range_.spelling);
        const QRectF band(0, top_ + row_ * l_.rowHeight, l_.width, l_.rowHeight);
        if (row.row.closed) p_.fillRect(band, QColor(0xEE, 0xEE, 0xEE));
        const bool firstOfDate = row.row.branch == Branch::Zi;
        p_.setPen(QPen(firstOfDate ? QColor(0x60, 0x60, 0x60) : QColor(0xC0, 0xC0, 0xC0), 0));
        p_.drawLine(band.topLeft(), band.topRight());
        // As in the window: outside the clinic's hours grey, the plan's points bold on green.
        const QColor ink = OutsideHours(row, range_.plan) ? QColor(0x9A, 0x9A, 0x9A) : QColor(Qt::black);
        QFont bold = l_.body;
        bold.setBold(true);
        double x = 0;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const QRectF cell(x, band.top(), l_.columns[c], l_.rowHeight);
            const bool planned = c > 0 && range_.plan.points.count(cells[c]) > 0;
            if (planned) p_.fillRect(cell.adjusted(0.5, 0.5, -0.5, 0), QColor(0xCF, 0xEB, 0xD2));
            p_.setPen(ink);
            p_.setFont(planned ? bold : l_.body);
            // The date once a date, and again at the top of a page.
            if (c > 0 || firstOfDate || row_ == 0) p_.drawText(cell, Qt::AlignCenter, Q(cells[c]));
            x += l_.columns[c];
        }
        p_.setPen(Qt::black);
        p_.setFont(l_.body);
        ++row_;
    }

    void End() {
        const double bottom = top_ + row_ * l_.rowHeight;
        p_.setPen(QPen(QColor(0x60, 0x60, 0x60), 0));
        p_.drawLine(QPointF(0, bottom), QPointF(l_.width, bottom));
        p_.drawRect(QRectF(0, l_.headHeight, l_.width, bottom - l_.headHeight));
        p_.setPen(Qt::black);
        p_.setFont(SheetFont(kNotePoints));
        p_.drawText(QRectF(0, l_.height - l_.footHeight, l_.width, l_.footHeight), Qt::AlignCenter,
                    QStringLiteral("第 %1 页，共 %2 页").arg(page_).arg(pages_));
    }

  private:
    QPainter& p_;
    const Layout& l_;
    const SheetRange& range_;
    std::int64_t pages_;
    std::vector<std::string> titles_;
    std::int64_t page_ = 0;
    double top_ = 0;
    std::int64_t row_ = 0;
};

}  // namespace

int PaintSchedule(QPagedPaintDevice& device, const SheetRange& range, const ReferenceTables& tables) {
    if (range.firstDay > range.lastDay) return 0;
    const Layout layout = LayOut(device, range, tables);
    const std::int64_t rows = (range.lastDay - range.firstDay + 1) * RowsPerDate(range.mode);
    const std::int64_t pages = (rows + layout.rowsPerPage - 1) / layout.rowsPerPage;
    QPainter p;
    if (!p.begin(&device)) return 0;
    p.setRenderHint(QPainter::Antialiasing);
    PagePainter page(p, layout, range, pages);
    std::int64_t index = 0;
    bool ok = true;
    ForEachSheetRow(
        range.firstDay, range.lastDay, range.mode, tables, range.place,
        [&](const SheetRow& row) {
            if (index % layout.rowsPerPage == 0) {
                if (index > 0) {
                    page.End();
                    if (!device.newPage()) return ok = false;
                }
                page.Begin(index / layout.rowsPerPage + 1);
            }
            page.Row(row);
            ++index;
            return true;
        },
        range.taboo);
    page.End();
    if (!p.end() || !ok) return 0;
    return static_cast<int>(std::min<std::int64_t>(pages, INT32_MAX));
}

int WriteSchedulePdf(QIODevice& out, const SheetRange& range, const ReferenceTables& tables) {
    QPdfWriter writer(&out);
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    writer.setTitle(QStringLiteral("开穴表 ") + Q(range.heading.range));
    writer.setCreator(QStringLiteral("Velunar"));
    return PaintSchedule(writer, range, tables);
}

}  // namespace velunar::print
