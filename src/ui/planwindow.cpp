#include "ui/planwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "methods/point_names.h"
#include "store/database.h"
#include "store/localized.h"
#include "store/reference_snapshot.h"
#include "ui/civil_date.h"
#include "ui/pointfinder.h"
#include "ui/uitext.h"
#include "ui/windowplacement.h"

namespace velunar::ui {
namespace {

// Every text of the window, in one place.
struct Texts {
    static QString Title() { return TranslatedQ("velunar::ui::PlanWindow", "治疗方案"); }
    static QString PlansPage() { return TranslatedQ("velunar::ui::PlanWindow", "方案"); }
    static QString ClinicPage() { return TranslatedQ("velunar::ui::PlanWindow", "门诊时间与提醒"); }
    static QString Name() { return TranslatedQ("velunar::ui::PlanWindow", "名称"); }
    static QString Points() { return TranslatedQ("velunar::ui::PlanWindow", "穴位"); }
    static QString AddPoint() { return TranslatedQ("velunar::ui::PlanWindow", "添加穴位"); }
    static QString RemovePoint() { return TranslatedQ("velunar::ui::PlanWindow", "移除穴位"); }
    static QString Doctrines() { return TranslatedQ("velunar::ui::PlanWindow", "方法"); }
    static QString AllDoctrines() { return TranslatedQ("velunar::ui::PlanWindow", "全部方法"); }
    static QString New() { return TranslatedQ("velunar::ui::PlanWindow", "新建"); }
    static QString Save() { return TranslatedQ("velunar::ui::PlanWindow", "保存"); }
    static QString Remove() { return TranslatedQ("velunar::ui::PlanWindow", "删除"); }
    static QString Saved(const QString& name) {
        return TranslatedQ("velunar::ui::PlanWindow", "已保存“%1”。").arg(name);
    }
    static QString Removed(const QString& name) {
        return TranslatedQ("velunar::ui::PlanWindow", "已删除“%1”。").arg(name);
    }
    static QString NoDoctrine() {
        return TranslatedQ("velunar::ui::PlanWindow", "请至少选择一种方法，或选“全部方法”。");
    }
    static QString Twice(const QString& point) {
        return TranslatedQ("velunar::ui::PlanWindow", "“%1”已在方案中。").arg(point);
    }
    static QString NameTaken(const QString& name) {
        return TranslatedQ("velunar::ui::PlanWindow", "已有名为“%1”的方案。").arg(name);
    }
    static QString Weekday(int d) {
        static const char* const kDays[] = {QT_TRANSLATE_NOOP("velunar::ui::PlanWindow", "周一"),
                                            QT_TRANSLATE_NOOP("velunar::ui::PlanWindow", "周二"),
                                            QT_TRANSLATE_NOOP("velunar::ui::PlanWindow", "周三"),
                                            QT_TRANSLATE_NOOP("velunar::ui::PlanWindow", "周四"),
                                            QT_TRANSLATE_NOOP("velunar::ui::PlanWindow", "周五"),
                                            QT_TRANSLATE_NOOP("velunar::ui::PlanWindow", "周六"),
                                            QT_TRANSLATE_NOOP("velunar::ui::PlanWindow", "周日")};
        return TranslatedQ("velunar::ui::PlanWindow", kDays[d]);
    }
    static QString WeeklyHours() {
        return TranslatedQ(
            "velunar::ui::PlanWindow",
            "每周门诊时间（当地钟表时间，如 09:00-12:00,14:00-18:00；空为休诊，全部为空则不限时间）");
    }
    static QString HoursHint() { return TranslatedQ("velunar::ui::PlanWindow", "09:00-12:00,14:00-18:00"); }
    static QString DaysOff() { return TranslatedQ("velunar::ui::PlanWindow", "休息日"); }
    static QString AddDayOff() { return TranslatedQ("velunar::ui::PlanWindow", "添加"); }
    static QString RemoveDayOff() { return TranslatedQ("velunar::ui::PlanWindow", "移除"); }
    static QString Reminder() { return TranslatedQ("velunar::ui::PlanWindow", "开穴前提醒"); }
    static QString MinutesBefore() { return TranslatedQ("velunar::ui::PlanWindow", "提前"); }
    static QString Minutes() { return TranslatedQ("velunar::ui::PlanWindow", " 分钟"); }
    static QString ChosenPlan() {
        return TranslatedQ("velunar::ui::PlanWindow", "下次开穴、提醒与开穴表所用的方案");
    }
    static QString NoPlan() { return TranslatedQ("velunar::ui::PlanWindow", "（无）"); }
    static QString BadHours(const QString& day, const QString& why) {
        return TranslatedQ("velunar::ui::PlanWindow", "%1的门诊时间不能读取：%2").arg(day, why);
    }
    static QString ClinicSaved() { return TranslatedQ("velunar::ui::PlanWindow", "门诊时间与提醒已保存。"); }
    static QString NoTables() {
        return TranslatedQ("velunar::ui::PlanWindow", "参考表尚未读入，无法检查穴位。");
    }
};

// A page that scrolls when the screen is shorter than it: the clinic's week alone is taller than a laptop's
// screen at a scale of 2.
QWidget* Scrolled(QWidget* page) {
    auto* area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(page);
    return area;
}

QString FromUtf8(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

PlanWindow::PlanWindow(store::Database& db, TablesSource tables, QWidget* parent)
    : QWidget(parent, Qt::Window), db_(db), tables_(std::move(tables)) {
    setObjectName(QStringLiteral("planWindow"));
    setWindowTitle(Texts::Title());
    pages_ = new QTabWidget;
    pages_->setObjectName(QStringLiteral("planPages"));
    pages_->addTab(Scrolled(buildPlansPage()), Texts::PlansPage());
    pages_->addTab(Scrolled(buildClinicPage()), Texts::ClinicPage());
    auto* column = new QVBoxLayout(this);
    column->addWidget(pages_);
    resize(760, 520);
    WindowPlacement::Keep(this, objectName());
}

PlanWindow::~PlanWindow() = default;

QWidget* PlanWindow::buildPlansPage() {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);
    planList_ = new QListWidget;
    planList_->setObjectName(QStringLiteral("planList"));
    planList_->setMinimumWidth(140);
    planList_->setMaximumWidth(220);
    connect(planList_, &QListWidget::currentRowChanged, this, &PlanWindow::showPlan);
    auto* left = new QVBoxLayout;
    left->addWidget(planList_);
    auto* newButton = new QPushButton(Texts::New());
    newButton->setObjectName(QStringLiteral("newPlanButton"));
    connect(newButton, &QPushButton::clicked, this, &PlanWindow::newPlan);
    left->addWidget(newButton);
    row->addLayout(left);

    auto* form = new QVBoxLayout;
    auto* fields = new QFormLayout;
    nameBox_ = new QLineEdit;
    nameBox_->setObjectName(QStringLiteral("planNameBox"));
    fields->addRow(Texts::Name(), nameBox_);
    form->addLayout(fields);
    auto* pointRow = new QHBoxLayout;
    pointBox_ = new PointFinder;
    pointBox_->setObjectName(QStringLiteral("planPointBox"));
    pointBox_->setMinimumContentsLength(8);
    auto* add = new QPushButton(Texts::AddPoint());
    add->setObjectName(QStringLiteral("addPointButton"));
    connect(add, &QPushButton::clicked, this, &PlanWindow::addPoint);
    connect(pointBox_->lineEdit(), &QLineEdit::returnPressed, this, &PlanWindow::addPoint);
    auto* remove = new QPushButton(Texts::RemovePoint());
    remove->setObjectName(QStringLiteral("removePointButton"));
    connect(remove, &QPushButton::clicked, this, &PlanWindow::removePoint);
    pointRow->addWidget(new QLabel(Texts::Points()));
    pointRow->addWidget(pointBox_, 1);
    pointRow->addWidget(add);
    pointRow->addWidget(remove);
    form->addLayout(pointRow);
    points_ = new QListWidget;
    points_->setObjectName(QStringLiteral("planPoints"));
    points_->setFlow(QListView::LeftToRight);
    points_->setWrapping(true);
    points_->setMaximumHeight(90);
    form->addWidget(points_);

    auto* doctrines = new QGroupBox(Texts::Doctrines());
    auto* grid = new QGridLayout(doctrines);
    allDoctrines_ = new QCheckBox(Texts::AllDoctrines());
    allDoctrines_->setObjectName(QStringLiteral("allDoctrinesBox"));
    allDoctrines_->setChecked(true);
    grid->addWidget(allDoctrines_, 0, 0, 1, 4);
    int at = 0;
    for (const Doctrine* d : Doctrines()) {
        auto* box = new QCheckBox(FromUtf8(store::DoctrineName(d->ReportHeading())));
        box->setObjectName(QStringLiteral("doctrineBox_") +
                           QString::fromLatin1(d->Key().data(), static_cast<qsizetype>(d->Key().size())));
        box->setEnabled(false);
        grid->addWidget(box, 1 + at / 4, at % 4);
        doctrineBoxes_.push_back({d->Id(), box});
        ++at;
    }
    connect(allDoctrines_, &QCheckBox::toggled, this, [this](bool all) {
        for (auto& [id, box] : doctrineBoxes_) box->setEnabled(!all);
    });
    form->addWidget(doctrines);

    auto* buttons = new QHBoxLayout;
    planStatus_ = new QLabel;
    planStatus_->setObjectName(QStringLiteral("planStatus"));
    planStatus_->setWordWrap(true);
    buttons->addWidget(planStatus_, 1);
    auto* save = new QPushButton(Texts::Save());
    save->setObjectName(QStringLiteral("savePlanButton"));
    connect(save, &QPushButton::clicked, this, &PlanWindow::savePlan);
    auto* drop = new QPushButton(Texts::Remove());
    drop->setObjectName(QStringLiteral("removePlanButton"));
    connect(drop, &QPushButton::clicked, this, &PlanWindow::removePlan);
    buttons->addWidget(save);
    buttons->addWidget(drop);
    form->addLayout(buttons);
    form->addStretch();
    row->addLayout(form, 1);
    return page;
}

QWidget* PlanWindow::buildClinicPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* week = new QGroupBox(Texts::WeeklyHours());
    auto* form = new QFormLayout(week);
    for (int d = 0; d < 7; ++d) {
        auto* box = new QLineEdit;
        box->setObjectName(QStringLiteral("hoursBox%1").arg(d + 1));
        box->setPlaceholderText(Texts::HoursHint());
        form->addRow(Texts::Weekday(d), box);
        hoursBoxes_[static_cast<std::size_t>(d)] = box;
    }
    column->addWidget(week);

