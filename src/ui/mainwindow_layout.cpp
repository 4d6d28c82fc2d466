// The controls of Form1, placed by pixel as the form has always been laid out: the time pages top
// left, the settings pages top right, the method pages below, then the description area that only a
// tall window shows.
#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimeEdit>
#include <QToolButton>

#include "calendar/solar.h"
#include "ui/mainwindow.h"
#include "ui/mainwindow_widgets.h"

namespace velunar::ui {

namespace {

constexpr int kClientWidth = 533;
constexpr int kClientHeight = 314;
constexpr int kRow = 24;  // row pitch of the method pages

const QColor kLime(0x00, 0xFF, 0x00);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kAqua(0x00, 0xFF, 0xFF);
const QColor kFuchsia(0xFF, 0x00, 0xFF);

// The grey of the point pages: the colour scroll bars are drawn with.
QColor Grey() {
    return QApplication::palette().color(QPalette::Button).darker(112);
}

QString Name(const char* name) {
    return QString::fromLatin1(name);
}

template <class W>
W* Named(W* w, const char* name) {
    w->setObjectName(Name(name));
    return w;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* l = Named(new QLabel(text, parent), name);
    l->move(x, y);
    l->adjustSize();
    return l;
}

void Colour(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Text, Qt::black);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// A data-bound box: borderless, flat, read-only, but it takes the focus so that clicking into it
// chooses the point to describe.
QLineEdit* MakeBox(QWidget* parent, const char* name, int x, int y, int width, const QColor& colour) {
    auto* e = Named(new QLineEdit(parent), name);
    e->setGeometry(x, y, width, 21);
    e->setFrame(false);
    e->setReadOnly(true);
    Colour(e, colour);
    return e;
}

// The bigger boxes of the two eight-method pages.
QLineEdit* MakeBigBox(QWidget* parent, const char* name, int x, int y, const QColor& colour) {
    QLineEdit* e = MakeBox(parent, name, x, y, 90, colour);
    QFont f = e->font();
    f.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), f.family()});
    f.setPixelSize(16);
    e->setFont(f);
    e->setFixedHeight(24);
    return e;
}

// An editable settings box.
QLineEdit* MakeEdit(QWidget* parent, const char* name, int x, int y, int width) {
    auto* e = Named(new QLineEdit(parent), name);
    e->setGeometry(x, y, width, 21);
    return e;
}

// A time box: borderless, the page's own colour.
QLineEdit* MakeTimeBox(QWidget* parent, const char* name, int x, int y) {
    auto* e = Named(new QLineEdit(parent), name);
    e->setGeometry(x, y, 200, 20);
    e->setFrame(false);
    e->setReadOnly(true);
    QPalette p = e->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    e->setPalette(p);
    return e;
}

QTableWidget* MakeGrid(QWidget* parent, const char* name, const QColor& colour) {
    auto* g = Named(new QTableWidget(0, 1, parent), name);
    g->setGeometry(80, 4, 190, 112);
    g->horizontalHeader()->hide();
    g->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    g->setColumnWidth(0, 140);
    g->verticalHeader()->setDefaultSectionSize(20);
    g->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setShowGrid(true);
    Colour(g->viewport(), colour);
    Colour(g, colour);
    return g;
}

QWidget* AddPage(QTabWidget* tabs, const char* name, const QString& caption) {
    auto* page = Named(new QWidget, name);
    tabs->addTab(page, caption);
    return page;
}

QLabel* MakeRedNote(QWidget* parent, const char* name, const QString& text, int x, int y) {
    QLabel* l = MakeLabel(parent, name, text, x, y);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, kRed);
    l->setPalette(p);
    return l;
}

}  // namespace

