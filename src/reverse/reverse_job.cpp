#include "reverse/reverse_job.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

namespace velunar {

// A batch still filling is handed over after this long, so a scan with few openings shows them soon.
constexpr auto kBatchAge = std::chrono::milliseconds(50);

// Gathers openings on the search's thread and hands them to the queue batch by batch.
class ReverseJob::Sink : public ReverseSink {
  public:
    explicit Sink(ReverseJob& job) : job_(job) {}

    void Begin(const std::shared_ptr<const OpeningTexts>& texts) override { texts_ = texts; }

    void BeginScan(const Doctrine& d) override {
        Flush();
        const auto at = std::find(job_.order_.begin(), job_.order_.end(), &d);
        job_.scan_.store(static_cast<int>(at - job_.order_.begin()), std::memory_order_relaxed);
        pending_ = {&d, true, {}, texts_};
    }
    void Found(const Doctrine&, const Opening* openings, std::size_t count, const OpeningTexts&) override {
        pending_.openings.insert(pending_.openings.end(), openings, openings + count);
        if (pending_.openings.size() >= kBatchOpenings) Flush();
    }
    void Progress(std::int64_t done, std::int64_t) override {
        job_.done_.store(done, std::memory_order_release);
        // The clock is read once every few dates: the walk does a date in well under a microsecond.
        if (pending_.openings.empty() || ++sinceLook_ < 64) return;
        sinceLook_ = 0;
        if (std::chrono::steady_clock::now() - handed_ >= kBatchAge) Flush();
    }
    void Flush() {
        handed_ = std::chrono::steady_clock::now();
        if (!pending_.doctrine || (pending_.openings.empty() && !pending_.beginsScan)) return;
        const Doctrine* d = pending_.doctrine;
        job_.Push(std::move(pending_));
        pending_ = {d, false, {}, texts_};
        pending_.openings.reserve(kBatchOpenings);
    }

  private:
    ReverseJob& job_;
    std::shared_ptr<const OpeningTexts> texts_;
    ReverseBatch pending_;
    int sinceLook_ = 0;
    std::chrono::steady_clock::time_point handed_ = std::chrono::steady_clock::now();
};

ReverseJob::ReverseJob(std::string point, std::int64_t firstDay, std::int64_t lastDay,
                       std::shared_ptr<const ReferenceTables> tables, ReadyFn ready)
    : ReverseJob(
          firstDay, lastDay,
          [point = std::move(point), firstDay, lastDay, tables = std::move(tables)](
              ReverseSink& sink, const std::atomic<bool>* cancel) {
              if (!tables) throw std::invalid_argument("穴位参考表没有载入");
              return ReverseSearch(point, firstDay, lastDay, *tables, sink, cancel);
          },
          std::move(ready)) {}

ReverseJob::ReverseJob(std::int64_t firstDay, std::int64_t lastDay, SearchFn search, ReadyFn ready)
    : first_(firstDay),
      last_(lastDay),
      onReady_(std::move(ready)),
      thread_([this, search = std::move(search)] { Body(search); }) {}

std::vector<std::string> ReverseBatch::Lines() const {
    std::vector<std::string> lines;
    lines.reserve(openings.size());
    for (const Opening& o : openings) lines.push_back(texts->Line(o));
    return lines;
}

ReverseJob::~ReverseJob() {
    Cancel();
    thread_.join();
}

void ReverseJob::Cancel() {
    {
        std::lock_guard lock(mutex_);
        cancel_.store(true);
    }
    taken_.notify_all();
}

void ReverseJob::Body(SearchFn search) {
    Sink sink(*this);
    JobState end = JobState::Failed;
    std::string error;
    try {
        end = search(sink, &cancel_) == SearchOutcome::Cancelled ? JobState::Cancelled : JobState::Completed;
    } catch (const std::exception& e) {
        error = e.what();
    } catch (...) {
        error = "unknown error";
    }
    try {
        // What was found before a failure is still handed out.
        sink.Flush();
    } catch (const std::exception& e) {
        if (error.empty()) error = e.what();
        end = JobState::Failed;
    }
    {
        std::lock_guard lock(mutex_);
        state_ = end;
        error_ = std::move(error);
    }
    ready_.notify_all();
    if (onReady_) onReady_();
}

// Waits while the consumer is more than a few batches behind, unless the search is being stopped.
void ReverseJob::Push(ReverseBatch&& batch) {
    std::unique_lock lock(mutex_);
    queuedOpenings_ += batch.openings.size();
    queue_.push_back(std::move(batch));
    ready_.notify_all();
    if (onReady_) {
        lock.unlock();
        onReady_();
        lock.lock();
    }
    taken_.wait(lock, [this] { return queuedOpenings_ <= kMaxQueuedOpenings || cancel_.load(); });
}

ReverseJob::Take ReverseJob::TakeLocked(ReverseBatch& out) {
    if (queue_.empty()) return state_ == JobState::Running ? Take::NoneYet : Take::Ended;
    out = std::move(queue_.front());
    queue_.pop_front();
    queuedOpenings_ -= out.openings.size();
    return Take::Batch;
}

ReverseJob::Take ReverseJob::TakeBatch(ReverseBatch& out) {
    Take took;
    {
        std::lock_guard lock(mutex_);
        took = TakeLocked(out);
    }
    if (took == Take::Batch) taken_.notify_all();
    return took;
}

ReverseJob::Take ReverseJob::WaitBatch(ReverseBatch& out, std::chrono::milliseconds upTo) {
    Take took;
    {
        std::unique_lock lock(mutex_);
        ready_.wait_for(lock, upTo, [this] { return !queue_.empty() || state_ != JobState::Running; });
        took = TakeLocked(out);
    }
    if (took == Take::Batch) taken_.notify_all();
    return took;
}

ReverseProgress ReverseJob::Progress() const {
    // done_ first: a count that has reached a scan's dates was stored after that scan's index.
    const std::int64_t done = done_.load(std::memory_order_acquire);
    const int scan = scan_.load(std::memory_order_relaxed);
    const std::int64_t dates = last_ >= first_ ? last_ - first_ + 1 : 0;
    ReverseProgress p;
    p.datesDone = done;
    p.datesTotal = dates * static_cast<std::int64_t>(order_.size());
    if (scan < 0) return p;
    p.doctrine = order_[static_cast<std::size_t>(scan)];
    const std::int64_t walked = std::clamp<std::int64_t>(done - scan * dates, 0, dates);
    if (walked > 0) p.dateReached = first_ + walked - 1;
    return p;
}

JobState ReverseJob::State() const {
    std::lock_guard lock(mutex_);
    return state_;
}

std::string ReverseJob::Error() const {
    std::lock_guard lock(mutex_);
    return error_;
}

}  // namespace velunar
