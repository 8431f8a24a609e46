// A small standard MIDI file reader for the audio tests: every track's events
// with absolute ticks, and a note list pairing each note-on with its note-off.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct SmfTestEvent {
    long tick = 0;
    std::uint8_t status = 0;  // 0xFF for meta events
    std::uint8_t a = 0, b = 0;  // data bytes; for meta events a = type
    std::string meta;
};

struct SmfTestNote {
    int track, channel, key, velocity;
    long on, off;  // off = -1 when never released
};

struct SmfTestFile {
    std::string error;  // empty when the file is well-formed
    int format = -1, division = 0;
    std::vector<std::vector<SmfTestEvent>> tracks;
    std::vector<SmfTestNote> notes;
    long EndTick() const {
        long end = 0;
        for (const auto& t : tracks)
            if (!t.empty()) end = std::max(end, t.back().tick);
        return end;
    }
};

inline SmfTestFile ReadSmf(std::span<const std::uint8_t> d) {
    SmfTestFile f;
    std::size_t p = 0;
    auto fail = [&](const std::string& why) {
        if (f.error.empty()) f.error = why + " at byte " + std::to_string(p);
        return f;
    };
    auto be = [&](std::size_t at, int n) {
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i) v = v << 8 | d[at + i];
        return v;
    };
    if (d.size() < 14 || std::string(d.begin(), d.begin() + 4) != "MThd" || be(4, 4) != 6) return fail("no MThd");
    f.format = static_cast<int>(be(8, 2));
    std::size_t count = be(10, 2);
    f.division = static_cast<int>(be(12, 2));
    p = 14;
    for (std::size_t t = 0; t < count; ++t) {
        if (p + 8 > d.size() || std::string(d.begin() + p, d.begin() + p + 4) != "MTrk") return fail("no MTrk");
        std::size_t end = p + 8 + be(p + 4, 4);
        if (end > d.size()) return fail("track runs past the end");
        p += 8;
        auto& events = f.tracks.emplace_back();
        long tick = 0;
        std::uint8_t running = 0;
        bool ended = false;
        auto varLen = [&]() {
            std::uint32_t v = 0;
            for (int i = 0; i < 4 && p < end; ++i) {
                std::uint8_t byte = d[p++];
                v = v << 7 | (byte & 0x7F);
                if (!(byte & 0x80)) return v;
            }
            return v;
        };
        while (p < end && !ended) {
            tick += varLen();
            if (p >= end) return fail("event cut short");
            SmfTestEvent e;
            e.tick = tick;
            if (d[p] & 0x80) running = d[p++];
            e.status = running;
            if (running == 0xFF) {
                e.a = d[p++];
                std::uint32_t len = varLen();
                if (p + len > end) return fail("meta event runs past its track");
                e.meta.assign(d.begin() + p, d.begin() + p + len);
                p += len;
                ended = e.a == 0x2F;
            } else if (running >= 0xF0) {
                return fail("unexpected system event");
            } else {
                int size = (running & 0xF0) == 0xC0 || (running & 0xF0) == 0xD0 ? 1 : 2;
                if (p + size > end) return fail("channel event runs past its track");
                e.a = d[p];
                e.b = size == 2 ? d[p + 1] : 0;
                p += size;
            }
            events.push_back(e);
        }
        if (!ended || p != end) return fail("track without a final end-of-track event");
        // Pair notes: a note-on with velocity 0 or a note-off releases the oldest open one.
        std::vector<SmfTestNote> notes;
        for (const SmfTestEvent& e : events) {
            int kind = e.status & 0xF0, channel = (e.status & 0x0F) + 1;
            bool on = kind == 0x90 && e.b > 0, off = kind == 0x80 || (kind == 0x90 && e.b == 0);
            if (e.status == 0xFF) continue;
            if (on) notes.push_back({static_cast<int>(t), channel, e.a, e.b, e.tick, -1});
            if (off) {
                for (SmfTestNote& n : notes)
                    if (n.off < 0 && n.channel == channel && n.key == e.a) {
                        n.off = e.tick;
                        break;
                    }
            }
        }
        f.notes.insert(f.notes.end(), notes.begin(), notes.end());
    }
    return f;
}
