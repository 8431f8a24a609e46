#include "platform/midi_sequencer.h"

#include <gtest/gtest.h>

#include "platform/test_media.h"

using test_media::Midi;
using test_media::Track;

namespace {

constexpr int kRate = 44100;

struct Sent {
    std::int64_t frame;
    int status, d1, d2;
    bool operator==(const Sent&) const = default;
};

// Remembers every message with the frame at which it was sent.
class RecordingSink : public MidiSink {
public:
    std::int64_t now = 0;
    std::vector<Sent> sent;
    int sysex = 0;
    void ShortMessage(std::uint8_t s, std::uint8_t a, std::uint8_t b) override { sent.push_back({now, s, a, b}); }
    void SysEx(std::span<const std::uint8_t>) override { ++sysex; }
};

// Runs the sequencer for `frames` frames in blocks of `block`, as an audio callback would.
void Play(MidiSequencer& seq, RecordingSink& sink, std::int64_t frames, int block = 512) {
    while (frames > 0) {
        int left = static_cast<int>(std::min<std::int64_t>(block, frames));
        frames -= left;
        while (left > 0) {
            const int n = seq.Step(left, &sink);
            sink.now += n;
            left -= n;
        }
    }
}

MidiSong Parse(const std::vector<std::uint8_t>& bytes) {
    MidiSong song;
    EXPECT_TRUE(ParseMidiFile(bytes, song));
    return song;
}

// At 480000 us per quarter a quarter lasts exactly 21168 frames.
constexpr std::uint32_t kTempo = 480000;
constexpr std::int64_t kFramesPerQuarter = 21168;

}  // namespace

TEST(MusicClock, CountsExactlyOverLongRuns) {
    MusicClock c;
    c.Reset(0, kTempo, kRate);
    for (int i = 0; i < 5512500 / 500; ++i) c.Advance(500);
    EXPECT_EQ(c.Units(), 200000);
    EXPECT_EQ(c.FramesUntil(200000), 0);
    EXPECT_EQ(c.FramesUntil(200768), kFramesPerQuarter);
    c.SetTempo(kTempo / 2);
    EXPECT_EQ(c.FramesUntil(200768), kFramesPerQuarter / 2);
}

TEST(MidiSequencer, SendsEventsOnTheirFrameAcrossBlocksAndTempoChanges) {
    Track t;
    t.Tempo(0, kTempo).On(0, 0, 60).Off(96, 0, 60).Tempo(0, kTempo / 2).On(96, 0, 62).Off(96, 0, 62).End();
    const MidiSong song = Parse(Midi(0, 96, {t}));
    MidiSequencer seq(kRate);
    RecordingSink sink;
    seq.Start(&song, 0, 0, 0, 0, &sink);
    Play(seq, sink, 3 * kFramesPerQuarter, 333);
    const std::vector<Sent> want = {
        {0, 0x90, 60, 100},
        {kFramesPerQuarter, 0x80, 60, 0},
        {kFramesPerQuarter + kFramesPerQuarter / 2, 0x90, 62, 100},
        {2 * kFramesPerQuarter, 0x80, 62, 0},
    };
    EXPECT_EQ(sink.sent, want);
    EXPECT_FALSE(seq.Playing());  // ran past the end without a loop
}

