// CQ7Timer: counts whole frame ticks since a start point.
//
// The frame loop waits while the count is behind the frame it is about to
// show and skips drawing while it is ahead. Time comes from the clock in use
// (core/clock.h): the real high-resolution clock in play, a virtual one in
// tests and headless runs.
#pragma once

#include <cstdint>

class CQ7Timer {
public:
    static constexpr double kDefaultInterval = 16.683;  // ms per tick, about 59.94 per second

    // Whole ticks since the last StartTimer: floor(elapsed / frequency * 1000 / Interval).
    int GetCount();
    // Whole milliseconds sure to pass before the count reaches `tick` (0 when
    // it is due within 2 ms), so a wait can sleep that long in one go and
    // poll the last stretch without overshooting.
    int WholeMsBefore(int tick);
    // Not used by the game: the current counter value divided by 10000.
    void GetCountInterval(int& SleepCount);
    // Restarts the count at 0 (with an Interval of 0 the start point is kept).
    void StartTimer();
    // Not used by the game: replaces the tick length in milliseconds.
    void SetInterval(double Interval);

private:
    // The timer comes into being on first use: it reads the counter frequency
    // once and, on a machine without a high-resolution counter, tells the user
    // and ends the program.
    void EnsureCreated();
    double ElapsedMs();

    double interval_ = kDefaultInterval;
    std::int64_t start_count_ = 0;
    std::int64_t frequency_ = 0;
    bool created_ = false;
};

extern CQ7Timer g_Timer;
