#include "mml.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <map>
#include <optional>

#include "smf_file.h"
#include "source_error.h"

namespace {

constexpr long kWhole = 4 * kMmlDivision;
constexpr int kDrumChannel = 10;
constexpr int kMinTracks = 13, kMaxTracks = 19;  // the conductor included
constexpr int kMaxNesting = 32;
// Loop points are written in the player's music time, 768 per quarter note.
constexpr long kMusicTimePerQuarter = 768;

// Keys of the per-track settings whose value must be the same when the loop
// jumps back as when the loop first started.
constexpr int kProgramKey = 128, kTempoKey = 129;

struct SettingEvent {
    long tick;
    int key;  // controller number, kProgramKey or kTempoKey
    int value;
    SourcePos pos;
};

struct NoteSpan {
    long on, off;
    SourcePos pos;
};

struct Track {
    std::string name;
    SourcePos declared;
    int channel = 1;  // 1..16
    long tick = 0;
    int octave = 4;
    long length = kMmlDivision;
    int velocity = 100;
    int gate = 7;  // eighths of a note's length that it sounds
    int transpose = 0;
    std::vector<SmfEvent> events;
    std::vector<SettingEvent> settings;
    std::vector<NoteSpan> notes;
};

struct Range {
    std::size_t begin, end;
};

// A key=value setting of the song line or of a track's first block.
struct Attribute {
    std::string key;
    SourcePos pos;  // of the value
    std::string value;
};

std::string SettingName(int key) {
    if (key == kProgramKey) return "the program";
    if (key == kTempoKey) return "the tempo";
    return "controller " + std::to_string(key);
}

class MmlCompiler {
public:
    MmlCompiler(const std::string& text, const std::string& file, MmlLimits limits)
        : s_(text), file_(file), limits_(limits) {
        lineStarts_.push_back(0);
        for (std::size_t i = 0; i < s_.size(); ++i)
            if (s_[i] == '\n') lineStarts_.push_back(i + 1);
    }

    std::vector<std::uint8_t> Compile() {
        end_ = s_.size();
        for (;;) {
            SkipSpace();
            if (p_ >= s_.size()) break;
            SourcePos pos = Pos(p_);
            std::string word = Word();
            if (word == "song") SongHeader(pos);
            else if (word == "def") Define();
            else if (word == "track") TrackBlock(pos);
            else Fail(pos, word.empty() ? Unexpected() : "expected 'song', 'def' or 'track', got '" + word + "'");
        }
        if (!haveSong_) Fail(Pos(s_.size()), "no 'song' line");
        return Finish();
    }

private:
    // ---- reading --------------------------------------------------------

