#include "app/settings.h"

#include <SDL.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <system_error>

#include "app/zenit02.h"
#include "core/file_read.h"
#include "core/message_box.h"

namespace fs = std::filesystem;

namespace {

// Asked with the effective user's rights: the ones a save will have.
bool DirectoryWritable(const fs::path& dir) {
    return !dir.empty() && ::faccessat(AT_FDCWD, dir.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool FileExists(const fs::path& file) {
    std::error_code ec;
    return !file.empty() && fs::is_regular_file(file, ec);
}

fs::path ProgramDirectory() {
    if (char* base = SDL_GetBasePath()) {
        fs::path dir = base;
        SDL_free(base);
        return dir;
    }
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return exe.parent_path();
    return fs::current_path(ec);
}

fs::path UserConfigDirectory() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return fs::path(xdg) / "zenit";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return fs::path(home) / ".config" / "zenit";
    return {};
}

std::optional<SettingsLocation>& Override() {
    static std::optional<SettingsLocation> location;
    return location;
}

// "zenit.ini.tmp-<pid>" next to `file`: the name a save writes first.
fs::path TemporaryFor(const fs::path& file, long pid) {
    fs::path temp = file;
    temp += ".tmp-" + std::to_string(pid);
    return temp;
}

// A save cut short (the program killed, the machine off) leaves its
// temporary file behind; those of processes that no longer run are ours to
// remove. A live process's file is its save in progress and stays.
void RemoveStaleTemporaries(const fs::path& file) {
    const std::string prefix = file.filename().string() + ".tmp-";
    std::error_code ec;
    const fs::path dir = file.has_parent_path() ? file.parent_path() : fs::path(".");
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string pid_text = name.substr(prefix.size());
        if (pid_text.size() > 9 || !std::all_of(pid_text.begin(), pid_text.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        const long pid = std::stol(pid_text);
        if (pid > 0 && pid != ::getpid() && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

}  // namespace

Settings ReadSettingsFile(const fs::path& file, Settings base, bool* opened, std::string* error) {
    if (opened) *opened = false;
    std::optional<std::string> text = ReadRegularFile(file, kMaxSettingsFileBytes, error);
    if (!text) return base;
    if (opened) *opened = true;
    return ParseSettings(*text, base);
}

bool WriteSettingsFile(const fs::path& file, const Settings& s) {
    std::error_code ec;
    if (file.has_parent_path()) {
        fs::create_directories(file.parent_path(), ec);
        if (ec) return false;
    }
    // A file the user made read-only is left as it is (the rename below
    // would replace it all the same); a writable one keeps its mode.
    mode_t mode = 0;
    struct stat st {};
    const bool exists = ::stat(file.c_str(), &st) == 0;
    if (exists) {
        if (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0)
            return false;
        mode = st.st_mode & 07777;
    }
    RemoveStaleTemporaries(file);
    const fs::path temp = TemporaryFor(file, ::getpid());
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return false;
    const std::string text = FormatSettings(s);
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fflush(f) == 0 && ok;
    if (exists) ok = ::fchmod(::fileno(f), mode) == 0 && ok;
    ok = ::fsync(::fileno(f)) == 0 && ok;  // the data is on disk before the name points at it
    ok = std::fclose(f) == 0 && ok;
    if (ok) {
        fs::rename(temp, file, ec);
        ok = !ec;
    }
    if (!ok) fs::remove(temp, ec);
    return ok;
}

SettingsLocation DefaultSettingsLocation() { return {ProgramDirectory(), UserConfigDirectory()}; }

void OverrideSettingsLocation(const SettingsLocation* location) {
    if (location)
        Override() = *location;
    else
        Override().reset();
}

SettingsLocation CurrentSettingsLocation() { return Override() ? *Override() : DefaultSettingsLocation(); }

fs::path SettingsSavePath(const SettingsLocation& where) {
    if (DirectoryWritable(where.program_dir) || where.user_dir.empty()) return where.program_dir / kSettingsFileName;
    return where.user_dir / kSettingsFileName;
}

fs::path SettingsLoadPath(const SettingsLocation& where) {
    fs::path save = SettingsSavePath(where);
    if (FileExists(save)) return save;
    for (const fs::path& dir : {where.program_dir, where.user_dir}) {
        if (dir.empty()) continue;
        fs::path other = dir / kSettingsFileName;
        if (FileExists(other)) return other;
    }
    return save;
}

Settings CurrentSettings() {
    return {g_ShotButton, g_PowerUpButton, g_PauseButton, g_SpeedUpButton, g_DefaultPort, g_InitVol};
}

void ApplySettings(const Settings& s) {
    g_ShotButton = s.ShotButton;
    g_PowerUpButton = s.PowerUpButton;
    g_PauseButton = s.PauseButton;
    g_SpeedUpButton = s.SpeedUpButton;
    g_DefaultPort = s.DefaultPort;
    g_InitVol = s.InitVol;
}

void LoadSettings() { ApplySettings(ReadSettingsFile(SettingsLoadPath(CurrentSettingsLocation()), CurrentSettings())); }

bool SaveSettings() {
    bool saved = WriteSettingsFile(SettingsSavePath(CurrentSettingsLocation()), CurrentSettings());
    // The dialog's caption is the program's title.
    ShowMessageBox(saved ? "保存しました。" : "保存できませんでした。", kProgramTitle, MsgBoxStyle::Ok);
    return saved;
}