    auto* off = new QGroupBox(Texts::DaysOff());
    auto* offRow = new QHBoxLayout(off);
    dayOffEdit_ = new QDateEdit(QDate::currentDate());
    dayOffEdit_->setObjectName(QStringLiteral("dayOffEdit"));
    dayOffEdit_->setCalendarPopup(true);
    dayOffEdit_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    dayOffEdit_->setTimeSpec(Qt::UTC);
    daysOff_ = new QListWidget;
    daysOff_->setObjectName(QStringLiteral("daysOffList"));
    daysOff_->setMaximumHeight(90);
    auto* addOff = new QPushButton(Texts::AddDayOff());
    addOff->setObjectName(QStringLiteral("addDayOffButton"));
    connect(addOff, &QPushButton::clicked, this, [this] {
        const QString date = dayOffEdit_->date().toString(QStringLiteral("yyyy-MM-dd"));
        if (daysOff_->findItems(date, Qt::MatchExactly).isEmpty()) daysOff_->addItem(date);
        daysOff_->sortItems();
    });
    auto* removeOff = new QPushButton(Texts::RemoveDayOff());
    removeOff->setObjectName(QStringLiteral("removeDayOffButton"));
    connect(removeOff, &QPushButton::clicked, this, [this] { delete daysOff_->currentItem(); });
    auto* offButtons = new QVBoxLayout;
    offButtons->addWidget(dayOffEdit_);
    offButtons->addWidget(addOff);
    offButtons->addWidget(removeOff);
    offButtons->addStretch();
    offRow->addLayout(offButtons);
    offRow->addWidget(daysOff_, 1);
    column->addWidget(off);

