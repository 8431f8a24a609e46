// The embedded music: standard MIDI files the player's sequencer can loop
// between each stage's loop points without a hanging note at the seam.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/resource_pack.h"
#include "data/audio_songs.h"
#include "data/audio_smf.h"

namespace {

long FileTicks(long musicTime) { return musicTime * 960 / 768; }

SmfTestFile LoadSong(int id) {
    auto data = FindResource("DMSEG", id);
    EXPECT_TRUE(data.has_value()) << "DMSEG " << id << " missing";
    return data ? ReadSmf(*data) : SmfTestFile{};
}

TEST(AudioMusic, EverySongIsAFormat1FileThatReachesItsLoopEnd) {
    for (const SongLoop& song : kSongLoops) {
        SCOPED_TRACE("DMSEG " + std::to_string(song.id));
        SmfTestFile f = LoadSong(song.id);
        ASSERT_EQ(f.error, "");
        EXPECT_EQ(f.format, 1);
        EXPECT_EQ(f.division, 960);
        EXPECT_GE(f.tracks.size(), 13u);
        EXPECT_LE(f.tracks.size(), 19u);
        EXPECT_EQ(f.EndTick(), FileTicks(song.end));
    }
}

TEST(AudioMusic, LoopSeamLeavesNoNoteHangingOrMissing) {
    for (const SongLoop& song : kSongLoops) {
        SCOPED_TRACE("DMSEG " + std::to_string(song.id));
        SmfTestFile f = LoadSong(song.id);
        const long start = FileTicks(song.start), end = FileTicks(song.end);
        for (const SmfTestNote& n : f.notes) {
            SCOPED_TRACE("track " + std::to_string(n.track) + " key " + std::to_string(n.key) + " at tick " +
                         std::to_string(n.on));
            ASSERT_GE(n.off, 0) << "never released";
            if (n.on < end) {
                EXPECT_LE(n.off, end) << "still sounding when the loop jumps back";
            }
            // A note held across the loop start would be missing from every repeat.
            EXPECT_FALSE(n.on < start && n.off > start) << "sounds across the loop start";
        }
    }
}

TEST(AudioMusic, ProgramsAreTheSameWhenTheLoopReturns) {
    for (const SongLoop& song : kSongLoops) {
        SCOPED_TRACE("DMSEG " + std::to_string(song.id));
        SmfTestFile f = LoadSong(song.id);
        const long start = FileTicks(song.start), end = FileTicks(song.end);
        std::map<int, int> atStart, atEnd;  // channel -> program
        for (const auto& track : f.tracks)
            for (const SmfTestEvent& e : track)
                if ((e.status & 0xF0) == 0xC0) {
                    if (e.tick <= start) atStart[e.status & 0x0F] = e.a;
                    if (e.tick < end) atEnd[e.status & 0x0F] = e.a;
                }
        EXPECT_EQ(atStart, atEnd);
    }
}

TEST(AudioMusic, EverySongHasDrumsABassLineAndAMelodyInItsLoop) {
    for (const SongLoop& song : kSongLoops) {
        SCOPED_TRACE("DMSEG " + std::to_string(song.id));
        SmfTestFile f = LoadSong(song.id);
        const long start = FileTicks(song.start);
        int drums = 0, bass = 0, melody = 0;
        for (const SmfTestNote& n : f.notes) {
            if (n.on < start) continue;
            if (n.channel == 10) ++drums;
            else if (n.key < 48) ++bass;
            else if (n.key >= 72) ++melody;
        }
        EXPECT_GT(drums, 100);
        EXPECT_GT(bass, 50);
        EXPECT_GT(melody, 50);
    }
}

}  // namespace
