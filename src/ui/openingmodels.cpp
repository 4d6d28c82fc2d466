#include "ui/openingmodels.h"

#include <algorithm>
#include <limits>
#include <map>
#include <numeric>

#include "reverse/reverse.h"
#include "store/localized.h"
#include "ui/uitext.h"

namespace velunar::ui {
namespace {

constexpr std::string_view kComma = "，";
constexpr std::size_t kSpanCacheSize = 4096;

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string_view HeadingOf(const Doctrine& d) {
    return d.ReportHeading();
}

}  // namespace

OpeningStore::OpeningStore() : ranges_(Doctrines().size()) {}

void OpeningStore::Reset(std::optional<TickInput> place) {
    // The memory of a long search goes back at once, not at the next one's end.
    blocks_.clear();
    total_ = 0;
    ranges_.assign(Doctrines().size(), Range{});
    scanning_ = nullptr;
    texts_.reset();
    place_ = std::move(place);
    spans_.reset();
    if (place_) spans_.emplace(*place_);
    spanCache_.clear();
}

void OpeningStore::SetPlace(const TickInput& place) {
    place_ = place;
    spans_.emplace(place);
    spanCache_.clear();
}

void OpeningStore::BeginScan(const Doctrine& d, std::shared_ptr<const OpeningTexts> texts) {
    if (texts) texts_ = std::move(texts);
    scanning_ = &ranges_[Index(d.Id())];
    *scanning_ = Range{total_, 0, true};
}

void OpeningStore::Append(const std::vector<Opening>& openings) {
    if (!scanning_ || openings.empty()) return;
    for (const Opening& o : openings) {
        if (total_ % kBlock == 0) blocks_.push_back(std::make_unique_for_overwrite<Opening[]>(kBlock));
        blocks_.back()[total_++ % kBlock] = o;
    }
    scanning_->count += openings.size();
}

std::string OpeningStore::Line(const Opening& o, bool clock) const {
    std::string line = texts_->Line(o);
    Spell(line, spelling_);
    if (clock)
        if (const auto span = SpanOf(o)) AppendClockText(o.day, *span, line);
    return store::ReportLine(line);
}

QString OpeningStore::Date(const Opening& o) const {
    std::string date;
    AppendIsoDate(o.day, date);
    return QString::fromLatin1(date.data(), static_cast<qsizetype>(date.size()));
}

QString OpeningStore::Hour(const Opening& o) const {
    const std::string_view tail = texts_->TailOf(o);
    return FromUtf8(store::ReportHour(Spelled(std::string(tail.substr(0, tail.find(kComma))), spelling_)));
}

QString OpeningStore::Role(const Opening& o) const {
    const std::string_view tail = texts_->TailOf(o);
    const std::size_t comma = tail.find(kComma);
    return comma == std::string_view::npos ? QString()
                                           : FromUtf8(store::ReportRole(tail.substr(comma + kComma.size())));
}

std::optional<ClockSpan> OpeningStore::SpanOf(const Opening& o) const {
    if (!spans_) return std::nullopt;
    const std::int64_t at = std::int64_t{o.day} * 16 + o.branch;
    if (const auto known = spanCache_.find(at); known != spanCache_.end()) return known->second;
    if (spanCache_.size() >= kSpanCacheSize) spanCache_.clear();
    return spanCache_[at] = spans_->Of(o);
}

QString OpeningStore::Span(const Opening& o) const {
    const auto span = SpanOf(o);
    return span ? QString::fromStdString(SpanText(o.day, *span)) : QString();
}

DoctrineOpeningsModel::DoctrineOpeningsModel(const OpeningStore& store, DoctrineId doctrine, QObject* parent)
    : QAbstractTableModel(parent), store_(store), doctrine_(doctrine) {}

void DoctrineOpeningsModel::reset() {
    beginResetModel();
    shown_ = static_cast<int>(store_.CountOf(doctrine_));
    std::vector<std::uint32_t>().swap(order_);
    endResetModel();
}

int DoctrineOpeningsModel::grow(int budget) {
    const int now = std::min(static_cast<int>(store_.CountOf(doctrine_)), shown_ + budget);
    if (now <= shown_) return 0;
    const int added = now - shown_;
    // Rows found while the view is sorted would land out of order: the view goes back to report order.
    if (!order_.empty()) {
        reset();
        return added;
    }
    beginInsertRows({}, shown_, now - 1);
    shown_ = now;
    endInsertRows();
    return added;
}

void DoctrineOpeningsModel::setClockShown(bool shown) {
    if (shown == clock_) return;
    if (shown) {
        beginInsertColumns({}, ClockColumn, ClockColumn);
        clock_ = true;
        endInsertColumns();
    } else {
        beginRemoveColumns({}, ClockColumn, ClockColumn);
        clock_ = false;
        endRemoveColumns();
    }
}

int DoctrineOpeningsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

int DoctrineOpeningsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : (clock_ ? 4 : 3);
}

