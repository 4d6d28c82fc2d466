// The main window's widgets, declared as tables of what each page shows: the time pages top left, the
// settings pages top right, one page per doctrine below, then the description area that only the opened-out
// window shows. Every widget is named for what it is; a doctrine's boxes are named after the cells it reports
// ("naGanPointBox"), so the renderer needs no list of its own.
#include <algorithm>

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "calendar/solar.h"
#include "ui/contentfit.h"
#include "ui/dialwidget.h"
#include "ui/mainwindow.h"
#include "ui/mainwindow_abroad.h"
#include "ui/mainwindow_widgets.h"
#include "ui/planwindow.h"
#include "ui/taboo_choices.h"
#include "ui/uitext.h"
#include "ui/windowplacement.h"

namespace velunar::ui {
namespace {

// The window's column never asks for a height for its width. A word-wrapped line anywhere in it (a 人神
// warning) would otherwise make the scroll area hold the content at its preferred height, so that on a short
// screen it scrolls although every page fits at its least.
class WindowColumn : public QVBoxLayout {
  public:
    using QVBoxLayout::QVBoxLayout;
    bool hasHeightForWidth() const override { return false; }
};

}  // namespace

void MainWindow::buildLayout() {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("VelunarV4.5"));
    // The pages are drawn for a 12-pixel font; a bigger desktop font would overrun them.
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);
    buildMenu();
    auto* central = Named(new QWidget, QStringLiteral("clientArea"));
    auto* column = new WindowColumn(central);
    column_ = column;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    topRow_ = Named(new QWidget, QStringLiteral("topRow"));
    auto* top = new QHBoxLayout(topRow_);
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(buildTimePages(), 3);
    // The lunar date and the 人神 under the settings pages, which are shorter than the time pages: the window
    // grows by no line for them.
    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    QWidget* settings = buildSettingsPages();
    right->addWidget(settings);
    taboo_->AddLineTo(right, QStringLiteral("chinaLunarLabel"), settings);
    right->addStretch();
    top->addLayout(right, 2);
    column->addWidget(topRow_);
    compactClock_ = Named(new QLabel, QStringLiteral("compactClock"));
    compactClock_->setContentsMargins(6, 2, 6, 2);
    compactClock_->hide();
    column->addWidget(compactClock_);
    middleRow_ = new QHBoxLayout;
    middleRow_->addWidget(buildMethodPages(), 1);
    column->addLayout(middleRow_);
    auto* bottom = new QHBoxLayout;
    noticeBox_ = Named(new SettingsCheckBox(TranslatedQ("ui", "时辰变换时需要音乐和对话框提示")),
                       QStringLiteral("noticeBox"));
    tickStatus_ = RedNote(QStringLiteral("tickStatus"), QString());
    tickStatus_->hide();
    unsavedNote_ = RedNote(QStringLiteral("unsavedNote"), QString());
    unsavedNote_->hide();
    descriptionToggle_ =
        Named(new QPushButton(TranslatedQ("ui", "打开穴位说明>>")), QStringLiteral("descriptionToggle"));
    bottom->addWidget(noticeBox_);
    bottom->addWidget(buildNoticeBanner());
    bottom->addWidget(tickStatus_, 1);
    bottom->addWidget(unsavedNote_);
    bottom->addStretch();
    bottom->addWidget(descriptionToggle_);
    column->addLayout(bottom);
    column->addWidget(buildDescriptionArea());
    // The window is as large as its pages need, growing and shrinking with the description area, but never
    // beyond the screen: what does not fit scrolls.
    OrderTabsByLayout(central);
    auto* area = new ContentScrollArea(central);
    setCentralWidget(area);
    contentFit_ = new ContentFit(this, area);
    setMinimumSize(320, 200);
}

