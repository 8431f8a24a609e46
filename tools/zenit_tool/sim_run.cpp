#include "sim_run.h"

#include <time.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "app/program.h"
#include "autopilot.h"
#include "tallies.h"
#include "app/zenit02.h"
#include "core/clock.h"
#include "core/message_box.h"
#include "core/q7_objectpack.h"
#include "file_output.h"
#include "platform/i_headless.h"
#include "platform/q7_directx7.h"

namespace {

// A whole number as typed: digits only (no sign, no blanks), so that
// "--stage ' 5'" or "--stage +1" is refused rather than guessed at.
std::optional<long long> ParseInt(const std::string& s) {
    long long v = 0;
    if (s.empty() || s.front() < '0' || s.front() > '9') return std::nullopt;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return v;
}

void Fnv(std::uint64_t& h, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        h ^= (v >> (8 * i)) & 0xFF;
        h *= 0x100000001b3ULL;
    }
}

}  // namespace

bool WriteFramePng(const std::filesystem::path& file, const HeadlessFrame& frame, std::string* error) {
    std::string ignored;
    if (!error) error = &ignored;
    if (frame.rgb.empty()) {
        *error = file.string() + ": no frame to write";
        return false;
    }
    std::vector<std::uint8_t> rgb(frame.rgb.size() * 3);
    for (std::size_t i = 0; i < frame.rgb.size(); ++i) {
        rgb[3 * i] = static_cast<std::uint8_t>(frame.rgb[i] >> 16);
        rgb[3 * i + 1] = static_cast<std::uint8_t>(frame.rgb[i] >> 8);
        rgb[3 * i + 2] = static_cast<std::uint8_t>(frame.rgb[i]);
    }
    // Encoded in memory, so that every write of the file can be checked.
    std::vector<std::uint8_t> png;
    auto append = [](void* out, void* data, int size) {
        auto* bytes = static_cast<std::uint8_t*>(data);
        static_cast<std::vector<std::uint8_t>*>(out)->insert(static_cast<std::vector<std::uint8_t>*>(out)->end(),
                                                             bytes, bytes + size);
    };
    if (!stbi_write_png_to_func(append, &png, frame.width, frame.height, 3, rgb.data(), frame.width * 3)) {
        *error = file.string() + ": cannot encode the frame";
        return false;
    }
    return WriteWholeFile(file, png, error);
}

namespace {

void PrintMessages() {
    if (HeadlessBackend* headless = g_DX7.Headless())
        for (const MessageRecord& m : headless->Messages()) std::fprintf(stderr, "message: %s\n", m.text.c_str());
}

}  // namespace

