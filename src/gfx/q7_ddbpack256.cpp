#include "gfx/q7_ddbpack256.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "core/byte_order.h"
#include "core/message_box.h"
#include "core/resource_pack.h"
#include "gfx/pixel_map.h"
#include "gfx/q7_palette256.h"

std::vector<std::uint8_t> ScreenCopy8;
std::vector<std::uint8_t> ScreenOut8;
std::vector<std::int16_t> ScreenOut16;
std::vector<std::uint32_t> ScreenOut32;

CQ7DDBPack256 g_DDBPack;

namespace {

FramePresenter g_presenter;

// Sprite texts hold at most 10920 pixels (five-digit sizes, three digits a pixel).
constexpr std::int32_t kTextPixelLimit = 10921;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Writes the whole buffer and closes the file; false if either fails.
bool WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (!f) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}

// The value of a run of decimal digits, or -1 if any character is not a digit.
std::int32_t Digits(std::string_view s) {
    std::int32_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

std::int32_t BytesPerPixel(std::int32_t depth) { return depth == 8 ? 1 : depth == 16 ? 2 : 4; }

}  // namespace

FramePresenter SetFramePresenter(FramePresenter presenter) {
    FramePresenter old = std::move(g_presenter);
    g_presenter = std::move(presenter);
    return old;
}

CQ7DDBPack256::CQ7DDBPack256() : sprites_(kSpriteCount) { BltClear(-1); }

// The engine-wide buffers free themselves at exit; the global pack is
// destroyed then too, in no fixed order with them, so it leaves them alone.
CQ7DDBPack256::~CQ7DDBPack256() = default;

void CQ7DDBPack256::SetBuffer(std::int32_t Size_Value) {
    const std::size_t size = Size_Value < 0 ? 1 : static_cast<std::size_t>(Size_Value) + 1;
    for (auto* buffer : {&SpriteBuffer1, &SpriteBuffer2, &SpriteBuffer3}) buffer->assign(size, 0);
}

CQ7Sprite256& CQ7DDBPack256::GetSprite(std::int32_t ID) { return ValidId(ID) ? sprites_[ID] : outside_; }

bool CQ7DDBPack256::Load(std::int32_t ID, std::int32_t w, std::int32_t h, const std::uint8_t* pixels) {
    CQ7Sprite256& sprite = sprites_[ID];
    if (!sprite.SetUP(w, h, VB_TRUE)) return false;
    sprite.DT.SetPixels(pixels);
    return true;
}

std::int32_t CQ7DDBPack256::LoadRES(std::int32_t ID, std::int32_t RES_ID, std::string_view ID_TYPE) {
    if (!ValidId(ID)) return RES_ID;
    auto data = FindResource(ID_TYPE, RES_ID);
    if (!data || data->size() < 4) return RES_ID;
    const std::uint8_t* bytes = data->data();
    const std::int32_t w = bytes[0] * 256 + bytes[1];
    const std::int32_t h = bytes[2] * 256 + bytes[3];
    if (data->size() - 4 < static_cast<std::size_t>(w) * static_cast<std::size_t>(h)) return RES_ID;
    return Load(ID, w, h, bytes + 4) ? 0 : RES_ID;
}

bool CQ7DDBPack256::SaveRES(std::int32_t ID, const std::string& FileName) {
    const CQ7Spritedata& dt = GetSprite(ID).DT;
    if (!dt.IsSet() || dt.Width() > 0xFFFF || dt.Height() > 0xFFFF) return false;
    std::vector<std::uint8_t> out(4 + static_cast<std::size_t>(dt.GetPixelCount()));
    out[0] = static_cast<std::uint8_t>(dt.Width() >> 8);
    out[1] = static_cast<std::uint8_t>(dt.Width() & 0xFF);
    out[2] = static_cast<std::uint8_t>(dt.Height() >> 8);
    out[3] = static_cast<std::uint8_t>(dt.Height() & 0xFF);
    std::memcpy(out.data() + 4, dt.PixelWords(), static_cast<std::size_t>(dt.GetPixelCount()));
    return WriteFile(FileName, out);
}

