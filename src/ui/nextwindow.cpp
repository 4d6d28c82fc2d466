#include "ui/nextwindow.h"

#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "store/calendar_file.h"
#include "store/database.h"
#include "store/localized.h"
#include "store/nativepath.h"
#include "ui/planningsource.h"
#include "ui/uitext.h"
#include "ui/windowplacement.h"

namespace velunar::ui {
namespace {

// Every text of the window, in one place.
struct Texts {
    static QString Title() { return TranslatedQ("velunar::ui::NextWindow", "下次开穴"); }
    static QString Plan() { return TranslatedQ("velunar::ui::NextWindow", "方案"); }
    static QString NoPlan() { return TranslatedQ("velunar::ui::NextWindow", "（请选择方案）"); }
    static QStringList Columns() {
        return {TranslatedQ("velunar::ui::NextWindow", "开始"),
                TranslatedQ("velunar::ui::NextWindow", "结束"),
                TranslatedQ("velunar::ui::NextWindow", "门诊时间内"),
                TranslatedQ("velunar::ui::NextWindow", "方法"),
                TranslatedQ("velunar::ui::NextWindow", "穴位"),
                TranslatedQ("velunar::ui::NextWindow", "记录")};
    }
    static QString ExportWeek() { return TranslatedQ("velunar::ui::NextWindow", "导出本周日历…"); }
    static QString ExportTitle() { return TranslatedQ("velunar::ui::NextWindow", "导出为日历"); }
    static QString CalendarFilter() { return TranslatedQ("velunar::ui::NextWindow", "日历文件 (*.ics)"); }
    static QString FileName(const QString& plan) {
        return TranslatedQ("velunar::ui::NextWindow", "%1 本周开穴.ics").arg(plan);
    }
    static QString NoPlans() {
        return TranslatedQ("velunar::ui::NextWindow", "还没有治疗方案：请在 管理 → 治疗方案 中添加。");
    }
    static QString ChoosePlan() { return TranslatedQ("velunar::ui::NextWindow", "请选择一个方案。"); }
    static QString AllHours() {
        return TranslatedQ("velunar::ui::NextWindow", "未设置门诊时间：按全天计算。");
    }
    static QString FromMoment(const QString& when) {
        return TranslatedQ("velunar::ui::NextWindow", "自 %1 起，门诊时间内").arg(when);
    }
    static QString NoPlace() {
        return TranslatedQ("velunar::ui::NextWindow",
                           "主窗口的经度、时区或夏令时尚不能计算，无法求出开穴时间。");
    }
    static QString NoTables() { return TranslatedQ("velunar::ui::NextWindow", "参考表尚未读入。"); }
    static QString NoneFound() {
        return TranslatedQ("velunar::ui::NextWindow", "三年内门诊时间中没有开穴。");
    }
    static QString CannotWrite(const QString& why) {
        return TranslatedQ("velunar::ui::NextWindow", "日历文件无法写入：%1").arg(why);
    }
    static QString Written(int count, const QString& path) {
        return TranslatedQ("velunar::ui::NextWindow", "已导出 %1 个开穴时段：%2").arg(count).arg(path);
    }
};

QString FromUtf8(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

NextWindow::NextWindow(store::Database& db, TablesSource tables, PlaceSource place, ReferenceSource reference,
                       QWidget* parent)
    : QWidget(parent, Qt::Window),
      db_(db),
      tables_(std::move(tables)),
      place_(std::move(place)),
      reference_(std::move(reference)) {
    setObjectName(QStringLiteral("nextWindow"));
    setWindowTitle(Texts::Title());
    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    planBox_ = new QComboBox;
    planBox_->setObjectName(QStringLiteral("nextPlanBox"));
    planBox_->setMinimumContentsLength(10);
    connect(planBox_, &QComboBox::currentIndexChanged, this, &NextWindow::choosePlan);
    top->addWidget(new QLabel(Texts::Plan()));
    top->addWidget(planBox_);
    top->addStretch();
    auto* exportButton = new QPushButton(Texts::ExportWeek());
    exportButton->setObjectName(QStringLiteral("exportWeekButton"));
    connect(exportButton, &QPushButton::clicked, this, &NextWindow::exportWeek);
    top->addWidget(exportButton);
    column->addLayout(top);
    note_ = new QLabel;
    note_->setObjectName(QStringLiteral("nextNote"));
    note_->setWordWrap(true);
    column->addWidget(note_);
    table_ = new QTableWidget(0, static_cast<int>(Texts::Columns().size()));
    table_->setObjectName(QStringLiteral("nextTable"));
    table_->setHorizontalHeaderLabels(Texts::Columns());
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    column->addWidget(table_, 1);
    timer_ = new QTimer(this);
    timer_->setInterval(kRefreshMs);
    connect(timer_, &QTimer::timeout, this, &NextWindow::refresh);
    resize(820, 420);
    WindowPlacement::Keep(this, objectName());
}

NextWindow::~NextWindow() = default;

void NextWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
    timer_->start();
}

void NextWindow::hideEvent(QHideEvent* event) {
    timer_->stop();
    QWidget::hideEvent(event);
}

void NextWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange && isVisible()) refresh();
}

void NextWindow::choosePlan(int index) {
    if (filling_ || index < 0) return;
    try {
        store::PlanningStore store(db_);
        store::ClinicSettings clinic = store.Clinic();
        const std::string chosen = planBox_->itemData(index).toString().toStdString();
        if (chosen == clinic.plan) return;
        clinic.plan = chosen;
        store.SaveClinic(clinic);
    } catch (const std::exception& e) {
        Warn(this, warn_, QString::fromUtf8(e.what()));
        return;
    }
    refresh();
    emit planningChanged();
}