    auto* remind = new QHBoxLayout;
    reminderBox_ = new QCheckBox(Texts::Reminder());
    reminderBox_->setObjectName(QStringLiteral("reminderBox"));
    minutesBox_ = new QSpinBox;
    minutesBox_->setObjectName(QStringLiteral("reminderMinutesBox"));
    minutesBox_->setRange(1, 240);
    minutesBox_->setValue(10);
    minutesBox_->setSuffix(Texts::Minutes());
    remind->addWidget(reminderBox_);
    remind->addWidget(new QLabel(Texts::MinutesBefore()));
    remind->addWidget(minutesBox_);
    remind->addStretch();
    column->addLayout(remind);
    auto* chosen = new QFormLayout;
    chosenPlan_ = new QComboBox;
    chosenPlan_->setObjectName(QStringLiteral("chosenPlanBox"));
    chosen->addRow(Texts::ChosenPlan(), chosenPlan_);
    column->addLayout(chosen);

    auto* buttons = new QHBoxLayout;
    clinicStatus_ = new QLabel;
    clinicStatus_->setObjectName(QStringLiteral("clinicStatus"));
    clinicStatus_->setWordWrap(true);
    buttons->addWidget(clinicStatus_, 1);
    auto* save = new QPushButton(Texts::Save());
    save->setObjectName(QStringLiteral("saveClinicButton"));
    connect(save, &QPushButton::clicked, this, &PlanWindow::saveClinic);
    buttons->addWidget(save);
    column->addLayout(buttons);
    column->addStretch();
    return page;
}

void PlanWindow::showPage(Page page) {
    pages_->setCurrentIndex(page == Page::Plans ? 0 : 1);
}

void ShowPlanPage(QWidget* window, PlanWindow::Page page) {
    if (auto* plans = qobject_cast<PlanWindow*>(window)) plans->showPage(page);
    ShowSecondary(window);
}

void PlanWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    reload();
}

