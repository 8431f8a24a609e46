#include "smf_file.h"

#include <algorithm>

namespace {

void PutVarLen(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t bytes[5];
    int n = 0;
    do {
        bytes[n++] = value & 0x7F;
        value >>= 7;
    } while (value != 0);
    while (n > 1) out.push_back(bytes[--n] | 0x80);
    out.push_back(bytes[0]);
}

void PutBE(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

}  // namespace

SmfEvent SmfMeta(long tick, std::uint8_t type, const std::string& data) {
    SmfEvent e{tick, 1, {0xFF, type}};
    PutVarLen(e.bytes, static_cast<std::uint32_t>(data.size()));
    e.bytes.insert(e.bytes.end(), data.begin(), data.end());
    return e;
}

std::vector<std::uint8_t> EncodeSmf(std::vector<SmfTrack> tracks, int division) {
    std::vector<std::uint8_t> out;
    PutTag(out, "MThd");
    PutBE(out, 6, 4);
    PutBE(out, 1, 2);
    PutBE(out, static_cast<std::uint32_t>(tracks.size()), 2);
    PutBE(out, static_cast<std::uint32_t>(division), 2);
    for (SmfTrack& track : tracks) {
        std::stable_sort(track.events.begin(), track.events.end(), [](const SmfEvent& a, const SmfEvent& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::vector<std::uint8_t> body;
        long now = 0;
        for (const SmfEvent& e : track.events) {
            PutVarLen(body, static_cast<std::uint32_t>(e.tick - now));
            body.insert(body.end(), e.bytes.begin(), e.bytes.end());
            now = e.tick;
        }
        PutVarLen(body, static_cast<std::uint32_t>(std::max(0L, track.end - now)));
        body.insert(body.end(), {0xFF, 0x2F, 0x00});
        PutTag(out, "MTrk");
        PutBE(out, static_cast<std::uint32_t>(body.size()), 4);
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}
