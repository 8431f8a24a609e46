// zenit.ini: reading rules, the written format, where the file lives.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/settings.h"
#include "app/zenit02.h"
#include "core/message_box.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteAll(const fs::path& p, const std::string& text) {
    std::ofstream out(p, std::ios::binary);
    out << text;
}

// A fresh directory under the system's temporary folder, removed afterwards.
class TempDir {
public:
    TempDir() {
        path_ = fs::temp_directory_path() / ("zenit-settings-" + std::to_string(::getpid()) + "-" +
                                             std::to_string(counter_++));
        fs::remove_all(path_);
        fs::create_directories(path_);
        fs::permissions(path_, fs::perms::all);  // also usable after dropping root below
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path_, fs::perms::all, ec);
        for (auto& e : fs::recursive_directory_iterator(path_, ec)) fs::permissions(e.path(), fs::perms::all, ec);
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
    static inline int counter_ = 0;
};

// Permission bits do not bind root: act as an ordinary user while it lives.
class AsOrdinaryUser {
public:
    AsOrdinaryUser() : was_root_(::geteuid() == 0) {
        if (was_root_) {
            EXPECT_EQ(::seteuid(65534), 0);
        }
    }
    ~AsOrdinaryUser() {
        if (was_root_) {
            EXPECT_EQ(::seteuid(0), 0);
        }
    }

private:
    bool was_root_;
};

Settings S(int shot, int power, int pause, int speed, bool port, int vol) {
    return {shot, power, pause, speed, port, vol};
}

constexpr const char* kDefaultFile =
    "\"ShotButton\",0\r\n\"PowreUpButton\",1\r\n\"PauseButton\",2\r\n\"SpeedUpButton\",3\r\n\"DefaltPort\",-1\r\n"
    "\"Init_Vol\",2\r\n";

}  // namespace

