#pragma once

#include <atomic>
#include <exception>

namespace velmor {

// How long work reports how far it got and learns that the user cancelled it. Any thread may
// call both; the kernels look at it once per row (or block of rows).
class Progress {
  public:
    virtual ~Progress() = default;
    // The share done so far, 0 to 1.
    virtual void report(double fraction) = 0;
    virtual bool cancelled() const = 0;
};

// Thrown out of work whose Progress said it was cancelled; whoever started the work catches
// it. Not a run-time error, so no error box reports it.
class WorkCancelled : public std::exception {
  public:
    const char* what() const noexcept override { return "cancelled"; }
};

// Throws WorkCancelled when the work should stop, after reporting done of total.
inline void checkProgress(Progress* progress, long long done, long long total) {
    if (!progress) return;
    if (progress->cancelled()) throw WorkCancelled();
    if (total > 0) progress->report(static_cast<double>(done) / static_cast<double>(total));
}

// Progress kept in atomics, for a worker thread and the thread that watches it.
class SharedProgress : public Progress {
  public:
    void report(double fraction) override { fraction_.store(fraction, std::memory_order_relaxed); }
    bool cancelled() const override { return cancelled_.load(std::memory_order_relaxed); }
    void cancel() { cancelled_.store(true, std::memory_order_relaxed); }
    double fraction() const { return fraction_.load(std::memory_order_relaxed); }

  private:
    std::atomic<double> fraction_{0.0};
    std::atomic<bool> cancelled_{false};
};

} // namespace velmor