const Opening& DoctrineOpeningsModel::openingAt(int row) const {
    const auto i = static_cast<std::size_t>(row);
    return store_.At(doctrine_, order_.empty() ? i : order_[i]);
}

QVariant DoctrineOpeningsModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= shown_) return {};
    const Opening& o = openingAt(index.row());
    switch (index.column()) {
        case DateColumn:
            return store_.Date(o);
        case HourColumn:
            return store_.Hour(o);
        case RoleColumn:
            return store_.Role(o);
        case ClockColumn:
            return store_.Span(o);
    }
    return {};
}

QStringList DoctrineOpeningsModel::rowTexts(int row) const {
    QStringList cells;
    for (int c = 0; c < columnCount(); ++c) cells << data(index(row, c)).toString();
    return cells;
}

QVariant DoctrineOpeningsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    switch (section) {
        case DateColumn:
            return TranslatedQ("ui", "日期");
        case HourColumn:
            return TranslatedQ("ui", "时辰");
        case RoleColumn:
            return TranslatedQ("ui", "开穴");
        case ClockColumn:
            return TranslatedQ("ui", "钟表时间");
    }
    return {};
}

void DoctrineOpeningsModel::sort(int column, Qt::SortOrder order) {
    const auto n = static_cast<std::size_t>(shown_);
    // The report's own order needs no index: the view is back to it at once, however many rows.
    if ((column == DateColumn || column == ClockColumn) && order == Qt::AscendingOrder) {
        if (order_.empty()) return;
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        QModelIndexList before = persistentIndexList(), after;
        for (const QModelIndex& i : before)
            after << index(static_cast<int>(order_[static_cast<std::size_t>(i.row())]), i.column());
        std::vector<std::uint32_t>().swap(order_);
        changePersistentIndexList(before, after);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
        return;
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> rowsBefore;
    for (const QModelIndex& i : before)
        rowsBefore.push_back(
            static_cast<int>(order_.empty() ? i.row() : order_[static_cast<std::size_t>(i.row())]));

    std::vector<std::uint32_t> next(n);
    std::iota(next.begin(), next.end(), 0u);
    // Keys of integers only: the report's order is date, then double-hour, then the doctrine's own order;
    // the clock follows the double-hours, so 钟表时间 sorts as 日期 does.
    std::vector<std::uint32_t> key;
    if (column == HourColumn || column == RoleColumn) {
        key.resize(n);
        std::map<QString, std::uint32_t> ranks;
        if (column == RoleColumn) {
            for (std::size_t i = 0; i < n; ++i) ranks.emplace(store_.Role(store_.At(doctrine_, i)), 0);
            std::uint32_t r = 0;
            for (auto& [text, rank] : ranks) rank = r++;
        }
        for (std::size_t i = 0; i < n; ++i) {
            const Opening& o = store_.At(doctrine_, i);
            key[i] = column == HourColumn ? o.branch : ranks.at(store_.Role(o));
        }
    }
    const bool descending = order == Qt::DescendingOrder;
    std::stable_sort(next.begin(), next.end(), [&](std::uint32_t a, std::uint32_t b) {
        if (descending) std::swap(a, b);
        if (!key.empty() && key[a] != key[b]) return key[a] < key[b];
        return a < b;
    });
    order_ = std::move(next);

    // The selection and current row stay on the same openings.
    std::vector<std::uint32_t> rowOf(order_.empty() ? 0 : n);
    for (std::size_t r = 0; r < order_.size(); ++r) rowOf[order_[r]] = static_cast<std::uint32_t>(r);
    QModelIndexList after;
    for (std::size_t k = 0; k < rowsBefore.size(); ++k) {
        const auto source = static_cast<std::size_t>(rowsBefore[k]);
        after << index(order_.empty() ? static_cast<int>(source) : static_cast<int>(rowOf[source]),
                       before[static_cast<qsizetype>(k)].column());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

ReportModel::ReportModel(const OpeningStore& store, QObject* parent)
    : QAbstractListModel(parent), store_(store) {}

void ReportModel::reset() {
    beginResetModel();
    sections_.clear();
    rows_ = 0;
    note_.clear();
    endResetModel();
}

int ReportModel::grow(int budget) {
    // Scans begin in report order, each after the one before has ended, and a section is shown whole
    // before the next one's heading: rows only ever come at the end.
    int rows = rows_, room = budget;
    std::vector<Section> sections = sections_;
    for (const Doctrine* d : ReportOrder()) {
        if (!store_.Begun(d->Id()) || room <= 0) break;
        const auto lines = static_cast<int>(store_.CountOf(d->Id()));
        auto at =
            std::find_if(sections.begin(), sections.end(), [d](const Section& s) { return s.doctrine == d; });
        if (at == sections.end()) {
            sections.push_back({d, rows, 0});
            at = sections.end() - 1;
            ++rows;
            --room;
        }
        const int take = std::min(lines - at->lines, room);
        at->lines += take;
        rows += take;
        room -= take;
        if (at->lines < lines) break;
    }
    if (rows == rows_) return 0;
    beginInsertRows({}, rows_, rows - 1);
    sections_ = std::move(sections);
    const int added = rows - rows_;
    rows_ = rows;
    endInsertRows();
    return added;
}

void ReportModel::finish(const QString& note) {
    while (grow(std::numeric_limits<int>::max() / 2) > 0) {
    }
    const int first = rows_;
    for (const Doctrine* d : ReportOrder()) {
        if (std::any_of(sections_.begin(), sections_.end(),
                        [d](const Section& s) { return s.doctrine == d; }))
            continue;
        sections_.push_back({d, rows_++, 0});
    }
    note_ = note;
    if (!note_.isEmpty()) ++rows_;
    if (rows_ == first) return;
    // The rows were counted before the views were told; they learn of them all at once.
    const int last = rows_ - 1;
    rows_ = first;
    beginInsertRows({}, first, last);
    rows_ = last + 1;
    endInsertRows();
}

void ReportModel::setClockShown(bool shown) {
    if (shown == clock_) return;
    clock_ = shown;
    if (rows_ > 0) emit dataChanged(index(0), index(rows_ - 1), {Qt::DisplayRole});
}

int ReportModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

const ReportModel::Section& ReportModel::sectionOf(int row) const {
    const auto after = std::upper_bound(sections_.begin(), sections_.end(), row,
                                        [](int r, const Section& s) { return r < s.firstRow; });
    return *(after - 1);
}

std::string ReportModel::lineAt(int row) const {
    if (row < 0 || row >= rows_) return {};
    if (!note_.isEmpty() && row == rows_ - 1) return note_.toStdString();
    const Section& s = sectionOf(row);
    if (row == s.firstRow) return store::ReportHeading(HeadingOf(*s.doctrine));
    return store_.Line(store_.At(s.doctrine->Id(), static_cast<std::size_t>(row - s.firstRow - 1)), clock_);
}

QVariant ReportModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return QString::fromStdString(lineAt(index.row()));
}

}  // namespace velunar::ui