void MainWindow::buildMenu() {
    QMenuBar* bar = menuBar();
    auto menu = [&](const char* name, const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto item = [&](QMenu* m, const char* name, const QString& caption, auto slot) {
        QAction* a = m->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    auto showPage = [this](DoctrineId id) {
        return [this, id] { methodPages_->setCurrentWidget(pages_[id]); };
    };
    auto show = [](QWidget* const& w) { return [&w] { ShowSecondary(w); }; };
    QMenu* file = menu("fileMenu", TranslatedQ("ui", "文件(&F)"));
    item(file, "quitAction", TranslatedQ("ui", "关闭(&Q)"), [this] {
        close();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    // The reverse lookup has no menu entry of its own; its key works from anywhere in the window.
    auto* reverse = new QAction(this);
    reverse->setObjectName(QStringLiteral("reverseLookupAction"));
    reverse->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(reverse, &QAction::triggered, this, [this] { ShowSecondary(secondary_.reverseLookup); });
    addAction(reverse);
    QMenu* pages = menu("pagesMenu", TranslatedQ("ui", "定位(&L)"));
    item(pages, "showNaGanAction", TranslatedQ("ui", "子午流注纳干法（徐氏）"), showPage(DoctrineId::NaGan));
    item(pages, "showNaZhiAction", TranslatedQ("ui", "子午流注纳支法"), showPage(DoctrineId::NaZhi));
    item(pages, "showLingGuiAction", TranslatedQ("ui", "灵龟八法"), showPage(DoctrineId::LingGui));
    item(pages, "showFeiTengAction", TranslatedQ("ui", "飞腾八法"), showPage(DoctrineId::FeiTeng));
    item(pages, "showRiGanAction", TranslatedQ("ui", "纳干法之日干法(少用)"), showPage(DoctrineId::RiGan));
    item(pages, "showShiGanAction", TranslatedQ("ui", "纳干法之时干法(少用)"), showPage(DoctrineId::ShiGan));
    item(pages, "showNaZhi2Action", TranslatedQ("ui", "纳支法(少人用)"), showPage(DoctrineId::NaZhi2));
    QMenu* manage = menu("manageMenu", TranslatedQ("ui", "管理(&M)"));
    item(manage, "descriptionManagerAction", TranslatedQ("ui", "穴位说明管理"),
         show(secondary_.descriptionManager));
    item(manage, "placePickerAction", TranslatedQ("ui", "东经度数"), show(secondary_.placePicker));
    item(manage, "clockSettingsAction", TranslatedQ("ui", "修改系统时间"), [this] { openClockSettings(); });
    item(manage, "scheduleAction", TranslatedQ("ui", "开穴表(&T)"), show(secondary_.schedule))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    // Planning around the clinic, after the menu's own entries.
    item(manage, "planAction", TranslatedQ("velunar::ui::MainWindow", "治疗方案"),
         [this] { ShowPlanPage(secondary_.plans, PlanWindow::Page::Plans); });
    item(manage, "clinicHoursAction", TranslatedQ("velunar::ui::MainWindow", "门诊时间与提醒"),
         [this] { ShowPlanPage(secondary_.plans, PlanWindow::Page::Clinic); });
    item(manage, "nextOpeningsAction", TranslatedQ("velunar::ui::MainWindow", "下次开穴"),
         show(secondary_.nextOpenings))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    QMenu* know = menu("knowledgeMenu", TranslatedQ("ui", "相关知识(&K)"));
    // F1: the help the program has is its knowledge pages, true solar time first.
    item(know, "trueSolarHelpAction", TranslatedQ("ui", "真太阳时(&S)"), [this] {
        showHelpFile("sun.txt");
    })->setShortcut(QKeySequence::HelpContents);
    item(know, "timeModeHelpAction", TranslatedQ("ui", "时辰模式(&T)"),
         [this] { showHelpFile("timemode.txt"); });
    QMenu* help = menu("helpMenu", TranslatedQ("ui", " 帮助(&H)"));
    item(help, "aboutAction", TranslatedQ("ui", " 关于..."), [this] { showHelpFile("about.txt"); });

    item(help, "disclaimerAction", TranslatedQ("ui", "免责声明"), [this] {
        showMessage(MessageKind::Message,
                    TranslatedQ("ui", "作者声明:使用本软件所引起的一切后果作者一概不负任何责任!"));
    });
    // 语言 / Language: each choice in its own language, so anyone finds their own; kept per user.
    QMenu* language = help->addMenu(QStringLiteral("语言 / Language"));
    language->setObjectName(QStringLiteral("languageMenu"));
    auto* choices = new QActionGroup(language);
    for (const auto& [code, caption] :
         {std::pair{"", TranslatedQ("ui", "跟随系统")}, std::pair{"zh", QStringLiteral("中文")},
          std::pair{"en", QStringLiteral("English")}}) {
        QAction* a = language->addAction(caption);
        a->setObjectName(QStringLiteral("language_%1").arg(QString::fromLatin1(*code ? code : "system")));
        a->setCheckable(true);
        a->setData(QString::fromLatin1(code));
        choices->addAction(a);
        connect(a, &QAction::triggered, this, [this, a] { chooseLanguage(a->data().toString()); });
    }
    // How points are written, in either language: 中文, code and pinyin, or both.
    language->addSeparator();
    auto* styles = new QActionGroup(language);
    for (const auto& [code, caption] : {std::pair{"", TranslatedQ("ui", "穴名：随语言")},
                                        std::pair{"中文", TranslatedQ("ui", "穴名：中文")},
                                        std::pair{"代码拼音", TranslatedQ("ui", "穴名：代码 + 拼音")},
                                        std::pair{"两者", TranslatedQ("ui", "穴名：两者")}}) {
        QAction* a = language->addAction(caption);
        a->setObjectName(QStringLiteral("pointNames_%1").arg(styles->actions().size()));
        a->setCheckable(true);
        a->setData(QString::fromUtf8(code));
        styles->addAction(a);
        connect(a, &QAction::triggered, this, [this, a] { choosePointNames(a->data().toString()); });
    }
}

QWidget* MainWindow::buildTimePages() {
    timePages_ = Named(new QTabWidget, QStringLiteral("timePages"));
    chinaPage_ = Named(new QWidget, QStringLiteral("chinaPage"));
    abroadPage_ = Named(new QWidget, QStringLiteral("abroadPage"));
    timePages_->addTab(chinaPage_, TranslatedQ("ui", "中国国内"));
    timePages_->addTab(abroadPage_, TranslatedQ("ui", "国际国外"));

    const QString hint = TranslatedQ("ui", "请输入当地东经度数[0-180]");
    auto* china = new QGridLayout(chinaPage_);
    china->addWidget(new QLabel(TranslatedQ("ui", "现在北京时间是：")), 0, 0);
    chinaTimeBox_ = TimeBox(QStringLiteral("chinaTimeBox"));
    china->addWidget(chinaTimeBox_, 0, 1);
    auto* longitudeCaption =
        Named(new QLabel(TranslatedQ("ui", "当地东经度数[0-180]：")), QStringLiteral("longitudeCaption"));
    longitudeBox_ = Named(new QLineEdit, QStringLiteral("longitudeBox"));
    longitudeBox_->setToolTip(hint);
    longitudeBox_->setFixedWidth(70);
    longitudeArrows_ = Named(new UpDownArrows, QStringLiteral("longitudeArrows"));
    longitudeArrows_->setFixedSize(16, 21);
    longitudeArrows_->setToolTip(hint);
    placePickerButton_ = Named(new QToolButton, QStringLiteral("placePickerButton"));
    placePickerButton_->setText(QStringLiteral("..."));
    // Reached by Tab (Space opens the list); a click leaves the focus, and so the described point, where it
    // was.
    placePickerButton_->setFocusPolicy(Qt::TabFocus);
    placePickerButton_->setToolTip(hint);
    hourBranchBox_ = Named(new QLineEdit, QStringLiteral("hourBranchBox"));
    hourBranchBox_->hide();
    china->addWidget(hourBranchBox_, 3, 1);
    auto* entry = new QHBoxLayout;
    entry->setSpacing(0);
    for (QWidget* w : {static_cast<QWidget*>(longitudeBox_), static_cast<QWidget*>(longitudeArrows_)})
        entry->addWidget(w);
    entry->addSpacing(4);
    entry->addWidget(placePickerButton_);
    longitudeHint_ = Named(new QLabel, QStringLiteral("longitudeHint"));
    entry->addSpacing(4);
    entry->addWidget(longitudeHint_);
    entry->addStretch();
    china->addWidget(longitudeCaption, 1, 0);
    china->addLayout(entry, 1, 1);
    auto* trueSolarCaption = Named(new QLabel(TranslatedQ("ui", "当地真太阳时是：          ")),
                                   QStringLiteral("chinaTrueSolarCaption"));
    chinaTrueSolarLabel_ = Named(new QLabel, QStringLiteral("chinaTrueSolarLabel"));
    china->addWidget(trueSolarCaption, 2, 0);
    china->addWidget(chinaTrueSolarLabel_, 2, 1);
    // How long the double-hour lasts: its hours, then its span on this page's clock and the minutes left.
    chinaSpanLabel_ = Named(new QLabel, QStringLiteral("chinaSpanLabel"));
    china->addWidget(chinaSpanLabel_, 4, 0, 1, 2);
    correction_ = {longitudeCaption,   longitudeBox_,    longitudeArrows_,
                   placePickerButton_, trueSolarCaption, chinaTrueSolarLabel_};

    auto* abroad = new QGridLayout(abroadPage_);
    abroad->addWidget(new QLabel(TranslatedQ("ui", "现在机器时间是：")), 0, 0);
    abroadTimeBox_ = TimeBox(QStringLiteral("abroadTimeBox"));
    abroad->addWidget(abroadTimeBox_, 0, 1, 1, 3);
    abroad->addWidget(new QLabel(TranslatedQ("ui", "减夏令时(分钟)：")), 1, 0);
    summerBox_ = Named(new QLineEdit, QStringLiteral("summerBox"));
    summerBox_->setFixedWidth(44);
    eastWestBox_ = Named(new QComboBox, QStringLiteral("eastWestBox"));
    eastWestBox_->setEditable(true);
    eastWestBox_->addItems({QStringLiteral("东经"), QStringLiteral("西经")});
    abroadLongitudeBox_ = Named(new QLineEdit, QStringLiteral("abroadLongitudeBox"));
    abroadLongitudeBox_->setToolTip(TranslatedQ("ui", "十进制小数表示度数"));
    abroadLongitudeBox_->setFixedWidth(70);
    abroad->addWidget(summerBox_, 1, 1);
    abroad->addWidget(eastWestBox_, 1, 2);
    abroad->addWidget(abroadLongitudeBox_, 1, 3);
    summerHint_ = Named(new QLabel, QStringLiteral("summerHint"));
    abroadLongitudeHint_ = Named(new QLabel, QStringLiteral("abroadLongitudeHint"));
    auto* hints = new QHBoxLayout;
    hints->addWidget(summerHint_);
    hints->addWidget(abroadLongitudeHint_);
    hints->addStretch();
    abroadSpanLabel_ = Named(new QLabel, QStringLiteral("abroadSpanLabel"));
    auto* belowTimes = new QVBoxLayout;
    belowTimes->addWidget(abroadSpanLabel_);
    belowTimes->addLayout(hints);
    abroad->addLayout(belowTimes, 5, 0, 1, 4);
    abroad->addWidget(new QLabel(TranslatedQ("ui", "时区：")), 2, 0);
    zoneBox_ = Named(new QComboBox, QStringLiteral("zoneBox"));
    zoneBox_->setEditable(true);
    for (std::string_view zone : ZoneTexts())
        zoneBox_->addItem(QString::fromUtf8(zone.data(), static_cast<qsizetype>(zone.size())));
    zoneBox_->setMinimumContentsLength(24);
    zoneBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // The box shows the offset; its list is as wide as the longest zone.
    zoneBox_->view()->setMinimumWidth(zoneBox_->view()->sizeHintForColumn(0) +
                                      2 * zoneBox_->view()->frameWidth() + 24);
    abroad->addWidget(zoneBox_, 2, 1, 1, 3);
    abroad->addWidget(new QLabel(TranslatedQ("ui", "现在北京时间是：          ")), 3, 0);
    abroadBeijingLabel_ = Named(new QLabel, QStringLiteral("abroadBeijingLabel"));
    abroad->addWidget(abroadBeijingLabel_, 3, 1, 1, 3);
    abroad->addWidget(new QLabel(TranslatedQ("ui", "当地真太阳时是：          ")), 4, 0);
    abroadTrueSolarLabel_ = Named(new QLabel, QStringLiteral("abroadTrueSolarLabel"));
    abroad->addWidget(abroadTrueSolarLabel_, 4, 1, 1, 3);

    // The chosen date and time stand where the time box of the page in front stands.
    chosenTimeRow_ = Named(new QWidget, QStringLiteral("chosenTimeRow"));
    auto* pickers = new QHBoxLayout(chosenTimeRow_);
    pickers->setContentsMargins(0, 0, 0, 0);
    datePicker_ = Named(new QDateEdit, QStringLiteral("datePicker"));
    datePicker_->setTimeSpec(Qt::UTC);
    datePicker_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    datePicker_->setCalendarPopup(true);
    timePicker_ = Named(new QTimeEdit, QStringLiteral("timePicker"));
    timePicker_->setTimeSpec(Qt::UTC);
    timePicker_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    SelectSectionOnClick(datePicker_);
    SelectSectionOnClick(timePicker_);
    pickers->addWidget(datePicker_);
    pickers->addWidget(timePicker_);
    // The night the clocks go back a reading comes twice: which time is meant. Shown only then.
    passBox_ = Named(new QComboBox, QStringLiteral("passBox"));
    passBox_->setToolTip(TranslatedQ("ui", "钟表回拨的那一夜，这一时刻出现两次：请选择是哪一次"));
    passBox_->hide();
    pickers->addWidget(passBox_);
    pickNote_ = Named(new QLabel, QStringLiteral("pickNoteLabel"));
    pickNote_->setStyleSheet(QStringLiteral("color: #b00000"));
    pickNote_->hide();
    pickers->addWidget(pickNote_);
    pickers->addStretch();
    chosenTimeRow_->hide();
    china->addWidget(chosenTimeRow_, 0, 1);
    zoneChoices_ = new ZoneChoices(
        this, [this](std::string_view column, const QString& v) { setPending(column, v); },
        [this](const QString& text) { showMessage(MessageKind::Message, text); });
    zoneChoices_->AddToAbroadPage(abroad, summerBox_, zoneBox_);
    zoneChoices_->AddToChinaPage(china);
    taboo_ =
        new TabooChoices(this, [this](std::string_view column, const QString& v) { storeEntry(column, v); });
    china->setRowStretch(china->rowCount(), 1);
    return timePages_;
}

QWidget* MainWindow::buildSettingsPages() {
    auto* pages = Named(new QTabWidget, QStringLiteral("settingsPages"));
    settingsPages_ = pages;
    auto* common = Named(new QWidget, QStringLiteral("commonSettingsPage"));
    auto* modes = Named(new QWidget, QStringLiteral("timeModePage"));
    // The equation of time and the 人神 on a page of their own: 设置常用 stays as short as the time pages,
    // which at a scale of 2 on a laptop's screen leaves the method pages their room.
    auto* other = Named(new QWidget, QStringLiteral("eotRenShenPage"));
    pages->addTab(common, TranslatedQ("ui", "设置常用"));
    pages->addTab(modes, TranslatedQ("ui", "设置时辰模式"));
    pages->addTab(other, TranslatedQ("ui", "均时差与人神"));
    auto* o = new QVBoxLayout(other);
    o->addStretch();
    auto* c = new QVBoxLayout(common);
    auto* note =
        Named(new QPushButton(TranslatedQ("ui", "重要说明！！！")), QStringLiteral("beijingNoteButton"));
    connect(note, &QPushButton::clicked, this, [this] { showBeijingNote(); });
    onlyBeijingBox_ =
        Named(new SettingsCheckBox(TranslatedQ("ui", "仅仅使用北京时间")), QStringLiteral("onlyBeijingBox"));
    automaticBox_ = Named(new QCheckBox(TranslatedQ("ui", "是否自动计算")), QStringLiteral("automaticBox"));
    automaticBox_->setChecked(true);
    // The note and 是否自动计算 share a row: a row less keeps the time area low enough for the method pages
    // at twice the scale under a title bar, in the longer languages too.
    auto* noteRow = new QHBoxLayout;
    noteRow->addWidget(note);
    noteRow->addWidget(automaticBox_);
    noteRow->addStretch();
    c->addLayout(noteRow);
    auto* beijingRow = new QHBoxLayout;
    beijingRow->addWidget(onlyBeijingBox_);
    c->addLayout(beijingRow);
    c->addStretch();
    zoneChoices_->AddToSettingsPage(c, beijingRow, o);
    taboo_->AddToSettingsPage(o);
    auto* group = Named(new QGroupBox, QStringLiteral("timeModeGroup"));
    auto* g = new QVBoxLayout(group);
    timeModeButtons_ = new QButtonGroup(group);
    for (int i = 0; i < kTimeModeCount; ++i) {
        const std::string_view label = Label(static_cast<TimeMode>(i));
        auto* r =
            // The core's own label (a literal): said in the language in force.
            Named(new QRadioButton(TranslatedQ("value", label.data())),
                  QStringLiteral("timeModeButton%1").arg(i));
        g->addWidget(r);
        timeModeButtons_->addButton(r, i);
    }
    (new QVBoxLayout(modes))->addWidget(group);
    return pages;
}

void MainWindow::arrangeForRoom() {
    if (arranging_) return;
    arranging_ = true;
    const bool dialInFront = methodPages_->currentWidget() == dial_;
    const bool described = descriptionToggle_->text() != TranslatedQ("ui", "打开穴位说明>>");
    // Beside the dial the description leaves it its height.
    const bool beside = dialInFront && described;
    if (beside != (middleRow_->indexOf(descriptionArea_) >= 0)) {
        column_->removeWidget(descriptionArea_);
        middleRow_->removeWidget(descriptionArea_);
        if (beside)
            middleRow_->addWidget(descriptionArea_, 0, Qt::AlignTop);
        else
            column_->addWidget(descriptionArea_);
    }
    descriptionArea_->setVisible(described);
    const QWidget* client = centralWidget();
    if (auto* area = qobject_cast<QScrollArea*>(centralWidget())) client = area->widget();
    if (!fullHeight_) fullHeight_ = client->sizeHint().height();
    // Before the window system has framed the window, a title bar of the usual height is allowed for.
    const int room = AvailableArea(this).height() - std::max(FrameExtra(this).height(), 30) -
                     (menuWidget() ? menuWidget()->sizeHint().height() : 0);
    // With a margin: at a fractional scale the rows take a few pixels more than their hints say.
    setTight(*fullHeight_ + 40 > room);
    // The dial below the time pages at the size it reads as well as with room to spare, or in their place.
    const int belowTimes =
        topRow_->sizeHint().height() + methodPages_->tabBar()->sizeHint().height() +
        DialWidget::comfortableSide() + 8 +
        std::max(noticeBox_->sizeHint().height(), descriptionToggle_->sizeHint().height()) +
        3 * column_->spacing();
    const bool alone = dialInFront && belowTimes > room;
    dialAlone_ = alone;
    topRow_->setVisible(!alone);
    compactClock_->setVisible(alone);
    arranging_ = false;
}

void MainWindow::setTight(bool tight) {
    // Only the page in front of each set asks for room, and the pages' boxes stand closer.
    for (QTabWidget* pages : {timePages_, settingsPages_, methodPages_}) {
        for (int i = 0; i < pages->count(); ++i) {
            QWidget* page = pages->widget(i);
            if (page == dial_) continue;  // asks for room only while in front anyway
            const bool asks = !tight || i == pages->currentIndex();
            const QSizePolicy::Policy policy = asks ? QSizePolicy::Preferred : QSizePolicy::Ignored;
            if (page->sizePolicy().horizontalPolicy() != policy) page->setSizePolicy(policy, policy);
            if (tight_ != tight && page->layout()) {
                page->layout()->setContentsMargins(tight ? QMargins(4, 3, 4, 3) : QMargins(9, 9, 9, 9));
                page->layout()->setSpacing(tight ? 3 : -1);
            }
        }
    }
    tight_ = tight;
}

QWidget* MainWindow::buildNoticeBanner() {
    // Beside the switch that asks for it, so it takes no room from the pages; it stays until dismissed.
    noticeBanner_ = Named(new QFrame, QStringLiteral("noticeBanner"));
    auto* frame = static_cast<QFrame*>(noticeBanner_);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    QPalette yellow = frame->palette();
    yellow.setColor(QPalette::Window, QColor(0xff, 0xf3, 0xb0));
    yellow.setColor(QPalette::WindowText, Qt::black);
    frame->setPalette(yellow);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(6, 0, 2, 0);
    row->setSpacing(4);
    noticeText_ = Named(new QLabel, QStringLiteral("noticeText"));
    QFont bold = noticeText_->font();
    bold.setBold(true);
    noticeText_->setFont(bold);
    noticeSoundNote_ = Named(new QLabel, QStringLiteral("noticeSoundNote"));
    noticeSoundNote_->setMaximumWidth(260);
    noticeSoundNote_->hide();
    auto* dismiss = Named(new QToolButton, QStringLiteral("noticeDismiss"));
    dismiss->setText(QStringLiteral("×"));
    dismiss->setAutoRaise(true);
    dismiss->setToolTip(TranslatedQ("ui", "关闭提示"));
    dismiss->setFocusPolicy(Qt::NoFocus);
    connect(dismiss, &QToolButton::clicked, this, [this] {
        noticeBanner_->hide();
        noticeSoundNote_->hide();
    });
    row->addWidget(noticeText_);
    row->addWidget(noticeSoundNote_, 1);
    row->addWidget(dismiss);
    noticeBanner_->hide();
    return noticeBanner_;
}

QWidget* MainWindow::buildDescriptionArea() {
    // Only the opened-out window shows it.
    descriptionArea_ = Named(new QWidget, QStringLiteral("descriptionArea"));
    auto* a = new QGridLayout(descriptionArea_);
    // The caption, the point described beside it, and the hint taking the rest of the line.
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(TranslatedQ("ui", "穴位说明：")));
    descriptionHeading_ = Named(new QLabel, QStringLiteral("descriptionHeading"));
    QFont bold = descriptionHeading_->font();
    bold.setBold(true);
    descriptionHeading_->setFont(bold);
    top->addWidget(descriptionHeading_);
    top->addWidget(RedNote(QStringLiteral("descriptionHint"),
                           TranslatedQ("ui", "请先用鼠标点击有颜色方框内才有穴位说明！！！")),
                   1);
    a->addLayout(top, 0, 0, 1, 3);
    descriptionMemo_ = Named(new QPlainTextEdit, QStringLiteral("descriptionMemo"));
    descriptionMemo_->setReadOnly(true);
    // The description wraps to the window's width: only a long word needs the bar below it.
    descriptionMemo_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    descriptionMemo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    descriptionMemo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Reached by a click only, never by the Tab key.
    descriptionMemo_->setFocusPolicy(Qt::ClickFocus);
    descriptionMemo_->setFixedHeight(146);
    QFont f = descriptionMemo_->font();
    f.setPixelSize(16);
    descriptionMemo_->setFont(f);
    a->addWidget(descriptionMemo_, 1, 0, 1, 3);
    auto* picture =
        Named(new QPushButton(TranslatedQ("ui", "当前穴位的图片")), QStringLiteral("pictureButton"));
    auto* manager =
        Named(new QPushButton(TranslatedQ("ui", "穴位说明管理")), QStringLiteral("descriptionManagerButton"));
    connect(picture, &QPushButton::clicked, this, &MainWindow::showPicture);
    connect(manager, &QPushButton::clicked, this, [this] { ShowSecondary(secondary_.descriptionManager); });
    a->addWidget(picture, 2, 0);
    a->addWidget(manager, 2, 1);
    a->setColumnStretch(2, 1);
    descriptionArea_->hide();
    return descriptionArea_;
}

}  // namespace velunar::ui
