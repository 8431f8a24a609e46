#include "platform/q7_directx7.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "core/message_box.h"
#include "core/resource_pack.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"
#include "platform/audio_engine.h"
#include "platform/i_headless.h"
#include "platform/i_sdl_backend.h"
#include "platform/midi_file.h"
#include "platform/wave_file.h"

CQ7DirectX7 g_DX7;
std::int32_t g_PadButtons[32] = {};

namespace {

constexpr const char* kPortNames[] = {"FluidSynth General MIDI synthesiser"};
// The port the settings can prefer by name; we do not offer it, so the
// default port is used.
constexpr std::string_view kPreferredPortName = "Microsoft Synthesizer";

constexpr int kVolumeMin = -10000;
constexpr int kVolumeMax = 0;
// The music's master volume may also be raised a little, as DirectMusic allowed.
constexpr int kMasterVolumeMax = 2000;

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The pad's cross as the game reads it: an axis at its end stop or a digital
// direction (keyboard arrows, hat).
struct PadCross {
    bool left, right, up, down;
};
PadCross CrossOf(const PadReading& pad) {
    return {pad.axis_x == 0 || pad.left, pad.axis_x == 10000 || pad.right, pad.axis_y == 0 || pad.up,
            pad.axis_y == 10000 || pad.down};
}

// Buttons beyond the count the device reports are never pressed.
bool PadPressed(const PadReading& pad, int b) { return b < pad.button_count && (pad.buttons[b] & 0x80); }

}  // namespace

const char* AudioOpName(AudioOp op) {
    static constexpr const char* kNames[] = {
        "DS_LoadRes", "DS_Play", "DS_Stop", "DS_PauseIn", "DS_PauseOut", "DS_Set_Volume",
        "DM_LoadRes", "DM_UnLoad", "DM_SetLoop", "DM_Play", "DM_Stop", "DM_PauseIn", "DM_PauseOut",
        "DM_SetMasterVolume", "DM_GM_Reset",
    };
    return kNames[static_cast<int>(op)];
}

CQ7DirectX7::CQ7DirectX7() : engine_(std::make_unique<AudioEngine>()), soundfont_(kDefaultSoundFont) {}

CQ7DirectX7::~CQ7DirectX7() { Release(); }

// ---------------------------------------------------------------------------
// Back-end choice

void CQ7DirectX7::Reset(std::unique_ptr<PlatformBackend> backend, bool install_hooks) {
    Release();
    backend_.reset();
    engine_.reset();
    // Back to the state of a freshly made wrapper.
    DD_Enabled = DS_Enabled = DM_Enabled = true;
    dd_ready_ = false;
    dest_w_ = dest_h_ = src_w_ = src_h_ = 0;
    surface_.clear();
    dd_entries_ = {};
    display_palette_ = {};
    lookup_ready_ = false;
    frame_from_surface_ = true;
    cursor_shown_ = true;
    di_ready_ = pad_present_ = false;
    audio_tried_ = audio_open_ = false;
    ds_paused_ = {};
    ds_flags_ = {};
    ds_playing_ = {};
    ds_volume_ = {};
    soundfont_ = kDefaultSoundFont;
    dm_port_ = -1;
    dm_resume_ = dm_current_ = 0;
    dm_paused_ = false;
    dm_start_ = dm_pause_total_ = dm_pause_at_ = 0;
    dm_loop_start_ = {};
    dm_loop_end_ = {};
    dm_repeats_ = {};
    last_error_.clear();

    backend_ = std::move(backend);
    engine_ = std::make_unique<AudioEngine>();
    if (install_hooks && this == &g_DX7) {
        // The program's message boxes go through the back-end, and ending the
        // program gives back the screen and closes the audio.
        SetMessageBoxHandler([](std::string_view text, std::string_view title, MsgBoxStyle style) {
            return g_DX7.Backend().ShowMessage(text, title, style);
        });
        // The sprite pack's window path shows its frames through us.
        SetFramePresenter([](const std::uint32_t* pixels, int w, int h, int dest_w, int dest_h) {
            return g_DX7.PresentWindow(pixels, w, h, dest_w, dest_h) ? std::string() : g_DX7.LastError();
        });
        static const bool hooked = [] {
            AddShutdownHook([] { g_DX7.Release(); });
            return true;
        }();
        (void)hooked;
    }
}

SdlBackend& CQ7DirectX7::UseSdl() {
    auto b = std::make_unique<SdlBackend>();
    SdlBackend& ref = *b;
    Reset(std::move(b), true);
    return ref;
}