void MainWindow::buildLayout() {
    setObjectName(Name("Form1"));
    setWindowTitle(QStringLiteral("VelunarV4.5"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // The form is laid out by pixel for a 12-pixel font; a bigger desktop font would overrun it.
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);
    auto* central = Named(new QWidget(this), "ClientArea");
    setCentralWidget(central);
    buildMenu();
    buildTimePages(central);
    buildSettingsPages(central);
    buildMethodPages(central);
    buildBottom(central);
    buildDescriptionArea(central);
    buildHiddenControls(central);
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
}

void MainWindow::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(Name("MainMenu1"));
    auto menu = [&](const char* name, const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(Name(name));
        m->menuAction()->setObjectName(Name(name));
        return m;
    };
    auto item = [&](QMenu* m, const char* name, const QString& caption, void (MainWindow::*slot)()) {
        QAction* a = m->addAction(caption);
        a->setObjectName(Name(name));
        connect(a, &QAction::triggered, this, slot);
    };
    QMenu* file = menu("mnfile", QStringLiteral("文件"));
    item(file, "mnexit", QStringLiteral("关闭"), &MainWindow::mnexitClick);
    QMenu* show = menu("mnshow", QStringLiteral("定位"));
    item(show, "mntabsheet1", QStringLiteral("子午流注纳干法（徐氏）"), &MainWindow::mntabsheet1Click);
    item(show, "mntabsheet2", QStringLiteral("子午流注纳支法"), &MainWindow::mntabsheet2Click);
    item(show, "mntabsheet3", QStringLiteral("灵龟八法"), &MainWindow::mntabsheet3Click);
    item(show, "mntabsheet5", QStringLiteral("飞腾八法"), &MainWindow::mntabsheet5Click);
    item(show, "mntabsheet6", QStringLiteral("纳干法之日干法(少用)"), &MainWindow::mntabsheet6Click);
    item(show, "mntabsheet7", QStringLiteral("纳干法之时干法(少用)"), &MainWindow::mntabsheet7Click);
    item(show, "mntabsheet8", QStringLiteral("纳支法(少人用)"), &MainWindow::mntabsheet8Click);
    QMenu* manage = menu("mnManage", QStringLiteral("管理"));
    item(manage, "mnxueweiManage", QStringLiteral("穴位说明管理"), &MainWindow::mnxueweiManageClick);
    item(manage, "mnDongJing", QStringLiteral("东经度数"), &MainWindow::mnDongJingClick);
    item(manage, "mntime", QStringLiteral("修改系统时间"), &MainWindow::mntimeClick);
    QMenu* know = menu("mnknow", QStringLiteral("相关知识"));
    item(know, "mntruetime", QStringLiteral("真太阳时"), &MainWindow::mntruetimeClick);
    item(know, "mntimemode", QStringLiteral("时辰模式"), &MainWindow::mntimemodeClick);
    QMenu* help = menu("mnhelp", QStringLiteral(" 帮助"));
    item(help, "mnabout", QStringLiteral(" 关于..."), &MainWindow::mnaboutClick);
    item(help, "mnMSG", QStringLiteral("免责声明"), &MainWindow::mnMSGClick);
}

void MainWindow::buildTimePages(QWidget* central) {
    PageControl2 = Named(new QTabWidget(central), "PageControl2");
    PageControl2->setGeometry(0, 0, 330, 140);
    TabSheet9 = AddPage(PageControl2, "TabSheet9", QStringLiteral("中国国内"));
    TabSheet10 = AddPage(PageControl2, "TabSheet10", QStringLiteral("国际国外"));
    buildChinaPage();
    buildAbroadPage();
}

