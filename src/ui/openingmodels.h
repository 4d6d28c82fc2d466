#pragma once
// The reverse lookup window's results as item models over compact records: the search's openings are kept
// as a few integers each (reverse/openings.h), in report order, and every text a view shows is made in
// data() for the rows it paints. One model per doctrine page (sortable), one for the report page "全部".
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include <QAbstractListModel>
#include <QAbstractTableModel>
#include <QStringList>

#include "reverse/opening_spans.h"
#include "reverse/openings.h"

namespace velunar::ui {

// The openings of one search, grouped by doctrine in report order, and what their texts are made of.
class OpeningStore {
  public:
    OpeningStore();
    // Forgets every opening; `place` gives the clock spans (none: the place cannot give any).
    void Reset(std::optional<TickInput> place = std::nullopt);
    // The clock spans from now on are those of `place`.
    void SetPlace(const TickInput& place);
    // How the lines write the sixth stem.
    void SetSpelling(SixthStem spelling) { spelling_ = spelling; }
    // A doctrine's scan begins: its openings follow.
    void BeginScan(const Doctrine& d, std::shared_ptr<const OpeningTexts> texts);
    void Append(const std::vector<Opening>& openings);

    std::size_t CountOf(DoctrineId d) const { return ranges_[Index(d)].count; }
    const Opening& At(DoctrineId d, std::size_t i) const {
        const std::size_t at = ranges_[Index(d)].begin + i;
        return blocks_[at / kBlock][at % kBlock];
    }
    bool Begun(DoctrineId d) const { return ranges_[Index(d)].begun; }
    std::size_t Total() const { return total_; }
    bool HasTexts() const { return texts_ != nullptr; }

    // "2013-06-09甲午时，飞腾穴位=公孙"; with `clock`, its span after it ("，钟表时间 …") when it has one.
    std::string Line(const Opening& o, bool clock) const;
    QString Date(const Opening& o) const;
    // The tail before and after its first "，": "甲午时" and "飞腾穴位=公孙".
    QString Hour(const Opening& o) const;
    QString Role(const Opening& o) const;
    // "09:27:18–11:27:15"; "" when the opening never shows on the clock or no place is set.
    QString Span(const Opening& o) const;
    std::optional<ClockSpan> SpanOf(const Opening& o) const;
    bool HasPlace() const { return place_.has_value(); }
    const std::optional<TickInput>& Place() const { return place_; }

  private:
    struct Range {
        std::size_t begin = 0, count = 0;
        bool begun = false;
    };
    static std::size_t Index(DoctrineId d) { return static_cast<std::size_t>(d); }

    // Fixed blocks rather than one array: a growing search never copies what it has, nor holds it twice.
    static constexpr std::size_t kBlock = 1 << 16;
    std::vector<std::unique_ptr<Opening[]>> blocks_;
    std::size_t total_ = 0;
    std::vector<Range> ranges_;
    Range* scanning_ = nullptr;
    std::shared_ptr<const OpeningTexts> texts_;
    std::optional<TickInput> place_;
    SixthStem spelling_ = SixthStem::AsKeys;
    mutable std::optional<OpeningSpans> spans_;
    // The spans of the rows painted lately: a view asks for the same rows again and again.
    // By date and double-hour: the span is the same for every doctrine.
    mutable std::unordered_map<std::int64_t, std::optional<ClockSpan>> spanCache_;
};

// A doctrine's page: 日期, 时辰, 开穴 and, when the clock is shown, 钟表时间. Sortable by any column.
class DoctrineOpeningsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { DateColumn, HourColumn, RoleColumn, ClockColumn };

    DoctrineOpeningsModel(const OpeningStore& store, DoctrineId doctrine, QObject* parent = nullptr);
    DoctrineId doctrine() const { return doctrine_; }

    // The store was reset, or has more of this doctrine's openings: the model follows, by at most
    // `budget` rows; returns the rows added.
    void reset();
    int grow(int budget);
    void setClockShown(bool shown);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The opening shown on a row, and the row's cells as text.
    const Opening& openingAt(int row) const;
    QStringList rowTexts(int row) const;

  private:
    const OpeningStore& store_;
    DoctrineId doctrine_;
    int shown_ = 0;
    bool clock_ = false;
    std::vector<std::uint32_t> order_;  // empty: report order
};

// The report page "全部": each doctrine's heading followed by its lines, and a closing note when the
// search was stopped or failed. Rows come in at the end only, as the scans do.
class ReportModel : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit ReportModel(const OpeningStore& store, QObject* parent = nullptr);

    void reset();
    // The headings of scans begun and the lines found since, by at most `budget` rows in report order;
    // returns the rows added.
    int grow(int budget);
    // The headings of the scans never begun, then the note (none when empty): the report is complete.
    void finish(const QString& note);
    void setClockShown(bool shown);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The text of one row (UTF-8), as the saved report has it.
    std::string lineAt(int row) const;

  private:
    struct Section {
        const Doctrine* doctrine = nullptr;
        int firstRow = 0;  // the heading's row; its lines follow
        int lines = 0;
    };
    const Section& sectionOf(int row) const;

    const OpeningStore& store_;
    std::vector<Section> sections_;
    int rows_ = 0;
    QString note_;
    bool clock_ = false;
};

}  // namespace velunar::ui
