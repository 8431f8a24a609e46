// zenit.ini: the six settings chosen in the settings dialog.
//
// The file is six lines in a fixed order, each a quoted key, a comma and a
// decimal value, ended by CR LF:
//
//   "ShotButton",0
//   "PowreUpButton",1
//   "PauseButton",2
//   "SpeedUpButton",3
//   "DefaltPort",-1
//   "Init_Vol",2
//
// Values are taken by position; the keys are written but never checked.
// Reading stops silently at the first record it cannot use (missing file,
// too few lines, a value that is not a number or out of its range) and keeps
// what it read so far and the defaults for the rest.
//
// Where the file lives: next to the program when the program's directory can
// be written; otherwise (an installed game in a system folder) in the user's
// configuration folder, $XDG_CONFIG_HOME/zenit/zenit.ini or
// ~/.config/zenit/zenit.ini. In the second case a zenit.ini next to the
// program still serves as the starting values until the user first saves.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

struct Settings {
    int ShotButton = 0;     // pad buttons 0..11
    int PowerUpButton = 1;
    int PauseButton = 2;
    int SpeedUpButton = 3;
    bool DefaultPort = true;
    int InitVol = 2;        // 1 small, 2 medium, 3 large

    bool operator==(const Settings&) const = default;
};

inline constexpr int kPadButtonCount = 12;  // pad buttons 0..11 can be chosen
// A settings file is a few dozen bytes; anything past this is not ours and is
// treated as the end of the file.
inline constexpr std::size_t kMaxSettingsFileBytes = 1 << 20;
inline constexpr const char* kSettingsFileName = "zenit.ini";

// The values `base` becomes after reading the text of a settings file.
Settings ParseSettings(std::string_view text, Settings base = {});
// The text of a settings file: exactly six CR LF lines.
std::string FormatSettings(const Settings& s);

// Reads `file` on top of `base`; a file that cannot be read leaves `base`.
// Only a regular file is read (a FIFO of that name would block for ever).
// `opened` (optional) tells whether the file could be read at all, `error`
// (optional) why not.
Settings ReadSettingsFile(const std::filesystem::path& file, Settings base, bool* opened = nullptr,
                          std::string* error = nullptr);
// Writes a temporary file next to `file` and renames it over `file`, so an
// interrupted save never leaves a half-written settings file; temporaries
// left by earlier saves that were cut short are removed. Creates the file's
// directory when missing. A `file` without any write permission is
// respected: nothing is written and the result is false. A replaced file
// keeps its permissions. Returns false on any failure.
bool WriteSettingsFile(const std::filesystem::path& file, const Settings& s);

// The two places the file may live.
struct SettingsLocation {
    std::filesystem::path program_dir;  // the program's own directory
    std::filesystem::path user_dir;     // .../zenit under the user's config folder; empty when unknown
};

// The program's directory and the user's configuration folder of this run.
SettingsLocation DefaultSettingsLocation();
// Tests point the game's LoadSettings/SaveSettings elsewhere; nullptr restores the default.
void OverrideSettingsLocation(const SettingsLocation* location);
SettingsLocation CurrentSettingsLocation();

// The file SaveSettings writes: next to the program when its directory is
// writable, else the user's file.
std::filesystem::path SettingsSavePath(const SettingsLocation& where);
// The file LoadSettings reads: the save path when that file exists, else the
// other one (a zenit.ini shipped next to an installed program).
std::filesystem::path SettingsLoadPath(const SettingsLocation& where);

// The globals g_ShotButton .. g_InitVol as one record, and back.
Settings CurrentSettings();
void ApplySettings(const Settings& s);

// Overwrites the settings globals from zenit.ini when it can be read.
void LoadSettings();
// Writes the settings globals to zenit.ini and tells the user how it went
// ("保存しました。" / "保存できませんでした。"). Returns true when saved.
bool SaveSettings();
