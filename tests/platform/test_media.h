// WAVE and MIDI files made in memory for the platform tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace test_media {

inline void Put16(std::vector<std::uint8_t>& v, std::uint32_t x) {
    v.push_back(x & 0xFF);
    v.push_back((x >> 8) & 0xFF);
}
inline void Put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}
inline void PutBe32(std::vector<std::uint8_t>& v, std::uint32_t x) {
    for (int s = 24; s >= 0; s -= 8) v.push_back((x >> s) & 0xFF);
}

// RIFF PCM WAVE. `frames` holds interleaved samples (16-bit; 8-bit files take
// the high byte). Extra chunks can be put in front of the data chunk.
inline std::vector<std::uint8_t> Wave(const std::vector<std::int16_t>& samples, int rate = 44100, int channels = 1,
                                      int bits = 16, const std::vector<std::uint8_t>& extra_chunks = {}) {
    std::vector<std::uint8_t> data;
    for (std::int16_t s : samples) {
        if (bits == 8) {
            data.push_back(static_cast<std::uint8_t>((s >> 8) + 128));
        } else {
            Put16(data, static_cast<std::uint16_t>(s));
        }
    }
    std::vector<std::uint8_t> w = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
    Put32(w, 16);
    Put16(w, 1);
    Put16(w, channels);
    Put32(w, rate);
    Put32(w, rate * channels * bits / 8);
    Put16(w, channels * bits / 8);
    Put16(w, bits);
    w.insert(w.end(), extra_chunks.begin(), extra_chunks.end());
    w.insert(w.end(), {'d', 'a', 't', 'a'});
    Put32(w, static_cast<std::uint32_t>(data.size()));
    w.insert(w.end(), data.begin(), data.end());
    const std::uint32_t riff = static_cast<std::uint32_t>(w.size() - 8);
    for (int i = 0; i < 4; ++i) w[4 + i] = (riff >> (8 * i)) & 0xFF;
    return w;
}

// One MIDI track, written event by event.
class Track {
public:
    Track& Delta(std::uint32_t ticks) {
        std::uint8_t buf[5];
        int n = 0;
        buf[n++] = ticks & 0x7F;
        while (ticks >>= 7) buf[n++] = 0x80 | (ticks & 0x7F);
        while (n) bytes_.push_back(buf[--n]);
        return *this;
    }
    Track& Raw(std::initializer_list<std::uint8_t> b) {
        bytes_.insert(bytes_.end(), b);
        return *this;
    }
    Track& On(std::uint32_t delta, int ch, int key, int vel = 100) {
        return Delta(delta).Raw({static_cast<std::uint8_t>(0x90 | ch), static_cast<std::uint8_t>(key),
                                 static_cast<std::uint8_t>(vel)});
    }
    Track& Off(std::uint32_t delta, int ch, int key) {
        return Delta(delta).Raw({static_cast<std::uint8_t>(0x80 | ch), static_cast<std::uint8_t>(key), 0});
    }
    Track& Program(std::uint32_t delta, int ch, int program) {
        return Delta(delta).Raw({static_cast<std::uint8_t>(0xC0 | ch), static_cast<std::uint8_t>(program)});
    }
    Track& Tempo(std::uint32_t delta, std::uint32_t us) {
        return Delta(delta).Raw({0xFF, 0x51, 0x03, static_cast<std::uint8_t>(us >> 16),
                                 static_cast<std::uint8_t>(us >> 8), static_cast<std::uint8_t>(us)});
    }
    Track& End(std::uint32_t delta = 0) { return Delta(delta).Raw({0xFF, 0x2F, 0x00}); }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

inline std::vector<std::uint8_t> Midi(int format, std::uint16_t division, const std::vector<Track>& tracks) {
    std::vector<std::uint8_t> m = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
    m.push_back(0);
    m.push_back(static_cast<std::uint8_t>(format));
    m.push_back(0);
    m.push_back(static_cast<std::uint8_t>(tracks.size()));
    m.push_back(division >> 8);
    m.push_back(division & 0xFF);
    for (const Track& t : tracks) {
        m.insert(m.end(), {'M', 'T', 'r', 'k'});
        PutBe32(m, static_cast<std::uint32_t>(t.Bytes().size()));
        m.insert(m.end(), t.Bytes().begin(), t.Bytes().end());
    }
    return m;
}

}  // namespace test_media