void PlanWindow::say(QLabel* where, const QString& text, bool fault) {
    where->setText(text);
    where->setStyleSheet(fault ? QStringLiteral("color: #b00020;") : QString());
}

void PlanWindow::reload() {
    store::ClinicSettings clinic;
    try {
        store::PlanningStore store(db_);
        plans_ = store.Plans();
        clinic = store.Clinic();
        std::vector<std::string> names;
        for (const store::Row& row : db_.Run(store::QueryId::PointList).rows)
            if (!QString::fromStdString(row.Value("穴位")).trimmed().isEmpty())
                names.push_back(row.Value("穴位"));
        if (const auto tables = tables_ ? tables_() : nullptr)
            for (const std::string& n : PointNamesOf(*tables)) names.push_back(n);
        std::sort(names.begin(), names.end());
        names.erase(std::unique(names.begin(), names.end()), names.end());
        pointBox_->setPoints(names);
    } catch (const std::exception& e) {
        say(planStatus_, QString::fromUtf8(e.what()), true);
        say(clinicStatus_, QString::fromUtf8(e.what()), true);
    }
    const QString keep = shownName_;
    {
        const QSignalBlocker block(planList_);
        planList_->clear();
        for (const store::TreatmentPlan& p : plans_) planList_->addItem(FromUtf8(p.name));
    }
    int row = -1;
    for (int i = 0; i < planList_->count(); ++i)
        if (planList_->item(i)->text() == keep) row = i;
    if (row < 0 && planList_->count() > 0) row = 0;
    planList_->setCurrentRow(row);
    if (row < 0) newPlan();

    for (int d = 0; d < 7; ++d)
        hoursBoxes_[static_cast<std::size_t>(d)]->setText(
            clinic.hours ? FromUtf8(FormatClockRanges(clinic.hours->week[static_cast<std::size_t>(d)]))
                         : QString());
    daysOff_->clear();
    if (clinic.hours)
        for (std::int64_t day : clinic.hours->daysOff) daysOff_->addItem(FromUtf8(FormatDates({day})));
    reminderBox_->setChecked(clinic.reminder);
    minutesBox_->setValue(std::clamp(clinic.reminderMinutes, 1, 240));
    chosenPlan_->clear();
    chosenPlan_->addItem(Texts::NoPlan(), QString());
    for (const store::TreatmentPlan& p : plans_) chosenPlan_->addItem(FromUtf8(p.name), FromUtf8(p.name));
    const int chosen = chosenPlan_->findData(FromUtf8(clinic.plan));
    chosenPlan_->setCurrentIndex(chosen < 0 ? 0 : chosen);
}