namespace {

double CpuSeconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

double ThreadCpuSeconds() { return CpuSeconds(CLOCK_THREAD_CPUTIME_ID); }
double ProcessCpuSeconds() { return CpuSeconds(CLOCK_PROCESS_CPUTIME_ID); }

std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string* error) {
    SimOptions o;
    struct NumberOption {
        const char* name;
        long long lo, hi;
        const char* takes;
        std::function<void(long long)> set;
    };
    const NumberOption numbers[] = {
        {"--stage", 1, 9, "a stage number 1..9", [&](long long v) { o.stage = static_cast<int>(v); }},
        {"--score", 0, 2'147'483'647, "a score 0..2147483647", [&](long long v) { o.score = static_cast<int>(v); }},
        {"--frames", 0, 1'000'000'000, "a frame count", [&](long long v) { o.frames = v; }},
        {"--power", 0, 3, "a weapon level 0..3", [&](long long v) { o.power = static_cast<int>(v); }},
        {"--rank", 0, 10, "a rank 0..10", [&](long long v) { o.rank = static_cast<int>(v); }},
        {"--every", 1, 1'000'000'000, "a count of 1 or more", [&](long long v) { o.every = static_cast<int>(v); }},
    };
    auto fail = [&](std::string why) {
        if (error) *error = std::move(why);
        return std::nullopt;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const std::string* value = i + 1 < args.size() ? &args[i + 1] : nullptr;
        if (a == "--invincible" || a == "--one-stage") {
            (a == "--invincible" ? o.invincible : o.one_stage) = true;
            continue;
        }
        if (a == "--autofire" || a == "--bot") {
            (a == "--bot" ? o.bot : o.autofire) = true;
            continue;
        }
        if (a == "--input" || a == "--trace" || a == "--frames-dir" || a == "--record") {
            if (!value || value->empty()) return fail(a + " takes a path");
            (a == "--input" ? o.input : a == "--trace" ? o.trace : a == "--record" ? o.record : o.frames_dir) = *value;
            ++i;
            continue;
        }
        const NumberOption* option = nullptr;
        for (const NumberOption& n : numbers)
            if (a == n.name) option = &n;
        if (!option) return fail("unknown option '" + a + "'");
        std::optional<long long> n = value ? ParseInt(*value) : std::nullopt;
        if (!n || *n < option->lo || *n > option->hi) return fail(a + " takes " + option->takes);
        option->set(*n);
        ++i;
    }
    if (o.bot && !o.input.empty()) return fail("--bot plays the pad itself and takes no --input");
    return o;
}

std::string ReplayNote(const SimOptions& o) {
    std::string note = "--stage " + std::to_string(o.stage);
    if (o.score > 0) note += " --score " + std::to_string(o.score);
    if (o.invincible) note += " --invincible";
    if (o.power >= 0) note += " --power " + std::to_string(o.power);
    if (o.rank >= 0) note += " --rank " + std::to_string(o.rank);
    return note;
}

std::optional<SimOptions> ParseSimOptionsOrExplain(const std::vector<std::string>& args, const char* command) {
    std::string error;
    std::optional<SimOptions> options = ParseSimOptions(args, &error);
    if (!options)
        std::fprintf(stderr, "%s: %s\nusage: zenit-tool %s %s\n", command, error.c_str(), command, kSimOptionsUsage);
    return options;
}

namespace {

}  // namespace

std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<PadInput> LoadPadInput(const std::string& path) {
    std::string error;
    std::optional<InputScript> script = InputScript::Load(path, &error);
    if (!script) {
        std::fprintf(stderr, "input %s\n", error.c_str());
        return std::nullopt;
    }
    std::string text = ReadTextFile(path);
    PadInput input{*std::move(script), ParseReplayInfo(text, &error)};
    if (!error.empty()) {
        std::fprintf(stderr, "input %s:%s\n", path.c_str(), error.substr(5).c_str());  // "FILE:N: ..."
        return std::nullopt;
    }
    // The recorder ends every line it writes: a replay ending inside a line
    // was cut short while that line was written, and the line is left out.
    if (input.replay && !text.empty() && text.back() != '\n') {
        text.erase(text.find_last_of('\n') + 1);
        if (std::optional<InputScript> whole = InputScript::Parse(text, &error)) input.script = *std::move(whole);
    }
    return input;
}

int RunSim(const SimOptions& options, SimResult& result, std::function<void(const FramePhaseTimes&)> bench) {
    std::optional<InputScript> script;
    std::optional<ReplayInfo> replay;
    if (!options.input.empty()) {
        std::optional<PadInput> input = LoadPadInput(options.input);
        if (!input) return 2;
        script = std::move(input->script);
        replay = std::move(input->replay);
    }
    TextOutput trace;
    if (!options.trace.empty() && !trace.Open(options.trace)) {
        std::fprintf(stderr, "trace: cannot write %s\n", trace.Error().c_str());
        return 2;
    }
    if (!options.record.empty() && !std::ofstream(options.record, std::ios::binary | std::ios::app)) {
        std::fprintf(stderr, "record: cannot write %s\n", options.record.c_str());
        return 2;
    }
    if (!options.frames_dir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(options.frames_dir, ec);
        if (ec) {
            std::fprintf(stderr, "frames-dir: cannot create %s: %s\n", options.frames_dir.c_str(), ec.message().c_str());
            return 2;
        }
    }

    VirtualClock clock;
    SetClock(&clock);
    ResetGlobalState();
    // A run that ends through a fatal error still tells what was said.
    AddShutdownHook(PrintMessages);

    RunTallies tallies(options.invincible);
    if (options.tallies) g_ObjectPack.SetWatch(&tallies);
    Autopilot bot;
    result.stage_ends.clear();

    std::int64_t frame = 0;      // frames stepped so far
    std::int64_t presented = 0;  // frames presented so far
    std::int64_t stage_start = 0;
    bool first_stage = true;
    std::string output_error;  // the first output file that could not be written ends the run
    ProgramOptions program;
    program.headless = true;
    program.start_stage = options.stage;
    program.start_score = options.score;
    program.replay_file = options.record;
    program.replay_note = ReplayNote(options);
    FrameLoopHooks& hooks = program.hooks;
    hooks.after_stage_setup = [&] {
        if (first_stage) {
            // A replay plays with the buttons it was recorded with.
            if (replay && replay->buttons) {
                const std::array<int, 4>& b = *replay->buttons;
                g_ShotButton = b[0], g_PowerUpButton = b[1], g_PauseButton = b[2], g_SpeedUpButton = b[3];
            }
            // Stage 1 starts a new game itself; the score comes after it.
            if (options.stage == 1 && options.score > 0) g_Score = options.score;
            first_stage = false;
        }
        if (options.power >= 0) g_PowerLv0 = g_PowerLv1 = g_PowerLv2 = g_PowerLv3 = options.power;
        if (options.rank >= 0) {
            g_Rank = options.rank;
            SetRankValues();
            SetShieldTimes();
        }
        tallies.StageStarted();
        stage_start = frame;
    };
    // The ending never ends by itself: a run without --frames stops once its
    // result is ready and the final scene has opened (32 frames later).
    int frames_with_result = 0;
    double cpu_start = -1;
    hooks.before_step = [&] {
        if (cpu_start < 0) cpu_start = ThreadCpuSeconds();
        if (options.frames >= 0 && frame >= options.frames) return false;
        if (options.frames < 0 && g_ResultReady && ++frames_with_result > 32) return false;
        if (options.one_stage && g_StageNo != options.stage) return false;  // the next stage is set up, never stepped
        if (!output_error.empty()) return false;
        PadState pad = options.bot ? bot.Next() : script ? script->At(frame) : PadState{};
        if (options.autofire && g_ShotButton >= 0 && g_ShotButton < 32) pad.buttons |= std::uint32_t{1} << g_ShotButton;
        g_DX7.Headless()->SetPadState(pad.left, pad.right, pad.up, pad.down, pad.buttons);
        if (options.invincible) g_NoDamage = true;
        return true;
    };
    hooks.after_present = [&] {
        if (presented % options.every == 0) {
            const HeadlessFrame& shown = g_DX7.Headless()->LastFrame();
            if (options.frame_sink) options.frame_sink(shown);
            char name[32];
            std::snprintf(name, sizeof name, "frame_%06lld.png", static_cast<long long>(presented));
            std::string why;
            if (!options.frames_dir.empty() && output_error.empty() &&
                !WriteFramePng(std::filesystem::path(options.frames_dir) / name, shown, &why))
                output_error = "frames-dir: cannot write " + why;
        }
        ++presented;
    };
    hooks.after_frame = [&] {
        ++frame;
        if (options.tallies) tallies.EndFrame();
        if (options.stop_after_stage && g_StageEnd) g_StageNo = 10;
        if (trace.IsOpen()) {
            std::ostringstream line;
            line << "{\"frame\":" << frame << ",\"stage_no\":" << g_StageNo << ",\"score\":" << g_Score
                 << ",\"lives\":" << g_Lives << ",\"rank\":" << g_Rank
                 << ",\"objects\":" << g_ObjectPack.GetObjectCount()
                 << (options.tallies ? tallies.FrameFields() : std::string()) << "}\n";
            if (!trace.Write(line.str()) && output_error.empty()) output_error = "trace: cannot write " + trace.Error();
        }
    };
    hooks.after_stage = [&](int stage_no) { result.stage_ends.push_back({stage_no, g_Score, frame - stage_start}); };
    hooks.bench = std::move(bench);

    auto start = std::chrono::steady_clock::now();
    int code = 1;
    try {
        code = Main(program);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "sim: the game stopped: %s\n", e.what());
    }
    result.wall_seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    g_ObjectPack.SetWatch(nullptr);
    result.cpu_seconds = cpu_start < 0 ? 0 : ThreadCpuSeconds() - cpu_start;
    PrintMessages();
    SetClock(nullptr);

    result.stage_no = g_StageNo;
    result.frames = frame;
    result.score = g_Score;
    result.lives = g_Lives;
    result.rank = g_Rank;
    result.stage_frames.assign(std::begin(g_StageFrames), std::end(g_StageFrames));
    result.result_text = g_ResultText;
    result.hash = g_DX7.Headless() ? g_DX7.Headless()->FrameHash() : 0;
    Fnv(result.hash, static_cast<std::uint32_t>(g_Score));
    Fnv(result.hash, static_cast<std::uint32_t>(g_Lives));
    Fnv(result.hash, static_cast<std::uint32_t>(g_Rank));
    result.tallied = options.tallies;
    result.spawned = tallies.SpawnedByName();
    result.destroyed = tallies.DestroyedByName();
    result.hits = tallies.Hits();
    result.peak_objects = tallies.PeakObjects();
    result.peak_enemy_bullets = tallies.PeakEnemyBullets();
    if (trace.IsOpen() && !trace.Close() && output_error.empty()) output_error = "trace: cannot write " + trace.Error();
    if (!output_error.empty()) {
        std::fprintf(stderr, "%s\n", output_error.c_str());
        return 1;
    }
    return code;
}

std::string TallyFields(const SimResult& r) {
    if (!r.tallied) return {};
    return ",\"spawned\":" + CountsJson(r.spawned) + ",\"destroyed\":" + CountsJson(r.destroyed) +
           ",\"hits\":" + std::to_string(r.hits) + ",\"peak_objects\":" + std::to_string(r.peak_objects) +
           ",\"peak_enemy_bullets\":" + std::to_string(r.peak_enemy_bullets);
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);  // UTF-8 passes through
            }
        }
    }
    return out + "\"";
}

std::string SummaryJson(const SimResult& r) {
    std::string frames = "[";
    for (std::size_t i = 0; i < r.stage_frames.size(); ++i)
        frames += (i ? "," : "") + std::to_string(r.stage_frames[i]);
    frames += "]";
    char hash[24];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(r.hash));
    return "{\"stage_no\":" + std::to_string(r.stage_no) + ",\"frames\":" + std::to_string(r.frames) +
           ",\"score\":" + std::to_string(r.score) + ",\"lives\":" + std::to_string(r.lives) +
           ",\"rank\":" + std::to_string(r.rank) + ",\"stage_frames\":" + frames +
           ",\"result_text\":" + JsonString(r.result_text) + TallyFields(r) + ",\"hash\":\"" + hash + "\"}";
}
