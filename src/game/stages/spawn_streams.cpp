#include "game/stages/spawn_streams.h"

#include <algorithm>

#include "app/zenit02.h"
#include "core/q7_angle.h"
#include "core/q7_pos.h"
#include "game/enemies/en025.h"
#include "gfx/q7_ddbpack256.h"

namespace {

// Where an entry's marker sits: its place pulled inside the play area.
constexpr std::int32_t kMarginX = 8, kTop = 30, kBottom = 231;

}  // namespace

std::int32_t SpawnStreams::Draw() const {
    return set_.drawn_from == 8 ? g_Angle.Rnd8(-1) : g_Angle.Rnd16(-1);
}

void SpawnStreams::Feed(const StreamFeed& feed) {
    switch (feed.kind) {
    case StreamFeed::Kind::Pair: {
        // Never the two of last time, and two different ones.
        auto was_last = [&](std::int32_t e) { return e == last_pair_[0] || e == last_pair_[1]; };
        std::int32_t first = Draw();
        while (was_last(first)) first = Draw();
        std::int32_t second = Draw();
        while (was_last(second) || second == first) second = Draw();
        last_pair_ = {first, second};
        Grant(first, feed.shots);
        Grant(second, feed.shots);
        break;
    }
    case StreamFeed::Kind::One:
        Grant(Draw(), feed.shots);
        break;
    case StreamFeed::Kind::All:
        for (std::int32_t e = 0; e < set_.drawn_from; ++e) Grant(e, feed.shots);
        break;
    }
}

void SpawnStreams::Spawn() {
    for (std::int32_t e = 0; e < StreamSet::kEntries; ++e) {
        if (shots_left_[e] <= 0) continue;
        --shots_left_[e];
        const StreamEntry& at = set_.entries[e];
        SpawnStreamFighter(at.x, at.y, at.heading, set_.entry_frames);
    }
}

void SpawnStreams::Run(std::int32_t count) {
    // The fighters first, then the feeding: an entry fed now shows its lamp
    // for at least one frame before its first fighter comes.
    if (count % kSpawnEvery == 0) Spawn();
    for (const StreamFeed& feed : set_.feeds) {
        const std::int32_t every = std::max(feed.every, 1);
        if (count >= feed.first && count <= feed.last && count % every == 0) Feed(feed);
    }
}

void SpawnStreams::DrawWarnings() const {
    if (set_.warning_sprite == 0) return;
    CQ7Pos at;
    at.ReSize(1, 1);
    for (std::int32_t e = 0; e < StreamSet::kEntries; ++e) {
        if (shots_left_[e] <= 0) continue;
        const StreamEntry& from = set_.entries[e];
        at.Move(std::clamp(from.x, kMarginX, 319 - kMarginX), std::clamp(from.y, kTop, kBottom));
        // Two images, alternating every 4 frames: a blinking lamp.
        const std::int32_t sprite = set_.warning_sprite + ((g_FrameCount >> 2) & 1);
        g_DDBPack.AddBlt(at, sprite, kWarningLayer, 0, 0);
    }
}