void MainWindow::buildChinaPage() {
    QWidget* p = TabSheet9;
    const QString hint = QStringLiteral("请输入当地东经度数[0-180]");
    Label1 = MakeLabel(p, "Label1", QStringLiteral("现在北京时间是："), 6, 10);
    Edit1 = MakeTimeBox(p, "Edit1", 112, 8);
    Edit1->setText(QStringLiteral("Edit1"));
    Label3 = MakeLabel(p, "Label3", QStringLiteral("当地东经度数[0-180]："), 6, 40);
    edit3 = MakeEdit(p, "edit3", 146, 37, 70);
    edit3->setToolTip(hint);
    UpDown1 = Named(new UpDownArrows(p), "UpDown1");
    UpDown1->setGeometry(216, 37, 16, 21);
    UpDown1->setToolTip(hint);
    SpeedButton1 = Named(new QToolButton(p), "SpeedButton1");
    SpeedButton1->setText(QStringLiteral("..."));
    SpeedButton1->setGeometry(236, 37, 26, 21);
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    SpeedButton1->setToolTip(hint);
    Label2 = MakeLabel(p, "Label2", QStringLiteral("当地真太阳时是：          "), 6, 70);
    LBTrueTime = MakeLabel(p, "LBTrueTime", QStringLiteral("LBTrueTime"), 112, 70);
    Edit4 = Named(new QLineEdit(p), "Edit4");
    Edit4->setGeometry(270, 37, 40, 21);
    Edit4->setText(QString::fromUtf8(kHourBranchPlaceholder));
    Edit4->hide();
    DateTimePicker1 = Named(new QDateEdit(p), "DateTimePicker1");
    DateTimePicker1->setTimeSpec(Qt::UTC);
    DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    DateTimePicker1->setCalendarPopup(true);
    // The form's widths, unless the font needs more to show the whole date and time.
    DateTimePicker1->setGeometry(112, 8, std::max(89, DateTimePicker1->sizeHint().width()), 21);
    DateTimePicker1->hide();
    DateTimePicker2 = Named(new QTimeEdit(p), "DateTimePicker2");
    DateTimePicker2->setTimeSpec(Qt::UTC);
    DateTimePicker2->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    DateTimePicker2->setGeometry(203, 8, std::max(73, DateTimePicker2->sizeHint().width()), 21);
    DateTimePicker2->hide();
}

void MainWindow::buildAbroadPage() {
    QWidget* p = TabSheet10;
    Label52 = MakeLabel(p, "Label52", QStringLiteral("现在机器时间是："), 6, 6);
    Edit2 = MakeTimeBox(p, "Edit2", 112, 4);
    Edit2->setText(QStringLiteral("Edit2"));
    Label53 = MakeLabel(p, "Label53", QStringLiteral("减夏令时(分钟)："), 6, 27);
    DBEdit29 = MakeEdit(p, "DBEdit29", 112, 24, 44);
    DBComboBox1 = Named(new QComboBox(p), "DBComboBox1");
    DBComboBox1->setEditable(true);
    DBComboBox1->addItems({QStringLiteral("东经"), QStringLiteral("西经")});
    DBComboBox1->setGeometry(160, 24, 62, 21);
    DBEdit30 = MakeEdit(p, "DBEdit30", 226, 24, 70);
    DBEdit30->setToolTip(QStringLiteral("十进制小数表示度数"));
    Label54 = MakeLabel(p, "Label54", QStringLiteral("时区："), 6, 49);
    DBComboBox2 = Named(new QComboBox(p), "DBComboBox2");
    DBComboBox2->setEditable(true);
    for (std::string_view zone : ZoneTexts())
        DBComboBox2->addItem(QString::fromUtf8(zone.data(), static_cast<qsizetype>(zone.size())));
    DBComboBox2->setGeometry(48, 46, 272, 21);
    Label55 = MakeLabel(p, "Label55", QStringLiteral("现在北京时间是：          "), 6, 71);
    Label56 = MakeLabel(p, "Label56", QStringLiteral("Label56"), 112, 71);
    Label57 = MakeLabel(p, "Label57", QStringLiteral("当地真太阳时是：          "), 6, 91);
    Label58 = MakeLabel(p, "Label58", QStringLiteral("Label58"), 112, 91);
}

