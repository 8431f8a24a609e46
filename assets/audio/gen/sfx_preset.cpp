#include "sfx_preset.h"

#include <charconv>
#include <cmath>
#include <map>
#include <sstream>

#include "source_error.h"

namespace {

struct Word {
    std::string text;
    SourcePos pos;
};

std::vector<Word> SplitLine(const std::string& line, int lineNo) {
    std::vector<Word> words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ';') break;
        if (std::isspace(static_cast<unsigned char>(line[i]))) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < line.size() && !std::isspace(static_cast<unsigned char>(line[j])) && line[j] != ';') ++j;
        words.push_back({line.substr(i, j - i), {lineNo, static_cast<int>(i) + 1}});
        i = j;
    }
    return words;
}

class PresetParser {
public:
    PresetParser(const std::string& fileName) : file_(fileName) {}

    SfxPreset Parse(const std::string& text) {
        std::istringstream in(text);
        std::string line;
        int lineNo = 0;
        SourcePos lengthPos{1, 1};
        while (std::getline(in, line)) {
            ++lineNo;
            words_ = SplitLine(line, lineNo);
            if (words_.empty()) continue;
            next_ = 1;
            const Word& key = words_[0];
            if (key.text == "layer") {
                preset_.layers.emplace_back();
            } else if (preset_.layers.empty()) {
                if (key.text == "length") lengthPos = key.pos;
                GlobalKey(key);
            } else {
                LayerKey(key, preset_.layers.back());
            }
            if (next_ < words_.size()) Fail(words_[next_].pos, "unexpected '" + words_[next_].text + "'");
        }
        if (preset_.layers.empty()) Fail({lineNo + 1, 1}, "no 'layer' in the effect");
        if (preset_.length < 0.04 || preset_.length > 3.02)
            Fail(lengthPos, "length must be 0.04 to 3.02 seconds");
        return preset_;
    }

private:
    [[noreturn]] void Fail(SourcePos pos, const std::string& message) const { throw SourceError(file_, pos, message); }

    const Word& Take(const Word& key, const char* what) {
        if (next_ >= words_.size())
            Fail({key.pos.line, key.pos.col + static_cast<int>(key.text.size())}, std::string("expected ") + what);
        return words_[next_++];
    }

    double Number(const Word& key) {
        const Word& w = Take(key, "a number");
        double value = 0;
        auto [end, ec] = std::from_chars(w.text.data(), w.text.data() + w.text.size(), value);
        if (ec != std::errc() || end != w.text.data() + w.text.size() || !std::isfinite(value))
            Fail(w.pos, "'" + w.text + "' is not a number");
        return value;
    }

    double Positive(const Word& key) {
        double value = Number(key);
        if (value < 0) Fail(words_[next_ - 1].pos, "must not be negative");
        return value;
    }

    // A whole number in lo..hi (a double this large could not become an integer).
    double Whole(const Word& key, double lo, double hi, const char* what) {
        double value = Number(key);
        if (value < lo || value > hi || value != std::floor(value))
            Fail(words_[next_ - 1].pos, std::string(what) + " must be a whole number from " +
                                            std::to_string(static_cast<long long>(lo)) + " to " +
                                            std::to_string(static_cast<long long>(hi)));
        return value;
    }

    // "a" or "a -> b" or "a -> b @ seconds"
    SfxGlide Glide(const Word& key) {
        SfxGlide g;
        g.from = g.to = Positive(key);
        if (next_ < words_.size() && words_[next_].text == "->") {
            ++next_;
            g.to = Positive(key);
            if (next_ < words_.size() && words_[next_].text == "@") {
                ++next_;
                g.time = Positive(key);
            }
        }
        return g;
    }

    void GlobalKey(const Word& key) {
        if (key.text == "length") preset_.length = Positive(key);
        else if (key.text == "peak") preset_.peakDb = Number(key);
        else if (key.text == "fade_in") preset_.fadeIn = Positive(key);
        else if (key.text == "fade_out") preset_.fadeOut = Positive(key);
        else if (key.text == "loop") preset_.loop = true;
        else if (key.text == "seed") preset_.seed = static_cast<std::uint32_t>(Whole(key, 0, 4294967295.0, "the seed"));
        else Fail(key.pos, "unknown setting '" + key.text + "' (effect settings come before the first 'layer')");
    }

