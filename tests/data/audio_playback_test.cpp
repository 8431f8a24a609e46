// The embedded music through the game's own MIDI reader and sequencer: each
// song reads, is as long as its loop end, and plays on past the seam from its
// loop start.
#include <gtest/gtest.h>

#include <string>

#include "core/resource_pack.h"
#include "data/audio_songs.h"
#include "platform/midi_file.h"
#include "platform/midi_sequencer.h"

namespace {

class CountingSink final : public MidiSink {
public:
    void ShortMessage(std::uint8_t status, std::uint8_t, std::uint8_t data2) override {
        if ((status & 0xF0) == 0x90 && data2 > 0) ++noteOns;
    }
    void SysEx(std::span<const std::uint8_t>) override {}
    int noteOns = 0;
};

TEST(AudioPlayback, EverySongLoopsBetweenItsPointsInTheSequencer) {
    for (const SongLoop& loop : kSongLoops) {
        SCOPED_TRACE("DMSEG " + std::to_string(loop.id));
        auto data = FindResource("DMSEG", loop.id);
        ASSERT_TRUE(data.has_value());
        MidiSong song;
        std::string error;
        ASSERT_TRUE(ParseMidiFile(*data, song, &error)) << error;
        EXPECT_EQ(song.length, loop.end);

        MidiSequencer sequencer(44100);
        CountingSink sink;
        sequencer.Start(&song, 0, loop.start, loop.end, -1, &sink);
        while (sequencer.PerformanceTime() < loop.end) sequencer.Step(4096, &sink);
        const int beforeSeam = sink.noteOns;
        // Two bars past the seam: still playing, from the loop start on.
        while (sequencer.PerformanceTime() < loop.end + 2 * 4 * kMusicUnitsPerQuarter) sequencer.Step(4096, &sink);
        EXPECT_TRUE(sequencer.Playing());
        EXPECT_GE(sequencer.Seek(), loop.start);
        EXPECT_LT(sequencer.Seek(), loop.start + 3 * 4 * kMusicUnitsPerQuarter);
        EXPECT_GT(sink.noteOns, beforeSeam + 16) << "little or nothing plays after the jump";
    }
}

}  // namespace
