// CQ7DirectX7: the one wrapper through which the game reaches the display,
// the pad and keyboard, sound effects and music (`g_DX7`).
//
// The operations keep the names, arguments and rules the game was written
// against (DirectDraw, DirectInput, DirectSound and DirectMusic 7); behind
// them sits a PlatformBackend: SDL2 + FluidSynth for play, or the headless
// back-end for tests and tool runs. Choose one with UseSdl()/UseHeadless()
// before any set-up; without a choice the SDL back-end is used.
//
// Display: an emulated 8-bit screen. DD_Lock hands out a 320x240 surface of
// palette indices, DD_Flip shows it through the 256-entry display palette
// scaled to the display size; FlipFrame shows the back screen the same way
// in one pass, without the surface. Input: GetPadButton/GetInput read the keyboard
// pad and the first joystick (see i_input_map.h for the keys). Sound: ids
// 0..256, one static buffer each; music: segments 0..256 in music time of 768
// units per quarter note, played by our own sequencer into FluidSynth.
//
// Threads: every member is called from the game thread; only the audio
// callback runs elsewhere, and the two meet under the back-end's audio lock.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/i_backend.h"

class AudioEngine;
class HeadlessBackend;
class SdlBackend;

// The game's window handles have no meaning here: the back-end owns its
// window. They are kept so that the calls read as the game wrote them.
using WindowHandle = void*;

class CQ7DirectX7 {
public:
    CQ7DirectX7();
    ~CQ7DirectX7();
    CQ7DirectX7(const CQ7DirectX7&) = delete;
    CQ7DirectX7& operator=(const CQ7DirectX7&) = delete;

    // ---- Back-end choice: releases whatever was set up and starts afresh ----
    // For g_DX7 these also route the program's message boxes through the
    // back-end and make EndProgram release the wrapper first.
    SdlBackend& UseSdl();
    HeadlessBackend& UseHeadless();
    HeadlessBackend* Headless();  // null unless headless
    SdlBackend* Sdl();            // null unless SDL
    // Chooses SDL when nothing was chosen (leaving message boxes alone).
    PlatformBackend& Backend();
    // Why the last failing set-up failed.
    const std::string& LastError() const { return last_error_; }

    // ---- Display ----
    bool DD_Enabled = true;
    void SetCursor(bool Value);
    void Display_SetUP(int Width, int Height, int ColorBit);
    bool DD_SetUP(WindowHandle hWnd, int SC_Width, int SC_Height, int Color_Bit);
    bool DD_OFFSC_SetUP(int W, int H);
    std::uint8_t* DD_Lock(int& W);
    void DD_UnLock();
    bool DD_Flip();
    void DD_SetPaletteEntry(int Index, std::int32_t Col);
    void DD_PaletteSetUP();
    void* DD_GetDC();
    void ReieaseDC();
    void DD_SetDown();
    bool DDReady() const { return dd_ready_; }
    bool CursorShown() const { return cursor_shown_; }
    // The full-screen path in one pass: a frame of back-screen pixels shown as
    // DD_Lock, DirectBlt at 8 bits, DD_UnLock and DD_Flip show it, but mapped
    // through PalIndex8 and the display palette (folded into one lookup that
    // is rebuilt only when either changes) straight into the display. The
    // surface keeps what it held; a DD_Flip that follows without a DD_Lock
    // shows this frame again. A frame of another size than the surface, or a
    // back-end that keeps 8-bit frames, goes through the surface instead.
    bool FlipFrame(const std::uint8_t* pixels, int pitch, int width, int height);
    // The window path: a mapped 32-bit (0x00RRGGBB) frame shown at dest_w x dest_h.
    bool PresentWindow(const std::uint32_t* pixels, int w, int h, int dest_w, int dest_h);

    // ---- Window events ----
    void SetEventSink(WindowEventSink* sink) { sink_ = sink; }
    // Handles every pending window event (the program's "yield").
    void DoEvents();
    // Tags the sound and music calls that follow (recorded by the headless back-end).
    void SetEventFrame(int frame);

    // ---- Input ----
    bool DI_SetUP(WindowHandle hWnd);
    bool PadPresent() const { return pad_present_; }
    void GetPadButton(std::int32_t& K_Left, std::int32_t& K_Right, std::int32_t& K_Up, std::int32_t& K_Down);
    void GetInput(std::int32_t& K_Esc, std::int32_t& K_Enter, std::int32_t& K_Left, std::int32_t& K_Right,
                  std::int32_t& K_Up, std::int32_t& K_Down, std::int32_t& k_Num_0, std::int32_t& k_Num_Enter,
                  std::int32_t& k_Num_Dot, std::int32_t& k_Num_Plus, std::int32_t& k_Num_Minus,
                  std::int32_t& K_Space, std::int32_t& K_SHIFT_L, std::int32_t& k_SHIFT_R, std::int32_t& k_Comma,
                  std::int32_t& k_Period);
    // What the last GetPadButton gave its caller, and how many calls there
    // have been: a replay records the pad each frame actually used.
    struct PadRead {
        bool left = false, right = false, up = false, down = false;
        std::uint32_t buttons = 0;  // bit n: g_PadButtons[n] was 1
        bool operator==(const PadRead&) const = default;
    };
    const PadRead& LastPadRead() const { return last_pad_read_; }
    std::uint64_t PadReads() const { return pad_reads_; }

