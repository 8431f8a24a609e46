#include "input_script.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "core/file_read.h"

namespace {

constexpr std::int64_t kMaxFramesPerLine = 100'000'000;
constexpr std::size_t kMaxScriptBytes = std::size_t{256} << 20;

std::vector<std::string_view> Tokens(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        std::size_t start = i;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        if (i > start) out.push_back(line.substr(start, i - start));
    }
    return out;
}

bool AllDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<std::int64_t> Number(std::string_view s) {
    if (!AllDigits(s)) return std::nullopt;
    std::int64_t v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
    return v;
}

// One line; an empty error means it parsed (a blank line gives frames = 0).
InputScript::Run ParseLine(std::string_view line, std::string& error) {
    InputScript::Run run;
    if (std::size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
    std::vector<std::string_view> tokens = Tokens(line);
    if (tokens.empty()) return run;

    std::optional<std::int64_t> frames = Number(tokens[0]);
    if (!frames || *frames < 1 || *frames > kMaxFramesPerLine) {
        error = "a line starts with its frame count (1.." + std::to_string(kMaxFramesPerLine) + "), not '" +
                std::string(tokens[0]) + "'";
        return run;
    }
    run.frames = static_cast<int>(*frames);
    for (std::size_t t = 1; t < tokens.size(); ++t) {
        std::string_view tok = tokens[t];
        if (AllDigits(tok)) {
            std::optional<std::int64_t> button = Number(tok);
            if (!button || *button > 31) {
                error = "pad button '" + std::string(tok) + "' is not one of 0..31";
                return run;
            }
            run.pad.buttons |= std::uint32_t{1} << *button;
            continue;
        }
        if (tok == "-") continue;
        for (char c : tok) {
            switch (std::toupper(static_cast<unsigned char>(c))) {
            case 'L': run.pad.left = true; break;
            case 'R': run.pad.right = true; break;
            case 'U': run.pad.up = true; break;
            case 'D': run.pad.down = true; break;
            default:
                error = "'" + std::string(tok) + "' is neither directions (L R U D, or -) nor a button number";
                return run;
            }
        }
    }
    return run;
}

}  // namespace

std::optional<InputScript> InputScript::Parse(std::string_view text, std::string* error) {
    InputScript script;
    int line_no = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        // A line ends at LF, CR LF or a lone CR (old Mac files).
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
        ++line_no;
        std::string why;
        Run run = ParseLine(line, why);
        if (!why.empty()) {
            if (error) *error = "line " + std::to_string(line_no) + ": " + why;
            return std::nullopt;
        }
        if (run.frames > 0) {
            script.runs_.push_back(run);
            script.length_ += run.frames;
            script.ends_.push_back(script.length_);
        }
        pos = end + 1;
    }
    return script;
}

std::optional<InputScript> InputScript::Load(const std::string& path, std::string* error) {
    std::optional<std::string> text = ReadRegularFile(path, kMaxScriptBytes + 1, error);
    if (!text) return std::nullopt;
    if (text->size() > kMaxScriptBytes) {
        if (error) *error = path + ": larger than " + std::to_string(kMaxScriptBytes >> 20) + " MB";
        return std::nullopt;
    }
    std::string why;
    std::optional<InputScript> script = Parse(*text, &why);
    if (!script && error) *error = path + ":" + why.substr(5);  // "FILE:N: ..."
    return script;
}

PadState InputScript::At(std::int64_t frame) const {
    if (frame < 0 || frame >= length_) return {};
    auto it = std::upper_bound(ends_.begin(), ends_.end(), frame);
    return runs_[static_cast<std::size_t>(it - ends_.begin())].pad;
}
