// The clock behind the frame timer and every wait of the program.
//
// Play uses the real high-resolution clock; headless runs and tests install a
// VirtualClock, whose time only moves when someone sleeps or advances it, so
// the very same frame loop runs unpaced and deterministically.
#pragma once

#include <cstdint>

class Clock {
public:
    virtual ~Clock() = default;
    // Counter value and counts per second (a performance counter). A frequency
    // of 0 means the machine has no high-resolution counter.
    virtual std::int64_t Counter() = 0;
    virtual std::int64_t Frequency() = 0;
    // Waits (real clock) or moves time forward (virtual clock).
    virtual void SleepMs(int milliseconds) = 0;
};

// std::chrono::steady_clock in nanoseconds; SleepMs really sleeps.
class RealClock final : public Clock {
public:
    std::int64_t Counter() override;
    std::int64_t Frequency() override { return 1'000'000'000; }
    void SleepMs(int milliseconds) override;
};

// Nanosecond counter that moves only through SleepMs and Advance.
class VirtualClock final : public Clock {
public:
    std::int64_t Counter() override { return now_ns_; }
    std::int64_t Frequency() override { return frequency_; }
    void SleepMs(int milliseconds) override { now_ns_ += static_cast<std::int64_t>(milliseconds) * 1'000'000; }
    void AdvanceNs(std::int64_t ns) { now_ns_ += ns; }
    void AdvanceMs(double ms) { now_ns_ += static_cast<std::int64_t>(ms * 1'000'000.0 + 0.5); }
    // A frequency of 0 simulates a machine without a high-resolution counter.
    void SetFrequency(std::int64_t f) { frequency_ = f; }

private:
    std::int64_t now_ns_ = 0;
    std::int64_t frequency_ = 1'000'000'000;
};

// The clock in use (a RealClock until SetClock is called). The clock passed
// must outlive its use; SetClock(nullptr) returns to the real clock.
Clock& GetClock();
void SetClock(Clock* clock);

// The clock in use in milliseconds; 0 on a machine without a high-resolution counter.
inline double ClockMs() {
    Clock& clock = GetClock();
    const std::int64_t f = clock.Frequency();
    return f > 0 ? static_cast<double>(clock.Counter()) * 1000.0 / static_cast<double>(f) : 0.0;
}

// Sleeps on the clock in use (the program's "Sleep").
inline void SleepMs(int milliseconds) { GetClock().SleepMs(milliseconds); }
