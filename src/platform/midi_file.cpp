#include "platform/midi_file.h"

#include <algorithm>
#include <cstring>

namespace {

struct Reader {
    const std::uint8_t* p;
    const std::uint8_t* end;

    bool Has(std::size_t n) const { return static_cast<std::size_t>(end - p) >= n; }
    bool Byte(std::uint8_t& b) {
        if (p >= end) return false;
        b = *p++;
        return true;
    }
    // Variable-length quantity: at most four bytes (28 bits) as the format allows.
    bool Vlq(std::uint32_t& v) {
        v = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t b;
            if (!Byte(b)) return false;
            v = (v << 7) | (b & 0x7F);
            if (!(b & 0x80)) return true;
        }
        return false;
    }
};

std::uint32_t Be32(const std::uint8_t* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
           (static_cast<std::uint32_t>(p[2]) << 8) | p[3];
}
std::uint16_t Be16(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }

bool Fail(std::string* error, std::string why) {
    if (error) *error = std::move(why);
    return false;
}

// Converts file ticks to music units, exactly where the division allows.
struct TickScale {
    std::int64_t num;
    std::int64_t den;
    std::int64_t operator()(std::int64_t ticks) const { return (ticks * num + den / 2) / den; }
};

struct RawEvent {
    MidiEvent ev;
    int track;
};

// Longer than any song; keeps the tick arithmetic far from overflow.
constexpr std::int64_t kMaxTicks = std::int64_t{1} << 40;

int DataBytes(std::uint8_t status) {
    switch (status & 0xF0) {
    case 0xC0:
    case 0xD0: return 1;
    default: return 2;
    }
}

}  // namespace

