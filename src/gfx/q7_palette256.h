// CQ7Palette256: the 256 colours of the game's 8-bit pixel world and the
// lookup tables every presented frame passes through.
//
// Colour values are 0x00BBGGRR (red in the low byte). Colour cycling ("roll")
// rotates ranges of the lookup tables, never the palette and never the pixels,
// so a sprite drawn with index k changes colour without being redrawn.
//
// Index 255 is the transparent index of sprites and the flash colour; it stays
// white unless a palette text overwrites it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Engine-wide lookup tables, index = back-buffer pixel value.
extern std::uint8_t PalIndex8[256];    // pixel -> value written to an 8-bit screen
extern std::int16_t PalColor16[256];   // pixel -> RGB565 (values above 0x7FFF read negative)
extern std::uint32_t PalColor32[256];  // pixel -> 0x00RRGGBB

// Bits per pixel of the presentation path in use, copied from
// g_DisplayBitsPerPixel by BGSetUp: 8 selects the 8-bit paths, 16 the 16-bit
// paths, anything else the 32-bit paths.
extern std::int32_t ScreenColorBit;

// Set by the platform layer when it sets up its display: 8 for the emulated
// 8-bit full-screen display, 32 for the window path.
extern std::int32_t g_DisplayBitsPerPixel;

class CQ7Palette256 {
public:
    CQ7Palette256();

    // Restores the three lookup tables from the copies SetUP made.
    void Roll_Reset();
    // Shifts the range StartPos .. StartPos + DT_Count - 1 of all three tables
    // one place toward StartPos; the top entry takes the old StartPos entries
    // (Fill_Value -1, a rotation) or the colour Fill_Value. A range that does
    // not lie inside 0..255, or is empty, is refused (nothing changes).
    void Roll_UP(std::int32_t StartPos, std::int32_t DT_Count, std::int32_t Fill_Value);
    // PalColor[Index mod 256] = Value (only the low 8 bits of Index count).
    void SetData(std::int32_t Index, std::int32_t Value);
    // Loads "42428010/<n>/<c1>/.../<cn>/" into PalColor from StartPos on.
    // Malformed text stops quietly; colours stored before the fault stay.
    // A field that would land outside 0..255 stops the load the same way.
    void SetUpText(std::string_view Text, std::int32_t StartPos);
    // PalColor[Index & 255].
    std::int32_t GetColor32(std::int32_t Index) const;
    // 0 for black, 255 for white, else the lowest index holding Col; -1 if none.
    std::int32_t GetColor8(std::int32_t Col) const;
    // Builds the lookup tables and their saved copies from the palette. Our
    // displays take the palette index for index, so at 8 bits per pixel the
    // index remap (and its copy) is the identity.
    void SetUP();
    // Back to black at 0, the placeholder 1 at 1..254, white at 255. The
    // lookup tables and saved copies are not touched.
    void Clear();

    // Colour value -> 0x00RRGGBB.
    static std::uint32_t ToColor32(std::int32_t col);
    // Colour value -> RGB565, each channel rounded up by its next lower bit
    // unless already at its maximum.
    static std::int16_t ToColor16(std::int32_t col);

    std::int32_t PalColor[256];
    std::uint8_t PalSave8[256] = {};
    std::int16_t PalSave16[256] = {};
    std::uint32_t PalSave32[256] = {};
};

extern CQ7Palette256 g_Palette;

// The palette text held in the program's string resource `id` (101..112), or
// an empty text when the resource is missing.
std::string GetPaletteText(std::int32_t id);