void MainWindow::buildSettingsPages(QWidget* central) {
    PageControl3 = Named(new QTabWidget(central), "PageControl3");
    PageControl3->setGeometry(332, 0, 201, 140);
    TabSheet11 = AddPage(PageControl3, "TabSheet11", QStringLiteral("设置常用"));
    TabSheet12 = AddPage(PageControl3, "TabSheet12", QStringLiteral("设置时辰模式"));

    Button4 = Named(new QPushButton(QStringLiteral("重要说明！！！"), TabSheet11), "Button4");
    Button4->setGeometry(6, 6, 120, 26);
    DBCheckBox1 = Named(new SettingsCheckBox(QStringLiteral("仅仅使用北京时间"), TabSheet11), "DBCheckBox1");
    DBCheckBox1->setGeometry(6, 40, 185, 22);
    CheckBox2 = Named(new QCheckBox(QStringLiteral("是否自动计算"), TabSheet11), "CheckBox2");
    CheckBox2->setGeometry(6, 66, 185, 22);
    CheckBox2->setChecked(true);

    DBRadioGroup1 = Named(new QGroupBox(TabSheet12), "DBRadioGroup1");
    DBRadioGroup1->setGeometry(4, 2, 189, 106);
    radioItems_ = new QButtonGroup(DBRadioGroup1);
    const QString items[] = {QStringLiteral("不区分夜子时早子时"), QStringLiteral("区分夜子时早子时"),
                             QStringLiteral("以0-2时为子时")};
    for (int i = 0; i < 3; ++i) {
        auto* r = new QRadioButton(items[i], DBRadioGroup1);
        r->setObjectName(QStringLiteral("DBRadioGroup1_%1").arg(i));
        r->setGeometry(8, 10 + 30 * i, 175, 24);
        radioItems_->addButton(r, i);
    }
}

void MainWindow::buildMethodPages(QWidget* central) {
    PageControl1 = Named(new QTabWidget(central), "PageControl1");
    PageControl1->setGeometry(0, 142, kClientWidth, 146);
    TabSheet1 = AddPage(PageControl1, "TabSheet1", QStringLiteral("纳干法(徐氏)"));
    TabSheet2 = AddPage(PageControl1, "TabSheet2", QStringLiteral("纳支法"));
    TabSheet3 = AddPage(PageControl1, "TabSheet3", QStringLiteral("灵龟八法"));
    TabSheet5 = AddPage(PageControl1, "TabSheet5", QStringLiteral("飞腾八法"));
    TabSheet4 = AddPage(PageControl1, "TabSheet4", QStringLiteral("补穴法"));
    TabSheet6 = AddPage(PageControl1, "TabSheet6", QStringLiteral("日干法"));
    TabSheet7 = AddPage(PageControl1, "TabSheet7", QStringLiteral("时干法"));
    TabSheet8 = AddPage(PageControl1, "TabSheet8", QStringLiteral("纳支法2"));
    // Eight captions must fit the form's width without scroll arrows.
    QFont tabFont = PageControl1->tabBar()->font();
    tabFont.setPixelSize(11);
    PageControl1->tabBar()->setFont(tabFont);
    // The supplementary page keeps its index 4 while its tab is hidden (closed hours show it).
    PageControl1->setTabVisible(4, false);
    buildNaGanPage();
    buildNaZhiPage();
    buildLingGuiPage();
    buildFeiTengPage();
    buildSupplementaryPage();
    buildDayStemPage();
    buildHourStemPage();
    buildNaZhi2Page();
    PageControl1->setCurrentIndex(2);
}

void MainWindow::buildNaGanPage() {
    QWidget* p = TabSheet1;
    const QColor grey = Grey();
    MakeLabel(p, "Label14", QStringLiteral("值日经："), 6, 8);
    DBEdit9 = MakeBox(p, "DBEdit9", 82, 6, 130, grey);
    MakeLabel(p, "Label15", QStringLiteral("穴位经脉："), 6, 8 + kRow);
    DBEdit10 = MakeBox(p, "DBEdit10", 82, 6 + kRow, 130, grey);
    MakeLabel(p, "Label16", QStringLiteral("穴位五行："), 6, 8 + 2 * kRow);
    DBEdit11 = MakeBox(p, "DBEdit11", 82, 6 + 2 * kRow, 130, grey);
    MakeLabel(p, "Label17", QStringLiteral("穴位五俞："), 6, 8 + 3 * kRow);
    DBEdit12 = MakeBox(p, "DBEdit12", 82, 6 + 3 * kRow, 130, grey);
    MakeLabel(p, "Label18", QStringLiteral("穴位："), 232, 8);
    DBEdit13 = MakeBox(p, "DBEdit13", 322, 6, 130, kLime);
    Label19 = MakeLabel(p, "Label19", QStringLiteral("返本还原穴："), 232, 8 + kRow);
    DBEdit14 = MakeBox(p, "DBEdit14", 322, 6 + kRow, 130, kRed);
    Label22 = MakeLabel(p, "Label22", QStringLiteral("兼过原穴："), 232, 8 + 2 * kRow);
    DBEdit15 = MakeBox(p, "DBEdit15", 322, 6 + 2 * kRow, 130, kRed);
    Button1 = Named(new QPushButton(QStringLiteral("闭穴时可以采用补穴方法>>"), p), "Button1");
    QFont bold = Button1->font();
    bold.setBold(true);
    Button1->setFont(bold);
    // Pressing it must leave the focus, and so the described point, where it was.
    Button1->setFocusPolicy(Qt::NoFocus);
    Button1->setGeometry(232, 3 + 3 * kRow, 220, 26);
    Button1->hide();
}