bool CQ7DDBPack256::SaveFile(std::int32_t ID, const std::string& FileName) {
    const CQ7Spritedata& dt = GetSprite(ID).DT;
    if (!dt.IsSet()) return false;
    std::vector<std::uint8_t> out(16 + static_cast<std::size_t>(dt.GetByteCount()));
    WriteLE32(&out[0], kSpriteFileTag);
    WriteLE32(&out[4], static_cast<std::uint32_t>(dt.Width()));
    WriteLE32(&out[8], static_cast<std::uint32_t>(dt.Height()));
    WriteLE32(&out[12], 0);
    for (std::int32_t i = 0; i < dt.GetLongCount(); ++i) WriteLE32(&out[16 + 4 * static_cast<std::size_t>(i)], dt.GetLongData(i));
    return WriteFile(FileName, out);
}

bool CQ7DDBPack256::LoadFile(std::int32_t ID, const std::string& FileName) {
    auto load_error = [] {
        ShowMessageBox("Load Error", kProgramTitle, MsgBoxStyle::Ok);
        return false;
    };
    if (!ValidId(ID)) return false;
    File f(std::fopen(FileName.c_str(), "rb"));
    std::uint8_t header[16];
    if (!f || std::fread(header, 1, sizeof header, f.get()) != sizeof header) return load_error();
    const auto tag = static_cast<std::int32_t>(ReadLE32(header));
    const auto w = static_cast<std::int32_t>(ReadLE32(header + 4));
    const auto h = static_cast<std::int32_t>(ReadLE32(header + 8));
    if (tag != kSpriteFileTag || w <= 0 || h <= 0 || std::int64_t{w} * h > CQ7Spritedata::kMaxPixels) return false;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    if (std::fread(pixels.data(), 1, pixels.size(), f.get()) != pixels.size()) return load_error();
    // The padding to a whole word that follows is not needed.
    return Load(ID, w, h, pixels.data());
}

bool CQ7DDBPack256::SetSpriteText(std::int32_t ID, std::string_view TXT) {
    if (!ValidId(ID) || TXT.size() < 10) return false;
    const std::int32_t w = Digits(TXT.substr(0, 5));
    const std::int32_t h = Digits(TXT.substr(5, 5));
    if (w < 1 || h < 1 || std::int64_t{w} * h > CQ7Spritedata::kMaxPixels) return false;
    const auto count = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    if (TXT.size() < 10 + 3 * count) return false;
    std::vector<std::uint8_t> pixels(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::int32_t v = Digits(TXT.substr(10 + 3 * i, 3));
        if (v < 0) return false;
        pixels[i] = static_cast<std::uint8_t>(v & 0xFF);  // 256..999 keep their low byte
    }
    return Load(ID, w, h, pixels.data());
}

std::string CQ7DDBPack256::GetSpriteText(std::int32_t ID) {
    const CQ7Spritedata& dt = GetSprite(ID).DT;
    if (dt.GetPixelCount() >= kTextPixelLimit) {
        ShowMessageBox("Error Data Over", kProgramTitle, MsgBoxStyle::Ok);
        return {};
    }
    std::string text(10 + 3 * static_cast<std::size_t>(dt.GetPixelCount()), '0');
    char size[16];
    std::snprintf(size, sizeof size, "%05d%05d", dt.Width(), dt.Height());
    text.replace(0, 10, size, 10);
    const auto* pixels = reinterpret_cast<const std::uint8_t*>(dt.PixelWords());
    for (std::int32_t i = 0; i < dt.GetPixelCount(); ++i) {
        char* at = text.data() + 10 + 3 * static_cast<std::size_t>(i);
        at[0] = static_cast<char>('0' + pixels[i] / 100);
        at[1] = static_cast<char>('0' + pixels[i] / 10 % 10);
        at[2] = static_cast<char>('0' + pixels[i] % 10);
    }
    return text;
}