TEST(SettingsFile, ReadingRules) {
    const Settings defaults;
    const std::string long_key(100000, 'K');
    static const char kGarbage[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe,,\x01\n\"a\",3\r\n";
    struct Case {
        const char* name;
        std::string text;
        Settings expected;
    };
    const std::vector<Case> cases = {
        {"empty file", "", defaults},
        {"all six, CR LF", "\"ShotButton\",4\r\n\"PowreUpButton\",5\r\n\"PauseButton\",6\r\n\"SpeedUpButton\",11\r\n"
                           "\"DefaltPort\",0\r\n\"Init_Vol\",3\r\n",
         S(4, 5, 6, 11, false, 3)},
        {"LF line ends", "\"ShotButton\",4\n\"PowreUpButton\",5\n\"PauseButton\",6\n\"SpeedUpButton\",7\n"
                         "\"DefaltPort\",0\n\"Init_Vol\",1\n",
         S(4, 5, 6, 7, false, 1)},
        {"lone CR line ends, no final line end", "\"a\",9\r\"b\",8\r\"c\",7\r\"d\",6\r\"e\",0\r\"f\",3",
         S(9, 8, 7, 6, false, 3)},
        {"fifth value 1 keeps the default port", "\"a\",0\r\n\"b\",1\r\n\"c\",2\r\n\"d\",3\r\n\"DefaltPort\",1\r\n",
         defaults},
        {"fifth value -1 keeps the default port", "\"a\",0\r\n\"b\",1\r\n\"c\",2\r\n\"d\",3\r\n\"e\",-1\r\n\"f\",1\r\n",
         S(0, 1, 2, 3, true, 1)},
        {"three lines only", "\"ShotButton\",9\r\n\"PowreUpButton\",10\r\n\"PauseButton\",11\r\n",
         S(9, 10, 11, 3, true, 2)},
        {"non-numeric value stops the reading", "\"ShotButton\",7\r\n\"PowreUpButton\",x\r\n\"PauseButton\",9\r\n",
         S(7, 1, 2, 3, true, 2)},
        {"number followed by text is not a number", "\"ShotButton\",7\r\n\"PowreUpButton\",8x\r\n",
         S(7, 1, 2, 3, true, 2)},
        {"quoted value is not a number", "\"ShotButton\",\"7\"\r\n", defaults},
        {"line without a comma", "\"ShotButton\" 7\r\n\"PowreUpButton\",8\r\n", defaults},
        {"misspelled keys, values in place", "\"Shot\",5\r\nPowerUp,6\r\n\"\",7\r\n\"x,y\",8\r\n\"DefaultPort\",0\r\n"
                                             "\"Volume\",1\r\n",
         S(5, 6, 7, 8, false, 1)},
        {"spaces around the value, blank lines between records", "\"a\", 5 \r\n\r\n  \r\n\"b\",\t+6\r\n",
         S(5, 6, 2, 3, true, 2)},
        {"extra lines after the sixth are ignored", std::string(kDefaultFile) + "garbage\r\n\"x\",99\r\n", defaults},
        {"button 12 is out of range", "\"a\",3\r\n\"b\",12\r\n\"c\",5\r\n", S(3, 1, 2, 3, true, 2)},
        {"negative button is out of range", "\"a\",-1\r\n\"b\",4\r\n", defaults},
        {"volume 0 is out of range", "\"a\",4\r\n\"b\",5\r\n\"c\",6\r\n\"d\",7\r\n\"e\",0\r\n\"f\",0\r\n",
         S(4, 5, 6, 7, false, 2)},
        {"volume 4 is out of range", "\"a\",4\r\n\"b\",5\r\n\"c\",6\r\n\"d\",7\r\n\"e\",-1\r\n\"f\",4\r\n",
         S(4, 5, 6, 7, true, 2)},
        {"two signs are not a number", "\"a\",1\r\n\"b\",2\r\n\"c\",4\r\n\"d\",5\r\n\"DefaltPort\",+-0\r\n",
         S(1, 2, 4, 5, true, 2)},
        {"a sign alone or apart from its digits", "\"a\",-\r\n\"b\",+ 5\r\n", defaults},
        {"a value beyond 32 bits", "\"a\",4\r\n\"b\",99999999999999999999\r\n", S(4, 1, 2, 3, true, 2)},
        {"very long key line", "\"" + long_key + "\",6\r\n\"b\",7\r\n", S(6, 7, 2, 3, true, 2)},
        {"very long digit run", "\"a\"," + std::string(5000, '1') + "\r\n", defaults},
        {"binary garbage", std::string(kGarbage, sizeof kGarbage - 1), defaults},
        {"key with a NUL byte, value in place", std::string("\"a\0b\",8\r\n", 9), S(8, 1, 2, 3, true, 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParseSettings(c.text), c.expected);
    }
}

TEST(SettingsFile, ReadingStopsAtAnErrorKeepingTheValuesBefore) {
    // Main's defaults are whatever the globals hold before reading: a failed
    // record keeps those, not the built-in ones.
    const Settings before = S(11, 10, 9, 8, false, 3);
    EXPECT_EQ(ParseSettings("\"a\",0\r\n\"b\",oops\r\n\"c\",0\r\n", before), S(0, 10, 9, 8, false, 3));
    EXPECT_EQ(ParseSettings("", before), before);
}

TEST(SettingsFile, WritesExactlySixCrLfLinesWithThePortAsMinusOneOrZero) {
    EXPECT_EQ(FormatSettings(Settings{}), kDefaultFile);
    EXPECT_EQ(FormatSettings(S(11, 0, 7, 10, false, 3)),
              "\"ShotButton\",11\r\n\"PowreUpButton\",0\r\n\"PauseButton\",7\r\n\"SpeedUpButton\",10\r\n"
              "\"DefaltPort\",0\r\n\"Init_Vol\",3\r\n");
    for (const Settings& s : {Settings{}, S(11, 0, 7, 10, false, 3), S(5, 5, 5, 5, true, 1)})
        EXPECT_EQ(ParseSettings(FormatSettings(s), S(1, 2, 3, 4, true, 1)), s);
}

TEST(SettingsFile, WriteReplacesTheFileWholeAndLeavesNoTemporary) {
    TempDir dir;
    const fs::path file = dir.path() / "sub" / "zenit.ini";  // the folder is created when missing
    WriteAll(dir.path() / "zenit.ini", "old");
    ASSERT_TRUE(WriteSettingsFile(file, S(6, 7, 8, 9, false, 1)));
    WriteAll(file, std::string(500, 'x'));  // a longer old file must not leave a tail behind
    ASSERT_TRUE(WriteSettingsFile(file, S(6, 7, 8, 9, false, 1)));
    EXPECT_EQ(ReadAll(file), FormatSettings(S(6, 7, 8, 9, false, 1)));
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator{}), 1);

    bool opened = true;
    EXPECT_EQ(ReadSettingsFile(dir.path() / "missing.ini", S(1, 2, 3, 4, true, 3), &opened), S(1, 2, 3, 4, true, 3));
    EXPECT_FALSE(opened);
    EXPECT_EQ(ReadSettingsFile(file, Settings{}, &opened), S(6, 7, 8, 9, false, 1));
    EXPECT_TRUE(opened);

    // A directory that cannot exist (its parent is a file): a failure, and nothing left behind.
    EXPECT_FALSE(WriteSettingsFile(dir.path() / "zenit.ini" / "zenit.ini", Settings{}));
    EXPECT_EQ(ReadAll(dir.path() / "zenit.ini"), "old");
}