void MainWindow::buildNaZhiPage() {
    QWidget* p = TabSheet2;
    const QColor grey = Grey();
    auto* group = Named(new QGroupBox(QStringLiteral("本时辰流注经"), p), "GroupBox1");
    group->setGeometry(6, 0, 517, 70);
    MakeLabel(group, "Label5", QStringLiteral("本穴："), 10, 22);
    DBEdit1 = MakeBox(group, "DBEdit1", 70, 20, 150, kRed);
    MakeLabel(group, "Label6", QStringLiteral("原穴："), 260, 22);
    DBEdit2 = MakeBox(group, "DBEdit2", 326, 20, 150, kRed);
    MakeLabel(group, "Label7", QStringLiteral("泻穴："), 10, 45);
    DBEdit3 = MakeBox(group, "DBEdit3", 70, 43, 150, kLime);
    MakeLabel(group, "Label9", QStringLiteral("本穴经："), 260, 45);
    DBEdit4 = MakeBox(group, "DBEdit4", 326, 43, 150, grey);
    MakeLabel(p, "Label8", QStringLiteral("补穴："), 16, 80);
    DBEdit5 = MakeBox(p, "DBEdit5", 76, 78, 150, kYellow);
    MakeLabel(p, "Label10", QStringLiteral("补穴经："), 266, 80);
    DBEdit6 = MakeBox(p, "DBEdit6", 332, 78, 150, grey);
}

void MainWindow::buildLingGuiPage() {
    QWidget* p = TabSheet3;
    const QColor grey = Grey();
    MakeLabel(p, "Label11", QStringLiteral("今日日干支是："), 6, 8);
    Edit5 = MakeBigBox(p, "Edit5", 100, 4, grey);
    MakeLabel(p, "Label12", QStringLiteral("时干支是："), 6, 36);
    Edit7 = MakeBigBox(p, "Edit7", 100, 32, grey);
    MakeLabel(p, "Label13", QStringLiteral("穴位："), 6, 64);
    Edit8 = MakeBigBox(p, "Edit8", 100, 60, kAqua);
    MakeLabel(p, "Label20", QStringLiteral(" 八法交会配穴："), 206, 64);
    Edit6 = MakeBigBox(p, "Edit6", 306, 60, kFuchsia);
    for (QLineEdit* e : {Edit5, Edit7, Edit8, Edit6}) e->setText(e->objectName());
    Button3 = Named(new QPushButton(QStringLiteral("新：穴位反推功能"), p), "Button3");
    Button3->setGeometry(206, 4, 150, 26);
    MakeLabel(p, "Label21", QStringLiteral("免责声明：使用本软件引起的一切后果，"), 6, 96);
    MakeLabel(p, "Label23", QStringLiteral("作者一概不负任何责任。"), 236, 96);
    MakeLabel(p, "Label30", QStringLiteral("2013年6月更新V4.5"), 400, 96);
}