void PlanWindow::showPlan(int row) {
    if (row < 0 || row >= static_cast<int>(plans_.size())) return;
    const store::TreatmentPlan& p = plans_[static_cast<std::size_t>(row)];
    shownName_ = FromUtf8(p.name);
    nameBox_->setText(shownName_);
    points_->clear();
    for (const std::string& point : p.points) addPointItem(FromUtf8(point));
    allDoctrines_->setChecked(p.doctrines.empty());
    for (auto& [id, box] : doctrineBoxes_)
        box->setChecked(std::find(p.doctrines.begin(), p.doctrines.end(), id) != p.doctrines.end());
    say(planStatus_, {}, false);
}

void PlanWindow::newPlan() {
    shownName_.clear();
    {
        const QSignalBlocker block(planList_);
        planList_->setCurrentRow(-1);
    }
    nameBox_->clear();
    points_->clear();
    allDoctrines_->setChecked(true);
    for (auto& [id, box] : doctrineBoxes_) box->setChecked(false);
    nameBox_->setFocus();
}

void PlanWindow::addPoint() {
    const QString typed = pointBox_->settle().trimmed();
    if (typed.isEmpty()) return;
    const auto tables = tables_ ? tables_() : nullptr;
    if (!tables) {
        say(planStatus_, Texts::NoTables(), true);
        return;
    }
    std::string name;
    try {
        // Read as the reverse lookup reads it (a code, pinyin, traditional characters), with the names it
        // may have meant.
        const store::TypedPoint resolved = store::ResolvePoint(typed.toStdString(), *tables, db_);
        if (!resolved.name) {
            say(planStatus_, FromUtf8(resolved.note), true);
            return;
        }
        name = *resolved.name;
    } catch (const std::exception& e) {
        say(planStatus_, QString::fromUtf8(e.what()), true);
        return;
    }
    const QString stored = FromUtf8(name);
    for (int i = 0; i < points_->count(); ++i)
        if (points_->item(i)->data(Qt::UserRole).toString() == stored) {
            say(planStatus_, Texts::Twice(pointShown(stored)), true);
            return;
        }
    addPointItem(stored);
    pointBox_->setEditText(QString());
    say(planStatus_, {}, false);
}

QString PlanWindow::pointShown(const QString& name) {
    return FromUtf8(store::LocalValue(name.toStdString()));
}

void PlanWindow::addPointItem(const QString& name) {
    auto* item = new QListWidgetItem(pointShown(name), points_);
    item->setData(Qt::UserRole, name);
}

void PlanWindow::removePoint() {
    delete points_->currentItem();
}