HeadlessBackend& CQ7DirectX7::UseHeadless() {
    auto b = std::make_unique<HeadlessBackend>();
    HeadlessBackend& ref = *b;
    Reset(std::move(b), true);
    return ref;
}

HeadlessBackend* CQ7DirectX7::Headless() { return dynamic_cast<HeadlessBackend*>(backend_.get()); }
SdlBackend* CQ7DirectX7::Sdl() { return dynamic_cast<SdlBackend*>(backend_.get()); }

PlatformBackend& CQ7DirectX7::Backend() {
    if (!backend_) Reset(std::make_unique<SdlBackend>(), false);
    return *backend_;
}

void CQ7DirectX7::Release() {
    if (!backend_) return;
    SetCursor(true);
    if (audio_open_) {
        {
            AudioLock lock(*backend_);
            engine_->StopSong();
        }
        backend_->CloseAudio();
        audio_open_ = false;
    }
    audio_tried_ = false;
    if (di_ready_) backend_->CloseInput();
    di_ready_ = false;
    DD_SetDown();
}

// ---------------------------------------------------------------------------
// Display

void CQ7DirectX7::SetCursor(bool Value) {
    if (!DD_Enabled || Value == cursor_shown_) return;
    Backend().ShowCursor(Value);
    cursor_shown_ = Value;
}

// Switching the desktop's display mode is something we never do: the
// full-screen window scales instead. The game does not call this.
void CQ7DirectX7::Display_SetUP(int, int, int) {}

bool CQ7DirectX7::DD_SetUP(WindowHandle, int SC_Width, int SC_Height, int Color_Bit) {
    if (!DD_Enabled) return true;
    DD_SetDown();
    // Always an 8-bit screen of palette indices (emulated): the surface has a
    // byte per pixel whatever depth is asked for.
    (void)Color_Bit;
    if (!Backend().OpenDisplay(SC_Width, SC_Height)) {
        last_error_ = backend_->LastError();
        return false;
    }
    dest_w_ = SC_Width;
    dest_h_ = SC_Height;
    dd_ready_ = true;
    g_DisplayBitsPerPixel = 8;
    return true;
}

bool CQ7DirectX7::DD_OFFSC_SetUP(int W, int H) {
    if (!DD_Enabled || !dd_ready_) return true;
    if (W <= 0 || H <= 0) {
        last_error_ = "bad surface size";
        return false;
    }
    surface_.assign(static_cast<std::size_t>(W) * H, 0);
    frame_from_surface_ = true;
    src_w_ = W;
    src_h_ = H;
    return true;
}

std::uint8_t* CQ7DirectX7::DD_Lock(int& W) {
    if (!DD_Enabled || !dd_ready_ || surface_.empty()) return nullptr;
    W = src_w_;  // the pitch: rows are packed
    frame_from_surface_ = true;
    return surface_.data();
}

// The surface is our own memory; there is nothing to unlock.
void CQ7DirectX7::DD_UnLock() {}

bool CQ7DirectX7::DD_Flip() {
    if (!DD_Enabled || !dd_ready_ || surface_.empty()) return true;
    const bool ok = frame_from_surface_
                        ? backend_->PresentIndexed(surface_.data(), src_w_, src_w_, src_h_, display_palette_.data())
                        : backend_->PresentAgain();
    if (!ok) last_error_ = backend_->LastError();
    return ok;
}

const std::uint32_t* CQ7DirectX7::DisplayLookup() {
    if (!lookup_ready_ || !std::equal(lookup_index8_.begin(), lookup_index8_.end(), PalIndex8)) {
        std::copy(std::begin(PalIndex8), std::end(PalIndex8), lookup_index8_.begin());
        for (int i = 0; i < 256; ++i) display_lookup_[i] = display_palette_[lookup_index8_[i]];
        lookup_ready_ = true;
    }
    return display_lookup_.data();
}

bool CQ7DirectX7::FlipFrame(const std::uint8_t* pixels, int pitch, int width, int height) {
    if (!DD_Enabled || !dd_ready_ || surface_.empty()) return true;
    if (width != src_w_ || height != src_h_ || backend_->KeepsIndices()) {
        const int w = std::min(width, src_w_), h = std::min(height, src_h_);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                surface_[static_cast<std::size_t>(y) * src_w_ + x] = PalIndex8[pixels[static_cast<std::ptrdiff_t>(y) * pitch + x]];
        frame_from_surface_ = true;
        return DD_Flip();
    }
    if (!backend_->PresentIndexed(pixels, pitch, width, height, DisplayLookup())) {
        last_error_ = backend_->LastError();
        return false;
    }
    frame_from_surface_ = false;
    return true;
}

