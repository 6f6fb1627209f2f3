#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "engine/row_sweep.h"

namespace velmor {

// Shares each elimination sweep with one helper thread. Rows are handed out in small chunks
// from a single counter, so a helper that is slow to wake (a busy machine) only means the
// calling thread takes more chunks itself; the merge of the chunks' pivot candidates does
// not depend on who swept what, so the result is the same either way.
class SweepTeam {
  public:
    SweepTeam();
    ~SweepTeam();
    SweepTeam(const SweepTeam&) = delete;
    SweepTeam& operator=(const SweepTeam&) = delete;

    // Sweeps rows [0, n) and returns the merged candidate.
    RowMax sweep(const SweepArgs& args, int n);

    // Whether a helper thread can run beside the caller at all.
    static bool worthwhile();
    // Whether the helper's share of any sweep so far overflowed the double range (each
    // thread keeps its own floating-point flags).
    bool overflowed() const { return overflowed_.load(std::memory_order_acquire); }

  private:
    static constexpr int kChunk = 16;

    bool claim(std::uint32_t pass, int& begin, int& end);
    void helperLoop();

    // Pass number in the high half, next chunk in the low half.
    std::atomic<std::uint64_t> state_{0};
    std::atomic<int> inFlight_{0};
    std::atomic<std::uint32_t> posted_{0};
    std::atomic<bool> stop_{false};
    std::atomic<bool> overflowed_{false};
    std::uint32_t pass_ = 0;
    // Written by the caller before a pass is posted, read only by claimed chunks of it.
    SweepArgs args_{};
    std::atomic<int> rows_{0};
    // The helper's share of the pass, read by the caller once no chunk is in flight.
    RowMax helperBest_;
    std::thread helper_;
};

} // namespace velmor
