#include "sfx_synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// splitmix64: small, fast and the same on every machine.
struct Rng {
    std::uint64_t state;
    explicit Rng(std::uint64_t seed) : state(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }  // [0, 1)
    double Signed() { return Uniform() * 2 - 1; }                                 // [-1, 1)
};

// Removes the step of a hard edge (saw and square) so high notes alias less.
double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1;
    }
    if (t > 1 - dt) {
        t = (t - 1) / dt;
        return t * t + t + t + 1;
    }
    return 0;
}

// One sounding copy of a layer: where it starts, how much higher, how loud.
struct Voice {
    double start;
    double pitch;
    double gain;
    std::uint64_t seed;
};

std::vector<Voice> VoicesOf(const SfxLayer& layer, std::uint64_t seed) {
    std::vector<SfxNote> notes = layer.notes;
    if (notes.empty()) notes.push_back({0, 0, false});
    Rng rng(seed);
    std::vector<Voice> voices;
    double noteStart = layer.start;
    for (const SfxNote& note : notes) {
        if (!note.rest) {
            double gain = 1;
            for (int r = 0; r < std::max(1, layer.repeat); ++r) {
                double start = noteStart + r * layer.repeatGap;
                double semis = note.semitones;
                if (r > 0) {
                    start += rng.Uniform() * layer.jitter;
                    semis += rng.Signed() * layer.pitchJitter;
                }
                voices.push_back({start, std::exp2(semis / 12), gain, rng.Next()});
                gain *= layer.repeatGain;
            }
        }
        noteStart += note.duration;
    }
    return voices;
}

// The pitch factor of the layer's vibrato at time t (1 without vibrato).
double Vibrato(const SfxLayer& l, double t) {
    return l.vibratoDepth != 0 ? std::exp2(l.vibratoDepth * std::sin(kTwoPi * l.vibratoRate * t) / 12) : 1;
}

double Envelope(const SfxLayer& l, double t) {
    if (t < l.attack) return t / l.attack;
    t -= l.attack;
    if (t < l.hold) return 1 + l.punch * (1 - t / l.hold);
    t -= l.hold;
    if (t < l.decay) return std::pow(1 - t / l.decay, l.curve);
    return 0;
}

double Oscillator(SfxWave wave, double phase, double dt, double duty, double held, Rng& rng) {
    switch (wave) {
    case SfxWave::Sine:
        return std::sin(kTwoPi * phase);
    case SfxWave::Triangle:  // starts at 0 going up, like the sine
        return phase < 0.25 ? 4 * phase : phase < 0.75 ? 2 - 4 * phase : 4 * phase - 4;
    case SfxWave::Saw: {  // shifted half a cycle so it too starts at 0
        double p = phase + 0.5;
        if (p >= 1) p -= 1;
        return 2 * p - 1 - PolyBlep(p, dt);
    }
    case SfxWave::Square: {  // less its mean, so narrow pulses carry no offset
        double q = phase - duty;
        if (q < 0) q += 1;
        return (phase < duty ? 1 : -1) + PolyBlep(phase, dt) - PolyBlep(q, dt) - (2 * duty - 1);
    }
    case SfxWave::Noise:
        return rng.Signed();
    case SfxWave::PitchedNoise:  // a new random level each cycle
        return held;
    }
    return 0;
}

// Renders one voice of a layer into `out` (summing), sample `first` = voice time 0.
// `lengthOverride` > 0 makes the voice sound at full level for that long (loops).
void RenderVoice(const SfxLayer& l, const Voice& v, double freqScale, long first, std::vector<double>& out,
                 double lengthOverride) {
    const bool sustained = lengthOverride > 0;
    const double voiceLength = sustained ? lengthOverride : l.attack + l.hold + l.decay;
    const long count = static_cast<long>(std::ceil(voiceLength * kSfxRate));
    Rng rng(v.seed);
    double phase = 0, held = rng.Signed();
    double ic1 = 0, ic2 = 0;  // state-variable low-pass
    double hpIn = 0, hpOut = 0;
    const double hpA = l.highpass > 0 ? 1 / (1 + kTwoPi * l.highpass / kSfxRate) : 0;
    const double driveNorm = l.drive > 0 ? std::tanh(l.drive) : 1;
    for (long i = 0; i < count; ++i) {
        long at = first + i;
        if (at >= static_cast<long>(out.size())) break;
        double t = static_cast<double>(i) / kSfxRate;
        double f = l.freq.At(t, voiceLength) * v.pitch * freqScale;
        f *= Vibrato(l, t);
        double dt = std::min(f / kSfxRate, 0.5);
        double x = Oscillator(l.wave, phase, dt, l.duty.At(t, voiceLength), held, rng);
        phase += dt;
        if (phase >= 1) {
            phase -= 1;
            if (l.wave == SfxWave::PitchedNoise) held = rng.Signed();
        }
        if (l.lowpass.from > 0) {
            double fc = std::clamp(l.lowpass.At(t, voiceLength), 20.0, 0.45 * kSfxRate);
            double g = std::tan(std::numbers::pi * fc / kSfxRate);
            double k = 2 - 2 * std::clamp(l.resonance, 0.0, 0.95);
            double a1 = 1 / (1 + g * (g + k)), a2 = g * a1, a3 = g * a2;
            double v3 = x - ic2, v1 = a1 * ic1 + a2 * v3, v2 = ic2 + a2 * ic1 + a3 * v3;
            ic1 = 2 * v1 - ic1;
            ic2 = 2 * v2 - ic2;
            x = v2;
        }
        if (l.highpass > 0) {
            hpOut = hpA * (hpOut + x - hpIn);
            hpIn = x;
            x = hpOut;
        }
        if (l.drive > 0) x = std::tanh(l.drive * x) / driveNorm;
        double env = sustained ? 1 : Envelope(l, t);
        if (l.tremoloDepth > 0) env *= 1 - l.tremoloDepth * (0.5 - 0.5 * std::cos(kTwoPi * l.tremoloRate * t));
        if (at >= 0) out[at] += x * env * l.level * v.gain;
    }
}

