#include "app/q7_timer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/clock.h"
#include "core/message_box.h"

CQ7Timer g_Timer;

void CQ7Timer::EnsureCreated() {
    if (created_) return;
    created_ = true;
    frequency_ = GetClock().Frequency();
    if (frequency_ <= 0) {
        ShowMessageBox("タイマーの精度が不足しています。", kProgramTitle, MsgBoxStyle::OkExclamation);
        EndProgram(1);
    }
    interval_ = kDefaultInterval;
}

double CQ7Timer::ElapsedMs() {
    EnsureCreated();
    // Counter values are raw 64-bit integers; wrap rather than overflow.
    std::int64_t elapsed = static_cast<std::int64_t>(static_cast<std::uint64_t>(GetClock().Counter()) -
                                                     static_cast<std::uint64_t>(start_count_));
    return static_cast<double>(elapsed) / static_cast<double>(frequency_) * 1000;
}

int CQ7Timer::GetCount() {
    double milliseconds = ElapsedMs();
    if (interval_ == 0) FatalError("Q7Timer_GetCount:Division by zero");
    double ticks = std::floor(milliseconds / interval_);
    if (!(ticks >= -2147483648.0 && ticks <= 2147483647.0)) FatalError("Q7Timer_GetCount:Overflow");
    return static_cast<int>(ticks);
}

int CQ7Timer::WholeMsBefore(int tick) {
    // A full millisecond short of the exact time, so rounding never oversleeps.
    const double left = tick * interval_ - ElapsedMs() - 1;
    return left >= 1 ? static_cast<int>(std::min(left, 1000.0)) : 0;
}

void CQ7Timer::GetCountInterval(int& SleepCount) {
    EnsureCreated();
    // Our counter runs in nanoseconds, so the quotient soon exceeds 32 bits;
    // nothing relies on this value, so it keeps the low 32 bits.
    SleepCount = static_cast<int>(static_cast<std::uint32_t>(GetClock().Counter() / 10000));
}

void CQ7Timer::StartTimer() {
    EnsureCreated();
    if (interval_ != 0) start_count_ = GetClock().Counter();
}

void CQ7Timer::SetInterval(double Interval) {
    EnsureCreated();
    interval_ = Interval;
}
