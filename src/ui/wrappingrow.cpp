#include "ui/wrappingrow.h"

#include <algorithm>

#include <QWidget>

namespace velunar::ui {

WrappingRow::WrappingRow(QWidget* parent) : QLayout(parent) {}

WrappingRow::~WrappingRow() {
    for (const Entry& e : items_) delete e.item;
}

void WrappingRow::addItem(QLayoutItem* item) {
    items_.push_back({item, pendingGap_});
    pendingGap_ = 0;
    invalidate();
}

QLayoutItem* WrappingRow::itemAt(int index) const {
    return index >= 0 && index < count() ? items_[static_cast<std::size_t>(index)].item : nullptr;
}

QLayoutItem* WrappingRow::takeAt(int index) {
    if (index < 0 || index >= count()) return nullptr;
    QLayoutItem* item = items_[static_cast<std::size_t>(index)].item;
    items_.erase(items_.begin() + index);
    invalidate();
    return item;
}

int WrappingRow::gapBetween() const {
    const int s = spacing();
    return s >= 0 ? s : 6;
}

int WrappingRow::arrange(const QRect& rect, bool apply) const {
    const QMargins m = contentsMargins();
    const QRect inner = rect.marginsRemoved(m);
    const int gap = gapBetween();
    std::vector<std::pair<QLayoutItem*, QRect>> line;
    int y = inner.top(), lineHeight = 0, x = inner.left();
    auto finish = [&] {
        if (apply)
            for (auto& [item, r] : line) item->setGeometry(QRect(r.x(), y, r.width(), lineHeight));
        line.clear();
    };
    for (const Entry& e : items_) {
        if (e.item->isEmpty()) continue;
        const QSize hint = e.item->sizeHint().expandedTo(e.item->minimumSize());
        int width = std::min(hint.width(), std::max(inner.width(), e.item->minimumSize().width()));
        const int before = line.empty() ? 0 : gap + e.gap;
        if (!line.empty() && x + before + width > inner.right() + 1) {
            finish();
            y += lineHeight + gap;
            x = inner.left();
            lineHeight = 0;
        }
        if (!line.empty()) x += before;
        line.push_back({e.item, QRect(x, y, width, hint.height())});
        lineHeight = std::max(lineHeight, hint.height());
        x += width;
    }
    finish();
    return lineHeight ? y + lineHeight - inner.top() + m.top() + m.bottom() : 0;
}

int WrappingRow::heightForWidth(int width) const {
    return arrange(QRect(0, 0, width, 0), false);
}

QSize WrappingRow::minimumSize() const {
    int widest = 0;
    for (const Entry& e : items_)
        if (!e.item->isEmpty()) widest = std::max(widest, e.item->minimumSize().width());
    const QMargins m = contentsMargins();
    return {widest + m.left() + m.right(), heightForWidth(width_ > 0 ? width_ : sizeHint().width())};
}

QSize WrappingRow::sizeHint() const {
    // Everything on one line.
    const QMargins m = contentsMargins();
    int width = 0, shown = 0;
    for (const Entry& e : items_) {
        if (e.item->isEmpty()) continue;
        if (shown++) width += gapBetween() + e.gap;
        width += e.item->sizeHint().expandedTo(e.item->minimumSize()).width();
    }
    width += m.left() + m.right();
    return {width, heightForWidth(width)};
}

void WrappingRow::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const int height = arrange(rect, true);
    width_ = rect.width();
    if (height == height_) return;
    height_ = height;
    // The least height the window may have follows the lines: asked for again once this layout is done.
    QLayout::invalidate();
}

}  // namespace velunar::ui
