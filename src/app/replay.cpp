#include "app/replay.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sstream>

#include "app/zenit02.h"
#include "core/clock.h"

namespace fs = std::filesystem;

namespace {

// Steps between writes, and the longest run of one pad state held back: a
// crash loses a second of play, ten while the pad does not change.
constexpr std::int64_t kAppendEvery = 60;
constexpr std::int64_t kLongestRun = 600;
constexpr std::string_view kReplayExtension = ".replay";

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) out.push_back(line.substr(start, i - start));
    }
    return out;
}

template <class T>
std::optional<T> Number(std::string_view s) {
    T v{};
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return v;
}

// The text after "# key " when the line is such a line.
std::optional<std::string_view> Keyed(std::string_view line, std::string_view key) {
    const std::string head = "# " + std::string(key);
    if (line.substr(0, head.size()) != head) return std::nullopt;
    std::string_view rest = line.substr(head.size());
    if (!rest.empty() && rest.front() != ' ' && rest.front() != '\t') return std::nullopt;
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
    return rest;
}

// Calls `each(line)` for every line, CR LF and CR ends included; stops when it returns false.
template <class F>
void ForEachLine(std::string_view text, F each) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        if (!each(text.substr(pos, end - pos))) return;
        pos = end;
        if (pos < text.size() && text[pos] == '\r') ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;
    }
}

std::string StageLine(const ReplayInfo::StageEnd& s) {
    return "# stage " + std::to_string(s.stage) + " score " + std::to_string(s.score) + " frames " +
           std::to_string(s.frames) + "\n";
}

std::string LocalTime(const char* format) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[64];
    std::strftime(buf, sizeof buf, format, &local);
    return buf;
}

}  // namespace

// ---- Reading ---------------------------------------------------------------------

std::optional<ReplayInfo> ParseReplayInfo(std::string_view text, std::string* error) {
    ReplayInfo info;
    bool replay = false;
    int line_no = 0;
    std::string why;
    ForEachLine(text, [&](std::string_view line) {
        ++line_no;
        if (line_no == 1) {
            replay = line == kReplayMagic;
            return replay;
        }
        if (std::optional<std::string_view> rest = Keyed(line, "buttons")) {
            // Four numbers, then perhaps a note in brackets.
            std::vector<std::string_view> w = Words(rest->substr(0, rest->find('(')));
            std::array<int, 4> b{};
            for (std::size_t i = 0; i < w.size() && i < b.size(); ++i) {
                std::optional<int> n = Number<int>(w[i]);
                b[i] = n && *n >= 0 && *n <= 31 ? *n : -1;
            }
            if (w.size() != 4 || std::count(b.begin(), b.end(), -1) > 0)
                why = "'# buttons' takes four pad button numbers 0..31";
            info.buttons = b;
        } else if (std::optional<std::string_view> rest = Keyed(line, "stage")) {
            std::vector<std::string_view> w = Words(*rest);
            ReplayInfo::StageEnd s;
            std::optional<int> stage = w.size() == 5 ? Number<int>(w[0]) : std::nullopt;
            std::optional<int> score = w.size() == 5 ? Number<int>(w[2]) : std::nullopt;
            std::optional<std::int64_t> frames = w.size() == 5 ? Number<std::int64_t>(w[4]) : std::nullopt;
            if (!stage || !score || !frames || w[1] != "score" || w[3] != "frames" || *stage < 0 || *stage > 10)
                why = "'# stage' reads '# stage N score S frames F'";
            else
                info.stages.push_back({*stage, *score, *frames});
        } else if (std::optional<std::string_view> rest = Keyed(line, "sim")) {
            info.sim_options = std::string(*rest);
        } else if (std::optional<std::string_view> rest = Keyed(line, "expect")) {
            info.expect = std::string(*rest);
        }
        return why.empty();
    });
    if (!replay) return std::nullopt;
    if (!why.empty()) {
        if (error) *error = "line " + std::to_string(line_no) + ": " + why;
        return std::nullopt;
    }
    return info;
}

std::string RewriteReplayInfo(std::string_view text, const ReplayInfo& info) {
    std::string header, rest;
    bool in_header = true;
    ForEachLine(text, [&](std::string_view line) {
        const bool ours = Keyed(line, "stage") || Keyed(line, "expect");
        if (in_header && !line.empty() && line.front() == '#') {
            if (!ours) header.append(line).append("\n");
        } else {
            in_header = false;
            if (!ours) rest.append(line).append("\n");
        }
        return true;
    });
    for (const ReplayInfo::StageEnd& s : info.stages) header += StageLine(s);
    if (!info.expect.empty()) header += "# expect " + info.expect + "\n";
    return header + rest;
}

// ---- Where replays go --------------------------------------------------------------

fs::path DefaultReplayDirectory() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return fs::path(xdg) / "zenit" / "replays";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return fs::path(home) / ".local" / "share" / "zenit" / "replays";
    return {};
}

fs::path NewReplayPath(const fs::path& dir, int keep) {
    std::error_code ec;
    std::vector<fs::path> old;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == kReplayExtension && it->is_regular_file(ec)) old.push_back(it->path());
    // The names sort by date and time: the oldest first.
    std::sort(old.begin(), old.end());
    for (std::size_t i = 0; i + static_cast<std::size_t>(std::max(keep - 1, 0)) < old.size(); ++i)
        fs::remove(old[i], ec);

    const std::string stem = LocalTime("%Y-%m-%d_%H-%M-%S");
    fs::path file = dir / (stem + std::string(kReplayExtension));
    for (int n = 2; fs::exists(file, ec); ++n) file = dir / (stem + "_" + std::to_string(n) + std::string(kReplayExtension));
    return file;
}