TEST(SettingsFile, OnlyARegularFileIsRead) {
    TempDir dir;
    const fs::path fifo = dir.path() / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const fs::path& p : {fifo, dir.path()}) {
        SCOPED_TRACE(p.string());
        bool opened = true;
        std::string why;
        // Returns at once: a FIFO with no writer would otherwise block for ever.
        EXPECT_EQ(ReadSettingsFile(p, S(1, 2, 3, 4, true, 3), &opened, &why), S(1, 2, 3, 4, true, 3));
        EXPECT_FALSE(opened);
        EXPECT_NE(why.find("not a regular file"), std::string::npos) << why;
    }
}

TEST(SettingsFile, ReadOnlyFileIsRespectedAndAReplacedFileKeepsItsMode) {
    TempDir dir;
    const fs::path file = dir.path() / "zenit.ini";
    WriteAll(file, "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(WriteSettingsFile(file, Settings{}));
    EXPECT_EQ(ReadAll(file), "old");
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);  // 0600: a private file stays private
    ASSERT_TRUE(WriteSettingsFile(file, Settings{}));
    EXPECT_EQ(ReadAll(file), kDefaultFile);
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST(SettingsFile, SavingRemovesTemporariesOfSavesThatWereCutShort) {
    TempDir dir;
    const pid_t dead = ::fork();  // a process that has ended: its pid names a stale file
    if (dead == 0) ::_exit(0);
    ASSERT_GT(dead, 0);
    ::waitpid(dead, nullptr, 0);
    auto name = [&](const std::string& n) { return dir.path() / n; };
    const std::string stale = "zenit.ini.tmp-" + std::to_string(dead);
    const std::vector<std::string> kept = {
        "zenit.ini.tmp-" + std::to_string(::getppid()),  // a save in progress in another live process
        "zenit.ini.tmp-abc", "other.ini.tmp-" + std::to_string(dead), "zenit.ini.tmp-"};
    WriteAll(name(stale), "half");
    for (const std::string& k : kept) WriteAll(name(k), "x");

    ASSERT_TRUE(WriteSettingsFile(name("zenit.ini"), Settings{}));
    EXPECT_FALSE(fs::exists(name(stale)));
    for (const std::string& k : kept) EXPECT_TRUE(fs::exists(name(k))) << k;
}

class SettingsSaveLoad : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobalState();
        ApplySettings(Settings{});
        previous_ = SetMessageBoxHandler([this](std::string_view text, std::string_view title, MsgBoxStyle) {
            messages_.push_back(std::string(title) + ": " + std::string(text));
            return MsgBoxResult::Ok;
        });
    }
    void TearDown() override {
        OverrideSettingsLocation(nullptr);
        SetMessageBoxHandler(previous_);
    }
    void Use(const SettingsLocation& where) { OverrideSettingsLocation(&where); }

    TempDir dir_;
    std::vector<std::string> messages_;
    MessageBoxHandler previous_;
};

