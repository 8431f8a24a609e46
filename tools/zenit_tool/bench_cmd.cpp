// zenit-tool bench: a headless run like `sim`, timing each frame's phases:
// the objects' step, the draw of the queues, and the presentation (mapping
// into the display and the flip).
//
// The machine is shared, so the figures are medians and 99th percentiles of
// per-frame times (the steady clock around each phase): the median is what
// the machine does when it runs us, the mean and the wall time mostly measure
// the other processes. The run's CPU time comes from the thread CPU clock and
// the frame rate is counted against it.
//
// --all plays every stage this build has, each on its own from a new game
// with --invincible --autofire --power 3 (--power may say otherwise), each
// capped at --frames frames (kAllFrameCap without it: the ending never ends
// by itself): one line per stage, then the whole.
//
// --window plays in the real window instead (SDL, the real clock and its
// pacing, no settings dialog; the pad is the real one, so --autofire and
// --input do not apply), for --frames frames (kWindowFrames without it), and
// tells the CPU time this thread (the game's main thread: step, draw, map,
// texture upload, present and the waits between ticks) and the whole process
// spent per frame.
//
// --scalar maps every frame with the scalar kernel even where the processor
// has the SIMD one: what machines without it get.
//
// Every bench ends with the display map against memcpy: the last back
// screen through the 32-bit colour table into a frame of colours, and a
// memcpy of that frame, taken in turns so both see the same machine.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <vector>

#include "app/program.h"
#include "app/stage_factory.h"
#include "app/zenit02.h"
#include "gfx/pixel_map.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"
#include "sim_run.h"
#include "tool.h"

namespace {

constexpr double kTicksPerSecond = 59.94;
constexpr std::int64_t kAllFrameCap = 36000;  // ten minutes of play
constexpr int kMapRounds = 1000;
constexpr std::int64_t kWindowFrames = 600;  // ten seconds

struct Series {
    std::vector<double> us;

    void Add(const Series& other) { us.insert(us.end(), other.us.begin(), other.us.end()); }
    // Nearest rank.
    double Percentile(int pct) const {
        if (us.empty()) return 0;
        std::vector<double> sorted = us;
        const std::size_t k = (sorted.size() * static_cast<std::size_t>(pct) + 99) / 100;
        const auto at = sorted.begin() + static_cast<std::ptrdiff_t>(k == 0 ? 0 : k - 1);
        std::nth_element(sorted.begin(), at, sorted.end());
        return *at;
    }
    std::string Json() const {
        const double mean = us.empty() ? 0 : std::accumulate(us.begin(), us.end(), 0.0) / static_cast<double>(us.size());
        char buf[128];
        std::snprintf(buf, sizeof buf, "{\"median\":%.2f,\"p99\":%.2f,\"mean\":%.2f,\"count\":%zu}", Percentile(50),
                      Percentile(99), mean, us.size());
        return buf;
    }
};

struct Phases {
    Series step, draw, present, frame;

