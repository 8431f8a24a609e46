#include "gfx/q7_sprite256.h"

#include <cstdio>
#include <string>

#include "core/message_box.h"
#include "gfx/q7_palette256.h"

namespace {

using DrawMode = CQ7Sprite256::DrawMode;

// Combines n target words with the source's pixel words s and mask words m;
// each mode reads only what its rule needs.
template <DrawMode M>
void CombineWords(std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* m, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        if constexpr (M == DrawMode::Blt) d[i] = (d[i] | m[i]) & s[i];
        else if constexpr (M == DrawMode::Paint) d[i] = s[i];
        else d[i] = d[i] | m[i];
    }
}

}  // namespace

bool CQ7Sprite256::SetUP(std::int32_t W, std::int32_t H, int CenterBase) {
    if (!DT.SetUP(W, H)) return false;
    Pos.SetCenter_Base(CenterBase);
    Pos.ReSize(W, H);
    Pos.Move(0, 0);
    return true;
}

bool CQ7Sprite256::SetUP_2(const RgbImage& Pic, int CenterBase) {
    const std::int64_t count = std::int64_t{Pic.width} * Pic.height;
    if (Pic.width < 1 || Pic.height < 1 || static_cast<std::int64_t>(Pic.pixels.size()) < count) return false;
    if (!SetUP(Pic.width, Pic.height, CenterBase)) return false;
    for (std::int32_t y = 0; y < Pic.height; ++y) {
        for (std::int32_t x = 0; x < Pic.width; ++x) {
            const std::int32_t colour = Pic.pixels[static_cast<std::size_t>(y) * Pic.width + x];
            const std::int32_t index = g_Palette.GetColor8(colour);
            if (index == -1) {
                char hex[16];
                std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(colour));
                const std::string text = std::string("Error ByteData -1\r\n\r\n") + hex + "\r\n\r\nAPP END ?";
                if (ShowMessageBox(text, "Q7Sprite256", MsgBoxStyle::YesNo) == MsgBoxResult::Yes) EndProgram(0);
                return false;
            }
            DT.SetPixelData(x, y, index);
        }
    }
    return true;
}

template <DrawMode M>
void CQ7Sprite256::Draw(CQ7Sprite256& BackScreen) {
    if (!Drawable() || !BackScreen.Drawable()) return;
    CQ7Pos clip;
    if (!Pos.GetClip(clip, BackScreen.Pos)) return;
    const std::int32_t cw = clip.Width();
    const std::int32_t ch = clip.Height();
    CQ7Spritedata& target = BackScreen.DT;

    // Both images exactly as wide as the overlap: work on the buffers in place.
    // Rows only line up on words when the width is a multiple of 4; other
    // widths take the packed paths below.
    if (BackScreen.Pos.Width() == cw && Pos.Width() == cw && cw % 4 == 0) {
        const std::int64_t n = cw / 4;
        const std::int64_t src = (std::int64_t{clip.Top()} - Pos.Top()) * n;
        const std::int64_t dst = (std::int64_t{clip.Top()} - BackScreen.Pos.Top()) * n;
        CombineWords<M>(target.PixelWords() + dst, DT.PixelWords() + src, DT.MaskWords() + src,
                        static_cast<std::size_t>(ch) * n);
        return;
    }

    const std::int64_t words = (std::int64_t{cw} * ch + 3) / 4;
    ReserveSpriteBuffers(words);
    if (Pos.Equal(clip)) {
        // Wholly inside the target: the sprite's own buffers are already packed
        // at the clip width.
        if constexpr (M != DrawMode::Paint) target.SetSpriteBuffer1(clip, BackScreen.Pos);
        CombineWords<M>(SpriteBuffer1.data(), DT.PixelWords(), DT.MaskWords(), DT.GetLongCount());
        target.GetSpriteBuffer1(clip, BackScreen.Pos);
    } else if (BackScreen.Pos.Equal(clip)) {
        // Covers the whole target: the target is packed already.
        if constexpr (M != DrawMode::Flash) DT.SetSpriteBuffer2(clip, Pos);
        if constexpr (M != DrawMode::Paint) DT.SetSpriteBuffer3(clip, Pos);
        CombineWords<M>(target.PixelWords(), SpriteBuffer2.data(), SpriteBuffer3.data(), target.GetLongCount());
    } else {
        if constexpr (M != DrawMode::Paint) target.SetSpriteBuffer1(clip, BackScreen.Pos);
        if constexpr (M != DrawMode::Flash) DT.SetSpriteBuffer2(clip, Pos);
        if constexpr (M != DrawMode::Paint) DT.SetSpriteBuffer3(clip, Pos);
        CombineWords<M>(SpriteBuffer1.data(), SpriteBuffer2.data(), SpriteBuffer3.data(),
                        static_cast<std::size_t>(words));
        target.GetSpriteBuffer1(clip, BackScreen.Pos);
    }
}

void CQ7Sprite256::SpriteBlt(CQ7Sprite256& BackScreen) { Draw<DrawMode::Blt>(BackScreen); }
void CQ7Sprite256::SpritePaint(CQ7Sprite256& BackScreen) { Draw<DrawMode::Paint>(BackScreen); }
void CQ7Sprite256::SpriteFlash(CQ7Sprite256& BackScreen) { Draw<DrawMode::Flash>(BackScreen); }
