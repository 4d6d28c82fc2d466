// The reverse lookup window's controls, in the order the practitioner knows them, held by layouts so the
// window can be made smaller or larger (down to what a 1366×768 screen shows at twice the scale).
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "reverse/reverse.h"
#include "ui/mainwindow_widgets.h"
#include "ui/pointfinder.h"
#include "ui/reversewindow.h"
#include "ui/uitext.h"
#include "ui/wrappingrow.h"

namespace velunar::ui {
namespace {

QFont SongFont(QFont font, int pixels) {
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体")});
    font.setPixelSize(pixels);
    return font;
}

QLabel* MakeLabel(const char* name, const QString& text, bool bold) {
    auto* l = new QLabel(text);
    l->setObjectName(QString::fromLatin1(name));
    QFont font = SongFont(l->font(), 12);
    font.setBold(bold);
    l->setFont(font);
    return l;
}

QDateEdit* MakePicker(const char* name) {
    auto* p = new QDateEdit;
    p->setObjectName(QString::fromLatin1(name));
    // The fields as picked, never an instant of the system's zone.
    p->setTimeSpec(Qt::UTC);
    p->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    p->setCalendarPopup(true);
    return p;
}

template <class View>
View* SetUpView(View* view, const QString& name) {
    view->setObjectName(name);
    view->setFont(SongFont(view->font(), 16));
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return view;
}

QWidget* Page(const QString& name, QWidget* view) {
    auto* page = new QWidget;
    page->setObjectName(name + QStringLiteral("Page"));
    auto* fill = new QVBoxLayout(page);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(view);
    return page;
}

}  // namespace

QString PageCaption(DoctrineId doctrine) {
    switch (doctrine) {
        case DoctrineId::NaGan:
            return TranslatedQ("ui", "纳干法(徐氏)");
        case DoctrineId::NaZhi:
            return TranslatedQ("ui", "纳支法");
        case DoctrineId::LingGui:
            return TranslatedQ("ui", "灵龟八法");
        case DoctrineId::FeiTeng:
            return TranslatedQ("ui", "飞腾八法");
        case DoctrineId::RiGan:
            return TranslatedQ("ui", "日干法");
        case DoctrineId::ShiGan:
            return TranslatedQ("ui", "时干法");
        case DoctrineId::NaZhi2:
            return TranslatedQ("ui", "纳支法2");
        case DoctrineId::Supplementary:
            return TranslatedQ("ui", "补穴法");
    }
    return {};
}

// The point to look up, as one piece of the layout: its caption and the list of the known points.
QWidget* ReverseLookupWindow::buildPointPicker() {
    auto* picker = new QWidget;
    picker->setObjectName(QStringLiteral("pointPicker"));
    auto* row = new QHBoxLayout(picker);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(MakeLabel("pointCaption", TranslatedQ("ui", "要查找的穴位名称："), false));
    pointBox_ = new PointFinder;
    pointBox_->setObjectName(QStringLiteral("pointBox"));
    pointBox_->setMaxVisibleItems(20);
    pointBox_->setMinimumContentsLength(8);
    pointBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    row->addWidget(pointBox_);
    return picker;
}

QWidget* ReverseLookupWindow::buildResultPages() {
    doctrinePages_ = new QTabWidget;
    doctrinePages_->setObjectName(QStringLiteral("doctrinePages"));
    doctrinePages_->setUsesScrollButtons(true);

    reportModel_ = new ReportModel(*store_, this);
    // A table of one column rather than a list: a table takes rows at the end without laying out the
    // ones it has, which a list does on every insertion, and the report may have millions.
    reportView_ = SetUpView(new QTableView, QStringLiteral("reportView"));
    reportView_->setModel(reportModel_);
    reportView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    reportView_->setShowGrid(false);
    reportView_->setWordWrap(false);
    reportView_->horizontalHeader()->hide();
    reportView_->horizontalHeader()->setStretchLastSection(true);
    renewRowHeader(reportView_, reportView_->fontMetrics().height() + 4, false);
    addCopyAction(reportView_);
    doctrinePages_->addTab(Page(QStringLiteral("report"), reportView_), TranslatedQ("ui", "全部"));

    doctrineModels_.assign(Doctrines().size(), nullptr);
    doctrineViews_.assign(Doctrines().size(), nullptr);
    for (const Doctrine* d : ReportOrder()) {
        const QString name = QString::fromUtf8(d->Name().data(), static_cast<qsizetype>(d->Name().size()));
        auto* model = new DoctrineOpeningsModel(*store_, d->Id(), this);
        model->setObjectName(name + QStringLiteral("Model"));
        auto* view = SetUpView(new QTableView, name + QStringLiteral("View"));
        view->setModel(model);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setWordWrap(false);
        renewRowHeader(view, view->fontMetrics().height() + 6, true);
        view->horizontalHeader()->setDefaultSectionSize(
            view->fontMetrics().horizontalAdvance(QStringLiteral("2013-06-09")) + 24);
        view->horizontalHeader()->setStretchLastSection(true);
        // What opens is as wide as the doctrine's texts, known once the first rows are in; Qt measures at
        // most a thousand rows, however many come.
        connect(model, &QAbstractItemModel::rowsInserted, view, [view](const QModelIndex&, int first) {
            if (first != 0) return;
            view->resizeColumnToContents(DoctrineOpeningsModel::HourColumn);
            view->resizeColumnToContents(DoctrineOpeningsModel::RoleColumn);
        });
        view->horizontalHeader()->setSortIndicator(DoctrineOpeningsModel::DateColumn, Qt::AscendingOrder);
        view->setSortingEnabled(true);
        addCopyAction(view);
        doctrineModels_[static_cast<std::size_t>(d->Id())] = model;
        doctrineViews_[static_cast<std::size_t>(d->Id())] = view;
        doctrinePages_->addTab(Page(name, view), PageCaption(d->Id()));
    }
    doctrinePages_->setCurrentIndex(0);
    return doctrinePages_;
}

void ReverseLookupWindow::renewRowHeader(QTableView* view, int rowHeight, bool shown) {
    // A header keeps a record for every row it ever had, and keeps their room when the rows go: a header
    // made anew is the only way to give the memory of millions of rows back.
    auto* header = new QHeaderView(Qt::Vertical, view);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setDefaultSectionSize(rowHeight);
    view->setVerticalHeader(header);
    header->setVisible(shown);
}

void ReverseLookupWindow::renewRowHeader(QTableView* view) {
    const QHeaderView* old = view->verticalHeader();
    renewRowHeader(view, old->defaultSectionSize(), !old->isHidden());
}

void ReverseLookupWindow::addCopyAction(QAbstractItemView* view) {
    auto* copy = new QAction(TranslatedQ("ui", "复制"), view);
    copy->setObjectName(QStringLiteral("copyAction"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    view->addAction(copy);
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copy, &QAction::triggered, this, [this, view] { copySelection(view); });
}

void ReverseLookupWindow::buildControls() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(12, 10, 12, 10);
    outer->setSpacing(6);

    // Side by side where the window is wide enough, else on further lines: the hint and the check boxes,
    // long in some languages, never hold the window wider than the screen.
    auto* pointRow = new WrappingRow;
    pointRow->addWidget(buildPointPicker());
    searchButton_ = new QPushButton(TranslatedQ("ui", "穴位反查"));
    searchButton_->setObjectName(QStringLiteral("searchButton"));
    QFont bold = searchButton_->font();
    bold.setBold(true);
    searchButton_->setFont(bold);
    searchButton_->setDefault(true);
    pointRow->addWidget(searchButton_);
    pointRow->addWidget(MakeLabel("searchHint", TranslatedQ("ui", "(根据穴位名查询什么时间应开此穴)"), true));
    outer->addLayout(pointRow);

    auto* rangeRow = new WrappingRow;
    auto* range = new QWidget;
    range->setObjectName(QStringLiteral("rangePicker"));
    auto* dates = new QHBoxLayout(range);
    dates->setContentsMargins(0, 0, 0, 0);
    dates->setSpacing(outer->spacing());
    dates->addWidget(MakeLabel("fromCaption", TranslatedQ("ui", "日期从："), false));
    fromDate_ = MakePicker("fromDate");
    dates->addWidget(fromDate_);
    dates->addWidget(MakeLabel("toCaption", TranslatedQ("ui", "到"), false));
    toDate_ = MakePicker("toDate");
    dates->addWidget(toDate_);
    rangeRow->addWidget(range);
    rangeRow->addGap(12);
    clockBox_ = new QCheckBox(TranslatedQ("ui", "显示钟表时间"));
    clockBox_->setObjectName(QStringLiteral("clockBox"));
    rangeRow->addWidget(clockBox_);
    avoidBox_ = new QCheckBox(TranslatedQ("ui", "避开人神"));
    avoidBox_->setObjectName(QStringLiteral("avoidRenShenBox"));
    avoidBox_->setToolTip(
        TranslatedQ("ui", "略去正当人神所在（逐日、十二时人神，及主窗口所填年岁的行年人神、尻神）的开穴"));
    rangeRow->addWidget(avoidBox_);
    outer->addLayout(rangeRow);

    QLabel* note = MakeLabel("midnightNote",
                             TranslatedQ("ui",
                                         "注意：以不区分夜早子时为计算依据，例如 \"2013-6-9子时\"指2013-6-8 "
                                         "23:00到2013-6-9 00:59:59"),
                             true);
    note->setWordWrap(true);
    outer->addWidget(note);
    statusLine_ = MakeLabel("statusLine", QString(), false);
    statusLine_->setWordWrap(true);
    statusLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusLine_->hide();
    outer->addWidget(statusLine_);

    outer->addWidget(buildResultPages(), 1);

    auto* bottom = new QHBoxLayout;
    saveButton_ = new QPushButton(TranslatedQ("ui", "导出为文本"));
    saveButton_->setObjectName(QStringLiteral("saveButton"));
    bottom->addWidget(saveButton_);
    calendarButton_ = new QPushButton(TranslatedQ("ui", "导出为日历"));
    calendarButton_->setObjectName(QStringLiteral("calendarButton"));
    bottom->addWidget(calendarButton_);
    progressBar_ = new QProgressBar;
    progressBar_->setObjectName(QStringLiteral("progressBar"));
    progressBar_->setMinimumWidth(120);
    // Shown or not, the bar keeps its room: the buttons do not jump when a search starts.
    QSizePolicy keep = progressBar_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    progressBar_->setSizePolicy(keep);
    progressBar_->hide();
    bottom->addWidget(progressBar_, 1);
    stopButton_ = new QPushButton(TranslatedQ("ui", "停止查找"));
    stopButton_->setObjectName(QStringLiteral("stopButton"));
    keep = stopButton_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    stopButton_->setSizePolicy(keep);
    stopButton_->hide();
    bottom->addWidget(stopButton_);
    outer->addLayout(bottom);

    connect(searchButton_, &QPushButton::clicked, this, &ReverseLookupWindow::onSearch);
    connect(saveButton_, &QPushButton::clicked, this, &ReverseLookupWindow::onSave);
    connect(calendarButton_, &QPushButton::clicked, this, &ReverseLookupWindow::onExportCalendar);
    connect(stopButton_, &QPushButton::clicked, this, &ReverseLookupWindow::onStop);
    connect(clockBox_, &QCheckBox::toggled, this, &ReverseLookupWindow::onClockToggled);
    // Enter in the point box searches, as the button beside it does.
    connect(pointBox_->lineEdit(), &QLineEdit::returnPressed, this, &ReverseLookupWindow::onSearch);
    connect(pointBox_, &QComboBox::editTextChanged, this, &ReverseLookupWindow::updateOutOfDate);
    connect(fromDate_, &QDateEdit::dateChanged, this, &ReverseLookupWindow::updateOutOfDate);
    connect(toDate_, &QDateEdit::dateChanged, this, &ReverseLookupWindow::updateOutOfDate);
    SelectSectionOnClick(fromDate_);
    SelectSectionOnClick(toDate_);
}

}  // namespace velunar::ui