void CQ7DirectX7::DD_SetPaletteEntry(int Index, std::int32_t Col) {
    if (!DD_Enabled || Index < 0 || Index > 255) return;
    const auto c = static_cast<std::uint32_t>(Col);
    dd_entries_[Index] = {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                          static_cast<std::uint8_t>(c >> 16), 0};
}

void CQ7DirectX7::DD_PaletteSetUP() {
    if (!DD_Enabled || !dd_ready_) return;
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry& e = dd_entries_[i];
        display_palette_[i] = (static_cast<std::uint32_t>(e.red) << 16) | (e.green << 8) | e.blue;
    }
    lookup_ready_ = false;
}

// There is no GDI: nothing draws on the surface through a device context.
void* CQ7DirectX7::DD_GetDC() { return nullptr; }
void CQ7DirectX7::ReieaseDC() {}

void CQ7DirectX7::DD_SetDown() {
    if (!dd_ready_) return;
    backend_->CloseDisplay();
    surface_.clear();
    src_w_ = src_h_ = 0;
    dd_ready_ = false;
    g_DisplayBitsPerPixel = 32;  // frames go to the window from now on
}

bool CQ7DirectX7::PresentWindow(const std::uint32_t* pixels, int w, int h, int dest_w, int dest_h) {
    if (!Backend().PresentRgb(pixels, w, h, dest_w, dest_h)) {
        last_error_ = backend_->LastError();
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Window events

void CQ7DirectX7::DoEvents() { Backend().PumpEvents(sink_); }

void CQ7DirectX7::SetEventFrame(int frame) { Backend().SetEventFrame(frame); }

// ---------------------------------------------------------------------------
// Input

bool CQ7DirectX7::DI_SetUP(WindowHandle) {
    if (di_ready_) backend_->CloseInput();
    di_ready_ = true;
    pad_present_ = Backend().OpenInput();
    if (!pad_present_ && !backend_->LastError().empty()) last_error_ = backend_->LastError();
    return true;
}

void CQ7DirectX7::GetPadButton(std::int32_t& K_Left, std::int32_t& K_Right, std::int32_t& K_Up,
                               std::int32_t& K_Down) {
    ++pad_reads_;
    last_pad_read_ = PadRead{};
    PadReading pad;
    if (di_ready_ && pad_present_ && backend_->ReadPad(pad)) {
        const PadCross cross = CrossOf(pad);
        K_Left = cross.left;
        K_Right = cross.right;
        K_Up = cross.up;
        K_Down = cross.down;
        for (int b = 0; b < 32; ++b) g_PadButtons[b] = PadPressed(pad, b) ? 1 : 0;
        last_pad_read_ = {cross.left, cross.right, cross.up, cross.down, 0};
    }
    // A failed read leaves the buttons as they were, and so they were used.
    for (int b = 0; b < 32; ++b)
        if (g_PadButtons[b] == 1) last_pad_read_.buttons |= std::uint32_t{1} << b;
}

void CQ7DirectX7::GetInput(std::int32_t& K_Esc, std::int32_t& K_Enter, std::int32_t& K_Left,
                           std::int32_t& K_Right, std::int32_t& K_Up, std::int32_t& K_Down, std::int32_t& k_Num_0,
                           std::int32_t& k_Num_Enter, std::int32_t& k_Num_Dot, std::int32_t& k_Num_Plus,
                           std::int32_t& k_Num_Minus, std::int32_t& K_Space, std::int32_t& K_SHIFT_L,
                           std::int32_t& k_SHIFT_R, std::int32_t& k_Comma, std::int32_t& k_Period) {
    KeyboardState keys{};
    if (!di_ready_ || !backend_->ReadKeyboard(keys)) return;
    auto down = [&](int dik) -> std::int32_t { return (keys[dik] & 0x80) ? 1 : 0; };
    K_Esc = down(0x01);
    K_Enter = down(0x1C);
    K_Left = down(0xCB);
    K_Right = down(0xCD);
    K_Up = down(0xC8);
    K_Down = down(0xD0);
    k_Num_0 = down(0x52);
    k_Num_Enter = down(0x9C);
    k_Num_Dot = down(0x53);
    k_Num_Plus = down(0x4E);
    k_Num_Minus = down(0x4A);
    K_Space = down(0x39);
    K_SHIFT_L = down(0x2A);
    k_SHIFT_R = down(0x36);
    k_Comma = down(0x33);
    k_Period = down(0x34);

    PadReading pad;
    if (!pad_present_ || !backend_->ReadPad(pad)) return;
    // The pad can only switch flags on.
    const PadCross cross = CrossOf(pad);
    if (cross.left) K_Left = 1;
    if (cross.right) K_Right = 1;
    if (cross.up) K_Up = 1;
    if (cross.down) K_Down = 1;
    if (PadPressed(pad, 0)) k_Num_0 = 1;
    if (PadPressed(pad, 1)) k_Num_Enter = 1;
    if (PadPressed(pad, 2)) k_SHIFT_R = 1;
    if (PadPressed(pad, 3)) K_Enter = 1;
}

// ---------------------------------------------------------------------------
// Sound effects

bool CQ7DirectX7::EnsureAudio() {
    if (!audio_tried_) {
        audio_tried_ = true;
        audio_open_ = Backend().OpenAudio(*engine_);
        if (!audio_open_) {
            // Effects and music share the one device: without it both are silent.
            last_error_ = backend_->LastError();
            DS_Enabled = DM_Enabled = false;
        }
    }
    return audio_open_;
}

void CQ7DirectX7::Record(AudioOp op, int id, int value) { backend_->RecordAudioCall(op, id, value); }

void CQ7DirectX7::DS_SetUP(WindowHandle) {
    if (DS_Enabled) EnsureAudio();
}

bool CQ7DirectX7::InstallSound(int ID, std::span<const std::uint8_t> bytes) {
    auto sound = std::make_unique<EffectSound>();
    const bool ok = ParseWave(bytes, kAudioRate, *sound);
    if (!ok) sound->samples.clear();
    std::unique_ptr<EffectSound> old;
    {
        AudioLock lock(Backend());
        old = engine_->Effects().SetSound(ID, std::move(sound));
        engine_->Effects().SetVolume(ID, ds_volume_[ID]);
    }
    ds_paused_[ID] = ds_playing_[ID] = false;
    return ok;
}

bool CQ7DirectX7::DS_LoadRes(int ID, std::string_view Res_Name) {
    if (!DS_Enabled || !ValidSlot(ID)) return false;
    Record(AudioOp::DS_LoadRes, ID, 0);
    const auto res = FindResource("WAVE", Res_Name);
    return InstallSound(ID, res ? *res : std::span<const std::uint8_t>{});
}

bool CQ7DirectX7::DS_LoadFile(int ID, const std::string& FileName) {
    if (!DS_Enabled || !ValidSlot(ID)) return false;
    Record(AudioOp::DS_LoadRes, ID, 0);
    const std::vector<std::uint8_t> bytes = ReadFileBytes(FileName);
    return InstallSound(ID, bytes);
}

// Our mixer cannot fail to start a buffer, so there is no failure to report.
void CQ7DirectX7::DS_Play(int ID, int LoopCount) {
    if (!DS_Enabled || !ValidSlot(ID)) return;
    Record(AudioOp::DS_Play, ID, LoopCount);
    {
        AudioLock lock(Backend());
        engine_->Effects().Play(ID, (LoopCount & 1) != 0);
    }
    ds_flags_[ID] = LoopCount;
    ds_paused_[ID] = false;
    ds_playing_[ID] = true;
}

void CQ7DirectX7::DS_Stop(int ID) {
    if (!DS_Enabled || !ValidSlot(ID)) return;
    Record(AudioOp::DS_Stop, ID, 0);
    {
        AudioLock lock(Backend());
        engine_->Effects().Stop(ID, true);
    }
    ds_paused_[ID] = ds_playing_[ID] = false;
}

void CQ7DirectX7::DS_PauseIn(int ID) {
    if (!DS_Enabled || !ValidSlot(ID) || !ds_playing_[ID] || ds_paused_[ID]) return;
    Record(AudioOp::DS_PauseIn, ID, 0);
    {
        AudioLock lock(Backend());
        engine_->Effects().Stop(ID, false);
    }
    ds_paused_[ID] = true;
}

void CQ7DirectX7::DS_PauseOut(int ID) {
    if (!DS_Enabled || !ValidSlot(ID) || !ds_playing_[ID] || !ds_paused_[ID]) return;
    Record(AudioOp::DS_PauseOut, ID, 0);
    {
        AudioLock lock(Backend());
        engine_->Effects().Resume(ID, (ds_flags_[ID] & 1) != 0);
    }
    ds_paused_[ID] = false;
}

bool CQ7DirectX7::DS_GetPause(int ID) { return DS_Enabled && ValidSlot(ID) && ds_paused_[ID]; }

void CQ7DirectX7::DS_Set_Volume(int ID, int Value) {
    if (!DS_Enabled || !ValidSlot(ID)) return;
    Value = std::clamp(Value, kVolumeMin, kVolumeMax);
    Record(AudioOp::DS_SetVolume, ID, Value);
    {
        AudioLock lock(Backend());
        engine_->Effects().SetVolume(ID, Value);
    }
    ds_volume_[ID] = Value;
}

int CQ7DirectX7::DS_Get_Volume(int ID) { return DS_Enabled && ValidSlot(ID) ? ds_volume_[ID] : 0; }

// ---------------------------------------------------------------------------
// Music

int CQ7DirectX7::DM_PortCount() { return static_cast<int>(std::size(kPortNames)); }

std::string CQ7DirectX7::DM_PortName(int Index) {
    return Index >= 1 && Index <= DM_PortCount() ? kPortNames[Index - 1] : std::string();
}

void CQ7DirectX7::DM_SetUP(WindowHandle, bool Defalt_Port) {
    if (!DM_Enabled || !EnsureAudio()) return;
    dm_port_ = -1;
    if (!Defalt_Port) {
        for (int i = 1; i <= DM_PortCount(); ++i) {
            if (DM_PortName(i) == kPreferredPortName) {
                dm_port_ = i;
                break;
            }
        }
    }
    if (!backend_->WantsSynth()) return;
    // Without the soundfont there is no music; the game plays on in silence.
    AudioLock lock(*backend_);
    if (!engine_->HasSynth() && !engine_->OpenSynth(soundfont_, &last_error_)) DM_Enabled = false;
}

bool CQ7DirectX7::InstallSong(int ID, std::span<const std::uint8_t> bytes) {
    auto song = std::make_unique<MidiSong>();
    if (!ParseMidiFile(bytes, *song, &last_error_)) return false;
    std::unique_ptr<MidiSong> old;
    {
        AudioLock lock(Backend());
        old = engine_->SetSong(ID, std::move(song));
    }
    dm_loop_start_[ID] = dm_loop_end_[ID] = dm_repeats_[ID] = 0;
    return true;
}

bool CQ7DirectX7::DM_LoadRes(int ID, std::string_view Res_Name) {
    if (!DM_Enabled || !ValidSlot(ID)) return false;
    Record(AudioOp::DM_LoadRes, ID, 0);
    const auto res = FindResource("DMSEG", Res_Name);
    if (!res) {
        last_error_ = "no DMSEG resource " + std::string(Res_Name);
        return false;
    }
    return InstallSong(ID, *res);
}

bool CQ7DirectX7::DM_LoadFile(int ID, const std::string& FileName) {
    if (!DM_Enabled || !ValidSlot(ID)) return false;
    Record(AudioOp::DM_LoadRes, ID, 0);
    return InstallSong(ID, ReadFileBytes(FileName));
}

void CQ7DirectX7::DM_UnLoad(int ID) {
    if (!DM_Enabled) return;
    if (ID == -1) ID = dm_current_;
    if (!ValidSlot(ID)) return;
    Record(AudioOp::DM_UnLoad, ID, 0);
    std::unique_ptr<MidiSong> old;
    AudioLock lock(Backend());
    old = engine_->SetSong(ID, nullptr);
}

void CQ7DirectX7::DM_SetLoop(int ID, int LoopStart, int LoopEnd) {
    if (!DM_Enabled) return;
    Record(AudioOp::DM_SetLoop, ID, LoopStart);
    dm_current_ = ID;
    if (ValidSlot(ID)) {
        std::int64_t length = -1;
        {
            AudioLock lock(Backend());
            if (const MidiSong* song = engine_->Song(ID)) length = song->length;
        }
        // Loop points outside the segment are refused, the old ones stay.
        const bool whole = LoopStart == 0 && LoopEnd == 0;
        if (length >= 0 && (whole || (LoopStart >= 0 && LoopStart < LoopEnd && LoopEnd <= length))) {
            dm_loop_start_[ID] = LoopStart;
            dm_loop_end_[ID] = LoopEnd;
        }
    }
    dm_paused_ = false;
}

bool CQ7DirectX7::SongStart(std::int64_t start) {
    const int id = dm_current_;
    return ValidSlot(id) && engine_->StartSong(id, start, dm_loop_start_[id], dm_loop_end_[id], dm_repeats_[id]);
}

void CQ7DirectX7::DM_Play(int ID, int LoopCount) {
    if (!DM_Enabled) return;
    Record(AudioOp::DM_Play, ID, LoopCount);
    if (ID >= 0) dm_current_ = ID;
    if (ValidSlot(dm_current_)) dm_repeats_[dm_current_] = LoopCount;
    bool ok;
    {
        AudioLock lock(Backend());
        engine_->GmReset();
        ok = SongStart(0);
        dm_start_ = engine_->PerformanceTime();
    }
    dm_pause_total_ = 0;
    dm_paused_ = false;
    if (!ok) FatalError("DM_Play:segment " + std::to_string(dm_current_) + " is not loaded");
}

void CQ7DirectX7::DM_Stop(int ID) {
    if (!DM_Enabled) return;
    if (ID == -1) ID = dm_current_;
    Record(AudioOp::DM_Stop, ID, 0);
    {
        AudioLock lock(Backend());
        if (engine_->SongPlaying(ID)) engine_->StopSong();
    }
    dm_paused_ = false;
}

int CQ7DirectX7::DM_PauseIn() {
    if (!DM_Enabled || dm_paused_) return 0;
    {
        AudioLock lock(Backend());
        if (!engine_->SongPlaying(dm_current_)) return 0;
        dm_pause_at_ = engine_->PerformanceTime();
    }
    Record(AudioOp::DM_PauseIn, dm_current_, 0);
    DM_Stop(-1);
    std::int64_t resume = std::max<std::int64_t>(dm_pause_at_ - dm_pause_total_ - dm_start_, 0);
    // Fold the position into the loop. Loop points 0, 0 loop the whole
    // segment, so that is the loop to fold into; a position exactly at the
    // loop end is the loop start (otherwise the music would leave the loop).
    const int id = dm_current_;
    std::int64_t loop_start = dm_loop_start_[id], loop_end = dm_loop_end_[id];
    if (loop_start == 0 && loop_end == 0) loop_end = DM_GetLength(id);
    if (loop_end > loop_start && resume >= loop_end)
        resume = loop_start + (resume - loop_start) % (loop_end - loop_start);
    dm_resume_ = static_cast<std::int32_t>(resume);
    dm_paused_ = true;
    return dm_resume_;
}

void CQ7DirectX7::DM_PauseOut() {
    if (!DM_Enabled || !dm_paused_) return;
    bool ok;
    {
        AudioLock lock(Backend());
        if (engine_->SongPlaying(dm_current_)) return;
        dm_pause_total_ += engine_->PerformanceTime() - dm_pause_at_;
        ok = SongStart(dm_resume_);
    }
    Record(AudioOp::DM_PauseOut, dm_current_, dm_resume_);
    if (!ok) {
        ShowMessageBox(std::to_string(dm_current_) + "\r\n" + std::to_string(dm_resume_));
        return;
    }
    dm_paused_ = false;
}

bool CQ7DirectX7::DM_GetPause() { return DM_Enabled && dm_paused_; }

bool CQ7DirectX7::DM_GetPlaying() {
    if (!DM_Enabled) return false;
    AudioLock lock(Backend());
    return engine_->SongPlaying(dm_current_);
}

int CQ7DirectX7::DM_GetSeek() {
    if (!DM_Enabled) return 0;
    AudioLock lock(Backend());
    return engine_->SongPlaying(dm_current_) ? static_cast<int>(engine_->SongSeek()) : -1;
}

int CQ7DirectX7::DM_GetLength(int ID) {
    if (!DM_Enabled) return 0;
    if (ID == -1) ID = dm_current_;
    AudioLock lock(Backend());
    const MidiSong* song = engine_->Song(ID);
    return song ? static_cast<int>(song->length) : 0;
}

void CQ7DirectX7::DM_SetMasterVolume(int Value) {
    if (!DM_Enabled) return;
    Value = std::clamp(Value, kVolumeMin, kMasterVolumeMax);
    Record(AudioOp::DM_SetMasterVolume, 0, Value);
    AudioLock lock(Backend());
    engine_->SetMusicVolume(Value);
}

void CQ7DirectX7::DM_GM_Reset() {
    if (!DM_Enabled) return;
    Record(AudioOp::DM_GM_Reset, 0, 0);
    AudioLock lock(Backend());
    engine_->GmReset();
}
