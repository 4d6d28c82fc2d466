// The reverse lookup window's controls, placed as the practitioner knows them.
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "reverse/reverse.h"
#include "ui/reversewindow.h"

namespace velunar::ui {
namespace {

template <class W>
W* Place(W* w, QWidget* parent, const char* name, QRect where) {
    w->setParent(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(where);
    return w;
}

QFont SongFont(QFont font, int pixels) {
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体")});
    font.setPixelSize(pixels);
    return font;
}

void AddLabel(QWidget* parent, const char* name, const QString& text, QPoint at, bool bold) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    QFont font = SongFont(l->font(), 12);
    font.setBold(bold);
    l->setFont(font);
    l->move(at);
    l->adjustSize();
}

QDateEdit* MakePicker(QWidget* parent, const char* name, QRect where) {
    auto* p = Place(new QDateEdit, parent, name, where);
    // The fields as picked, never an instant of the system's zone.
    p->setTimeSpec(Qt::UTC);
    p->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    p->setCalendarPopup(true);
    return p;
}

QPlainTextEdit* MakeMemo(const QString& name) {
    auto* m = new QPlainTextEdit;
    m->setObjectName(name);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m->setFont(SongFont(m->font(), 16));
    return m;
}

}  // namespace

QString PageCaption(DoctrineId doctrine) {
    switch (doctrine) {
        case DoctrineId::NaGan:
            return QStringLiteral("纳干法(徐氏)");
        case DoctrineId::NaZhi:
            return QStringLiteral("纳支法");
        case DoctrineId::LingGui:
            return QStringLiteral("灵龟八法");
        case DoctrineId::FeiTeng:
            return QStringLiteral("飞腾八法");
        case DoctrineId::RiGan:
            return QStringLiteral("日干法");
        case DoctrineId::ShiGan:
            return QStringLiteral("时干法");
        case DoctrineId::NaZhi2:
            return QStringLiteral("纳支法2");
        case DoctrineId::Supplementary:
            return QStringLiteral("补穴法");
    }
    return {};
}

void ReverseLookupWindow::buildControls() {
    AddLabel(this, "pointCaption", QStringLiteral("要查找的穴位名称："), {16, 18}, false);
    pointBox_ = Place(new QComboBox, this, "pointBox", {132, 13, 145, 24});
    pointBox_->setEditable(true);
    pointBox_->setInsertPolicy(QComboBox::NoInsert);
    pointBox_->setMaxVisibleItems(20);
    searchButton_ =
        Place(new QPushButton(QStringLiteral("穴位反查")), this, "searchButton", {288, 12, 90, 26});
    QFont bold = searchButton_->font();
    bold.setBold(true);
    searchButton_->setFont(bold);
    AddLabel(this, "searchHint", QStringLiteral("(根据穴位名查询什么时间应开此穴)"), {388, 18}, true);

    AddLabel(this, "fromCaption", QStringLiteral("日期从："), {16, 53}, false);
    fromDate_ = MakePicker(this, "fromDate", {72, 48, 120, 24});
    AddLabel(this, "toCaption", QStringLiteral("到"), {202, 53}, false);
    toDate_ = MakePicker(this, "toDate", {222, 48, 120, 24});
    AddLabel(this, "midnightNote",
             QStringLiteral("注意：以不区分夜早子时为计算依据，例如 \"2013-6-9子时\"指2013-6-8 "
                            "23:00到2013-6-9 00:59:59"),
             {16, 86}, true);

    doctrinePages_ = Place(new QTabWidget, this, "doctrinePages", {16, 110, 644, 177});
    const auto addPage = [this](const QString& name, const QString& caption) {
        QPlainTextEdit* memo = MakeMemo(name + QStringLiteral("Memo"));
        auto* page = new QWidget;
        page->setObjectName(name + QStringLiteral("Page"));
        auto* fill = new QVBoxLayout(page);
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(memo);
        doctrinePages_->addTab(page, caption);
        return memo;
    };
    reportMemo_ = addPage(QStringLiteral("report"), QStringLiteral("全部"));
    doctrineMemos_.assign(Doctrines().size(), nullptr);
    for (const Doctrine* d : ReportOrder())
        doctrineMemos_[static_cast<std::size_t>(d->Id())] =
            addPage(QString::fromUtf8(d->Name().data(), static_cast<qsizetype>(d->Name().size())),
                    PageCaption(d->Id()));
    doctrinePages_->setCurrentIndex(0);

    saveButton_ =
        Place(new QPushButton(QStringLiteral("导出为文本")), this, "saveButton", {16, 300, 100, 26});
    progressBar_ = Place(new QProgressBar, this, "progressBar", {128, 302, 440, 22});
    progressBar_->hide();
    stopButton_ = Place(new QPushButton(QStringLiteral("停止查找")), this, "stopButton", {576, 300, 84, 26});
    stopButton_->hide();

    connect(searchButton_, &QPushButton::clicked, this, &ReverseLookupWindow::onSearch);
    connect(saveButton_, &QPushButton::clicked, this, &ReverseLookupWindow::onSave);
    connect(stopButton_, &QPushButton::clicked, this, &ReverseLookupWindow::onStop);
}

}  // namespace velunar::ui