void MainWindow::buildFeiTengPage() {
    QWidget* p = TabSheet5;
    MakeLabel(p, "Label32", QStringLiteral("飞腾八法："), 6, 14);
    Edit10 = MakeBigBox(p, "Edit10", 90, 10, kYellow);
    MakeLabel(p, "Label33", QStringLiteral(" 八脉交会配穴："), 206, 14);
    Edit11 = MakeBigBox(p, "Edit11", 306, 10, kLime);
    for (QLineEdit* e : {Edit10, Edit11}) e->setText(e->objectName());
}

void MainWindow::buildSupplementaryPage() {
    QWidget* p = TabSheet4;
    const QColor grey = Grey();
    QLabel* title = MakeLabel(p, "Label51", QStringLiteral("纳干法（徐氏）补穴法"), 6, 4);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->adjustSize();
    MakeLabel(p, "Label24", QStringLiteral("补穴法值日经："), 6, 30);
    DBEdit20 = MakeBox(p, "DBEdit20", 100, 28, 140, grey);
    MakeLabel(p, "Label25", QStringLiteral("补穴位经脉："), 6, 30 + kRow);
    DBEdit16 = MakeBox(p, "DBEdit16", 100, 28 + kRow, 140, grey);
    MakeLabel(p, "Label28", QStringLiteral("补穴位："), 6, 30 + 2 * kRow);
    DBEdit19 = MakeBox(p, "DBEdit19", 100, 28 + 2 * kRow, 140, kLime);
    MakeLabel(p, "Label26", QStringLiteral("补穴位五行："), 270, 30);
    DBEdit17 = MakeBox(p, "DBEdit17", 364, 28, 140, grey);
    MakeLabel(p, "Label27", QStringLiteral("补穴位五俞："), 270, 30 + kRow);
    DBEdit18 = MakeBox(p, "DBEdit18", 364, 28 + kRow, 140, grey);
}

void MainWindow::buildDayStemPage() {
    QWidget* p = TabSheet6;
    MakeLabel(p, "Label41", QStringLiteral("值日经："), 6, 8);
    Label44 = MakeLabel(p, "Label44", QStringLiteral("Label44"), 60, 8);
    MakeLabel(p, "Label42", QStringLiteral("所有腧穴："), 6, 34);
    DBGrid1 = MakeGrid(p, "DBGrid1", kLime);
    MakeRedNote(p, "Label43", QStringLiteral("说明：全部的腧穴尚有未输入!"), 290, 8);
}

void MainWindow::buildHourStemPage() {
    QWidget* p = TabSheet7;
    const QColor grey = Grey();
    MakeLabel(p, "Label34", QStringLiteral("经络："), 6, 8);
    DBEdit22 = MakeBox(p, "DBEdit22", 84, 6, 130, grey);
    MakeLabel(p, "Label35", QStringLiteral("井，所出："), 6, 8 + kRow);
    DBEdit23 = MakeBox(p, "DBEdit23", 84, 6 + kRow, 130, kRed);
    MakeLabel(p, "Label36", QStringLiteral("荥，所溜："), 6, 8 + 2 * kRow);
    DBEdit24 = MakeBox(p, "DBEdit24", 84, 6 + 2 * kRow, 130, kRed);
    MakeLabel(p, "Label37", QStringLiteral("俞，所注："), 6, 8 + 3 * kRow);
    DBEdit25 = MakeBox(p, "DBEdit25", 84, 6 + 3 * kRow, 130, kRed);
    MakeLabel(p, "Label38", QStringLiteral("经，所行："), 250, 8 + kRow);
    DBEdit26 = MakeBox(p, "DBEdit26", 370, 6 + kRow, 130, kRed);
    MakeLabel(p, "Label39", QStringLiteral("合，所入："), 250, 8 + 2 * kRow);
    DBEdit27 = MakeBox(p, "DBEdit27", 370, 6 + 2 * kRow, 130, kRed);
    Label40 = MakeLabel(p, "Label40", QStringLiteral("原(总刺)，所过："), 250, 8 + 3 * kRow);
    DBEdit28 = MakeBox(p, "DBEdit28", 370, 6 + 3 * kRow, 130, kRed);
}

