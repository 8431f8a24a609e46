// Spawn streams: the fighter streams of the last two stages.
//
// Sixteen entry points on the edges of the play field, each a place and an
// 8-way heading inward and a count of shots left (0 at the start). The
// stage's feeding rules grant shots; on every Count that is a multiple of 16,
// each entry with shots left, in entry order, spends one and sends one
// stream fighter (CEN025) in along its heading. So an entry granted 6 shots
// becomes a line of six fighters, one every 16 frames.
//
// A stage supplies its table and its feeding rules as data (StreamSet) and
// calls Run once per scripted frame; the streams then stop with its script.
#pragma once

#include <array>
#include <cstdint>
#include <span>

struct StreamEntry {
    std::int32_t x = 0, y = 0;
    std::int32_t heading = 0;  // 8-way: 0 right, 2 down, 4 left, 6 up
};

// One feeding rule: on every Count in [first, last] that is a multiple of
// `every`, entries drawn from the stage's random table (or all of them) get
// `shots` more.
struct StreamFeed {
    enum class Kind : std::uint8_t {
        Pair,  // two different entries, neither of the two drawn last time
        One,   // one entry, drawn as it comes
        All,   // every entry the draws choose from
    };
    Kind kind = Kind::One;
    std::int32_t first = 0, last = 0;
    std::int32_t every = 1;
    std::int32_t shots = 0;
};

struct StreamSet {
    static constexpr std::int32_t kEntries = 16;

    std::span<const StreamEntry, kEntries> entries;
    // The entries the draws choose from: 16 draws with Rnd16 (0..15), 8 with
    // Rnd8 (0..7; the others are never fed).
    std::int32_t drawn_from = kEntries;
    std::int32_t entry_frames = 5;  // of each fighter: frames it cannot be hit
    std::span<const StreamFeed> feeds = {};
    // Sprite of the marker shown at the edge where a fed entry comes in
    // (0: none), so that nothing enters unannounced.
    std::int32_t warning_sprite = 0;
};

class SpawnStreams {
public:
    static constexpr std::int32_t kSpawnEvery = 16;
    static constexpr std::int32_t kWarningLayer = 26;  // over the fighters coming out of it

    explicit SpawnStreams(const StreamSet& set) : set_(set) {}

    // One scripted frame: on the multiples of 16, one fighter from every
    // entry with shots left; then the feeding rules due at `count`.
    void Run(std::int32_t count);
    // Queues the edge markers of the entries with shots left.
    void DrawWarnings() const;

    void Grant(std::int32_t entry, std::int32_t shots) { shots_left_[entry] += shots; }
    std::int32_t ShotsLeft(std::int32_t entry) const { return shots_left_[entry]; }
    // The two entries of the last Pair rule (-1 before the first).
    const std::array<std::int32_t, 2>& LastPair() const { return last_pair_; }

private:
    std::int32_t Draw() const;
    void Feed(const StreamFeed& feed);
    void Spawn();

    const StreamSet& set_;
    std::array<std::int32_t, StreamSet::kEntries> shots_left_{};
    std::array<std::int32_t, 2> last_pair_{-1, -1};
};