bool CQ7DDBPack256::AddBlt(const CQ7Pos& MyPos, std::int32_t ID, std::int32_t Layer, std::int32_t Target_ID,
                           std::int32_t Mode) {
    if (!ValidId(ID) || !ValidId(Target_ID) || !ValidLayer(Layer)) return false;
    const std::int32_t k = layer_next_[Layer];
    if (k >= (Layer + 1) * kLayerSize) return false;
    CQ7Pos& pos = queue_pos_[k];
    sprites_[ID].Pos.Copy(pos);
    if (MyPos.Center_Base() == VB_TRUE) {
        pos.SetCenterX(MyPos.CenterX());
        pos.SetCenterY(MyPos.CenterY());
    } else {
        pos.SetLeft(MyPos.Left());
        pos.SetTop(MyPos.Top());
    }
    queue_id_[k] = ID;
    queue_target_[k] = Target_ID;
    queue_mode_[k] = Mode;
    layer_next_[Layer] = k + 1;
    return true;
}

void CQ7DDBPack256::Blt() {
    for (std::int32_t layer = 0; layer < kLayerCount; ++layer) {
        for (std::int32_t k = layer * kLayerSize; k < layer_next_[layer]; ++k) {
            CQ7Sprite256& sprite = sprites_[queue_id_[k]];
            CQ7Sprite256& target = sprites_[queue_target_[k]];
            sprite.Pos.SetLeft(queue_pos_[k].Left());
            sprite.Pos.SetTop(queue_pos_[k].Top());
            switch (queue_mode_[k]) {
            case 0: sprite.SpriteBlt(target); break;
            case 1: sprite.SpritePaint(target); break;
            case 2: sprite.SpriteFlash(target); break;
            default: break;
            }
        }
    }
}

void CQ7DDBPack256::BltClear(std::int32_t Layer) {
    if (Layer == -1) {
        for (std::int32_t l = 0; l < kLayerCount; ++l) layer_next_[l] = l * kLayerSize;
    } else if (ValidLayer(Layer)) {
        layer_next_[Layer] = Layer * kLayerSize;
    }
}

void CQ7DDBPack256::BltClear_Not_0() {
    for (std::int32_t l = 1; l < kLayerCount; ++l) layer_next_[l] = l * kLayerSize;
}

std::int32_t CQ7DDBPack256::QueuedCount(std::int32_t Layer) const {
    return ValidLayer(Layer) ? layer_next_[Layer] - Layer * kLayerSize : 0;
}

void CQ7DDBPack256::Screen_Active() {
    if (ScreenColorBit == 8) g_Palette.SetUP();
}

void CQ7DDBPack256::BGSetUp(std::int32_t BGWidth, std::int32_t BGHeight, std::int32_t SCWidth,
                            std::int32_t SCHeight, std::int32_t LongBufferSize, int CenterBase) {
    ScreenColorBit = g_DisplayBitsPerPixel;
    CQ7Sprite256& back = sprites_[0];
    if (!back.SetUP(BGWidth, BGHeight, CenterBase)) return;
    sc_width_ = SCWidth;
    sc_height_ = SCHeight;
    back.Pos.SetLeft(0);
    back.Pos.SetTop(0);
    g_Palette.SetUP();
    // A buffer smaller than the back screen would not hold a mapped frame.
    const std::int32_t last = std::max(LongBufferSize, back.DT.GetPixelCount());
    const auto size = static_cast<std::size_t>(last) + 1;
    ScreenOut32.assign(size, 0);
    SetBuffer(last);
    ScreenOut16.assign(size, 0);
    ScreenOut8.assign(size, 0);
    ScreenCopy8.assign(static_cast<std::size_t>(back.DT.GetByteCount()) + 1, 0);
    set_up_done_ = true;
}