TEST_F(SettingsSaveLoad, SavesNextToTheProgramAndReadsItBack) {
    fs::create_directories(dir_.path() / "game");
    Use({dir_.path() / "game", dir_.path() / "config" / "zenit"});
    ApplySettings(S(4, 9, 0, 2, false, 3));
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(messages_, std::vector<std::string>{"zenit: 保存しました。"});
    EXPECT_EQ(ReadAll(dir_.path() / "game" / "zenit.ini"), FormatSettings(S(4, 9, 0, 2, false, 3)));
    EXPECT_FALSE(fs::exists(dir_.path() / "config"));

    ApplySettings(Settings{});
    LoadSettings();
    EXPECT_EQ(CurrentSettings(), S(4, 9, 0, 2, false, 3));
}

TEST_F(SettingsSaveLoad, ReadOnlyProgramFolderFallsBackToTheUserFolder) {
    const fs::path game = dir_.path() / "game";
    const fs::path user = dir_.path() / "config" / "zenit";
    fs::create_directories(game);
    fs::create_directories(dir_.path() / "config");
    fs::permissions(dir_.path() / "config", fs::perms::all);
    WriteAll(game / "zenit.ini", FormatSettings(S(7, 1, 2, 3, true, 1)));  // shipped with the game
    fs::permissions(game, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    Use({game, user});
    {
        AsOrdinaryUser user_rights;
        EXPECT_EQ(SettingsSavePath({game, user}), user / "zenit.ini");
        // Until the user saves, the shipped file gives the starting values.
        LoadSettings();
        EXPECT_EQ(CurrentSettings(), S(7, 1, 2, 3, true, 1));

        ApplySettings(S(8, 9, 10, 11, false, 3));
        EXPECT_TRUE(SaveSettings());
        ApplySettings(Settings{});
        LoadSettings();
        EXPECT_EQ(CurrentSettings(), S(8, 9, 10, 11, false, 3));
    }
    EXPECT_EQ(ReadAll(game / "zenit.ini"), FormatSettings(S(7, 1, 2, 3, true, 1)));
    EXPECT_EQ(ReadAll(user / "zenit.ini"), FormatSettings(S(8, 9, 10, 11, false, 3)));
    EXPECT_EQ(messages_, std::vector<std::string>{"zenit: 保存しました。"});
}

TEST_F(SettingsSaveLoad, NothingWritableReportsTheFailureAndKeepsTheSettings) {
    WriteAll(dir_.path() / "file", "x");
    // Both folders lie under a plain file, so neither can be created.
    Use({dir_.path() / "file" / "game", dir_.path() / "file" / "zenit"});
    ApplySettings(S(3, 2, 1, 0, false, 1));
    EXPECT_FALSE(SaveSettings());
    EXPECT_EQ(messages_, std::vector<std::string>{"zenit: 保存できませんでした。"});
    EXPECT_EQ(CurrentSettings(), S(3, 2, 1, 0, false, 1));
}

TEST_F(SettingsSaveLoad, MissingFileKeepsTheDefaults) {
    fs::create_directories(dir_.path() / "game");
    Use({dir_.path() / "game", dir_.path() / "config" / "zenit"});
    LoadSettings();
    EXPECT_EQ(CurrentSettings(), Settings{});
    EXPECT_TRUE(messages_.empty());
}

TEST(SettingsLocationTest, UserFolderFollowsXdgConfigHome) {
    const char* old_xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old_xdg ? old_xdg : "";
    ::setenv("XDG_CONFIG_HOME", "/somewhere/cfg", 1);
    EXPECT_EQ(DefaultSettingsLocation().user_dir, fs::path("/somewhere/cfg/zenit"));
    ::setenv("XDG_CONFIG_HOME", "relative/ignored", 1);  // only absolute paths count, as XDG says
    ::setenv("HOME", std::getenv("HOME") ? std::getenv("HOME") : "/root", 1);
    EXPECT_EQ(DefaultSettingsLocation().user_dir, fs::path(std::getenv("HOME")) / ".config" / "zenit");
    if (old_xdg)
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    // The program's own folder is where this test program lies.
    EXPECT_EQ(fs::canonical(DefaultSettingsLocation().program_dir),
              fs::canonical(fs::read_symlink("/proc/self/exe").parent_path()));
}
