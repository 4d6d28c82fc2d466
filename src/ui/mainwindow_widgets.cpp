#include "ui/mainwindow_widgets.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolButton>

namespace velunar::ui {

void SettingsCheckBox::nextCheckState() {
    const Qt::CheckState next = checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked;
    setTristate(false);
    setCheckState(next);
}

UpDownArrows::UpDownArrows(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    connect(up_, &QToolButton::clicked, this, [this] { emit stepped(true); });
    connect(down_, &QToolButton::clicked, this, [this] { emit stepped(false); });
}

void UpDownArrows::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

QColor ColourOf(Colour c) {
    switch (c) {
        case Colour::Lime:
            return {0x00, 0xFF, 0x00};
        case Colour::Red:
            return {0xFF, 0x00, 0x00};
        case Colour::Yellow:
            return {0xFF, 0xFF, 0x00};
        case Colour::Aqua:
            return {0x00, 0xFF, 0xFF};
        case Colour::Fuchsia:
            return {0xFF, 0x00, 0xFF};
        case Colour::Grey:
            break;
    }
    // The grey of the point pages: the colour scroll bars are drawn with.
    return QApplication::palette().color(QPalette::Button).darker(112);
}


namespace {

void Paint(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Text, Qt::black);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

}  // namespace

// A display box: borderless, flat, read-only, but it takes the focus so that clicking into it chooses the
// point to describe.
QLineEdit* Box(const QString& name, const QColor& colour, bool big) {
    auto* e = Named(new QLineEdit, name);
    e->setFrame(false);
    e->setReadOnly(true);
    Paint(e, colour);
    e->setMinimumWidth(big ? 90 : 130);
    if (big) {
        QFont f = e->font();
        f.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), f.family()});
        f.setPixelSize(16);
        e->setFont(f);
    }
    return e;
}

QLabel* RedNote(const QString& name, const QString& text) {
    auto* l = Named(new QLabel(text), name);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::red);
    l->setPalette(p);
    return l;
}

// A time box: borderless, the page's own colour.
QLineEdit* TimeBox(const QString& name) {
    auto* e = Named(new QLineEdit, name);
    e->setFrame(false);
    e->setReadOnly(true);
    e->setMinimumWidth(200);
    QPalette p = e->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    e->setPalette(p);
    return e;
}

QTableWidget* PointList(const QString& name, const QColor& colour) {
    auto* g = Named(new QTableWidget(0, 1), name);
    g->horizontalHeader()->hide();
    g->setColumnWidth(0, 140);
    g->verticalHeader()->setDefaultSectionSize(20);
    g->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setFixedSize(190, 112);
    Paint(g->viewport(), colour);
    return g;
}


}  // namespace velunar::ui