void NextWindow::refresh() {
    const PlanningState state = ReadPlanning(db_);
    std::vector<store::TreatmentPlan> plans;
    try {
        plans = store::PlanningStore(db_).Plans();
    } catch (const std::exception& e) {
        note_->setText(QString::fromUtf8(e.what()));
    }
    filling_ = true;
    planBox_->clear();
    planBox_->addItem(Texts::NoPlan(), QString());
    for (const store::TreatmentPlan& p : plans) planBox_->addItem(FromUtf8(p.name), FromUtf8(p.name));
    const int chosen = planBox_->findData(FromUtf8(state.clinic.plan));
    planBox_->setCurrentIndex(chosen < 0 ? 0 : chosen);
    filling_ = false;
    table_->setRowCount(0);
    if (!state.error.empty()) {
        note_->setText(FromUtf8(state.error));
        return;
    }
    if (!state.plan) {
        note_->setText(plans.empty() ? Texts::NoPlans() : Texts::ChoosePlan());
        return;
    }
    const auto tables = tables_ ? tables_() : nullptr;
    if (!tables) {
        note_->setText(Texts::NoTables());
        return;
    }
    TickInput place = place_ ? place_() : TickInput{};
    const Instant from = InstantOf(reference_ ? reference_() : ClockReference(0.0), place);
    const std::optional<TickInput> spanned = SpannedPlace(place, from, kNextHorizonDays);
    if (!spanned) {
        note_->setText(Texts::NoPlace());
        return;
    }
    NextOpenings search(state.plan->points, state.plan->doctrines, *spanned, state.hours, *tables);
    const std::vector<NextOpening> found = search.Next(from, kRows);
    const ZoneOffset offset = search.Clock().At(from);
    QString note = Texts::FromMoment(FromUtf8(FormatIso(ReadingAt(from, offset.Total()))));
    if (!state.clinic.hours) note += QStringLiteral("　") + Texts::AllHours();
    if (found.empty()) note += QStringLiteral("　") + Texts::NoneFound();
    note_->setText(note);
    table_->setRowCount(static_cast<int>(found.size()));
    int row = 0;
    for (const NextOpening& o : found) {
        QStringList parts;
        for (const ClockSpan& part : o.inside) parts << FromUtf8(SpanText(o.opening.day, part));
        const QStringList cells = {
            FromUtf8(FormatIso(o.span.Start())) +
                FromUtf8(PassMark(o.span.startPass, o.span.startOffset, o.span.startOther)),
            FromUtf8(EndText(o.opening.day, o.span)),
            parts.join(QStringLiteral("、")),
            FromUtf8(store::DoctrineName(DoctrineOf(o.opening.Doctrine()).ReportHeading())),
            FromUtf8(store::LocalValue(search.Points()[o.point])),
            FromUtf8(store::ReportLine(Spelled(search.Line(o), spanned->sixthStem)))};
        for (int c = 0; c < cells.size(); ++c) table_->setItem(row, c, new QTableWidgetItem(cells[c]));
        ++row;
    }
}

void NextWindow::exportWeek() {
    const PlanningState state = ReadPlanning(db_);
    const auto tables = tables_ ? tables_() : nullptr;
    if (!state.plan || !tables) {
        Warn(this, warn_, state.plan ? Texts::NoTables() : Texts::ChoosePlan());
        return;
    }
    const QString suggested = Texts::FileName(FromUtf8(state.plan->name));
    QString path = calendarPath_ ? calendarPath_()
                                 : QFileDialog::getSaveFileName(this, Texts::ExportTitle(), suggested,
                                                                Texts::CalendarFilter());
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".ics"), Qt::CaseInsensitive)) path += QStringLiteral(".ics");
    TickInput place = place_ ? place_() : TickInput{};
    const ClockReference reference = reference_ ? reference_() : ClockReference(0.0);
    const std::optional<TickInput> spanned = SpannedPlace(place, InstantOf(reference, place), 9);
    if (!spanned) {
        Warn(this, warn_, Texts::NoPlace());
        return;
    }
    // The seven days of the clock from today's 00:00.
    const auto pageClock = PlaceClock::Of(*spanned);
    const ZoneTimeline& clock = std::get<PlaceClock>(pageClock).Clock();
    const Instant now = InstantOf(reference, place);
    const std::int64_t today = WholeDay(ReadingAt(now, clock.At(now).Total()));
    NextOpenings search(state.plan->points, state.plan->doctrines, *spanned, state.hours, *tables);
    const std::vector<NextOpening> week =
        search.Between(clock.Resolve(static_cast<DateTime>(today)).instant,
                       clock.Resolve(static_cast<DateTime>(today + 7)).instant);
    int events = 0;
    try {
        store::CalendarFile file(store::NativeFromPath(path).toStdString(), store::UtcNow());
        for (const NextOpening& o : week) {
            std::string description = Spelled(search.Line(o), spanned->sixthStem);
            AppendClockText(o.opening.day, o.span, description);
            for (const ClockSpan& part : o.inside) {
                file.Opening(DoctrineOf(o.opening.Doctrine()), search.Points()[o.point], description, part);
                ++events;
            }
        }
        file.Commit();
    } catch (const std::exception& e) {
        Warn(this, warn_, Texts::CannotWrite(QString::fromUtf8(e.what())));
        return;
    }
    note_->setText(Texts::Written(events, path));
}

}  // namespace velunar::ui