// ---- Recording -----------------------------------------------------------------------

std::string PadLine(std::int64_t frames, const CQ7DirectX7::PadRead& pad) {
    std::string dirs;
    if (pad.left) dirs += 'L';
    if (pad.right) dirs += 'R';
    if (pad.up) dirs += 'U';
    if (pad.down) dirs += 'D';
    std::string line = std::to_string(frames) + " " + (dirs.empty() ? "-" : dirs);
    for (int b = 0; b < 32; ++b)
        if (pad.buttons & (std::uint32_t{1} << b)) line += " " + std::to_string(b);
    return line + "\n";
}

ReplayRecorder::ReplayRecorder(fs::path dir, fs::path file, std::string note)
    : dir_(std::move(dir)), file_(std::move(file)), note_(std::move(note)) {}

ReplayRecorder::~ReplayRecorder() {
    if (!ok_) return;
    EndRun();
    Append();
}

void ReplayRecorder::Attach(FrameLoopHooks& hooks) {
    auto then = [](std::function<void()> first, std::function<void()> next) -> std::function<void()> {
        if (!first) return next;
        return [first = std::move(first), next = std::move(next)] {
            first();
            next();
        };
    };
    hooks.after_stage_setup = then(std::move(hooks.after_stage_setup), [this] { StageSetUp(); });
    hooks.after_step = then(std::move(hooks.after_step), [this] { AfterStep(); });
    hooks.after_frame = then(std::move(hooks.after_frame), [this] { AfterFrame(); });
    std::function<void(int)> stage = std::move(hooks.after_stage);
    hooks.after_stage = [this, stage = std::move(stage)](int stage_no) {
        if (stage) stage(stage_no);
        AfterStage(stage_no);
    };
}

std::string ReplayRecorder::Header() const {
    std::string h = std::string(kReplayMagic) + "\n";
    if (!note_.empty()) h += "# sim " + note_ + "\n";
    if (!recorded_.empty()) h += "# recorded " + recorded_ + "\n";
    h += "# buttons " + std::to_string(g_ShotButton) + " " + std::to_string(g_PowerUpButton) + " " +
         std::to_string(g_PauseButton) + " " + std::to_string(g_SpeedUpButton) +
         "    (attack, power-up, pause, triple speed)\n";
    for (const ReplayInfo::StageEnd& s : stages_) h += StageLine(s);
    return h;
}

void ReplayRecorder::Open() {
    opened_ = true;
    std::error_code ec;
    if (file_.empty()) {
        if (dir_.empty()) return;
        fs::create_directories(dir_, ec);
        if (ec) return;
        file_ = NewReplayPath(dir_);
        recorded_ = LocalTime("%Y-%m-%d %H:%M:%S");
    }
    ok_ = true;
    Rewrite();
}

void ReplayRecorder::StageSetUp() {
    if (!opened_) Open();
    reads_seen_ = g_DX7.PadReads();
    stage_frames_ = 0;
}

void ReplayRecorder::AfterStep() {
    // A step in which nothing read the pad (an intro, a clear) used none: released.
    CQ7DirectX7::PadRead pad;
    if (g_DX7.PadReads() != reads_seen_) pad = g_DX7.LastPadRead();
    if (held_frames_ > 0 && (!(pad == held_) || held_frames_ == kLongestRun)) EndRun();
    held_ = pad;
    ++held_frames_;
    ++frame_;
    ++stage_frames_;
    if (g_Paused) {
        pausing_ = true;
        pause_start_ms_ = ClockMs();
    }
}

void ReplayRecorder::AfterFrame() {
    // The pause polls the pad too; those readings are no step's.
    reads_seen_ = g_DX7.PadReads();
    if (pausing_) {
        pausing_ = false;
        EndRun();
        char line[96];
        std::snprintf(line, sizeof line, "# pause at frame %lld for %.0f ms\n", static_cast<long long>(frame_),
                      ClockMs() - pause_start_ms_);
        body_ += line;
        Append();
    }
    if (++since_append_ >= kAppendEvery) Append();
}

void ReplayRecorder::AfterStage(int stage_no) {
    EndRun();
    stages_.push_back({stage_no, g_Score, stage_frames_});
    Rewrite();
}

void ReplayRecorder::EndRun() {
    if (held_frames_ == 0) return;
    body_ += PadLine(held_frames_, held_);
    held_frames_ = 0;
}

void ReplayRecorder::Append() {
    since_append_ = 0;
    if (!ok_ || written_ == body_.size()) return;
    out_.write(body_.data() + written_, static_cast<std::streamsize>(body_.size() - written_));
    out_.flush();
    written_ = body_.size();
    if (!out_) ok_ = false;
}

void ReplayRecorder::Rewrite() {
    if (!ok_) return;
    out_.close();
    fs::path temp = file_;
    temp += ".tmp";
    {
        std::ofstream tmp(temp, std::ios::binary | std::ios::trunc);
        tmp << Header() << body_;
        tmp.flush();
        if (!tmp) {
            ok_ = false;
            std::error_code ec;
            fs::remove(temp, ec);
            return;
        }
    }
    std::error_code ec;
    fs::rename(temp, file_, ec);
    if (ec) {
        ok_ = false;
        fs::remove(temp, ec);
        return;
    }
    written_ = body_.size();
    since_append_ = 0;
    out_.open(file_, std::ios::binary | std::ios::app);
    if (!out_) ok_ = false;
}