void MainWindow::buildNaZhi2Page() {
    QWidget* p = TabSheet8;
    MakeLabel(p, "Label46", QStringLiteral("值日经："), 6, 8);
    Label47 = MakeLabel(p, "Label47", QStringLiteral("Label47"), 60, 8);
    MakeLabel(p, "Label48", QStringLiteral("所有腧穴："), 6, 34);
    DBGrid2 = MakeGrid(p, "DBGrid2", kYellow);
    MakeRedNote(p, "Label45", QStringLiteral("说明：全部的腧穴尚有未输入!"), 290, 8);
}

void MainWindow::buildBottom(QWidget* central) {
    CheckBox1 =
        Named(new SettingsCheckBox(QStringLiteral("时辰变换时需要音乐和对话框提示"), central), "CheckBox1");
    CheckBox1->setGeometry(6, 290, 230, 22);
    TickStatus = MakeRedNote(central, "TickStatus", QString(), 240, 294);
    TickStatus->setGeometry(240, 290, 160, 22);
    TickStatus->hide();
    Button2 = Named(new QPushButton(QStringLiteral("打开穴位说明>>"), central), "Button2");
    Button2->setGeometry(405, 289, 122, 24);
}

void MainWindow::buildDescriptionArea(QWidget* central) {
    // Only the tall window shows it; it is hidden as well, whatever the frame of the window manager.
    descriptionArea_ = Named(new QWidget(central), "DescriptionArea");
    descriptionArea_->setGeometry(0, 318, kClientWidth, 212);
    QWidget* a = descriptionArea_;
    MakeLabel(a, "Label31", QStringLiteral("穴位说明："), 6, 6);
    Label29 =
        MakeRedNote(a, "Label29", QStringLiteral("请先用鼠标点击有颜色方框内才有穴位说明！！！"), 80, 6);
    DBMemo1 = Named(new QPlainTextEdit(a), "DBMemo1");
    DBMemo1->setGeometry(6, 26, 521, 146);
    DBMemo1->setReadOnly(true);
    DBMemo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DBMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Reached by a click only, never by the Tab key.
    DBMemo1->setFocusPolicy(Qt::ClickFocus);
    QFont f = DBMemo1->font();
    f.setPixelSize(16);
    DBMemo1->setFont(f);
    btnpic = Named(new QPushButton(QStringLiteral("当前穴位的图片"), a), "btnpic");
    btnpic->setGeometry(6, 178, 130, 26);
    XUEWEIMANAGE = Named(new QPushButton(QStringLiteral("穴位说明管理"), a), "XUEWEIMANAGE");
    XUEWEIMANAGE->setGeometry(142, 178, 130, 26);
    descriptionArea_->hide();
}

void MainWindow::buildHiddenControls(QWidget* central) {
    DBEdit21 = MakeEdit(central, "DBEdit21", 300, 496, 100);
    DBEdit21->hide();
    bjok = Named(new QPlainTextEdit(central), "bjok");
    bjok->setGeometry(300, 340, 200, 100);
    bjok->setPlainText(QStringLiteral(
        "关于国外真太阳时：\n"
        "在国外，用机器时间减去夏令时，得到的只是当地的平时，还必须再考虑所在的时区，才能与北京时间"
        "相互换算。\n"
        "由北京时间推算日干支很容易；由国外的时间推算日干支却不容易。国际日期变更线是人为规定的，"
        "干支日究竟应当从北京向东延续还是向西延续，并无定论，所以干支的日界线未必与国际日期变更线一致。"
        "假如有人正好站在日期变更线上，他的一只脚踏在甲子日，另一只脚却踏在乙丑日。\n"
        "真太阳时也解决不了日期变更线的问题；在南半球（例如澳大利亚），连月柱都难以确定。\n"
        "因此本软件倾向于认为北京时间是定律，不推荐使用真太阳时，只是把它作为一种选择提供给用户。"));
    bjok->hide();
}

void MainWindow::setOuterHeight(int height) {
    // The window frame is known only once the window manager has decorated the window.
    const int frame = isVisible() ? frameGeometry().height() - geometry().height() : 0;
    setFixedSize(kClientWidth, height - frame);
}

}  // namespace velunar::ui