void CQ7DDBPack256::SetUP_END() {
    std::vector<std::uint8_t>().swap(ScreenCopy8);
    std::vector<std::uint8_t>().swap(ScreenOut8);
    std::vector<std::int16_t>().swap(ScreenOut16);
    std::vector<std::uint32_t>().swap(ScreenOut32);
    set_up_done_ = false;
}

void CQ7DDBPack256::Cls(bool ColorWhite) {
    CQ7Spritedata& dt = sprites_[0].DT;
    if (!dt.IsSet()) return;
    std::fill_n(dt.PixelWords(), dt.GetLongCount() + 1, ColorWhite ? 0xFFFFFFFFu : 0u);
}

namespace {

bool IsIdentity(const std::uint8_t* table) {
    bool identity = true;
    for (int i = 0; i < 256; ++i) identity &= table[i] == i;
    return identity;
}

// PalColor32 prepared for mapping; re-prepared only when cycling changed it.
PixelMap32& Map32() {
    static PixelMap32 map;
    map.SetTable(PalColor32);
    return map;
}

}  // namespace

bool CQ7DDBPack256::MapFrame32() {
    const CQ7Spritedata& back = sprites_[0].DT;
    const auto n = static_cast<std::size_t>(back.GetPixelCount());
    // Sprite 0 may have been set up again at another size since BGSetUp.
    if (!set_up_done_ || !back.IsSet() || ScreenCopy8.size() < n || ScreenOut32.size() < n) return false;
    std::memcpy(ScreenCopy8.data(), back.PixelWords(), n);
    Map32().MapRun(ScreenCopy8.data(), reinterpret_cast<std::uint8_t*>(ScreenOut32.data()), n);
    return true;
}

// The surface gets the same rows as mapping into ScreenOut and copying them
// over, but each row is mapped straight into place: one pass, not three.
void CQ7DDBPack256::DirectBlt(std::uint8_t* dest, std::int32_t pitch) {
    const CQ7Spritedata& back = sprites_[0].DT;
    const std::int32_t depth = ScreenColorBit;
    const auto width = static_cast<std::size_t>(back.Width());
    if (!set_up_done_ || !back.IsSet() || !dest || pitch < 0 ||
        static_cast<std::size_t>(pitch) < width * static_cast<std::size_t>(BytesPerPixel(depth)))
        return;
    const auto* src = reinterpret_cast<const std::uint8_t*>(back.PixelWords());
    if (depth != 8 && depth != 16) {
        Map32().MapRows(src, back.Width(), dest, pitch, back.Width(), back.Height());
        return;
    }
    // An 8-bit display with its palette loaded index for index takes the pixels as they are.
    const bool copy = depth == 8 && IsIdentity(PalIndex8);
    for (std::int32_t r = 0; r < back.Height(); ++r, src += width) {
        std::uint8_t* row = dest + static_cast<std::size_t>(r) * static_cast<std::size_t>(pitch);
        if (copy) std::memcpy(row, src, width);
        else if (depth == 8) MapPixels(src, row, width, PalIndex8);
        else MapPixels(src, row, width, PalColor16);
    }
}

void CQ7DDBPack256::PresentWindow(const char* name, std::int32_t dest_w, std::int32_t dest_h) {
    if (!MapFrame32() || !g_presenter) return;
    const CQ7Spritedata& back = sprites_[0].DT;
    const std::string error = g_presenter(ScreenOut32.data(), back.Width(), back.Height(), dest_w, dest_h);
    if (!error.empty()) FatalError(std::string(name) + error);
}

void CQ7DDBPack256::BGBlt() {
    const CQ7Spritedata& back = sprites_[0].DT;
    PresentWindow("BGBlt", back.Width(), back.Height());
}

void CQ7DDBPack256::BGstrBlt(std::int32_t W, std::int32_t H) {
    PresentWindow("BGstrBlt", W == 0 ? sc_width_ : W, H == 0 ? sc_height_ : H);
}
