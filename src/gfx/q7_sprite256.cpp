#include "gfx/q7_sprite256.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "core/message_box.h"
#include "gfx/q7_palette256.h"

namespace {

using DrawMode = CQ7Sprite256::DrawMode;

// The rule of each mode on a word of target d, source pixels s and mask m.
// Every byte combines on its own, so any word size gives the same pixels.
template <DrawMode M, class Word>
inline Word Combine(Word d, Word s, Word m) {
    if constexpr (M == DrawMode::Blt) return (d | m) & s;
    else if constexpr (M == DrawMode::Paint) return s;
    else return d | m;
}

// Combines n target bytes with the source's pixel bytes s and mask bytes m,
// at any alignment: 16 bytes a step, then eight, then one. An opaque copy is
// a block move (an image drawn onto itself may overlap).
template <DrawMode M>
inline void CombineRow(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t* m, std::size_t n) {
    if constexpr (M == DrawMode::Paint) {
        std::memmove(d, s, n);
    } else {
        using Wide = std::uint64_t __attribute__((vector_size(16)));
        std::size_t i = 0;
        for (; i + 16 <= n; i += 16) {
            Wide dv, sv, mv;
            std::memcpy(&dv, d + i, 16);
            std::memcpy(&sv, s + i, 16);
            std::memcpy(&mv, m + i, 16);
            dv = Combine<M>(dv, sv, mv);
            std::memcpy(d + i, &dv, 16);
        }
        for (; i + 8 <= n; i += 8) {
            std::uint64_t dv, sv, mv;
            std::memcpy(&dv, d + i, 8);
            std::memcpy(&sv, s + i, 8);
            std::memcpy(&mv, m + i, 8);
            dv = Combine<M>(dv, sv, mv);
            std::memcpy(d + i, &dv, 8);
        }
        for (; i < n; ++i) d[i] = Combine<M>(d[i], s[i], m[i]);
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
    // widths take the row path below.
    if (BackScreen.Pos.Width() == cw && Pos.Width() == cw && cw % 4 == 0) {
        const std::int64_t n = cw / 4;
        const std::int64_t src = (std::int64_t{clip.Top()} - Pos.Top()) * n;
        const std::int64_t dst = (std::int64_t{clip.Top()} - BackScreen.Pos.Top()) * n;
        auto bytes = [](auto* words) { return reinterpret_cast<std::uint8_t*>(words); };
        CombineRow<M>(bytes(target.PixelWords() + dst), bytes(DT.PixelWords() + src), bytes(DT.MaskWords() + src),
                      static_cast<std::size_t>(ch) * n * 4);
        return;
    }

    // Otherwise (the sprite inside the target, covering it, or overlapping part
    // of it) combine the clipped rows in place. Rows of a packed piece would
    // combine byte for byte the same, so there is no need to move them through
    // the scratch buffers and back.
    const std::int32_t tw = target.Width();
    const std::int32_t sw = DT.Width();
    auto* d = reinterpret_cast<std::uint8_t*>(target.PixelWords()) +
              (std::int64_t{clip.Top()} - BackScreen.Pos.Top()) * tw + (std::int64_t{clip.Left()} - BackScreen.Pos.Left());
    const std::int64_t from = (std::int64_t{clip.Top()} - Pos.Top()) * sw + (std::int64_t{clip.Left()} - Pos.Left());
    const auto* s = reinterpret_cast<const std::uint8_t*>(DT.PixelWords()) + from;
    const auto* m = reinterpret_cast<const std::uint8_t*>(DT.MaskWords()) + from;
    for (std::int32_t r = 0; r < ch; ++r, d += tw, s += sw, m += sw) CombineRow<M>(d, s, m, static_cast<std::size_t>(cw));
}

void CQ7Sprite256::SpriteBlt(CQ7Sprite256& BackScreen) { Draw<DrawMode::Blt>(BackScreen); }
void CQ7Sprite256::SpritePaint(CQ7Sprite256& BackScreen) { Draw<DrawMode::Paint>(BackScreen); }
void CQ7Sprite256::SpriteFlash(CQ7Sprite256& BackScreen) { Draw<DrawMode::Flash>(BackScreen); }
