#include "engine/sweep_team.h"

#include <cfenv>

#include <sched.h>

namespace velmor {

namespace {

constexpr std::uint64_t kChunkMask = 0xFFFF'FFFF;

void relax() {
    __builtin_ia32_pause();
}

} // namespace

SweepTeam::SweepTeam() : helper_([this] { helperLoop(); }) {}

SweepTeam::~SweepTeam() {
    stop_.store(true, std::memory_order_release);
    posted_.fetch_add(1, std::memory_order_release);
    posted_.notify_one();
    helper_.join();
}

bool SweepTeam::worthwhile() {
    cpu_set_t set;
    return sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 1;
}

// Takes the next chunk of the given pass. A chunk counts as in flight from before the claim
// until its sweep is done, so the caller cannot start the next pass under it.
bool SweepTeam::claim(std::uint32_t pass, int& begin, int& end) {
    inFlight_.fetch_add(1, std::memory_order_acq_rel);
    std::uint64_t s = state_.load(std::memory_order_acquire);
    for (;;) {
        const auto chunk = static_cast<int>(s & kChunkMask);
        const int rows = rows_.load(std::memory_order_relaxed);
        if ((s >> 32) != pass || chunk * kChunk >= rows) {
            inFlight_.fetch_sub(1, std::memory_order_release);
            return false;
        }
        if (state_.compare_exchange_weak(s, s + 1, std::memory_order_acq_rel)) {
            begin = chunk * kChunk;
            end = begin + kChunk < rows ? begin + kChunk : rows;
            return true;
        }
    }
}

RowMax SweepTeam::sweep(const SweepArgs& args, int n) {
    const std::uint32_t pass = ++pass_;
    args_ = args;
    rows_.store(n, std::memory_order_relaxed);
    helperBest_ = RowMax{};
    state_.store(static_cast<std::uint64_t>(pass) << 32, std::memory_order_release);
    posted_.store(pass, std::memory_order_release);
    posted_.notify_one();

    RowMax best;
    int begin = 0, end = 0;
    while (claim(pass, begin, end)) {
        sweepRows(args, begin, end, best);
        inFlight_.fetch_sub(1, std::memory_order_release);
    }
    for (int spin = 0; inFlight_.load(std::memory_order_acquire) != 0; ++spin)
        if (spin < 4096)
            relax();
        else
            std::this_thread::yield();
    best.merge(helperBest_);
    return best;
}

void SweepTeam::helperLoop() {
    std::feclearexcept(FE_OVERFLOW);
    std::uint32_t seen = 0;
    for (;;) {
        // Passes follow each other within microseconds: spin briefly before sleeping.
        std::uint32_t p = posted_.load(std::memory_order_acquire);
        for (int spin = 0; p == seen && spin < 2000; ++spin) {
            relax();
            p = posted_.load(std::memory_order_acquire);
        }
        while (p == seen) {
            posted_.wait(seen, std::memory_order_acquire);
            p = posted_.load(std::memory_order_acquire);
        }
        seen = p;
        if (stop_.load(std::memory_order_acquire)) return;
        int begin = 0, end = 0;
        while (claim(p, begin, end)) {
            RowMax mine = helperBest_;
            sweepRows(args_, begin, end, mine);
            helperBest_ = mine;
            if (std::fetestexcept(FE_OVERFLOW)) overflowed_.store(true, std::memory_order_release);
            inFlight_.fetch_sub(1, std::memory_order_release);
        }
    }
}

} // namespace velmor
