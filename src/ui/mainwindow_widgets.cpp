#include "ui/mainwindow_widgets.h"

#include <algorithm>
#include <tuple>

#include <QApplication>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
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
        // Reached by Tab, stepped by Space; a click does not take the focus from the longitude box.
        b->setFocusPolicy(Qt::TabFocus);
    }
    connect(up_, &QToolButton::clicked, this, [this] { emit stepped(true); });
    connect(down_, &QToolButton::clicked, this, [this] { emit stepped(false); });
}

void UpDownArrows::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

namespace {

class SectionSelector : public QObject {
  public:
    explicit SectionSelector(QDateTimeEdit* picker) : QObject(picker), picker_(picker) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A digit typed with nothing selected goes into the part the cursor is in, as if it were selected:
        // the picker would otherwise refuse it, the text then being no date.
        // The digits that follow are the rest of the same number, until another key, a click or the focus
        // moving starts afresh.
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            auto* text = qobject_cast<QLineEdit*>(watched);
            const bool digit = key->text().size() == 1 && key->text().front().isDigit() &&
                               !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
            if (digit && !typing_ && text && !text->hasSelectedText() &&
                picker_->currentSection() != QDateTimeEdit::NoSection)
                picker_->setSelectedSection(picker_->currentSection());
            typing_ = digit;
        }
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusIn ||
            event->type() == QEvent::FocusOut)
            typing_ = false;
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            // After the picker has put its cursor where the click was.
            QTimer::singleShot(0, picker_, [picker = picker_] {
                if (picker->currentSection() != QDateTimeEdit::NoSection)
                    picker->setSelectedSection(picker->currentSection());
            });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QDateTimeEdit* picker_;
    bool typing_ = false;
};

void Collect(QLayout* layout, std::vector<QWidget*>& out);

void CollectWidget(QWidget* w, std::vector<QWidget*>& out) {
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        out.push_back(tabs);
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i)->layout()) Collect(tabs->widget(i)->layout(), out);
        return;
    }
    if (auto* arrows = qobject_cast<UpDownArrows*>(w)) {
        out.insert(out.end(), {arrows->upButton(), arrows->downButton()});
        return;
    }
    if (w->focusPolicy() & Qt::TabFocus) out.push_back(w);
    // A plain container (a row of pickers, an area) is walked into; a control's own parts are not.
    else if (w->layout() && w->metaObject() == &QWidget::staticMetaObject)
        Collect(w->layout(), out);
}

void Collect(QLayout* layout, std::vector<QWidget*>& out) {
    std::vector<std::tuple<int, int, int>> order;  // row, column, index
    auto* grid = qobject_cast<QGridLayout*>(layout);
    for (int i = 0; i < layout->count(); ++i) {
        int row = 0, column = i, rowSpan = 0, columnSpan = 0;
        if (grid) grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        order.emplace_back(row, column, i);
    }
    std::stable_sort(order.begin(), order.end());
    for (const auto& [row, column, index] : order) {
        QLayoutItem* item = layout->itemAt(index);
        if (QWidget* w = item->widget())
            CollectWidget(w, out);
        else if (QLayout* inner = item->layout())
            Collect(inner, out);
    }
}

}  // namespace

void SelectSectionOnClick(QDateTimeEdit* picker) {
    if (auto* text = picker->findChild<QLineEdit*>()) text->installEventFilter(new SectionSelector(picker));
}

void OrderTabsByLayout(QWidget* root) {
    std::vector<QWidget*> chain;
    if (root->layout()) Collect(root->layout(), chain);
    for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
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

WrappedLine::WrappedLine(QWidget* parent) : QLabel(parent) { setWordWrap(true); }

QSize WrappedLine::minimumSizeHint() const {
    const QSize least = QLabel::minimumSizeHint();
    if (width() <= 0 || text().isEmpty()) return least;
    return {least.width(), heightForWidth(width())};
}

void WrappedLine::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    const int h = heightForWidth(width());
    if (h != linesHeight_) {
        linesHeight_ = h;
        updateGeometry();
    }
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
    // It scrolls by itself: on a short screen it gives up rows before the page has to scroll.
    g->setFixedWidth(190);
    g->setMinimumHeight(64);
    g->setMaximumHeight(112);
    Paint(g->viewport(), colour);
    return g;
}

}  // namespace velunar::ui
