#include "platform/wave_file.h"

#include <algorithm>
#include <cstring>

namespace {

std::uint32_t ReadU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t ReadU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

bool Fail(std::string* error, const char* why) {
    if (error) *error = why;
    return false;
}

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

}  // namespace

bool ParseWave(std::span<const std::uint8_t> bytes, int target_rate, EffectSound& out, std::string* error) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return Fail(error, "not a RIFF WAVE file");

    // A RIFF size larger than the bytes we have is common in hand-made files;
    // the chunks themselves are checked against the real end instead.
    const std::uint8_t* const end = bytes.data() + bytes.size();
    const std::uint8_t* p = bytes.data() + 12;
    std::uint16_t format = 0, channels = 0, bits = 0;
    std::uint32_t rate = 0;
    bool have_fmt = false;
    std::span<const std::uint8_t> data;
    bool have_data = false;

    while (end - p >= 8) {
        const std::uint32_t size = ReadU32(p + 4);
        const std::uint8_t* body = p + 8;
        if (size > static_cast<std::uint64_t>(end - body)) return Fail(error, "chunk runs past the end of the file");
        if (std::memcmp(p, "fmt ", 4) == 0) {
            if (size < 16) return Fail(error, "format chunk too short");
            format = ReadU16(body);
            channels = ReadU16(body + 2);
            rate = ReadU32(body + 4);
            bits = ReadU16(body + 14);
            if (format == kFormatExtensible) {
                // The sub-format GUID starts with the plain format tag.
                if (size < 40) return Fail(error, "extensible format chunk too short");
                format = ReadU16(body + 24);
            }
            have_fmt = true;
        } else if (std::memcmp(p, "data", 4) == 0) {
            data = {body, size};
            have_data = true;
        }
        const std::uint64_t step = 8 + static_cast<std::uint64_t>(size) + (size & 1);  // chunks are word aligned
        if (step >= static_cast<std::uint64_t>(end - p)) break;
        p += step;
    }

    if (!have_fmt) return Fail(error, "no format chunk");
    if (!have_data) return Fail(error, "no data chunk");
    if (format != kFormatPcm) return Fail(error, "not PCM");
    if (channels < 1 || channels > 2) return Fail(error, "unsupported channel count");
    if (bits != 8 && bits != 16) return Fail(error, "unsupported sample size");
    if (rate < 1000 || rate > 192000) return Fail(error, "unsupported sample rate");
    if (target_rate <= 0) return Fail(error, "bad output rate");

    const std::size_t frame_bytes = static_cast<std::size_t>(channels) * (bits / 8);
    const std::size_t frames = data.size() / frame_bytes;
    std::vector<std::int16_t> mono(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const std::uint8_t* f = data.data() + i * frame_bytes;
        int sum = 0;
        for (int c = 0; c < channels; ++c) {
            sum += bits == 8 ? (static_cast<int>(f[c]) - 128) * 256
                             : static_cast<int>(static_cast<std::int16_t>(ReadU16(f + 2 * c)));
        }
        mono[i] = static_cast<std::int16_t>(sum / channels);
    }

    if (static_cast<int>(rate) == target_rate || mono.empty()) {
        out.samples = std::move(mono);
        return true;
    }
    // Linear interpolation is plenty for short effects; it runs once at load.
    const std::size_t out_frames =
        static_cast<std::size_t>(static_cast<std::uint64_t>(frames) * target_rate / rate);
    out.samples.assign(out_frames, 0);
    for (std::size_t i = 0; i < out_frames; ++i) {
        const double src = static_cast<double>(i) * rate / target_rate;
        const std::size_t a = static_cast<std::size_t>(src);
        const std::size_t b = std::min(a + 1, frames - 1);
        const double t = src - static_cast<double>(a);
        out.samples[i] = static_cast<std::int16_t>(mono[a] + (mono[b] - mono[a]) * t);
    }
    return true;
}