    void Add(const Phases& other) {
        step.Add(other.step);
        draw.Add(other.draw);
        present.Add(other.present);
        frame.Add(other.frame);
    }
    std::string Json() const {
        return "\"frame_us\":" + frame.Json() + ",\"step_us\":" + step.Json() + ",\"draw_us\":" + draw.Json() +
               ",\"present_us\":" + present.Json();
    }
};

struct BenchRun {
    int code = 0;
    SimResult result;
    Phases phases;
};

BenchRun Run(const SimOptions& options) {
    BenchRun run;
    run.code = RunSim(options, run.result, [&](const FramePhaseTimes& t) {
        run.phases.step.us.push_back(t.step_us);
        run.phases.frame.us.push_back(t.step_us + t.draw_us + t.present_us);
        if (t.presented) {
            run.phases.draw.us.push_back(t.draw_us);
            run.phases.present.us.push_back(t.present_us);
        }
    });
    return run;
}

// Frames, CPU time and the frame rate counted against it.
std::string RateJson(std::int64_t frames, double cpu_seconds) {
    const double fps = cpu_seconds > 0 ? static_cast<double>(frames) / cpu_seconds : 0;
    char buf[160];
    std::snprintf(buf, sizeof buf, "\"frames\":%lld,\"cpu_seconds\":%.3f,\"fps\":%.1f,\"realtime\":%.1f",
                  static_cast<long long>(frames), cpu_seconds, fps, fps / kTicksPerSecond);
    return buf;
}

// Times f; the memory it wrote counts as read, so no copy is optimised away.
template <class F>
double TimeUs(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    asm volatile("" : : : "memory");
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
}

// The display map against memcpy of the mapped frame (see the top).
std::string DisplayMapJson() {
    const CQ7Spritedata& back = g_DDBPack.GetSprite(0).DT;
    std::vector<std::uint8_t> pixels(320 * 240);
    if (back.IsSet() && back.GetPixelCount() == static_cast<std::int32_t>(pixels.size()))
        std::memcpy(pixels.data(), back.PixelWords(), pixels.size());
    PixelMap32 map;
    map.SetTable(PalColor32);
    std::vector<std::uint32_t> frame(pixels.size()), copy(pixels.size());
    auto* out = reinterpret_cast<std::uint8_t*>(frame.data());
    Series mapped, scalar, copied;
    const char* kernel = PixelMap32::KernelName();
    const bool scalar_in_use = std::string(kernel) == "scalar";  // --scalar, or no SIMD here
    for (int round = 0; round < kMapRounds; ++round) {
        mapped.us.push_back(TimeUs([&] { map.MapRun(pixels.data(), out, pixels.size()); }));
        copied.us.push_back(TimeUs([&] { std::memcpy(copy.data(), frame.data(), frame.size() * 4); }));
        PixelMap32::ForceScalarKernel(true);
        scalar.us.push_back(TimeUs([&] { map.MapRun(pixels.data(), out, pixels.size()); }));
        PixelMap32::ForceScalarKernel(scalar_in_use);
    }
    const double map_us = mapped.Percentile(50), copy_us = copied.Percentile(50), scalar_us = scalar.Percentile(50);
    char buf[200];
    std::snprintf(buf, sizeof buf,
                  "\"map_kernel\":\"%s\",\"map_us\":%.2f,\"map_scalar_us\":%.2f,\"memcpy_us\":%.2f,"
                  "\"map_vs_memcpy\":%.2f",
                  kernel, map_us, scalar_us, copy_us, copy_us > 0 ? map_us / copy_us : 0);
    return buf;
}

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int BenchOne(const SimOptions& options) {
    BenchRun run = Run(options);
    if (run.code == 2) return run.code;
    std::printf("{\"stage_no\":%d,%s,\"seconds\":%.3f,%s,%s,\"peak_rss_kb\":%ld%s}\n", run.result.stage_no,
                RateJson(run.result.frames, run.result.cpu_seconds).c_str(), run.result.wall_seconds,
                run.phases.Json().c_str(), DisplayMapJson().c_str(), PeakRssKb(), TallyFields(run.result).c_str());
    return run.code;
}

int BenchAll(SimOptions options) {
    options.invincible = options.autofire = true;
    if (options.power < 0) options.power = 3;
    if (options.frames < 0) options.frames = kAllFrameCap;
    options.stop_after_stage = true;
    Phases all;
    std::int64_t frames = 0;
    double cpu = 0;
    std::string stages;
    int code = 0;
    for (int stage : BuiltStages()) {
        options.stage = stage;
        BenchRun run = Run(options);
        if (run.code != 0) code = run.code;
        if (run.code == 2) return code;
        const bool ended = run.result.frames < options.frames;
        std::printf("{\"stage\":%d,\"ended\":%s,%s,%s}\n", stage, ended ? "true" : "false",
                    RateJson(run.result.frames, run.result.cpu_seconds).c_str(), run.phases.Json().c_str());
        std::fflush(stdout);
        all.Add(run.phases);
        frames += run.result.frames;
        cpu += run.result.cpu_seconds;
        stages += (stages.empty() ? "" : ",") + std::to_string(stage);
    }
    std::printf("{\"all\":[%s],%s,%s,%s,\"peak_rss_kb\":%ld}\n", stages.c_str(), RateJson(frames, cpu).c_str(),
                all.Json().c_str(), DisplayMapJson().c_str(), PeakRssKb());
    return code;
}

int BenchWindow(const SimOptions& options) {
    const std::int64_t limit = options.frames >= 0 ? options.frames : kWindowFrames;
    ResetGlobalState();
    ProgramOptions program;
    program.settings_dialog = false;
    program.start_stage = options.stage;
    Phases phases;
    std::int64_t frames = 0;
    double thread_start = -1, process_start = 0;
    auto wall_start = std::chrono::steady_clock::now();
    FrameLoopHooks& hooks = program.hooks;
    hooks.after_stage_setup = [&] {
        if (options.power >= 0) g_PowerLv0 = g_PowerLv1 = g_PowerLv2 = g_PowerLv3 = options.power;
    };
    hooks.before_step = [&] {
        if (thread_start < 0) {
            thread_start = ThreadCpuSeconds();
            process_start = ProcessCpuSeconds();
            wall_start = std::chrono::steady_clock::now();
        }
        if (options.invincible) g_NoDamage = true;
        return frames < limit;
    };
    hooks.after_frame = [&] { ++frames; };
    hooks.bench = [&](const FramePhaseTimes& t) {
        phases.step.us.push_back(t.step_us);
        phases.frame.us.push_back(t.step_us + t.draw_us + t.present_us);
        if (!t.presented) return;
        phases.draw.us.push_back(t.draw_us);
        phases.present.us.push_back(t.present_us);
    };
    const int stage = options.stage;
    const int code = Main(program);
    const double thread = thread_start < 0 ? 0 : ThreadCpuSeconds() - thread_start;
    const double process = thread_start < 0 ? 0 : ProcessCpuSeconds() - process_start;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_start).count();
    const double per_frame = frames > 0 ? 1e6 / static_cast<double>(frames) : 0;
    std::printf("{\"window\":true,\"frames\":%lld,\"late_frames\":%d,\"seconds\":%.3f,\"main_thread_cpu_us\":%.1f,"
                "\"process_cpu_us\":%.1f,%s}\n",
                static_cast<long long>(frames), g_StageLate[stage], wall, thread * per_frame, process * per_frame,
                phases.Json().c_str());
    return code;
}