    void LayerKey(const Word& key, SfxLayer& l) {
        static const std::map<std::string, double SfxLayer::*> numbers = {
            {"start", &SfxLayer::start},       {"attack", &SfxLayer::attack},
            {"hold", &SfxLayer::hold},         {"decay", &SfxLayer::decay},
            {"curve", &SfxLayer::curve},       {"punch", &SfxLayer::punch},
            {"level", &SfxLayer::level},       {"resonance", &SfxLayer::resonance},
            {"highpass", &SfxLayer::highpass}, {"drive", &SfxLayer::drive},
            {"jitter", &SfxLayer::jitter},     {"pitch_jitter", &SfxLayer::pitchJitter},
            {"repeat_gain", &SfxLayer::repeatGain},
        };
        static const std::map<std::string, SfxGlide SfxLayer::*> glides = {
            {"freq", &SfxLayer::freq}, {"duty", &SfxLayer::duty}, {"lowpass", &SfxLayer::lowpass}};
        static const std::map<std::string, SfxWave> waves = {
            {"sine", SfxWave::Sine},   {"triangle", SfxWave::Triangle}, {"saw", SfxWave::Saw},
            {"square", SfxWave::Square}, {"noise", SfxWave::Noise},     {"pnoise", SfxWave::PitchedNoise}};

        if (auto n = numbers.find(key.text); n != numbers.end()) {
            l.*(n->second) = Positive(key);
        } else if (auto g = glides.find(key.text); g != glides.end()) {
            l.*(g->second) = Glide(key);
            if (key.text == "freq" && l.freq.from <= 0) Fail(words_[1].pos, "frequency must be above 0");
        } else if (key.text == "wave") {
            const Word& w = Take(key, "a wave name");
            auto it = waves.find(w.text);
            if (it == waves.end()) Fail(w.pos, "unknown wave '" + w.text + "'");
            l.wave = it->second;
        } else if (key.text == "vibrato") {
            l.vibratoDepth = Number(key);
            l.vibratoRate = Positive(key);
        } else if (key.text == "tremolo") {
            l.tremoloDepth = Positive(key);
            l.tremoloRate = Positive(key);
        } else if (key.text == "repeat") {
            l.repeat = static_cast<int>(Whole(key, 1, 10000, "the repeat count"));
            l.repeatGap = Positive(key);
        } else if (key.text == "notes") {
            l.notes.clear();
            while (next_ < words_.size()) l.notes.push_back(Note(words_[next_++]));
            if (l.notes.empty()) Fail(key.pos, "expected notes as semitones:seconds");
        } else {
            Fail(key.pos, "unknown layer setting '" + key.text + "'");
        }
    }

    // "7:0.12" (semitones:seconds) or "r:0.1" (a rest)
    SfxNote Note(const Word& w) {
        auto colon = w.text.find(':');
        if (colon == std::string::npos) Fail(w.pos, "expected semitones:seconds, got '" + w.text + "'");
        SfxNote note;
        std::string pitch = w.text.substr(0, colon), dur = w.text.substr(colon + 1);
        note.rest = pitch == "r";
        auto parse = [&](const std::string& s, double& out, int offset) {
            auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
            if (ec != std::errc() || end != s.data() + s.size() || s.empty())
                Fail({w.pos.line, w.pos.col + offset}, "'" + s + "' is not a number");
        };
        if (!note.rest) parse(pitch, note.semitones, 0);
        parse(dur, note.duration, static_cast<int>(colon) + 1);
        if (note.duration < 0) Fail(w.pos, "a note cannot last less than 0 seconds");
        return note;
    }

    std::string file_;
    SfxPreset preset_;
    std::vector<Word> words_;
    std::size_t next_ = 0;
};

}  // namespace

SfxPreset ParseSfxPreset(const std::string& text, const std::string& fileName) {
    return PresetParser(fileName).Parse(text);
}
