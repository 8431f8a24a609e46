// zenit-tool replay FILE: plays a replay back headless (as sim --input does,
// with the options of its "# sim" line and the frames it holds), prints the
// summary, and checks it against what the replay recorded: the score and
// frames at the end of every stage, and the whole summary when it has an
// "# expect" line (the golden runs in tests/data/runs). Exit code 0 when all
// of it matches, 1 when something differs, 2 when the file cannot be used.
//
// With ZENIT_UPDATE_GOLDEN=1 in the environment the file's stage and expect
// lines are rewritten from this play-back instead (see README: only after a
// deliberate change of play).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "sim_run.h"
#include "tool.h"

namespace {

std::vector<std::string> SplitWords(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

// What differs between two stage-end lists, one line each ("" when nothing).
std::string StageDifferences(const std::vector<ReplayInfo::StageEnd>& recorded,
                             const std::vector<ReplayInfo::StageEnd>& played) {
    std::string out;
    for (std::size_t i = 0; i < recorded.size(); ++i) {
        const ReplayInfo::StageEnd& r = recorded[i];
        char line[160];
        if (i >= played.size()) {
            std::snprintf(line, sizeof line, "stage %d: recorded score %d after %lld frames; the play-back never ended it\n",
                          r.stage, r.score, static_cast<long long>(r.frames));
            out += line;
        } else if (!(played[i] == r)) {
            const ReplayInfo::StageEnd& p = played[i];
            std::snprintf(line, sizeof line, "stage %d: recorded score %d after %lld frames, played stage %d: %d after %lld\n",
                          r.stage, r.score, static_cast<long long>(r.frames), p.stage, p.score,
                          static_cast<long long>(p.frames));
            out += line;
        }
    }
    return out;
}

// The top-level fields of a one-line JSON object, in order: key and raw value.
std::vector<std::pair<std::string, std::string>> JsonFields(const std::string& json) {
    std::vector<std::pair<std::string, std::string>> fields;
    std::size_t i = json.find('{');
    while (i != std::string::npos && i + 1 < json.size()) {
        const std::size_t key_start = json.find('"', i + 1);
        const std::size_t key_end = key_start == std::string::npos ? key_start : json.find('"', key_start + 1);
        if (key_end == std::string::npos || key_end + 1 >= json.size() || json[key_end + 1] != ':') break;
        std::size_t j = key_end + 2;
        int depth = 0;
        bool quoted = false;
        for (; j < json.size(); ++j) {
            const char c = json[j];
            if (quoted) {
                if (c == '\\') ++j;
                else if (c == '"') quoted = false;
            } else if (c == '"') {
                quoted = true;
            } else if (c == '{' || c == '[') {
                ++depth;
            } else if (c == '}' || c == ']') {
                if (depth-- == 0) break;
            } else if (c == ',' && depth == 0) {
                break;
            }
        }
        fields.emplace_back(json.substr(key_start + 1, key_end - key_start - 1), json.substr(key_end + 2, j - key_end - 2));
        i = j < json.size() && json[j] == ',' ? j : std::string::npos;
    }
    return fields;
}

// One line per field whose value differs (or that only one of them has).
std::string SummaryDifferences(const std::string& expected, const std::string& got) {
    const auto e = JsonFields(expected), g = JsonFields(got);
    auto value = [](const auto& fields, const std::string& key) -> std::string {
        for (const auto& [k, v] : fields)
            if (k == key) return v;
        return "(none)";
    };
    std::string out;
    for (const auto& fields : {e, g})
        for (const auto& [key, v] : fields) {
            const std::string want = value(e, key), have = value(g, key);
            if (want != have && out.find("  " + key + ":") == std::string::npos)
                out += "  " + key + ": expected " + want + ", got " + have + "\n";
        }
    return out;
}

bool UpdateRequested() {
    const char* update = std::getenv("ZENIT_UPDATE_GOLDEN");
    return update && std::string(update) == "1";
}

int RunReplayCommand(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zenit-tool replay FILE\n");
        return 2;
    }
    const std::string& path = args[0];
    std::optional<PadInput> input = LoadPadInput(path);
    if (!input) return 2;
    if (!input->replay) {
        std::fprintf(stderr, "replay: %s is not a replay (its first line is not '%s')\n", path.c_str(),
                     std::string(kReplayMagic).c_str());
        return 2;
    }
    const ReplayInfo& info = *input->replay;

    std::string why;
    std::optional<SimOptions> options = ParseSimOptions(SplitWords(info.sim_options), &why);
    if (options && (options->bot || !options->input.empty() || !options->record.empty())) {
        options.reset();
        why = "a replay is played, not recorded again";
    }
    if (!options) {
        std::fprintf(stderr, "replay %s: '# sim %s': %s\n", path.c_str(), info.sim_options.c_str(), why.c_str());
        return 2;
    }
    options->input = path;
    if (options->frames < 0) options->frames = input->script.Length();

    SimResult result;
    int code = RunSim(*options, result);
    if (code == 2) return code;
    const std::string summary = SummaryJson(result);
    std::printf("%s\n", summary.c_str());

    if (UpdateRequested()) {
        ReplayInfo updated = info;
        updated.stages = result.stage_ends;
        updated.expect = summary;
        const std::string text = RewriteReplayInfo(ReadTextFile(path), updated);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush()) {
            std::fprintf(stderr, "replay: cannot rewrite %s\n", path.c_str());
            return 1;
        }
        std::fprintf(stderr, "replay: %s rewritten from this play-back\n", path.c_str());
        return code;
    }

    bool same = true;
    if (std::string diff = StageDifferences(info.stages, result.stage_ends); !diff.empty()) {
        std::fprintf(stderr, "replay: %s", diff.c_str());
        same = false;
    }
    if (!info.expect.empty() && info.expect != summary) {
        std::fprintf(stderr, "replay: the summary differs from the expected one:\n%s",
                     SummaryDifferences(info.expect, summary).c_str());
        same = false;
    }
    if (code != 0) return code;
    return same ? 0 : 1;
}

const ToolCommandRegistrar kRegister({"replay",
                                      "replay FILE  play a replay back; exit 0 when its recorded scores (and expected "
                                      "summary) are reproduced",
                                      RunReplayCommand});

}  // namespace
