#include "platform/i_fluidsynth.h"

#include <fluidsynth.h>

#include <filesystem>

namespace {

// FluidSynth logs to the console by default; the game prints nothing.
void SilenceFluidSynthLog() {
    static const bool done = [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
        return true;
    }();
    (void)done;
}

bool Fail(std::string* error, const char* why) {
    if (error) *error = why;
    return false;
}

}  // namespace

FluidSynthDevice::~FluidSynthDevice() {
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
}

bool FluidSynthDevice::Open(const std::string& soundfont, int rate, std::string* error) {
    SilenceFluidSynthLog();
    if (synth_) return true;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(soundfont, ec)) return Fail(error, "soundfont not found");
    auto* settings = new_fluid_settings();
    if (!settings) return Fail(error, "cannot create synthesiser settings");
    fluid_settings_setnum(settings, "synth.sample-rate", rate);
    fluid_settings_setnum(settings, "synth.gain", kSynthBaseGain);
    fluid_settings_setint(settings, "synth.cpu-cores", 1);
    auto* synth = new_fluid_synth(settings);
    if (!synth) {
        delete_fluid_settings(settings);
        return Fail(error, "cannot create synthesiser");
    }
    if (fluid_synth_sfload(synth, soundfont.c_str(), 1) == FLUID_FAILED) {
        delete_fluid_synth(synth);
        delete_fluid_settings(settings);
        return Fail(error, "cannot load soundfont");
    }
    settings_ = settings;
    synth_ = synth;
    return true;
}

void FluidSynthDevice::ShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    if (!synth_) return;
    const int ch = status & 0x0F;
    switch (status & 0xF0) {
    case 0x80: fluid_synth_noteoff(synth_, ch, data1); break;
    case 0x90: fluid_synth_noteon(synth_, ch, data1, data2); break;  // velocity 0 is a note-off
    case 0xA0: fluid_synth_key_pressure(synth_, ch, data1, data2); break;
    case 0xB0: fluid_synth_cc(synth_, ch, data1, data2); break;
    case 0xC0: fluid_synth_program_change(synth_, ch, data1); break;
    case 0xD0: fluid_synth_channel_pressure(synth_, ch, data1); break;
    case 0xE0: fluid_synth_pitch_bend(synth_, ch, data1 | (data2 << 7)); break;
    default: break;
    }
}

void FluidSynthDevice::SysEx(std::span<const std::uint8_t> body) {
    if (!synth_ || body.empty()) return;
    fluid_synth_sysex(synth_, reinterpret_cast<const char*>(body.data()), static_cast<int>(body.size()), nullptr,
                      nullptr, nullptr, 0);
}

void FluidSynthDevice::Reset() {
    if (!synth_) return;
    // This order matters: a reset alone lets sounding notes release.
    fluid_synth_system_reset(synth_);
    fluid_synth_all_sounds_off(synth_, -1);
}

void FluidSynthDevice::SetGain(float gain) {
    if (synth_) fluid_synth_set_gain(synth_, gain);
}

void FluidSynthDevice::Render(float* left, float* right, int frames) {
    if (synth_) fluid_synth_write_float(synth_, frames, left, 0, 1, right, 0, 1);
}