    // ---- Sound effects ----
    // Goes False at DS_SetUP (or DM_SetUP) when no audio device can be
    // opened; music shares that device, so DM_Enabled goes False with it.
    bool DS_Enabled = true;
    void DS_SetUP(WindowHandle hWnd);
    // False when the resource or file is missing or not usable PCM; the
    // effect then exists but stays silent.
    bool DS_LoadRes(int ID, std::string_view Res_Name);
    bool DS_LoadFile(int ID, const std::string& FileName);
    void DS_Play(int ID, int LoopCount);
    void DS_Stop(int ID);
    void DS_PauseIn(int ID);
    void DS_PauseOut(int ID);
    bool DS_GetPause(int ID);
    void DS_Set_Volume(int ID, int Value);
    int DS_Get_Volume(int ID);

    // ---- Music ----
    // Goes False at DM_SetUP when the soundfont cannot be loaded.
    bool DM_Enabled = true;
    // The General MIDI soundfont DM_SetUP loads (Debian's TimGM6mb by default).
    void SetSoundFont(std::string path) { soundfont_ = std::move(path); }
    void DM_SetUP(WindowHandle hWnd, bool Defalt_Port);
    // False (and nothing loaded) for a missing or malformed MIDI file.
    bool DM_LoadRes(int ID, std::string_view Res_Name);
    bool DM_LoadFile(int ID, const std::string& FileName);
    void DM_UnLoad(int ID);
    void DM_SetLoop(int ID, int LoopStart, int LoopEnd);
    void DM_Play(int ID, int LoopCount);
    void DM_Stop(int ID);
    int DM_PauseIn();
    void DM_PauseOut();
    bool DM_GetPause();
    bool DM_GetPlaying();
    int DM_GetSeek();
    int DM_GetLength(int ID);
    void DM_SetMasterVolume(int Value);
    void DM_GM_Reset();
    // The music ports: the synthesisers we offer, numbered from 1.
    static int DM_PortCount();
    static std::string DM_PortName(int Index);
    int DM_Port() const { return dm_port_; }  // -1: the default port

    void Set_DS_Enabled(bool Value) { DS_Enabled = Value; }
    void Set_DM_Enabled(bool Value) { DM_Enabled = Value; }

    // Shows the cursor, stops the music and closes audio, input and display
    // (what destroying the wrapper does). Safe to call more than once.
    void Release();

private:
    static constexpr int kSlots = 257;
    static bool ValidSlot(int id) { return id >= 0 && id < kSlots; }

    void Reset(std::unique_ptr<PlatformBackend> backend, bool install_hooks);
    bool EnsureAudio();
    bool InstallSound(int ID, std::span<const std::uint8_t> bytes);
    bool InstallSong(int ID, std::span<const std::uint8_t> bytes);
    void Record(AudioOp op, int id, int value);
    bool SongStart(std::int64_t start);
    const std::uint32_t* DisplayLookup();

    std::unique_ptr<PlatformBackend> backend_;
    std::unique_ptr<AudioEngine> engine_;
    WindowEventSink* sink_ = nullptr;
    std::string last_error_;

    // Display
    struct PaletteEntry {
        std::uint8_t red = 0, green = 0, blue = 0, flags = 0;
    };
    bool dd_ready_ = false;
    int dest_w_ = 0, dest_h_ = 0;  // DestRect
    int src_w_ = 0, src_h_ = 0;    // SrcRect
    std::vector<std::uint8_t> surface_;
    std::array<PaletteEntry, 256> dd_entries_{};
    std::array<std::uint32_t, 256> display_palette_{};  // 0x00RRGGBB, from DD_PaletteSetUP
    // display_palette_ after PalIndex8 (as lookup_index8_ held it); rebuilt
    // when DD_PaletteSetUP clears lookup_ready_ or PalIndex8 changes.
    std::array<std::uint32_t, 256> display_lookup_{};
    std::array<std::uint8_t, 256> lookup_index8_{};
    bool lookup_ready_ = false;
    bool frame_from_surface_ = true;  // false after FlipFrame until the next DD_Lock
    bool cursor_shown_ = true;

    // Input
    bool di_ready_ = false;
    bool pad_present_ = false;
    PadRead last_pad_read_;
    std::uint64_t pad_reads_ = 0;

    // Sound
    bool audio_tried_ = false;
    bool audio_open_ = false;
    std::array<bool, kSlots> ds_paused_{};
    std::array<std::int32_t, kSlots> ds_flags_{};
    std::array<bool, kSlots> ds_playing_{};
    std::array<std::int32_t, kSlots> ds_volume_{};

    // Music
    std::string soundfont_;
    int dm_port_ = -1;
    std::int32_t dm_resume_ = 0;
    std::int32_t dm_current_ = 0;
    bool dm_paused_ = false;
    std::int64_t dm_start_ = 0;
    std::int64_t dm_pause_total_ = 0;
    std::int64_t dm_pause_at_ = 0;
    std::array<std::int32_t, kSlots> dm_loop_start_{};
    std::array<std::int32_t, kSlots> dm_loop_end_{};
    std::array<std::int32_t, kSlots> dm_repeats_{};
};

extern CQ7DirectX7 g_DX7;

// Pad button states filled by GetPadButton, 1 = pressed (buttons 0..31).
// The main module owns this array in the game's design; it lives here, with
// the input layer, so that the libraries stay layered bottom-up.
extern std::int32_t g_PadButtons[32];