int RunBenchCommand(const std::vector<std::string>& args) {
    std::vector<std::string> rest;
    bool all = false, window = false;
    for (const std::string& a : args) {
        if (a == "--all") all = true;
        else if (a == "--window") window = true;
        else if (a == "--scalar") PixelMap32::ForceScalarKernel(true);
        else rest.push_back(a);
    }
    std::optional<SimOptions> options = ParseSimOptionsOrExplain(rest, "bench");
    if (!options) return 2;
    if (!all && !window) return BenchOne(*options);
    if (all && window) {
        std::fprintf(stderr, "bench: --all and --window do not go together\n");
        return 2;
    }
    const auto refused = all ? std::vector<std::string>{"--stage", "--input", "--trace", "--frames-dir"}
                             : std::vector<std::string>{"--autofire", "--input", "--trace", "--frames-dir"};
    for (const std::string& option : refused) {
        if (std::find(rest.begin(), rest.end(), option) != rest.end()) {
            std::fprintf(stderr, "bench: %s does not go with %s\n", option.c_str(), all ? "--all" : "--window");
            return 2;
        }
    }
    return all ? BenchAll(*options) : BenchWindow(*options);
}

const ToolCommandRegistrar kRegister(
    {"bench", std::string("bench [--all | --window] [--scalar] ") + kSimOptionsUsage +
                  "  like sim; phase times (median, p99), CPU time, frame rate and the display map as JSON",
     RunBenchCommand});

}  // namespace
