// The music compiler, run as the build runs it (zenit-gen-audio --mml): what
// the notation means, and faults reported with their line and column.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "data/audio_smf.h"

namespace {

namespace fs = std::filesystem;

struct Compiled {
    int exitCode = -1;
    std::string errors;
    SmfTestFile file;
};

Compiled Compile(const std::string& text) {
    fs::path dir = fs::temp_directory_path() / ("zenit_mml_test_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "song.mml") << text;
    fs::remove(dir / "song.mid");
    std::string command = std::string("\"") + ZENIT_BINARY_DIR + "/gen/zenit-gen-audio\" --mml \"" +
                          (dir / "song.mml").string() + "\" \"" + (dir / "song.mid").string() + "\" 2> \"" +
                          (dir / "errors.txt").string() + "\"";
    Compiled c;
    int status = std::system(command.c_str());
    c.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream errors(dir / "errors.txt");
    std::stringstream message;
    message << errors.rdbuf();
    c.errors = message.str();
    std::ifstream mid(dir / "song.mid", std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(mid)), std::istreambuf_iterator<char>());
    if (!bytes.empty()) c.file = ReadSmf(bytes);
    fs::remove_all(dir);
    return c;
}

// A two-bar song (loop from bar 2 to its end) with the track under test on
// line 2 and silent drum tracks to make up the 13 tracks a song needs.
std::string Song(const std::string& track, int fillers = 11) {
    std::string text = "song tempo=120 time=4/4 loop=3072,6144\n" + track + "\n";
    for (int i = 0; i < fillers; ++i) text += "track f" + std::to_string(i) + " ch=10 { r1 r1 }\n";
    return text;
}

TEST(AudioMml, NotationBecomesTheseNotes) {
    Compiled c = Compile(Song("def up { c8 d8 } track t ch=1 { o4 l4 q8 [$up]2 (c e g)4 k2 c4 k0 | "
                              "[e8 / f8]2 n36,8 c4.^16 r16 |3 }"));
    ASSERT_EQ(c.exitCode, 0) << c.errors;
    ASSERT_EQ(c.file.error, "");
    EXPECT_EQ(c.file.format, 1);
    EXPECT_EQ(c.file.division, 960);
    EXPECT_EQ(c.file.tracks.size(), 13u);
    EXPECT_EQ(c.file.EndTick(), 7680);
    struct Expected {
        int key;
        long on, off;
    };
    const std::vector<Expected> expected = {
        {60, 0, 480},     {62, 480, 960},   {60, 960, 1440},  {62, 1440, 1920},  // [$up]2
        {60, 1920, 2880}, {64, 1920, 2880}, {67, 1920, 2880},                    // chord
        {62, 2880, 3840},                                                        // k2 c
        {64, 3840, 4320}, {65, 4320, 4800}, {64, 4800, 5280},                    // '/' ends the last pass
        {36, 5280, 5760},                                                        // n36
        {60, 5760, 7440},                                                        // dotted, tied
    };
    std::vector<Expected> got;
    for (const SmfTestNote& n : c.file.notes)
        if (n.track == 1) got.push_back({n.key, n.on, n.off});
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].key, expected[i].key) << "note " << i;
        EXPECT_EQ(got[i].on, expected[i].on) << "note " << i;
        EXPECT_EQ(got[i].off, expected[i].off) << "note " << i;
    }
}

TEST(AudioMml, FaultsAreReportedWithLineAndColumn) {
    // 26 macros, each playing the one before twice: 2^26 notes from 500 bytes.
    std::string doubling = "def m0 { c c }";
    for (int i = 1; i < 26; ++i) doubling += " def m" + std::to_string(i) + " { $m" + std::to_string(i - 1) + " $m" + std::to_string(i - 1) + " }";
    struct Case {
        std::string text;
        std::string where;    // ":line:col:"
        std::string message;  // part of the message
    };
    const Case cases[] = {
        {Song("track t ch=1 { c1 x1 }"), ":2:19:", "unexpected 'x'"},
        {Song("track t ch=1 { c4 | c2. c1 }"), ":2:19:", "middle of a bar"},
        {Song("track t ch=1 { c1 |3 }"), ":2:19:", "bar 3 expected"},
        {Song("track t ch=1 { c7 c1 }"), ":2:17:", "not a whole number of ticks"},
        {Song("track t ch=1 { c1 }"), ":2:7:", "ends at bar 2 beat 1"},
        {Song("track t ch=1 { r2 c1 r2 }"), ":2:19:", "across the loop start"},
        {Song("track t ch=1 { r1 c2 @5 c2 }"), ":2:22:", "the program is 4 at the loop end but 0 at the loop start"},
        {Song("track t ch=1 { $nope r1 r1 }"), ":2:16:", "'nope' is not defined"},
        {Song("track t ch=1 { [c4 r1 }"), ":2:16:", "'[' is never closed"},
        {Song("track t ch=1 { o9 b1 c1 }"), ":2:19:", "out of the MIDI range"},
        {Song("track t ch=1 { r1 r1 } track u ch=1 { r1 r1 }", 10), ":2:35:", "already used by track 't'"},
        {Song("track t ch=1 { r1 r1 }", 10), ":1:1:", "it needs 13 to 19"},
        // Expansion is bounded: these stop at once instead of filling memory.
        {Song("track t ch=1 { [[[[c]999]999]999]999 }"), ":2:20:", "more than 500000 events"},
        {Song("track t ch=1 { [[[[r%1]999]999]999]999 }"), ":2:20:", "more than 2000000 commands"},
        {Song("track t ch=1 { [[[[]999]999]999]999 }"), ":2:20:", "more than 2000000 commands"},
        {Song(doubling + " track t ch=1 { $m25 }"), ":2:12:", "more than 500000 events"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.text.substr(0, test.text.find("\ntrack f")));
        Compiled c = Compile(test.text);
        EXPECT_EQ(c.exitCode, 1);
        EXPECT_NE(c.errors.find("song.mml" + test.where), std::string::npos) << c.errors;
        EXPECT_NE(c.errors.find(test.message), std::string::npos) << c.errors;
    }
}

}  // namespace