bool ParseMidiFile(std::span<const std::uint8_t> bytes, MidiSong& out, std::string* error) {
    if (bytes.size() < 14 || std::memcmp(bytes.data(), "MThd", 4) != 0) return Fail(error, "not a MIDI file");
    const std::uint32_t header_len = Be32(bytes.data() + 4);
    if (header_len < 6 || header_len > bytes.size() - 8) return Fail(error, "bad header length");
    const std::uint16_t format = Be16(bytes.data() + 8);
    const std::uint16_t tracks = Be16(bytes.data() + 10);
    const std::uint16_t division = Be16(bytes.data() + 12);
    if (format > 1) return Fail(error, "unsupported MIDI file format " + std::to_string(format));
    if (tracks == 0) return Fail(error, "no tracks");
    if (format == 0 && tracks != 1) return Fail(error, "format 0 with more than one track");

    TickScale scale{};
    const bool smpte = (division & 0x8000) != 0;
    if (smpte) {
        // Time code: frames per second (two's complement high byte) x ticks per frame.
        const int fps = -static_cast<int>(static_cast<std::int8_t>(division >> 8));
        const int tpf = division & 0xFF;
        if ((fps != 24 && fps != 25 && fps != 29 && fps != 30) || tpf == 0) return Fail(error, "bad time-code division");
        // At 120 bpm one second is two quarters. 29 means 29.97 frames per second.
        const std::int64_t ticks_per_second_x100 = (fps == 29 ? 2997 : fps * 100) * static_cast<std::int64_t>(tpf);
        scale = {2LL * kMusicUnitsPerQuarter * 100, ticks_per_second_x100};
    } else {
        if (division == 0) return Fail(error, "division is zero");
        scale = {kMusicUnitsPerQuarter, division};
    }

    std::vector<RawEvent> raw;
    std::vector<std::vector<std::uint8_t>> sysex;
    std::vector<TempoPoint> tempo;
    std::int64_t length = 0;

    const std::uint8_t* p = bytes.data() + 8 + header_len;
    const std::uint8_t* const end = bytes.data() + bytes.size();
    int found = 0;
    while (found < tracks) {
        if (end - p < 8) return Fail(error, "missing track " + std::to_string(found + 1));
        const std::uint32_t len = Be32(p + 4);
        if (len > static_cast<std::uint64_t>(end - p - 8)) return Fail(error, "track runs past the end of the file");
        const bool is_track = std::memcmp(p, "MTrk", 4) == 0;
        Reader r{p + 8, p + 8 + len};
        p += 8 + static_cast<std::size_t>(len);
        if (!is_track) continue;  // unknown chunks are skipped, as the format asks

        const int track = found++;
        std::int64_t ticks = 0;
        std::uint8_t running = 0;
        bool ended = false;
        while (!ended && r.p < r.end) {
            std::uint32_t delta;
            if (!r.Vlq(delta)) return Fail(error, "bad delta time in track " + std::to_string(track + 1));
            ticks += delta;
            if (ticks > kMaxTicks) return Fail(error, "song too long");
            std::uint8_t status;
            if (!r.Byte(status)) return Fail(error, "event cut short in track " + std::to_string(track + 1));
            const std::int64_t time = scale(ticks);
            if (status == 0xFF) {
                std::uint8_t type;
                std::uint32_t mlen;
                if (!r.Byte(type) || !r.Vlq(mlen) || !r.Has(mlen)) return Fail(error, "bad meta event");
                const std::uint8_t* body = r.p;
                r.p += mlen;
                if (type == 0x2F) {
                    ended = true;
                } else if (type == 0x51 && mlen == 3 && !smpte) {
                    const std::uint32_t us = (body[0] << 16) | (body[1] << 8) | body[2];
                    if (us > 0) tempo.push_back({time, us});
                }
                length = std::max(length, time);
                // Meta and system-exclusive events cancel running status.
                running = 0;
                continue;
            }
            if (status == 0xF0 || status == 0xF7) {
                std::uint32_t slen;
                if (!r.Vlq(slen) || !r.Has(slen)) return Fail(error, "bad system-exclusive event");
                std::vector<std::uint8_t> body(r.p, r.p + slen);
                r.p += slen;
                if (!body.empty() && body.back() == 0xF7) body.pop_back();
                if (status == 0xF0 && !body.empty()) {
                    MidiEvent ev;
                    ev.time = time;
                    ev.status = 0xF0;
                    ev.sysex = static_cast<std::uint32_t>(sysex.size());
                    sysex.push_back(std::move(body));
                    raw.push_back({ev, track});
                }
                length = std::max(length, time);
                running = 0;
                continue;
            }
            if (status >= 0xF1) return Fail(error, "system message inside a track");
            std::uint8_t d1;
            if (status < 0x80) {
                if (running == 0) return Fail(error, "running status without a status byte");
                d1 = status;
                status = running;
            } else {
                running = status;
                if (!r.Byte(d1)) return Fail(error, "event cut short");
            }
            std::uint8_t d2 = 0;
            if (DataBytes(status) == 2 && !r.Byte(d2)) return Fail(error, "event cut short");
            if ((d1 | d2) & 0x80) return Fail(error, "data byte out of range");
            MidiEvent ev;
            ev.time = time;
            ev.status = status;
            ev.data1 = d1;
            ev.data2 = d2;
            raw.push_back({ev, track});
            length = std::max(length, time);
        }
    }

    std::stable_sort(raw.begin(), raw.end(), [](const RawEvent& a, const RawEvent& b) {
        if (a.ev.time != b.ev.time) return a.ev.time < b.ev.time;
        return a.track < b.track;
    });
    std::stable_sort(tempo.begin(), tempo.end(), [](const TempoPoint& a, const TempoPoint& b) { return a.time < b.time; });
    if (tempo.empty() || tempo.front().time != 0) tempo.insert(tempo.begin(), TempoPoint{0, kDefaultTempo});

    out.events.clear();
    out.events.reserve(raw.size());
    for (const RawEvent& e : raw) out.events.push_back(e.ev);
    out.sysex = std::move(sysex);
    out.tempo = std::move(tempo);
    out.length = length;
    return true;
}

std::uint32_t TempoAt(const MidiSong& song, std::int64_t time) {
    std::uint32_t us = kDefaultTempo;
    for (const TempoPoint& t : song.tempo) {
        if (t.time > time) break;
        us = t.us_per_quarter;
    }
    return us;
}