// For a loop, the oscillator must complete a whole number of cycles in the
// loop's length: scale its frequency by the ratio found by summing the steps.
double LoopFreqScale(const SfxLayer& l, long samples) {
    double total = 0;
    for (long i = 0; i < samples; ++i) {
        double t = static_cast<double>(i) / kSfxRate;
        double f = l.freq.from;
        f *= Vibrato(l, t);
        total += f / kSfxRate;
    }
    return total > 0 ? std::max(1.0, std::round(total)) / total : 1;
}

double SnapRate(double rate, double seconds) {
    return rate > 0 ? std::max(1.0, std::round(rate * seconds)) / seconds : 0;
}

}  // namespace

double SfxGlide::At(double t, double voiceLength) const {
    if (from == to || from <= 0 || to <= 0) return from;
    double span = time > 0 ? time : voiceLength;
    double x = std::clamp(t / span, 0.0, 1.0);
    return from * std::pow(to / from, x);
}

std::vector<std::int16_t> RenderSfx(const SfxPreset& preset) {
    const long samples = std::lround(preset.length * kSfxRate);
    // A loop is rendered twice and the second pass kept, so filters are in
    // their steady state and the last sample leads into the first.
    const long rendered = preset.loop ? 2 * samples : samples;
    std::vector<double> mix(rendered, 0.0);
    for (std::size_t li = 0; li < preset.layers.size(); ++li) {
        SfxLayer layer = preset.layers[li];
        double freqScale = 1;
        if (preset.loop) {
            layer.start = 0;
            layer.notes.clear();
            layer.repeat = 1;
            layer.freq.to = layer.freq.from;
            layer.duty.to = layer.duty.from;
            layer.lowpass.to = layer.lowpass.from;
            layer.vibratoRate = SnapRate(layer.vibratoRate, preset.length);
            layer.tremoloRate = SnapRate(layer.tremoloRate, preset.length);
            freqScale = LoopFreqScale(layer, samples);
        }
        std::uint64_t seed = (static_cast<std::uint64_t>(preset.seed) << 16) + li;
        for (const Voice& v : VoicesOf(layer, seed)) {
            long first = std::lround(v.start * kSfxRate);
            RenderVoice(layer, v, freqScale, first, mix, preset.loop ? 2 * preset.length : 0);
        }
    }
    std::vector<double> out(mix.end() - samples, mix.end());
    if (preset.loop) {
        // Any turn of a loop is the same loop: start it at the quietest upward
        // zero crossing so the first play begins without a click.
        long best = 0;
        for (long i = 1; i < samples; ++i)
            if (out[i - 1] < 0 && out[i] >= 0 && (best == 0 || std::abs(out[i]) < std::abs(out[best]))) best = i;
        std::rotate(out.begin(), out.begin() + best, out.end());
    } else {
        const long in = std::lround(preset.fadeIn * kSfxRate), fade = std::lround(preset.fadeOut * kSfxRate);
        for (long i = 0; i < in && i < samples; ++i) out[i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * i / in);
        for (long i = 0; i < fade && i < samples; ++i)
            out[samples - 1 - i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * i / fade);
    }
    double peak = 0;
    for (double s : out) peak = std::max(peak, std::abs(s));
    const double gain = peak > 0 ? std::pow(10.0, preset.peakDb / 20) * 32767 / peak : 0;
    std::vector<std::int16_t> pcm(samples);
    for (long i = 0; i < samples; ++i)
        pcm[i] = static_cast<std::int16_t>(std::clamp(std::lround(out[i] * gain), -32768L, 32767L));
    return pcm;
}
