// The reverse search as a job: the openings ReverseSearch finds, handed out batch by batch in report order, a
// queue that stays bounded however far behind the consumer is, and a stop or a failure that keeps exactly
// what was found before it.
#include "reverse/reverse_job.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <thread>

#include "calendar/datetime.h"

namespace velunar {
namespace {

std::int64_t Day(int y, int m, int d) {
    return DaysFromCivil(y, m, d);
}

// Rows that make 公孙 open in most doctrines, so every scan has lines to hand out.
std::shared_ptr<const ReferenceTables> Tables() {
    ReferenceTables::Rows rows;
    rows.naGan = {{"甲", "子", {"胆", "脾", "土", "井", "公孙", "公孙", ""}}};
    rows.supplementary = {{"乙", "丑", {"脾", "土", "井", "公孙", "肝"}}};
    rows.naZhi = {{"巳", {"", "公孙", "", "脾经", "", ""}}};
    rows.transport = {{"脾经", "公孙", "", "", "", "", ""}};
    rows.meridianPoints = {{"公孙", "脾"}};
    rows.meridianOfPointOrder = rows.meridianPoints;
    return std::make_shared<const ReferenceTables>(std::move(rows));
}

struct Drained {
    std::map<const Doctrine*, std::vector<std::string>> lines;  // the openings' lines, when they have texts
    std::map<const Doctrine*, std::vector<Opening>> openings;
    std::vector<const Doctrine*> begun;  // the doctrines whose scan began, in the order of their first batch
    std::size_t largestBatch = 0;
};

// Takes every batch until the job ends; `afterBatch` runs after each one.
template <typename Fn>
Drained Drain(ReverseJob& job, Fn afterBatch) {
    Drained d;
    ReverseBatch batch;
    for (ReverseJob::Take took;
         (took = job.WaitBatch(batch, std::chrono::milliseconds(100))) != ReverseJob::Take::Ended;) {
        if (took != ReverseJob::Take::Batch) continue;
        EXPECT_EQ(batch.beginsScan, d.lines.count(batch.doctrine) == 0) << batch.doctrine->ReportHeading();
        if (batch.beginsScan) d.begun.push_back(batch.doctrine);
        auto& into = d.lines[batch.doctrine];
        if (batch.texts) {
            const std::vector<std::string> lines = batch.Lines();
            into.insert(into.end(), lines.begin(), lines.end());
        }
        auto& found = d.openings[batch.doctrine];
        found.insert(found.end(), batch.openings.begin(), batch.openings.end());
        d.largestBatch = std::max(d.largestBatch, batch.openings.size());
        afterBatch(d);
    }
    return d;
}
Drained Drain(ReverseJob& job) {
    return Drain(job, [](const Drained&) {});
}

CollectingSink Search(const ReferenceTables& t, std::int64_t first, std::int64_t last) {
    CollectingSink sink;
    EXPECT_EQ(ReverseSearch("公孙", first, last, t, sink), SearchOutcome::Completed);
    return sink;
}

TEST(ReverseJob, HandsOutTheLinesOfReverseSearchInReportOrder) {
    const auto tables = Tables();
    const std::int64_t first = Day(1990, 12, 1), last = Day(2011, 3, 1);
    ReverseJob job("公孙", first, last, tables);
    const Drained got = Drain(job);
    EXPECT_EQ(job.State(), JobState::Completed);
    EXPECT_EQ(got.begun, ReportOrder());
    EXPECT_LE(got.largestBatch, ReverseJob::kBatchOpenings);
    const CollectingSink expected = Search(*tables, first, last);
    std::size_t total = 0;
    for (const auto& [d, lines] : expected.sections) {
        EXPECT_EQ(got.lines.at(d), lines) << d->ReportHeading();
        total += lines.size();
    }
    EXPECT_GT(total, 2 * ReverseJob::kBatchOpenings) << "the range should need several batches";
    const ReverseProgress p = job.Progress();
    EXPECT_EQ(p.datesDone, p.datesTotal);
    EXPECT_EQ(p.datesTotal, (last - first + 1) * static_cast<std::int64_t>(ReportOrder().size()));
    EXPECT_EQ(p.doctrine, ReportOrder().back());
    EXPECT_EQ(p.dateReached, last);

    // A range that ends before it begins: every scan begins and finds nothing.
    ReverseJob none("公孙", last, first, tables);
    const Drained empty = Drain(none);
    EXPECT_EQ(none.State(), JobState::Completed);
    EXPECT_EQ(empty.begun, ReportOrder());
    for (const auto& [d, lines] : empty.lines) EXPECT_TRUE(lines.empty()) << d->ReportHeading();
    EXPECT_EQ(none.Progress().datesTotal, 0);
    EXPECT_FALSE(none.Progress().dateReached);
}

TEST(ReverseJob, SearchWaitsForItsConsumer) {
    // A stand-in search that counts what it has handed to the job: a consumer that is slow to take openings
    // must find the search no more than the bounded queue (and the batch it is filling) ahead.
    std::atomic<std::size_t> emitted{0};
    const Doctrine& d = *ReportOrder().front();
    const std::size_t kLines = 20 * ReverseJob::kMaxQueuedOpenings;
    const OpeningTexts none("", 0, 0, *Tables());
    ReverseJob job(0, 0, [&](ReverseSink& sink, const std::atomic<bool>* cancel) {
        sink.BeginScan(d);
        for (std::size_t i = 0; i < kLines; ++i) {
            if (cancel->load()) return SearchOutcome::Cancelled;
            const Opening o{static_cast<std::int32_t>(i), 0, 0, 0};
            sink.Found(d, &o, 1, none);
            emitted.fetch_add(1);
        }
        return SearchOutcome::Completed;
    });
    const std::size_t kAhead = ReverseJob::kMaxQueuedOpenings + ReverseJob::kBatchOpenings;
    std::size_t taken = 0, slowTakes = 0;
    const Drained got = Drain(job, [&](const Drained& so) {
        taken = so.openings.begin()->second.size();
        // The first few takes leave the search time to run ahead, if it could.
        if (slowTakes++ < 5) std::this_thread::sleep_for(std::chrono::milliseconds(30));
        EXPECT_LE(emitted.load(), taken + kAhead);
    });
    EXPECT_EQ(job.State(), JobState::Completed);
    ASSERT_EQ(got.openings.at(&d).size(), kLines);
    EXPECT_EQ(got.openings.at(&d)[kLines - 1].day, static_cast<std::int32_t>(kLines - 1));
}

TEST(ReverseJob, StopKeepsEveryLineOfTheDatesWalked) {
    const auto tables = Tables();
    const std::int64_t first = Day(1900, 1, 1), last = Day(2099, 12, 31);
    ReverseJob job("公孙", first, last, tables);
    // Some batches into the second doctrine's scan, the consumer stops the search.
    const Drained got = Drain(job, [&](const Drained& so) {
        if (so.begun.size() >= 2 && so.openings.at(so.begun.back()).size() > 3 * ReverseJob::kBatchOpenings)
            job.Cancel();
    });
    ASSERT_EQ(job.State(), JobState::Cancelled);
    const ReverseProgress p = job.Progress();
    ASSERT_TRUE(p.doctrine);
    EXPECT_LT(p.datesDone, p.datesTotal);
    EXPECT_EQ(got.begun.back(), p.doctrine);
    // Every doctrine before the stopped one is whole; the stopped one has every line up to the last date it
    // walked and none after; later ones never began.
    ASSERT_TRUE(p.dateReached);
    const CollectingSink whole = Search(*tables, first, *p.dateReached);
    const CollectingSink all = Search(*tables, first, last);
    bool stoppedYet = false;
    for (const Doctrine* d : ReportOrder()) {
        if (stoppedYet) {
            EXPECT_EQ(got.lines.count(d), 0u) << d->ReportHeading();
            continue;
        }
        const std::vector<std::string>& lines = got.lines.at(d);
        if (d == p.doctrine) {
            stoppedYet = true;
            EXPECT_EQ(lines, whole.LinesOf(d->Id()));
            ASSERT_FALSE(lines.empty());
            EXPECT_EQ(lines.back().substr(0, 10), FormatIsoDate(static_cast<DateTime>(*p.dateReached)));
        } else {
            EXPECT_EQ(lines, all.LinesOf(d->Id())) << d->ReportHeading();
        }
    }

    // A job nobody takes from, its queue full, is stopped by going away.
    { ReverseJob abandoned("公孙", first, last, tables); }
}

TEST(ReverseJob, FailureKeepsWhatWasFoundAndSaysWhy) {
    const auto tables = Tables();
    const std::int64_t first = Day(2013, 6, 1), last = Day(2013, 6, 30);
    // The search fails as 日干法's scan begins: what the scans before it found is still handed out.
    class Failing : public ReverseSink {
      public:
        explicit Failing(ReverseSink& to) : to_(to) {}
        void Begin(const std::shared_ptr<const OpeningTexts>& texts) override { to_.Begin(texts); }
        void BeginScan(const Doctrine& d) override {
            if (d.Id() == DoctrineId::RiGan) throw std::runtime_error("no such table: 经络表");
            to_.BeginScan(d);
        }
        void Found(const Doctrine& d, const Opening* o, std::size_t n, const OpeningTexts& t) override {
            to_.Found(d, o, n, t);
        }
        void Progress(std::int64_t done, std::int64_t total) override { to_.Progress(done, total); }

      private:
        ReverseSink& to_;
    };
    ReverseJob job(first, last, [&](ReverseSink& sink, const std::atomic<bool>* cancel) {
        Failing failing(sink);
        return ReverseSearch("公孙", first, last, *tables, failing, cancel);
    });
    const Drained got = Drain(job);
    EXPECT_EQ(job.State(), JobState::Failed);
    EXPECT_EQ(job.Error(), "no such table: 经络表");
    const CollectingSink whole = Search(*tables, first, last);
    for (const Doctrine* d : ReportOrder()) {
        if (d->Id() == DoctrineId::RiGan) break;
        EXPECT_EQ(got.lines.at(d), whole.LinesOf(d->Id())) << d->ReportHeading();
    }
    EXPECT_EQ(got.lines.count(&DoctrineOf(DoctrineId::RiGan)), 0u);

    // No snapshot is a failure too, not a search of nothing.
    ReverseJob without("公孙", first, last, nullptr);
    Drain(without);
    EXPECT_EQ(without.State(), JobState::Failed);
    EXPECT_FALSE(without.Error().empty());
}

}  // namespace
}  // namespace velunar