    SourcePos Pos(std::size_t at) const {
        auto it = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), at) - 1;
        return {static_cast<int>(it - lineStarts_.begin()) + 1, static_cast<int>(at - *it) + 1};
    }

    [[noreturn]] void Fail(SourcePos pos, const std::string& message) const { throw SourceError(file_, pos, message); }
    [[noreturn]] void FailHere(const std::string& message) const { Fail(Pos(p_), message); }

    char Peek() const { return p_ < end_ ? s_[p_] : '\0'; }

    std::string Unexpected() const {
        return p_ < end_ ? std::string("unexpected '") + s_[p_] + "'" : std::string("unexpected end");
    }

    void SkipSpace() {
        while (p_ < end_) {
            if (std::isspace(static_cast<unsigned char>(s_[p_]))) {
                ++p_;
            } else if (s_[p_] == ';') {
                while (p_ < end_ && s_[p_] != '\n') ++p_;
            } else {
                break;
            }
        }
    }

    static bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

    std::string Word() {
        std::size_t start = p_;
        while (p_ < end_ && IsWordChar(s_[p_])) ++p_;
        return s_.substr(start, p_ - start);
    }

    bool Digit() const { return std::isdigit(static_cast<unsigned char>(Peek())) != 0; }

    long Number(long lo, long hi, const char* what) {
        SourcePos pos = Pos(p_);
        bool negative = false;
        if (lo < 0 && (Peek() == '-' || Peek() == '+')) negative = s_[p_++] == '-';
        if (!Digit()) FailHere(std::string("expected ") + what);
        long value = 0;
        while (Digit()) {
            value = value * 10 + (s_[p_++] - '0');
            if (value > 1000000) break;
        }
        if (negative) value = -value;
        if (value < lo || value > hi)
            Fail(pos, std::string(what) + " must be " + std::to_string(lo) + " to " + std::to_string(hi));
        return value;
    }

    // Finds the '}' closing a block that starts at p_; nested braces are not allowed.
    Range Block(SourcePos open) {
        std::size_t begin = p_;
        for (std::size_t i = p_; i < s_.size(); ++i) {
            if (s_[i] == ';') {
                while (i < s_.size() && s_[i] != '\n') ++i;
            } else if (s_[i] == '{') {
                Fail(Pos(i), "'{' inside a block");
            } else if (s_[i] == '}') {
                p_ = i + 1;
                return {begin, i};
            }
        }
        Fail(open, "'{' is never closed");
    }

    void Expect(char c) {
        SkipSpace();
        if (Peek() != c) FailHere(std::string("expected '") + c + "'");
        ++p_;
    }

    // key=value pairs up to the opening brace (tracks) or the end of the line (song).
    std::vector<Attribute> Attributes(bool untilBrace) {
        std::vector<Attribute> out;
        for (;;) {
            while (p_ < end_ && (s_[p_] == ' ' || s_[p_] == '\t' || (untilBrace && std::isspace(static_cast<unsigned char>(s_[p_])))))
                ++p_;
            if (p_ >= end_ || s_[p_] == '\n' || s_[p_] == ';' || s_[p_] == '{') return out;
            SourcePos keyPos = Pos(p_);
            std::string key = Word();
            if (key.empty() || Peek() != '=') Fail(keyPos, "expected key=value");
            ++p_;
            SourcePos valuePos = Pos(p_);
            std::string value;
            if (Peek() == '"') {
                ++p_;
                while (p_ < end_ && s_[p_] != '"' && s_[p_] != '\n') value += s_[p_++];
                if (Peek() != '"') Fail(valuePos, "the text is never closed");
                ++p_;
            } else {
                while (p_ < end_ && !std::isspace(static_cast<unsigned char>(s_[p_])) && s_[p_] != '{' && s_[p_] != ';')
                    value += s_[p_++];
            }
            out.push_back({key, valuePos, value});
        }
    }

    long ValueNumber(SourcePos pos, const std::string& text, long lo, long hi) {
        char* end = nullptr;
        long value = std::strtol(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0') Fail(pos, "'" + text + "' is not a whole number");
        if (value < lo || value > hi) Fail(pos, "must be " + std::to_string(lo) + " to " + std::to_string(hi));
        return value;
    }

    // ---- top level ------------------------------------------------------

    void SongHeader(SourcePos pos) {
        if (haveSong_) Fail(pos, "a second 'song' line");
        haveSong_ = true;
        songPos_ = pos;
        bool haveLoop = false;
        for (auto& [key, vpos, value] : Attributes(false)) {
            if (key == "title") {
                title_ = value;
            } else if (key == "tempo") {
                tempo_ = static_cast<int>(ValueNumber(vpos, value, 20, 400));
            } else if (key == "time") {
                auto slash = value.find('/');
                if (slash == std::string::npos) Fail(vpos, "expected a time signature such as 4/4");
                beats_ = static_cast<int>(ValueNumber(vpos, value.substr(0, slash), 1, 16));
                beatUnit_ = static_cast<int>(ValueNumber(vpos, value.substr(slash + 1), 1, 16));
                if (beatUnit_ != 2 && beatUnit_ != 4 && beatUnit_ != 8 && beatUnit_ != 16)
                    Fail(vpos, "the beat unit must be 2, 4, 8 or 16");
            } else if (key == "loop") {
                auto comma = value.find(',');
                if (comma == std::string::npos) Fail(vpos, "expected loop=START,END in music time (768 per quarter)");
                long start = ValueNumber(vpos, value.substr(0, comma), 0, 100000000);
                long end = ValueNumber(vpos, value.substr(comma + 1), 0, 100000000);
                if (start % 4 != 0 || end % 4 != 0) Fail(vpos, "loop points must be multiples of 4 (768 per quarter)");
                if (end <= start) Fail(vpos, "the loop must end after it starts");
                loopStart_ = start * kMmlDivision / kMusicTimePerQuarter;
                loopEnd_ = end * kMmlDivision / kMusicTimePerQuarter;
                haveLoop = true;
            } else {
                Fail(pos, "unknown song setting '" + key + "'");
            }
        }
        if (!haveLoop) Fail(pos, "the song needs loop=START,END");
        tempos_.push_back({0, kTempoKey, tempo_, pos});
        barTicks_ = beats_ * kWhole / beatUnit_;
    }

    void Define() {
        SkipSpace();
        SourcePos pos = Pos(p_);
        std::string name = Word();
        if (name.empty()) FailHere("expected a name after 'def'");
        if (defs_.count(name)) Fail(pos, "'" + name + "' is already defined");
        SkipSpace();
        SourcePos open = Pos(p_);
        Expect('{');
        defs_[name] = Block(open);
    }

    void TrackBlock(SourcePos pos) {
        if (!haveSong_) Fail(pos, "the 'song' line must come before the tracks");
        SkipSpace();
        SourcePos namePos = Pos(p_);
        std::string name = Word();
        if (name.empty()) FailHere("expected a track name");
        auto found = std::find_if(tracks_.begin(), tracks_.end(), [&](const Track& t) { return t.name == name; });
        auto attributes = Attributes(true);
        Track* track = nullptr;
        if (found != tracks_.end()) {
            if (!attributes.empty()) Fail(attributes[0].pos, "settings belong to the track's first block");
            track = &*found;
        } else {
            track = &tracks_.emplace_back();
            track->name = name;
            track->declared = namePos;
            NewTrack(*track, attributes);
        }
        SkipSpace();
        SourcePos open = Pos(p_);
        Expect('{');
        Range body = Block(open);
        std::size_t after = p_;
        Play(body, *track);
        p_ = after;
    }

    void NewTrack(Track& t, const std::vector<Attribute>& attributes) {
        std::optional<int> program;
        std::map<int, int> controllers = {{7, 100}, {10, 64}, {91, 30}, {93, 0}};
        static const std::map<std::string, int> controllerKeys = {{"vol", 7}, {"pan", 10}, {"rev", 91}, {"cho", 93}};
        for (auto& [key, vpos, value] : attributes) {
            if (key == "ch") {
                t.channel = static_cast<int>(ValueNumber(vpos, value, 1, 16));
                for (const Track& other : tracks_)
                    if (&other != &t && other.channel == t.channel && t.channel != kDrumChannel)
                        Fail(vpos, "channel " + value + " is already used by track '" + other.name + "'");
            } else if (key == "prog") {
                program = static_cast<int>(ValueNumber(vpos, value, 1, 128));
            } else if (auto it = controllerKeys.find(key); it != controllerKeys.end()) {
                controllers[it->second] = static_cast<int>(ValueNumber(vpos, value, 0, 127));
            } else {
                Fail(vpos, "unknown track setting '" + key + "'");
            }
        }
        t.events.push_back(SmfMeta(0, 0x03, t.name));
        if (program || t.channel != kDrumChannel) Setting(t, kProgramKey, program.value_or(1) - 1, t.declared);
        for (auto [cc, value] : controllers) Setting(t, cc, value, t.declared);
    }

    // ---- the notes ------------------------------------------------------

    // Plays a range of the text into a track (a track block, a macro body or a repeat body).
    void Play(Range range, Track& t) {
        std::size_t savedEnd = end_;
        p_ = range.begin;
        end_ = range.end;
        Step(Pos(p_));
        for (;;) {
            SkipSpace();
            if (p_ >= end_) break;
            SourcePos pos = Pos(p_);
            Step(pos);
            char c = static_cast<char>(std::tolower(static_cast<unsigned char>(s_[p_])));
            if (c >= 'a' && c <= 'g') {
                int key = Pitch(t);
                long len = Length(t);
                EmitNotes(t, {key}, len, pos);
                continue;
            }
            char raw = s_[p_++];
            switch (c) {
            case 'r': t.tick += Length(t); break;
            case 'n': {
                int key = static_cast<int>(Number(0, 127, "a note number"));
                long len = t.length;
                if (Peek() == ',') {
                    ++p_;
                    len = Length(t, true);
                }
                EmitNotes(t, {key}, len, pos);
                break;
            }
            case '(': Chord(t, pos); break;
            case 'o': t.octave = static_cast<int>(Number(0, 9, "an octave")); break;
            case '>': ++t.octave; break;
            case '<': --t.octave; break;
            case 'l': t.length = Length(t, true); break;
            case 'v': t.velocity = static_cast<int>(Number(1, 127, "a velocity")); break;
            case 'q': t.gate = static_cast<int>(Number(1, 8, "a gate (eighths)")); break;
            case 'k': t.transpose = static_cast<int>(Number(-48, 48, "a transposition")); break;
            case '@': Setting(t, kProgramKey, static_cast<int>(Number(1, 128, "a program")) - 1, pos); break;
            case 'y': {
                int cc = static_cast<int>(Number(0, 127, "a controller number"));
                if (Peek() != ',') FailHere("expected ',' and a value");
                ++p_;
                Setting(t, cc, static_cast<int>(Number(0, 127, "a controller value")), pos);
                break;
            }
            case 't': Setting(t, kTempoKey, static_cast<int>(Number(20, 400, "a tempo")), pos); break;
            case '[': Repeat(t, pos); break;
            case '/':
                if (repeatDepth_ == 0) Fail(pos, "'/' outside a repeat");
                break;
            case '$': CallMacro(t, pos); break;
            case '|': BarCheck(t, pos); break;
            default: Fail(pos, std::string("unexpected '") + raw + "'");
            }
        }
        end_ = savedEnd;
    }

    void Step(SourcePos pos) {
        if (++steps_ > limits_.steps)
            Fail(pos, "the song plays more than " + std::to_string(limits_.steps) +
                          " commands (a repeat or macro runs too often)");
    }

    void CountEvent(SourcePos pos) {
        if (++events_ > limits_.events)
            Fail(pos, "the song has more than " + std::to_string(limits_.events) +
                          " events (a repeat or macro runs too often)");
    }

    void AddEvent(Track& t, SmfEvent event, SourcePos pos) {
        CountEvent(pos);
        t.events.push_back(std::move(event));
    }

    int Pitch(const Track& t) {
        static const int semitone[] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
        int key = semitone[std::tolower(static_cast<unsigned char>(s_[p_++])) - 'a'];
        for (;;) {
            if (Peek() == '+' || Peek() == '#') ++key;
            else if (Peek() == '-') --key;
            else break;
            ++p_;
        }
        return 12 * (t.octave + 1) + key + t.transpose;
    }

    // "8", "4.", "%120", "" (the default length), each optionally tied on with "^8" ...
    long Length(const Track& t, bool required = false) {
        long len = OneLength(t, required);
        while (Peek() == '^') {
            ++p_;
            len += OneLength(t, false);
        }
        return len;
    }

    long OneLength(const Track& t, bool required) {
        SourcePos pos = Pos(p_);
        long len;
        if (Digit()) {
            long n = Number(1, kWhole, "a length");
            if (kWhole % n != 0) Fail(pos, "a " + std::to_string(n) + "th note is not a whole number of ticks");
            len = kWhole / n;
        } else if (Peek() == '%') {
            ++p_;
            len = Number(1, 100 * kWhole, "a length in ticks");
        } else if (required) {
            FailHere("expected a length");
        } else {
            len = t.length;
        }
        for (long add = len; Peek() == '.';) {
            if (add % 2 != 0) Fail(Pos(p_), "the dotted length is not a whole number of ticks");
            add /= 2;
            len += add;
            ++p_;
        }
        return len;
    }

    void Chord(Track& t, SourcePos pos) {
        std::vector<int> keys;
        int octave = t.octave;
        for (;;) {
            SkipSpace();
            char c = static_cast<char>(std::tolower(static_cast<unsigned char>(Peek())));
            if (c >= 'a' && c <= 'g') keys.push_back(Pitch(t));
            else if (c == '>') ++t.octave, ++p_;
            else if (c == '<') --t.octave, ++p_;
            else if (c == ')') break;
            else FailHere(c ? std::string("unexpected '") + Peek() + "' in a chord" : std::string("the chord is never closed"));
        }
        ++p_;
        t.octave = octave;
        if (keys.empty()) Fail(pos, "an empty chord");
        EmitNotes(t, keys, Length(t), pos);
    }

    void EmitNotes(Track& t, const std::vector<int>& keys, long len, SourcePos pos) {
        long sounding = std::max(1L, t.channel == kDrumChannel ? std::min(len, long{kMmlDivision / 8}) : len * t.gate / 8);
        auto status = static_cast<std::uint8_t>(t.channel - 1);
        for (int key : keys) {
            if (key < 0 || key > 127) Fail(pos, "the note is out of the MIDI range (octave " + std::to_string(t.octave) + ")");
            auto k = static_cast<std::uint8_t>(key);
            AddEvent(t, {t.tick, 2, {static_cast<std::uint8_t>(0x90 | status), k, static_cast<std::uint8_t>(t.velocity)}}, pos);
            AddEvent(t, {t.tick + sounding, 0, {static_cast<std::uint8_t>(0x80 | status), k, 0x40}}, pos);
            t.notes.push_back({t.tick, t.tick + sounding, pos});
        }
        t.tick += len;
    }

    void Setting(Track& t, int key, int value, SourcePos pos) {
        auto ch = static_cast<std::uint8_t>(t.channel - 1);
        if (key == kTempoKey) {
            CountEvent(pos);
            tempos_.push_back({t.tick, key, value, pos});
            return;
        }
        t.settings.push_back({t.tick, key, value, pos});
        if (key == kProgramKey) {
            AddEvent(t, {t.tick, 1, {static_cast<std::uint8_t>(0xC0 | ch), static_cast<std::uint8_t>(value)}}, pos);
        } else {
            AddEvent(t,
                     {t.tick, 1,
                      {static_cast<std::uint8_t>(0xB0 | ch), static_cast<std::uint8_t>(key),
                       static_cast<std::uint8_t>(value)}},
                     pos);
        }
    }

    void Repeat(Track& t, SourcePos open) {
        // Find the matching ']' and a '/' (the last time round stops there) at this level.
        std::size_t close = 0, slash = 0;
        int depth = 0;
        for (std::size_t i = p_; i < end_ && !close; ++i) {
            char c = s_[i];
            if (c == ';') {
                while (i < end_ && s_[i] != '\n') ++i;
            } else if (c == '[') {
                ++depth;
            } else if (c == ']') {
                if (depth-- == 0) close = i;
            } else if (c == '/' && depth == 0) {
                if (slash) Fail(Pos(i), "a second '/' in one repeat");
                slash = i;
            }
        }
        if (!close) Fail(open, "'[' is never closed");
        std::size_t begin = p_;
        p_ = close + 1;
        long times = Digit() ? Number(1, 999, "a repeat count") : 2;
        std::size_t after = p_;
        if (++repeatDepth_ > kMaxNesting) Fail(open, "repeats nest too deep");
        for (long i = 0; i < times; ++i) Play({begin, slash && i == times - 1 ? slash : close}, t);
        --repeatDepth_;
        p_ = after;
    }

    void CallMacro(Track& t, SourcePos pos) {
        std::string name = Word();
        if (name.empty()) Fail(pos, "expected a name after '$'");
        auto it = defs_.find(name);
        if (it == defs_.end()) Fail(pos, "'" + name + "' is not defined (define it above its first use)");
        if (++macroDepth_ > kMaxNesting) Fail(pos, "'" + name + "' nests too deep (does it call itself?)");
        std::size_t after = p_;
        int savedRepeat = repeatDepth_;
        repeatDepth_ = 0;
        Play(it->second, t);
        repeatDepth_ = savedRepeat;
        --macroDepth_;
        p_ = after;
    }

    std::string Where(long tick) const {
        long bar = tick / barTicks_ + 1, inBar = tick % barTicks_;
        long beat = kWhole / beatUnit_;
        std::string text = "bar " + std::to_string(bar) + " beat " + std::to_string(inBar / beat + 1);
        if (inBar % beat) text += " +" + std::to_string(inBar % beat) + " ticks";
        return text;
    }

    void BarCheck(const Track& t, SourcePos pos) {
        if (Digit()) {
            long bar = Number(1, 100000, "a bar number");
            if (t.tick != (bar - 1) * barTicks_) Fail(pos, "bar " + std::to_string(bar) + " expected, the track is at " + Where(t.tick));
        } else if (t.tick % barTicks_ != 0) {
            Fail(pos, "bar line in the middle of a bar (" + Where(t.tick) + ")");
        }
    }

    // ---- checks and output ----------------------------------------------

    // The loop jumps from its end back to its start: whatever the settings are
    // when the loop starts, they must be again when it ends.
    void CheckLoopSettings(const std::vector<SettingEvent>& settings, const std::string& what) const {
        auto stateBefore = [&](long limit) {
            std::map<int, int> state;
            for (const SettingEvent& e : settings)
                if (e.tick < limit) state[e.key] = e.value;
            for (const SettingEvent& e : settings)
                if (e.tick == loopStart_) state[e.key] = e.value;
            return state;
        };
        std::map<int, int> atStart = stateBefore(loopStart_), atEnd = stateBefore(loopEnd_);
        for (const SettingEvent& e : settings) {
            if (e.tick >= loopEnd_) Fail(e.pos, what + ": a setting at or after the loop end is never heard");
            if (e.tick > loopStart_ && atStart[e.key] != atEnd[e.key])
                Fail(e.pos, what + ": " + SettingName(e.key) + " is " + std::to_string(atEnd[e.key]) +
                                " at the loop end but " + std::to_string(atStart[e.key]) + " at the loop start");
        }
    }

    std::vector<std::uint8_t> Finish() {
        int trackCount = static_cast<int>(tracks_.size()) + 1;
        if (trackCount < kMinTracks || trackCount > kMaxTracks)
            Fail(songPos_, "the song has " + std::to_string(trackCount) + " tracks with the conductor; it needs " +
                               std::to_string(kMinTracks) + " to " + std::to_string(kMaxTracks));
        for (const Track& t : tracks_) {
            if (t.tick != loopEnd_)
                Fail(t.declared, "track '" + t.name + "' ends at " + Where(t.tick) + " (tick " + std::to_string(t.tick) +
                                     "); the loop ends at " + Where(loopEnd_) + " (tick " + std::to_string(loopEnd_) + ")");
            for (const NoteSpan& n : t.notes)
                if (n.on < loopStart_ && n.off > loopStart_)
                    Fail(n.pos, "track '" + t.name + "': a note sounds across the loop start (" + Where(loopStart_) + ")");
            CheckLoopSettings(t.settings, "track '" + t.name + "'");
        }
        CheckLoopSettings(tempos_, "tempo");

        std::vector<SmfTrack> out;
        SmfTrack& conductor = out.emplace_back();
        conductor.end = loopEnd_;
        conductor.events.push_back(SmfMeta(0, 0x03, title_));
        int log2Unit = 0;
        while ((1 << log2Unit) < beatUnit_) ++log2Unit;
        conductor.events.push_back(SmfMeta(0, 0x58, {static_cast<char>(beats_), static_cast<char>(log2Unit), 24, 8}));
        auto tempoEvent = [](long tick, int bpm) {
            long usPerQuarter = 60000000L / bpm;
            return SmfMeta(tick, 0x51, {static_cast<char>(usPerQuarter >> 16), static_cast<char>(usPerQuarter >> 8),
                                        static_cast<char>(usPerQuarter)});
        };
        for (const SettingEvent& e : tempos_) conductor.events.push_back(tempoEvent(e.tick, e.value));
        conductor.events.push_back(SmfMeta(loopStart_, 0x06, "loop start"));
        conductor.events.push_back(SmfMeta(loopEnd_, 0x06, "loop end"));
        for (Track& t : tracks_) out.push_back({std::move(t.events), loopEnd_});
        return EncodeSmf(std::move(out), kMmlDivision);
    }

    const std::string& s_;
    std::string file_;
    MmlLimits limits_;
    std::vector<std::size_t> lineStarts_;
    std::size_t p_ = 0, end_ = 0;

    bool haveSong_ = false;
    SourcePos songPos_;
    std::string title_;
    int tempo_ = 120, beats_ = 4, beatUnit_ = 4;
    long barTicks_ = kWhole, loopStart_ = 0, loopEnd_ = 0;

    std::map<std::string, Range> defs_;
    std::deque<Track> tracks_;
    std::vector<SettingEvent> tempos_;
    int repeatDepth_ = 0, macroDepth_ = 0;
    long events_ = 0, steps_ = 0;
};

}  // namespace

std::vector<std::uint8_t> CompileMml(const std::string& text, const std::string& fileName, MmlLimits limits) {
    return MmlCompiler(text, fileName, limits).Compile();
}
