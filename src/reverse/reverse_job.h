#pragma once
// One reverse search on a thread of its own, over the read-only reference snapshot. Its openings come out in
// batches, in report order; the search runs at most a few batches ahead of whoever takes them, so a range
// of thousands of years holds little more than what the consumer keeps. The window takes them when told a
// batch is ready, the command line drains it: both see the same openings, progress and ending.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "reverse/reverse.h"

namespace velunar {

// Consecutive openings of one doctrine's scan. Every doctrine the search reaches gives at least one batch,
// the first of its scan with beginsScan set (empty when the doctrine opens the point nowhere, or the search
// was stopped before its first date).
struct ReverseBatch {
    const Doctrine* doctrine = nullptr;
    bool beginsScan = false;
    std::vector<Opening> openings;
    std::shared_ptr<const OpeningTexts> texts;  // what the openings' lines are made of

    // The report's lines of the openings.
    std::vector<std::string> Lines() const;
};

struct ReverseProgress {
    std::int64_t datesDone = 0;   // over every doctrine's scan
    std::int64_t datesTotal = 0;  // the range's dates times the number of doctrines
    // The doctrine being scanned (nullptr before the first) and the last date of the range it has walked
    // (none before its first date).
    const Doctrine* doctrine = nullptr;
    std::optional<std::int64_t> dateReached;
};

enum class JobState { Running, Completed, Cancelled, Failed };

class ReverseJob {
  public:
    // The search itself: ReverseSearch over the snapshot, or a stand-in in tests.
    using SearchFn = std::function<SearchOutcome(ReverseSink&, const std::atomic<bool>* cancel)>;
    enum class Take { Batch, NoneYet, Ended };
    // Called on the search's thread whenever a batch has been queued and when the search ends, so a
    // consumer with an event loop can come and take it; it must return at once.
    using ReadyFn = std::function<void()>;

    // Starts the search of `point` over firstDay..lastDay at once.
    ReverseJob(std::string point, std::int64_t firstDay, std::int64_t lastDay,
               std::shared_ptr<const ReferenceTables> tables, ReadyFn ready = {});
    ReverseJob(std::int64_t firstDay, std::int64_t lastDay, SearchFn search, ReadyFn ready = {});
    // Stops the search and waits for its thread.
    ~ReverseJob();
    ReverseJob(const ReverseJob&) = delete;
    ReverseJob& operator=(const ReverseJob&) = delete;

    // Asks the search to stop after the date it is on; what was found until then is still handed out.
    void Cancel();

    // Without waiting: a batch, none ready yet, or Ended once the search has ended and every batch was taken.
    Take TakeBatch(ReverseBatch& out);
    // Waits up to `upTo` for a batch or the end.
    Take WaitBatch(ReverseBatch& out, std::chrono::milliseconds upTo);

    ReverseProgress Progress() const;
    // Running until the search's thread has ended; then how it ended, for good.
    JobState State() const;
    // Why it failed (Failed only).
    std::string Error() const;

    std::int64_t FirstDay() const { return first_; }
    std::int64_t LastDay() const { return last_; }

    // Openings in one batch, and at most this many queued before the search waits for its consumer.
    static constexpr std::size_t kBatchOpenings = 16384;
    static constexpr std::size_t kMaxQueuedOpenings = 4 * kBatchOpenings;

  private:
    class Sink;
    void Body(SearchFn search);
    void Push(ReverseBatch&& batch);
    Take TakeLocked(ReverseBatch& out);

    const std::int64_t first_, last_;
    const ReadyFn onReady_;
    const std::vector<const Doctrine*> order_ = ReportOrder();
    std::atomic<bool> cancel_{false};
    std::atomic<std::int64_t> done_{0};
    std::atomic<int> scan_{-1};  // index in ReportOrder() of the doctrine being scanned

    mutable std::mutex mutex_;
    std::condition_variable taken_, ready_;
    std::deque<ReverseBatch> queue_;
    std::size_t queuedOpenings_ = 0;
    JobState state_ = JobState::Running;
    std::string error_;

    std::thread thread_;  // last: started once everything above exists
};

}  // namespace velunar
