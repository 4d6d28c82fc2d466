#include "ui/schedulewindow.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "calendar/datetime.h"
#include "methods/clock_span.h"
#include "store/outputfile.h"
#include "store/tzdb.h"
#include "ui/civil_date.h"
#include "ui/mainwindow_widgets.h"
#include "ui/schedulemodel.h"
#include "ui/windowplacement.h"
#include "ui_schedulewindow.h"

namespace velunar::ui {
namespace {

// Where the clock column shows: after the date and the double-hour's stem and branch.
constexpr int kClockPlace = 2;

QPageLayout SheetPage() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

// The place the spans are worked out for; none when the time step cannot use it.
std::optional<TickInput> ClockPlace(TickInput place, std::int64_t firstDay, std::int64_t lastDay) {
    // A tz-database zone gives each reading of the range the offsets in force then.
    store::CoverDays(place, firstDay, lastDay);
    place.hint = false;
    if (SpanPlaceFault(place) || !place.timeMode) return std::nullopt;
    return place;
}

}  // namespace

ScheduleWindow::ScheduleWindow(TablesSource tables, PlaceSource place, DateSource date, MomentHandler choose,
                               QWidget* parent)
    : QWidget(parent, Qt::Window),
      tables_(std::move(tables)),
      place_(std::move(place)),
      date_(std::move(date)),
      choose_(std::move(choose)),
      ui_(std::make_unique<::Ui::ScheduleWindow>()) {
    ui_->setupUi(this);
    setObjectName(QStringLiteral("scheduleWindow"));
    WindowPlacement::Keep(this, objectName());
    model_ = new ScheduleModel(this);
    ui_->tableView->setModel(model_);
    ui_->tableView->verticalHeader()->hide();
    ui_->tableView->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ui_->noteLabel->hide();
    ui_->lengthBox->setCurrentIndex(static_cast<int>(Length::Week));
    ui_->dateEdit->setDate(QDate::currentDate());
    // 避开人神: the points on a 人神 taboo are left out of the sheet (screen, print, PDF), and counted.
    avoidBox_ = new QCheckBox(QStringLiteral("避开人神"), this);
    avoidBox_->setObjectName(QStringLiteral("avoidRenShenBox"));
    avoidBox_->setToolTip(QStringLiteral("略去正当人神所在的开穴（该格留空）"));
    ui_->rangeLayout->addWidget(avoidBox_);
    connect(avoidBox_, &QCheckBox::toggled, this, &ScheduleWindow::refresh);
    connect(ui_->lengthBox, &QComboBox::currentIndexChanged, this, &ScheduleWindow::refresh);
    connect(ui_->dateEdit, &QDateEdit::dateChanged, this, &ScheduleWindow::refresh);
    SelectSectionOnClick(ui_->dateEdit);
    connect(ui_->earlierButton, &QToolButton::clicked, this, [this] { step(-1); });
    connect(ui_->laterButton, &QToolButton::clicked, this, [this] { step(1); });
    connect(ui_->tableView, &QTableView::clicked, this,
            [this](const QModelIndex& i) { this->choose(i.row()); });
    connect(ui_->printButton, &QPushButton::clicked, this, &ScheduleWindow::printSheet);
    connect(ui_->pdfButton, &QPushButton::clicked, this, &ScheduleWindow::exportPdf);
    auto* print = new QAction(this);
    print->setObjectName(QStringLiteral("printAction"));
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(print, &QAction::triggered, this, &ScheduleWindow::printSheet);
    addAction(print);
}

ScheduleWindow::~ScheduleWindow() = default;

void ScheduleWindow::setRange(QDate date, Length length) {
    const QSignalBlocker blockLength(ui_->lengthBox), blockDate(ui_->dateEdit);
    ui_->lengthBox->setCurrentIndex(static_cast<int>(length));
    ui_->dateEdit->setDate(date);
    dated_ = true;
    refresh();
}

void ScheduleWindow::step(int direction) {
    const QDate d = ui_->dateEdit->date();
    switch (static_cast<Length>(ui_->lengthBox->currentIndex())) {
        case Length::Day:
            ui_->dateEdit->setDate(d.addDays(direction));
            break;
        case Length::Week:
            ui_->dateEdit->setDate(d.addDays(7 * direction));
            break;
        case Length::Month:
            ui_->dateEdit->setDate(d.addMonths(direction));
            break;
    }
}

void ScheduleWindow::refresh() {
    shown_ = tables_ ? tables_() : nullptr;
    if (!shown_) {
        model_->setRows({}, false);
        ui_->noteLabel->setText(QStringLiteral("参考表尚未读入，无法计算开穴表。"));
        ui_->noteLabel->show();
        return;
    }
    const QDate d = ui_->dateEdit->date();
    QDate first = d, last = d;
    switch (static_cast<Length>(ui_->lengthBox->currentIndex())) {
        case Length::Day:
            break;
        case Length::Week:
            first = d.addDays(1 - d.dayOfWeek());
            last = first.addDays(6);
            break;
        case Length::Month:
            first = QDate(d.year(), d.month(), 1);
            last = QDate(d.year(), d.month(), d.daysInMonth());
            break;
    }
    const TickInput place = place_ ? place_() : TickInput{};
    range_.firstDay = DayOf(first);
    range_.lastDay = DayOf(last);
    range_.place = ClockPlace(place, range_.firstDay, range_.lastDay);
    range_.heading = print::HeadingOf(range_.place ? *range_.place : place, range_.firstDay, range_.lastDay);
    range_.mode = place.timeMode.value_or(TimeMode::NoNightRat);
    range_.spelling = place.sixthStem;
    ui_->headingLabel->setText(QString::fromStdString(range_.heading.place + "　" + range_.heading.mode +
                                                      "　" + range_.heading.range));
    if (range_.place) {
        ui_->noteLabel->hide();
    } else {
        ui_->noteLabel->setText(QStringLiteral("主窗口的经度、时区或夏令时尚不能计算，开穴表暂无钟表时间。"));
        ui_->noteLabel->show();
    }
    range_.taboo = {place.taboo, avoidBox_->isChecked()};
    std::vector<print::SheetRow> rows;
    int leftOut = 0;
    print::ForEachSheetRow(
        range_.firstDay, range_.lastDay, range_.mode, *shown_, range_.place,
        [&rows, &leftOut](const print::SheetRow& r) {
            leftOut += r.leftOut;
            rows.push_back(r);
            return true;
        },
        range_.taboo);
    if (range_.taboo.avoid) {
        const QString said = QStringLiteral("已避开人神：略去 %1 个正当人神所在的开穴。").arg(leftOut);
        ui_->noteLabel->setText(
            ui_->noteLabel->isHidden() ? said : ui_->noteLabel->text() + QLatin1Char('\n') + said);
        ui_->noteLabel->show();
    }
    model_->setRows(std::move(rows), range_.place.has_value(), range_.spelling);
    if (marks_) {
        SchedulePlanMarks marks = marks_(range_.firstDay, range_.lastDay, range_.place);
        // The printed and the PDF sheet mark what the grid marks.
        range_.plan = {};
        for (const QString& p : marks.points) range_.plan.points.insert(p.toStdString());
        range_.plan.hours = marks.hours;
        model_->setPlanMarks(std::move(marks));
    }
    // The clock span is what a booking is made by: beside the double-hour, not past the last doctrine.
    QHeaderView* header = ui_->tableView->horizontalHeader();
    if (range_.place) header->moveSection(header->visualIndex(model_->columnCount() - 1), kClockPlace);
}

void ScheduleWindow::choose(int row) {
    if (row < 0 || row >= model_->rowCount()) return;
    const print::SheetRow& r = model_->sheetRow(row);
    if (!r.span) {
        ui_->noteLabel->setText(QStringLiteral("这个时辰没有钟表时间，主窗口无法转到它。"));
        ui_->noteLabel->show();
        return;
    }
    if (choose_) choose_(r.span->Start(), r.span->startOffset.Total());
}

void ScheduleWindow::paint(QPrinter* printer) {
    if (!shown_ || print::PaintSchedule(*printer, range_, *shown_) == 0)
        Warn(this, warn_, QStringLiteral("开穴表无法打印。"));
}

void ScheduleWindow::printSheet() {
    if (!shown_) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(SheetPage());
    printer.setDocName(QStringLiteral("开穴表"));
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("开穴表 打印预览"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &ScheduleWindow::paint);
    preview.exec();
}

void ScheduleWindow::exportPdf() {
    if (!shown_) return;
    const QString suggested =
        QStringLiteral("开穴表 %1.pdf").arg(QString::fromStdString(range_.heading.range));
    QString path = pdfPath_ ? pdfPath_()
                            : QFileDialog::getSaveFileName(this, QStringLiteral("导出PDF"), suggested,
                                                           QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (print::WriteSchedulePdf(buffer, range_, *shown_) == 0) {
        Warn(this, warn_, QStringLiteral("开穴表无法绘制。"));
        return;
    }
    store::OutputFile file(path);
    if (!file.Open() || !file.Write(buffer.data()) || !file.Commit()) {
        Warn(this, warn_, QStringLiteral("无法写入 %1：%2").arg(path, file.ErrorString()));
        file.Cancel();
    }
}

void ScheduleWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!dated_ && date_) {
        const CivilDateTime c = Decompose(date_());
        const QSignalBlocker block(ui_->dateEdit);
        ui_->dateEdit->setDate(QDate(c.date.year, c.date.month, c.date.day));
        dated_ = true;
    }
    refresh();
}

void ScheduleWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Back from the main window, where the place or the time mode may have changed: the grid follows, but
    // keeps where the user stands when nothing did.
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || !shown_) return;
    const TickInput place = place_ ? place_() : TickInput{};
    const std::optional<TickInput> clock = ClockPlace(place, range_.firstDay, range_.lastDay);
    const print::SheetHeading now = print::HeadingOf(clock ? *clock : place, range_.firstDay, range_.lastDay);
    if (now.place != range_.heading.place || now.mode != range_.heading.mode ||
        clock.has_value() != range_.place.has_value())
        refresh();
}

}  // namespace velunar::ui
