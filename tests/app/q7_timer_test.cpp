#include "app/q7_timer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/clock.h"
#include "core/message_box.h"

namespace {

class TimerTest : public testing::Test {
protected:
    void SetUp() override { SetClock(&clock); }
    void TearDown() override { SetClock(nullptr); }
    VirtualClock clock;
};

// Reports the box on stderr so a death test can check it.
MsgBoxResult PrintBox(std::string_view text, std::string_view title, MsgBoxStyle style) {
    std::fprintf(stderr, "box(%s|%.*s|%.*s)\n", style == MsgBoxStyle::OkExclamation ? "exclamation" : "other",
                 static_cast<int>(title.size()), title.data(), static_cast<int>(text.size()), text.data());
    return MsgBoxResult::Ok;
}

}  // namespace

TEST_F(TimerTest, CountsWholeTicks) {
    struct Case {
        std::int64_t ns;
        int ticks;
    } const cases[] = {
        {0, 0},
        {16'682'000, 0},
        {16'683'000, 1},
        {33'365'999, 1},
        {33'366'000, 2},
        {1'000'000'000, 59},
        {60'000'000'000, 3596},
    };
    clock.AdvanceNs(123'456'789);  // the start point is wherever the counter is
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ns);
        CQ7Timer timer;
        timer.StartTimer();
        clock.AdvanceNs(c.ns);
        EXPECT_EQ(timer.GetCount(), c.ticks);
    }
}

// Sleeping WholeMsBefore and polling the rest in 1 ms steps ends at the
// very moment 1 ms polls alone would: the frame loop's wait relies on it.
TEST_F(TimerTest, SleepingWholeMsBeforeATickEndsAtTheSamePoll) {
    for (std::int64_t offset_ns : {0ll, 300'000ll, 16'682'999ll, 16'683'000ll, 999'999ll}) {
        for (int tick : {0, 1, 2, 3, 60, 1000}) {
            SCOPED_TRACE(testing::Message() << "offset " << offset_ns << " tick " << tick);
            auto wait = [&](bool sleep_ahead) {
                CQ7Timer timer;
                timer.StartTimer();
                const std::int64_t start = clock.Counter();
                clock.AdvanceNs(offset_ns);
                while (timer.GetCount() < tick) clock.SleepMs(sleep_ahead ? std::max(1, timer.WholeMsBefore(tick)) : 1);
                return clock.Counter() - start;
            };
            EXPECT_EQ(wait(true), wait(false));
        }
    }
    CQ7Timer timer;
    timer.StartTimer();
    EXPECT_EQ(timer.WholeMsBefore(1), 15);  // 16.683 ms away: sleep 15, then poll
    EXPECT_EQ(timer.WholeMsBefore(0), 0);
}

TEST_F(TimerTest, StartTimerRestartsAndTheCountKeepsGrowing) {
    CQ7Timer timer;
    timer.StartTimer();
    int last = 0;
    for (int ms = 0; ms < 2000; ++ms) {
        clock.SleepMs(1);
        int now = timer.GetCount();
        ASSERT_GE(now, last);
        last = now;
    }
    EXPECT_EQ(last, 119);  // 2000 / 16.683
    timer.StartTimer();
    EXPECT_EQ(timer.GetCount(), 0);
    clock.AdvanceMs(16.683);
    EXPECT_EQ(timer.GetCount(), 1);
}

TEST_F(TimerTest, IntervalCanBeChanged) {
    CQ7Timer timer;
    timer.SetInterval(10.0);
    timer.StartTimer();
    clock.AdvanceMs(95);
    EXPECT_EQ(timer.GetCount(), 9);
    // With a zero interval StartTimer keeps the old start point.
    timer.SetInterval(0);
    timer.StartTimer();
    timer.SetInterval(10.0);
    EXPECT_EQ(timer.GetCount(), 9);
}

TEST_F(TimerTest, CounterFrequencyIsHonoured) {
    clock.SetFrequency(3'579'545);  // an old-style performance counter
    CQ7Timer timer;
    timer.StartTimer();
    clock.AdvanceNs(1'000'000'000);  // the virtual counter moves in ns: 1e9 counts
    EXPECT_EQ(timer.GetCount(), 16745);  // 279365.2 ms
}

TEST_F(TimerTest, ZeroIntervalEndsTheProgram) {
    EXPECT_EXIT(
        {
            SetMessageBoxHandler(PrintBox);
            CQ7Timer timer;
            timer.SetInterval(0);
            timer.GetCount();
        },
        testing::ExitedWithCode(1), "Q7Timer_GetCount:Division by zero");
}

TEST_F(TimerTest, NoHighResolutionCounterEndsTheProgram) {
    clock.SetFrequency(0);
    EXPECT_EXIT(
        {
            SetMessageBoxHandler(PrintBox);
            CQ7Timer timer;
            timer.StartTimer();
        },
        testing::ExitedWithCode(1), "box\\(exclamation\\|zenit\\|タイマーの精度が不足しています。\\)");
}
