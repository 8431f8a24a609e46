#include "platform/midi_file.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/test_media.h"

using test_media::Midi;
using test_media::Track;

TEST(MidiFile, MergesTracksInTimeOrderInMusicUnits) {
    // 960 ticks per quarter: 960 ticks = 768 units.
    Track conductor;
    conductor.Tempo(0, 480000).End(1920);
    Track a;
    a.Program(0, 0, 5).On(0, 0, 60).Off(960, 0, 60).End();
    Track b;
    b.On(480, 1, 64).Off(480, 1, 64).End(960);
    MidiSong song;
    ASSERT_TRUE(ParseMidiFile(Midi(1, 960, {conductor, a, b}), song));

    std::vector<std::pair<std::int64_t, int>> got;
    for (const MidiEvent& e : song.events) got.push_back({e.time, e.status});
    const std::vector<std::pair<std::int64_t, int>> want = {
        {0, 0xC0}, {0, 0x90}, {384, 0x91}, {768, 0x80}, {768, 0x81}};
    EXPECT_EQ(got, want);
    EXPECT_EQ(song.length, 1536);  // the conductor track ends last
    ASSERT_EQ(song.tempo.size(), 1u);
    EXPECT_EQ(song.tempo[0].us_per_quarter, 480000u);
}

TEST(MidiFile, RunningStatusTempoMapAndSysEx) {
    Track t;
    t.Tempo(0, 600000)
        .On(0, 2, 60, 90)
        .Raw({0x00, 62, 91})       // running status: another note-on
        .Tempo(96, 300000)
        .Raw({0x00, 0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7})  // GM System On
        .Raw({0x00, 0x92, 60, 0})  // note-on with velocity 0
        .End();
    MidiSong song;
    ASSERT_TRUE(ParseMidiFile(Midi(0, 96, {t}), song));
    ASSERT_EQ(song.events.size(), 4u);
    EXPECT_EQ(song.events[1].status, 0x92);
    EXPECT_EQ(song.events[1].data1, 62);
    EXPECT_EQ(song.events[1].data2, 91);
    EXPECT_EQ(song.events[2].status, 0xF0);
    EXPECT_EQ(song.sysex[song.events[2].sysex], (std::vector<std::uint8_t>{0x7E, 0x7F, 0x09, 0x01}));
    EXPECT_EQ(TempoAt(song, 0), 600000u);
    EXPECT_EQ(TempoAt(song, 767), 600000u);
    EXPECT_EQ(TempoAt(song, 768), 300000u);
}

TEST(MidiFile, TimeCodeDivisionRunsAt120Bpm) {
    // 25 frames per second x 40 ticks per frame: 1000 ticks = 1 s = 2 quarters.
    Track t;
    t.On(0, 0, 60).Off(1000, 0, 60).End();
    MidiSong song;
    ASSERT_TRUE(ParseMidiFile(Midi(0, static_cast<std::uint16_t>((256 - 25) << 8 | 40), {t}), song));
    EXPECT_EQ(song.events[1].time, 2 * 768);
    EXPECT_EQ(TempoAt(song, 0), kDefaultTempo);
}

TEST(MidiFile, RefusesMalformedFiles) {
    Track ok;
    ok.On(0, 0, 60).Off(96, 0, 60).End();
    const auto good = Midi(1, 96, {ok});
    auto patched = [&](std::size_t at, std::uint8_t value) {
        auto v = good;
        v[at] = value;
        return v;
    };
    Track running_first;
    running_first.Raw({0x00, 60, 100}).End();
    Track long_vlq;
    long_vlq.Raw({0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 100}).End();
    Track high_data;
    high_data.Raw({0x00, 0x90, 0x80, 100}).End();
    Track cut;
    cut.Raw({0x00, 0x90, 60});
    Track bad_meta;
    bad_meta.Raw({0x00, 0xFF, 0x01, 0x7F});

    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"not a MIDI file", patched(0, 'X')},
        {"format 2", patched(9, 2)},
        {"division zero", [&] { auto v = patched(12, 0); v[13] = 0; return v; }()},
        {"track count too high", patched(11, 2)},
        {"track length past the end", patched(21, 0xFF)},
        {"header length past the end", patched(7, 0xFF)},
        {"running status first", Midi(0, 96, {running_first})},
        {"five-byte delta", Midi(0, 96, {long_vlq})},
        {"data byte with the high bit", Midi(0, 96, {high_data})},
        {"event cut short", Midi(0, 96, {cut})},
        {"meta event past the track", Midi(0, 96, {bad_meta})},
        {"format 0 with two tracks", Midi(0, 96, {ok, ok})},
    };
    for (const auto& c : cases) {
        MidiSong song;
        std::string error;
        EXPECT_FALSE(ParseMidiFile(c.bytes, song, &error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }
}

TEST(MidiFile, SurvivesTruncationAndCorruption) {
    Track t;
    t.Tempo(0, 500000).Program(0, 0, 1).On(0, 0, 60).Raw({0x10, 62, 80}).Off(96, 0, 60).End(10);
    const auto good = Midi(1, 96, {t, t});
    for (std::size_t n = 0; n < good.size(); ++n) {
        MidiSong song;
        ParseMidiFile(std::span(good.data(), n), song);
    }
    std::mt19937 rng(1234);
    for (int i = 0; i < 2000; ++i) {
        auto v = good;
        for (int k = 0; k < 3; ++k) v[rng() % v.size()] = static_cast<std::uint8_t>(rng());
        MidiSong song;
        if (ParseMidiFile(v, song)) {
            EXPECT_TRUE(std::is_sorted(song.events.begin(), song.events.end(),
                                       [](const MidiEvent& a, const MidiEvent& b) { return a.time < b.time; }));
        }
    }
}
