// The doctrines' pages, declared as tables of the boxes each shows. A box is named after the cell of the
// doctrine it shows ("naGanPointBox", caption "naGanPointLabel"), so the renderer needs no list of its own.
#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>

#include "ui/derivationwindow.h"
#include "ui/dialwidget.h"
#include "ui/mainwindow.h"
#include "ui/mainwindow_widgets.h"
#include "ui/taboo_choices.h"

namespace velunar::ui {
namespace {

// A box of a doctrine's page: the cell it shows, its caption, colour and place in the page's grid.
struct BoxLayout {
    const char* cell;
    const char* caption;
    Colour colour;
    int row;
    int column;
};

struct PageLayout {
    DoctrineId id;
    const char* title;
    std::vector<BoxLayout> boxes;
    bool big = false;  // the eight-method pages' larger boxes
    // Where "为什么？" stands: where it makes the page neither wider nor taller than the window needs.
    int whyRow = 0;
    int whyColumn = 4;
};

const std::vector<PageLayout>& PageLayouts() {
    using C = Colour;
    static const std::vector<PageLayout> kPages = {
        {DoctrineId::NaGan,
         "纳干法(徐氏)",
         {{"dutyMeridian", "值日经：", C::Grey, 0, 0},
          {"meridian", "穴位经脉：", C::Grey, 1, 0},
          {"phase", "穴位五行：", C::Grey, 2, 0},
          {"category", "穴位五俞：", C::Grey, 3, 0},
          {"point", "穴位：", C::Lime, 0, 1},
          {"sourcePoint", "返本还原穴：", C::Red, 1, 1},
          {"extraSourcePoint", "兼过原穴：", C::Red, 2, 1}}},
        {DoctrineId::NaZhi,
         "纳支法",
         {{"ownPoint", "本穴：", C::Red, 0, 0},
          {"sourcePoint", "原穴：", C::Red, 0, 1},
          {"drainPoint", "泻穴：", C::Lime, 1, 0},
          {"ownMeridian", "本穴经：", C::Grey, 1, 1},
          {"tonifyPoint", "补穴：", C::Yellow, 2, 0},
          {"tonifyMeridian", "补穴经：", C::Grey, 2, 1}}},
        {DoctrineId::LingGui, "灵龟八法", {{"point", "穴位：", C::Aqua, 2, 0}, {"partner", " 八法交会配穴：", C::Fuchsia, 2, 1}}, true},
        {DoctrineId::FeiTeng,
         "飞腾八法",
         {{"point", "飞腾八法：", C::Yellow, 0, 0}, {"partner", " 八脉交会配穴：", C::Lime, 0, 1}},
         true,
         1,
         3},
        {DoctrineId::Supplementary,
         "补穴法",
         {{"dutyMeridian", "补穴法值日经：", C::Grey, 0, 0},
          {"meridian", "补穴位经脉：", C::Grey, 1, 0},
          {"point", "补穴位：", C::Lime, 2, 0},
          {"phase", "补穴位五行：", C::Grey, 0, 1},
          {"category", "补穴位五俞：", C::Grey, 1, 1}}},
        {DoctrineId::RiGan, "日干法", {}, false, 1},
        {DoctrineId::ShiGan,
         "时干法",
         {{"meridian", "经络：", C::Grey, 0, 0},
          {"well", "井，所出：", C::Red, 1, 0},
          {"spring", "荥，所溜：", C::Red, 2, 0},
          {"stream", "俞，所注：", C::Red, 3, 0},
          {"river", "经，所行：", C::Red, 1, 1},
          {"sea", "合，所入：", C::Red, 2, 1},
          {"source", "原(总刺)，所过：", C::Red, 3, 1}}},
        {DoctrineId::NaZhi2, "纳支法2", {}, false, 1},
    };
    return kPages;
}

QString Upper(const char* name) {
    QString s = QString::fromLatin1(name);
    s[0] = s[0].toUpper();
    return s;
}

}  // namespace

QWidget* MainWindow::buildMethodPages() {
    methodPages_ = Named(new QTabWidget, QStringLiteral("methodPages"));
    // Eight captions must fit the window's width without scroll arrows.
    QFont tabFont = methodPages_->tabBar()->font();
    tabFont.setPixelSize(11);
    methodPages_->tabBar()->setFont(tabFont);
    for (const PageLayout& entry : PageLayouts()) {
        const QString name = QString::fromUtf8(DoctrineOf(entry.id).Name());
        auto* page = Named(new QWidget, name + QStringLiteral("Page"));
        pages_[entry.id] = page;
        methodPages_->addTab(page, QString::fromUtf8(entry.title));
        auto* grid = new QGridLayout(page);
        for (const BoxLayout& b : entry.boxes) {
            auto* caption = Named(new QLabel(QString::fromUtf8(b.caption)), name + Upper(b.cell) + QStringLiteral("Label"));
            QLineEdit* box = Box(name + Upper(b.cell) + QStringLiteral("Box"), ColourOf(b.colour), entry.big);
            grid->addWidget(caption, b.row, 2 * b.column);
            grid->addWidget(box, b.row, 2 * b.column + 1);
            boxes_[{entry.id, b.cell}] = box;
            captions_[{entry.id, b.cell}] = caption;
        }
        auto* why = Named(new QPushButton(QStringLiteral("为什么？")), name + QStringLiteral("WhyButton"));
        why->setToolTip(QStringLiteral("此页结果的推算过程及其出处（F2）"));
        // Like the other page buttons it leaves the focus, and so the described point, where it was.
        why->setFocusPolicy(Qt::NoFocus);
        connect(why, &QPushButton::clicked, this, [this, id = entry.id] { showDerivation(id); });
        if (entry.id != DoctrineId::LingGui)
            grid->addWidget(why, entry.whyRow, entry.whyColumn, Qt::AlignRight | Qt::AlignTop);
        if (entry.id == DoctrineId::NaGan) {
            supplementaryButton_ = Named(new QPushButton(QStringLiteral("闭穴时可以采用补穴方法>>")), QStringLiteral("supplementaryButton"));
            QFont bold = supplementaryButton_->font();
            bold.setBold(true);
            supplementaryButton_->setFont(bold);
            // Pressing it must leave the focus, and so the described point, where it was.
            supplementaryButton_->setFocusPolicy(Qt::NoFocus);
            supplementaryButton_->hide();
            grid->addWidget(supplementaryButton_, 3, 2, 1, 2);
        }
        if (entry.id == DoctrineId::LingGui) {
            dayGanZhiBox_ = Box(QStringLiteral("dayGanZhiBox"), ColourOf(Colour::Grey), true);
            hourGanZhiBox_ = Box(QStringLiteral("hourGanZhiBox"), ColourOf(Colour::Grey), true);
            grid->addWidget(new QLabel(QStringLiteral("今日日干支是：")), 0, 0);
            grid->addWidget(dayGanZhiBox_, 0, 1);
            grid->addWidget(new QLabel(QStringLiteral("时干支是：")), 1, 0);
            grid->addWidget(hourGanZhiBox_, 1, 1);
            auto* reverse = Named(new QPushButton(QStringLiteral("新：穴位反推功能")), QStringLiteral("reverseLookupButton"));
            connect(reverse, &QPushButton::clicked, this, [this] { ShowSecondary(secondary_.reverseLookup); });
            // The widest page: "为什么？" shares the reverse lookup's row.
            auto* buttons = new QHBoxLayout;
            buttons->addWidget(reverse);
            buttons->addStretch();
            buttons->addWidget(why);
            grid->addLayout(buttons, 0, 2, 1, 2);
            grid->addWidget(new QLabel(QStringLiteral("免责声明：使用本软件引起的一切后果，作者一概不负任何责任。")), 3, 0, 1, 3);
            grid->addWidget(new QLabel(QStringLiteral("2013年6月更新V4.5")), 3, 3);
        }
        if (entry.id == DoctrineId::Supplementary) {
            auto* title = new QLabel(QStringLiteral("纳干法（徐氏）补穴法"));
            QFont bold = title->font();
            bold.setBold(true);
            title->setFont(bold);
            grid->addWidget(title, 3, 0, 1, 4);
        }
        if (entry.id == DoctrineId::RiGan || entry.id == DoctrineId::NaZhi2) {
            auto* meridian = Named(new QLabel, name + QStringLiteral("MeridianLabel"));
            auto* list = PointList(name + QStringLiteral("PointList"),
                                   ColourOf(entry.id == DoctrineId::RiGan ? Colour::Lime : Colour::Yellow));
            connect(list, &QTableWidget::currentCellChanged, this,
                    [this, id = entry.id](int row) { state_.selectedRow[id] = row; });
            listMeridians_[entry.id] = meridian;
            lists_[entry.id] = list;
            grid->addWidget(new QLabel(QStringLiteral("值日经：")), 0, 0);
            grid->addWidget(meridian, 0, 1);
            grid->addWidget(new QLabel(QStringLiteral("所有腧穴：")), 1, 0, Qt::AlignTop);
            grid->addWidget(list, 1, 1, 3, 1);
            grid->addWidget(RedNote(name + QStringLiteral("Note"), QStringLiteral("说明：全部的腧穴尚有未输入!")), 0, 2);
        }
        taboo_->AddWarningTo(grid, entry.id, name + QStringLiteral("TabooWarning"));
        grid->setColumnStretch(4, 1);
        grid->setRowStretch(4, 1);
    }
    // F2: the page in front; on a page that is no doctrine's (the dial) every derivation.
    auto* whyKey = new QAction(this);
    whyKey->setObjectName(QStringLiteral("derivationAction"));
    whyKey->setShortcut(QKeySequence(Qt::Key_F2));
    connect(whyKey, &QAction::triggered, this, [this] {
        std::optional<DoctrineId> inFront;
        for (const auto& [id, page] : pages_)
            if (page == methodPages_->currentWidget()) inFront = id;
        showDerivation(inFront);
    });
    addAction(whyKey);
    // The supplementary page keeps its place while its tab is hidden (closed hours show it).
    methodPages_->setTabVisible(methodPages_->indexOf(pages_[DoctrineId::Supplementary]), false);
    methodPages_->setCurrentWidget(pages_[DoctrineId::LingGui]);
    dial_ = AddDialPage(methodPages_, this);
    return methodPages_;
}

void MainWindow::showDerivation(std::optional<DoctrineId> page) {
    if (!derivationWindow_) derivationWindow_ = new DerivationWindow(this);
    const QString title =
        page ? QStringLiteral("为什么？— %1").arg(methodPages_->tabText(methodPages_->indexOf(pages_[*page])))
             : QStringLiteral("为什么？");
    // The moment the pages show: the last tick's view, not a new reading of the clock.
    derivationWindow_->ShowDerivation(title, DerivationText(page, view_, *tables_));
}

}  // namespace velunar::ui
