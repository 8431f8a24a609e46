// CQ7Sprite256: one drawable 8-bit image (DT) with its place on the screen (Pos).
//
// A sprite draws itself onto another sprite, normally the 320x240 back screen:
// masked (SpriteBlt), opaque (SpritePaint) or as a flash of colour 255
// (SpriteFlash). All three clip against the target and combine 32-bit words,
// four pixels at a time.
//
// An image exactly as wide as its target, on the same columns, combines
// whole buffers in place; any other placement combines the clipped rows in
// place. Masked and flash rows go 16 pixels a step, opaque ones are block
// copies. The pixels come out as if the piece had been
// moved through the scratch buffers, combined and moved back, without the
// two copies; drawing needs no scratch space and allocates nothing.
//
// Bounds: a draw checks once that both images are set up and that each Pos
// has exactly its image's size; if not, it draws nothing. Clipping keeps
// every access inside both images.
#pragma once

#include <cstdint>
#include <vector>

#include "core/q7_pos.h"
#include "core/vb.h"
#include "gfx/q7_spritedata.h"

// A decoded picture for SetUP_2: colour values 0x00BBGGRR, row by row.
struct RgbImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::int32_t> pixels;
};

class CQ7Sprite256 {
public:
    CQ7Spritedata DT;
    CQ7Pos Pos;

    // Pos.Center_Base = CenterBase, DT.SetUP(W, H), Pos.ReSize(W, H),
    // Pos.Move(0, 0); every pixel and mask byte 0. A size DT refuses leaves
    // the sprite untouched and returns false.
    bool SetUP(std::int32_t W, std::int32_t H, int CenterBase);
    bool SetUP(std::int32_t W, std::int32_t H, bool CenterBase) = delete;  // True is -1, not C++ true
    // Sets the sprite up from a picture, each colour turned into its palette
    // index on g_Palette. A colour missing from the palette asks "APP END ?":
    // Yes ends the program, No stops here with the rest of the pixels left as
    // they are (returns false). A picture whose pixel list is shorter than its
    // size is refused.
    bool SetUP_2(const RgbImage& Pic, int CenterBase);
    void MaskReMake() { DT.MaskReMake(); }

    // (d OR mask) AND pixels: opaque pixels replace the target.
    void SpriteBlt(CQ7Sprite256& BackScreen);
    // Every pixel of the rectangle replaces the target, 255 included.
    void SpritePaint(CQ7Sprite256& BackScreen);
    // d OR mask: every opaque pixel becomes 255.
    void SpriteFlash(CQ7Sprite256& BackScreen);

    enum class DrawMode { Blt, Paint, Flash };

private:
    template <DrawMode M>
    void Draw(CQ7Sprite256& BackScreen);
    bool Drawable() const { return DT.IsSet() && Pos.Width() == DT.Width() && Pos.Height() == DT.Height(); }
};
