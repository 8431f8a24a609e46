// CQ7DDBPack256: the single owner of all images. Sprites 0..10000 by id
// (0 is the back screen), the per-frame draw queue of 40 layers x 200 draws,
// and presentation of the back screen through the palette lookup tables.
//
// Every sprite id exists from the start; a sprite that was never set up holds
// no pixel buffers and draws nothing.
//
// Bad input is refused, never followed outside a buffer:
//  - GetSprite of an id outside 0..10000 returns a spare sprite that belongs
//    to no id and is never drawn by the queue;
//  - AddBlt with an id, target or layer out of range queues nothing, and a
//    draw beyond the 200th of a layer in one frame is dropped (returns false);
//  - loaders check the whole input first and leave the sprite untouched when
//    it is short, has a size below 1 or too large, or carries bad characters.
//
// Presentation: DirectBlt writes the mapped back screen into a pitch-addressed
// surface (the platform's locked 320x240 surface). BGBlt/BGstrBlt map it to
// 32-bit 0x00RRGGBB pixels and hand them to the presenter the platform
// installs; with none installed they only map.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/q7_pos.h"
#include "gfx/q7_sprite256.h"

// Engine-wide presentation buffers, allocated by BGSetUp, freed by SetUP_END.
extern std::vector<std::uint8_t> ScreenCopy8;    // the back screen as taken at presentation
extern std::vector<std::uint8_t> ScreenOut8;     // mapped through PalIndex8
extern std::vector<std::int16_t> ScreenOut16;    // mapped through PalColor16
extern std::vector<std::uint32_t> ScreenOut32;   // mapped through PalColor32

// Shows a mapped frame of width x height pixels scaled to dest_width x
// dest_height. Returns an empty text on success, otherwise the back-end's
// error description (BGBlt/BGstrBlt then end the program with it).
using FramePresenter = std::function<std::string(const std::uint32_t* pixels, int width, int height,
                                                 int dest_width, int dest_height)>;
// Installs the window presenter; returns the previous one.
FramePresenter SetFramePresenter(FramePresenter presenter);

class CQ7DDBPack256 {
public:
    static constexpr std::int32_t kSpriteCount = 10001;
    static constexpr std::int32_t kLayerCount = 40;
    static constexpr std::int32_t kLayerSize = 200;
    static constexpr std::int32_t kQueueSize = kLayerCount * kLayerSize;
    static constexpr std::int32_t kSpriteFileTag = 42420002;

    CQ7DDBPack256();
    ~CQ7DDBPack256();
    CQ7DDBPack256(const CQ7DDBPack256&) = delete;
    CQ7DDBPack256& operator=(const CQ7DDBPack256&) = delete;

    // Allocates SpriteBuffer1..3 with words 0..Size_Value.
    void SetBuffer(std::int32_t Size_Value);
    // Loads resource (ID_TYPE, RES_ID) into sprite ID, centre-based at 0,0.
    // 0 on success; RES_ID, quietly and with the sprite untouched, when the
    // resource is missing, truncated or of a refused size, or ID is out of range.
    std::int32_t LoadRES(std::int32_t ID, std::int32_t RES_ID, std::string_view ID_TYPE);
    // Writes sprite ID in the resource format (big-endian width and height,
    // then the pixels). False for an unset sprite, a size above 65535 or a
    // file that cannot be written.
    bool SaveRES(std::int32_t ID, const std::string& FileName);
    // Reads a sprite file. "Load Error" when the file cannot be opened or is
    // shorter than its header and pixels say; False without a message for a
    // wrong tag or a refused size. The sprite changes only on success.
    bool LoadFile(std::int32_t ID, const std::string& FileName);
    // Sets the sprite from a sprite text; refused (false, sprite untouched)
    // unless the text is all digits, its size is accepted and it holds every pixel.
    bool SetSpriteText(std::int32_t ID, std::string_view TXT);
    // The sprite as text; "Error Data Over" and an empty text for sprites of
    // 10921 pixels or more.
    std::string GetSpriteText(std::int32_t ID);
    // Writes the sprite file (tag, width, height, 0, the pixel words).
    bool SaveFile(std::int32_t ID, const std::string& FileName);
    CQ7Sprite256& GetSprite(std::int32_t ID);

    // Queues sprite ID to be drawn onto Target_ID on Layer with Mode (0 masked,
    // 1 opaque, 2 flash, anything else draws nothing). A centre-based MyPos
    // places the sprite's centre at MyPos's centre, otherwise its top-left at
    // MyPos's top-left.
    bool AddBlt(const CQ7Pos& MyPos, std::int32_t ID, std::int32_t Layer, std::int32_t Target_ID, std::int32_t Mode);
    // Draws the queue, layer 0 first, each layer in queue order. The queue
    // stays; each drawn sprite keeps the position of its last entry.
    void Blt();
    void BltClear_Not_0();
    // Empties one layer, or all of them for -1.
    void BltClear(std::int32_t Layer);
    // Draws queued on Layer this frame (0 for a layer out of range).
    std::int32_t QueuedCount(std::int32_t Layer) const;

    // Rebuilds the palette tables when an 8-bit display is activated again.
    void Screen_Active();
    // Maps the back screen by ScreenColorBit and writes its rows to dest, one
    // row every `pitch` bytes. Nothing happens before BGSetUp, with no dest or
    // with a pitch shorter than a row.
    void DirectBlt(std::uint8_t* dest, std::int32_t pitch);
    // Window path: present 1:1 / stretched to W x H (0 = the stored size).
    void BGBlt();
    void BGstrBlt(std::int32_t W = 0, std::int32_t H = 0);
    // Sets up the back screen (sprite 0, top-left at 0,0), the palette tables
    // for the display (g_DisplayBitsPerPixel) and the presentation buffers.
    // The game passes 320, 240, 640, 480, 0, 0.
    void BGSetUp(std::int32_t BGWidth, std::int32_t BGHeight, std::int32_t SCWidth, std::int32_t SCHeight,
                 std::int32_t LongBufferSize, int CenterBase);
    void SetUP_END();
    // Fills the back screen with 255 (ColorWhite) or 0.
    void Cls(bool ColorWhite);

    bool SetUpDone() const { return set_up_done_; }

private:
    static bool ValidId(std::int32_t id) { return id >= 0 && id < kSpriteCount; }
    static bool ValidLayer(std::int32_t layer) { return layer >= 0 && layer < kLayerCount; }
    // Sets sprite ID (a valid id) up centre-based as w x h from w * h pixel bytes.
    bool Load(std::int32_t ID, std::int32_t w, std::int32_t h, const std::uint8_t* pixels);
    // Copies the back screen into ScreenCopy8 and maps it into ScreenOut32:
    // the window back-ends take 32-bit pixels whatever ScreenColorBit says.
    bool MapFrame32();
    void PresentWindow(const char* name, std::int32_t dest_w, std::int32_t dest_h);

    std::vector<CQ7Sprite256> sprites_;
    CQ7Sprite256 outside_;  // what GetSprite hands out for ids out of range
    std::array<std::int32_t, kQueueSize> queue_id_{};
    std::array<std::int32_t, kQueueSize> queue_target_{};
    std::array<CQ7Pos, kQueueSize> queue_pos_{};
    std::array<std::int32_t, kQueueSize> queue_mode_{};
    std::array<std::int32_t, kLayerCount> layer_next_{};
    std::int32_t sc_width_ = 0;
    std::int32_t sc_height_ = 0;
    bool set_up_done_ = false;
};

extern CQ7DDBPack256 g_DDBPack;
