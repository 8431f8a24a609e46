// The spawn streams: feeding rules as data, one fighter per fed entry on the
// multiples of 16, in entry order.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "core/q7_angle.h"
#include "game/enemies/en025.h"
#include "game/stages/spawn_streams.h"
#include "support/headless_game.h"

namespace {

constexpr StreamEntry kEntries[StreamSet::kEntries] = {
    {-20, 100, 0}, {340, 100, 4}, {160, 2, 2},   {160, 260, 6}, {-20, 2, 1},  {340, 2, 3},
    {-20, 260, 7}, {340, 260, 5}, {40, 2, 2},    {80, 2, 2},    {120, 2, 2},  {200, 2, 2},
    {240, 2, 2},   {280, 2, 2},   {-20, 50, 0},  {340, 50, 4},
};

struct Spawned {
    int count;
    double x, y;
    int heading;
};

class SpawnStreamsTest : public ::testing::Test {
protected:
    // Runs the streams on every Count up to `last`, noting each fighter as
    // it is created (before it has moved).
    void RunUntil(SpawnStreams& streams, int last) {
        game_.StartStage([&](TestStage& st) {
            if (st.Count > last) return;
            const auto before = HeadlessGame::ObjectsOf<CEN025>();
            streams.Run(st.Count);
            for (CEN025* f : HeadlessGame::ObjectsOf<CEN025>())
                if (std::find(before.begin(), before.end(), f) == before.end())
                    spawned_.push_back({st.Count, f->X(), f->Y(), f->Heading()});
        });
        g_Angle.RndReset();
        game_.Step(last);
    }

    HeadlessGame game_;
    std::vector<Spawned> spawned_;
};

TEST_F(SpawnStreamsTest, FedEntriesSendOneFighterEachOnTheMultiplesOf16InEntryOrder) {
    const StreamSet set{.entries = kEntries};
    SpawnStreams streams(set);
    streams.Grant(7, 2);
    streams.Grant(3, 3);
    RunUntil(streams, 70);

    // Entry 3 before entry 7 on each frame, entry 3's third at 48 alone.
    const std::vector<std::vector<int>> expected = {{16, 3}, {16, 7}, {32, 3}, {32, 7}, {48, 3}};
    ASSERT_EQ(spawned_.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const StreamEntry& e = kEntries[expected[i][1]];
        EXPECT_EQ(spawned_[i].count, expected[i][0]) << i;
        EXPECT_DOUBLE_EQ(spawned_[i].x, e.x) << i;
        EXPECT_DOUBLE_EQ(spawned_[i].y, e.y) << i;
        EXPECT_EQ(spawned_[i].heading, e.heading) << i;
    }
    EXPECT_EQ(streams.ShotsLeft(3), 0);
    EXPECT_EQ(streams.ShotsLeft(7), 0);
}

TEST_F(SpawnStreamsTest, PairRuleDrawsTwoDifferentEntriesNeverTheTwoOfLastTime) {
    constexpr StreamFeed kFeeds[] = {{.kind = StreamFeed::Kind::Pair, .first = 100, .last = 4999, .every = 100, .shots = 6}};
    const StreamSet set{.entries = kEntries, .feeds = kFeeds};
    SpawnStreams streams(set);
    std::vector<std::array<int, 2>> pairs;
    game_.StartStage([&](TestStage& st) {
        streams.Run(st.Count);
        if (st.Count % 100 == 0) pairs.push_back(streams.LastPair());
    });
    g_Angle.RndReset();
    game_.Step(4999);

    ASSERT_EQ(pairs.size(), 49u);
    std::set<int> seen;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const auto& p = pairs[i];
        EXPECT_NE(p[0], p[1]) << i;
        for (int e : p) {
            EXPECT_GE(e, 0);
            EXPECT_LT(e, 16);
            seen.insert(e);
            if (i > 0) {
                EXPECT_TRUE(e != pairs[i - 1][0] && e != pairs[i - 1][1]) << "draw " << i << " repeats " << e;
            }
        }
    }
    EXPECT_GT(seen.size(), 12u);  // the draws reach round the whole edge
}

TEST_F(SpawnStreamsTest, Rnd8RulesFeedOnlyTheFirstEightEntries) {
    constexpr StreamFeed kFeeds[] = {
        {.kind = StreamFeed::Kind::One, .first = 1, .last = 400, .every = 4, .shots = 1},
        {.kind = StreamFeed::Kind::All, .first = 410, .last = 410, .shots = 3},
    };
    const StreamSet set{.entries = kEntries, .drawn_from = 8, .entry_frames = 20, .feeds = kFeeds};
    SpawnStreams streams(set);
    RunUntil(streams, 410);

    int fed = 0;
    for (int e = 0; e < 16; ++e) {
        if (e >= 8) {
            EXPECT_EQ(streams.ShotsLeft(e), 0) << e;
        }
        fed += streams.ShotsLeft(e);
    }
    // 100 single shots and 8 x 3, less one fighter per fed entry per 16 frames.
    EXPECT_EQ(fed + int(spawned_.size()), 100 + 24);
    for (const Spawned& s : spawned_) EXPECT_EQ(s.count % 16, 0);
}

}  // namespace