TEST(MidiSequencer, LoopsReleaseSoundingNotesAndCountRepeats) {
    // Quarter notes on 60 and 62; a note on 64 is held across the loop end.
    Track t;
    t.Tempo(0, kTempo).On(0, 0, 60).Off(96, 0, 60).On(0, 0, 64).On(0, 0, 62).Off(96, 0, 62).Off(96, 0, 64).End();
    const MidiSong song = Parse(Midi(0, 96, {t}));
    ASSERT_EQ(song.length, 3 * 768);
    MidiSequencer seq(kRate);
    RecordingSink sink;
    // Loop over the second quarter, repeated twice, then on to the end.
    seq.Start(&song, 0, 768, 1536, 2, &sink);
    Play(seq, sink, 6 * kFramesPerQuarter);
    auto notes_at = [&](std::int64_t frame) {
        std::vector<Sent> out;
        for (const Sent& s : sink.sent)
            if (s.frame == frame) out.push_back(s);
        return out;
    };
    // Each loop jump releases 62 and 64 (62's own note-off lies at the loop
    // end), then the events at the loop start follow again.
    for (int pass = 1; pass <= 2; ++pass) {
        const std::int64_t f = (1 + pass) * kFramesPerQuarter;
        EXPECT_EQ(notes_at(f), (std::vector<Sent>{{f, 0x80, 62, 0},
                                                  {f, 0x80, 64, 0},
                                                  {f, 0x80, 60, 0},
                                                  {f, 0x90, 64, 100},
                                                  {f, 0x90, 62, 100}}))
            << "pass " << pass;
    }
    // After the repeats the song plays through: 62 and 64 end normally.
    EXPECT_EQ(notes_at(4 * kFramesPerQuarter), (std::vector<Sent>{{4 * kFramesPerQuarter, 0x80, 62, 0}}));
    EXPECT_EQ(notes_at(5 * kFramesPerQuarter), (std::vector<Sent>{{5 * kFramesPerQuarter, 0x80, 64, 0}}));
    EXPECT_FALSE(seq.Playing());
}

TEST(MidiSequencer, LoopsForEverAndKeepsPerformanceTime) {
    Track t;
    t.Tempo(0, kTempo).On(0, 0, 60).Off(96, 0, 60).End(96);
    const MidiSong song = Parse(Midi(0, 96, {t}));
    MidiSequencer seq(kRate);
    RecordingSink sink;
    seq.Start(&song, 0, 0, 1536, -1, &sink);
    Play(seq, sink, 100 * kFramesPerQuarter + 10);
    EXPECT_TRUE(seq.Playing());
    EXPECT_EQ(seq.PerformanceTime(), 100 * 768);
    EXPECT_EQ(seq.Seek(), 0);  // 100 quarters = 50 passes of the two-quarter loop
    EXPECT_EQ(sink.sent.size(), 101u);  // 51 note-ons (passes start at 0, 2, ... 100 quarters), 50 note-offs
}

TEST(MidiSequencer, StartingMidwayBringsControllersUpToDateButNoNotes) {
    Track t;
    t.Program(0, 3, 40)
        .Raw({0x00, 0xB3, 7, 90})
        .On(0, 3, 50)
        .Raw({0x60, 0xE3, 0x00, 0x50})  // pitch bend at 96 ticks
        .Off(96, 3, 50)
        .On(0, 3, 52)
        .Off(96, 3, 52)
        .End();
    const MidiSong song = Parse(Midi(0, 96, {t}));
    MidiSequencer seq(kRate);
    RecordingSink sink;
    seq.Start(&song, 1000, 0, 0, 0, &sink);
    const std::vector<Sent> chased = {{0, 0xC3, 40, 0}, {0, 0xB3, 7, 90}, {0, 0xE3, 0x00, 0x50}};
    EXPECT_EQ(sink.sent, chased);
    Play(seq, sink, 1000);
    EXPECT_EQ(sink.sent.size(), chased.size());  // note 50 is not restarted
}

TEST(MidiSequencer, StopReleasesNotesAndTheClockRunsOn) {
    Track t;
    t.Tempo(0, kTempo).On(0, 0, 60).On(0, 1, 61).End(96 * 8);
    const MidiSong song = Parse(Midi(0, 96, {t}));
    MidiSequencer seq(kRate);
    RecordingSink sink;
    seq.Start(&song, 0, 0, 0, 0, &sink);
    Play(seq, sink, kFramesPerQuarter);
    seq.Stop(&sink);
    EXPECT_EQ(sink.sent.back(), (Sent{kFramesPerQuarter, 0x81, 61, 0}));
    EXPECT_EQ(sink.sent.size(), 4u);
    Play(seq, sink, kFramesPerQuarter);
    EXPECT_EQ(seq.PerformanceTime(), 2 * 768);
    EXPECT_FALSE(seq.Playing());
}