store::TreatmentPlan PlanWindow::planInBoxes() const {
    store::TreatmentPlan p;
    p.name = nameBox_->text().trimmed().toStdString();
    for (int i = 0; i < points_->count(); ++i)
        p.points.push_back(points_->item(i)->data(Qt::UserRole).toString().toStdString());
    if (!allDoctrines_->isChecked())
        for (const auto& [id, box] : doctrineBoxes_)
            if (box->isChecked()) p.doctrines.push_back(id);
    return p;
}

void PlanWindow::savePlan() {
    const store::TreatmentPlan p = planInBoxes();
    if (auto fault = store::PlanFault(p)) {
        say(planStatus_, FromUtf8(*fault), true);
        return;
    }
    if (!allDoctrines_->isChecked() && p.doctrines.empty()) {
        say(planStatus_, Texts::NoDoctrine(), true);
        return;
    }
    const QString name = FromUtf8(p.name);
    for (const store::TreatmentPlan& other : plans_)
        if (FromUtf8(other.name) == name && name != shownName_) {
            say(planStatus_, Texts::NameTaken(name), true);
            return;
        }
    try {
        store::PlanningStore store(db_);
        store.Save(p, shownName_.toStdString());
        // A renamed plan stays the chosen one.
        store::ClinicSettings clinic = store.Clinic();
        if (!shownName_.isEmpty() && clinic.plan == shownName_.toStdString() && shownName_ != name) {
            clinic.plan = p.name;
            store.SaveClinic(clinic);
        }
    } catch (const std::exception& e) {
        say(planStatus_, QString::fromUtf8(e.what()), true);
        return;
    }
    shownName_ = name;
    reload();
    say(planStatus_, Texts::Saved(name), false);
    emit planningChanged();
}

void PlanWindow::removePlan() {
    if (shownName_.isEmpty()) {
        newPlan();
        return;
    }
    const QString name = shownName_;
    try {
        store::PlanningStore(db_).Remove(name.toStdString());
    } catch (const std::exception& e) {
        say(planStatus_, QString::fromUtf8(e.what()), true);
        return;
    }
    shownName_.clear();
    reload();
    say(planStatus_, Texts::Removed(name), false);
    emit planningChanged();
}

void PlanWindow::saveClinic() {
    store::ClinicSettings s;
    s.hours = ClinicHours{};
    for (int d = 0; d < 7; ++d) {
        std::string why;
        const auto ranges =
            ParseClockRanges(hoursBoxes_[static_cast<std::size_t>(d)]->text().toStdString(), &why);
        if (!ranges) {
            say(clinicStatus_, Texts::BadHours(Texts::Weekday(d), FromUtf8(why)), true);
            hoursBoxes_[static_cast<std::size_t>(d)]->setFocus();
            return;
        }
        s.hours->week[static_cast<std::size_t>(d)] = *ranges;
    }
    for (int i = 0; i < daysOff_->count(); ++i)
        if (const auto day = ParseDates(daysOff_->item(i)->text().toStdString()))
            s.hours->daysOff.insert(day->begin(), day->end());
    s.reminder = reminderBox_->isChecked();
    s.reminderMinutes = minutesBox_->value();
    s.plan = chosenPlan_->currentData().toString().toStdString();
    try {
        store::PlanningStore(db_).SaveClinic(s);
    } catch (const std::exception& e) {
        say(clinicStatus_, QString::fromUtf8(e.what()), true);
        return;
    }
    for (int d = 0; d < 7; ++d)
        hoursBoxes_[static_cast<std::size_t>(d)]->setText(
            FromUtf8(FormatClockRanges(s.hours->week[static_cast<std::size_t>(d)])));
    say(clinicStatus_, Texts::ClinicSaved(), false);
    emit planningChanged();
}

void PlanWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange) return;
    for (auto& [id, box] : doctrineBoxes_)
        box->setText(FromUtf8(store::DoctrineName(DoctrineOf(id).ReportHeading())));
    for (int i = 0; i < points_->count(); ++i)
        points_->item(i)->setText(pointShown(points_->item(i)->data(Qt::UserRole).toString()));
}

}  // namespace velunar::ui
