#include "gfx/q7_spritedata.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/q7_pos.h"

// The word view of the pixels depends on it: word k holds pixels 4k .. 4k + 3.
static_assert(std::endian::native == std::endian::little, "sprite words are little-endian");

std::vector<std::uint32_t> SpriteBuffer1;
std::vector<std::uint32_t> SpriteBuffer2;
std::vector<std::uint32_t> SpriteBuffer3;

bool CQ7Spritedata::SetUP(std::int32_t Width, std::int32_t Height) {
    if (Width < 1 || Height < 1 || std::int64_t{Width} * Height > kMaxPixels) return false;
    width_ = Width;
    height_ = Height;
    pixel_count_ = Width * Height;
    long_count_ = (pixel_count_ + 3) / 4;
    pixel_data_.assign(static_cast<std::size_t>(long_count_) + 1, 0);
    mask_data_.assign(static_cast<std::size_t>(long_count_) + 1, 0);
    return true;
}

void CQ7Spritedata::ALL_Paint() {
    if (IsSet()) std::fill(mask_data_.begin(), mask_data_.begin() + long_count_, 0xFFFFFFFFu);
}

void CQ7Spritedata::MaskReMake() {
    const std::uint8_t* pixels = PixelBytes();
    std::uint8_t* mask = MaskBytes();
    for (std::int32_t i = 0; i < pixel_count_; ++i) mask[i] = pixels[i] == 255 ? 0x00 : 0xFF;
}

std::int32_t CQ7Spritedata::GetPixelData(std::int32_t x, std::int32_t y) const {
    return Inside(x, y) ? PixelBytes()[y * width_ + x] : 0;
}

void CQ7Spritedata::SetPixelData(std::int32_t x, std::int32_t y, std::int32_t value) {
    if (!Inside(x, y)) return;
    const auto byte = static_cast<std::uint8_t>(value & 0xFF);
    PixelBytes()[y * width_ + x] = byte;
    MaskBytes()[y * width_ + x] = byte == 255 ? 0x00 : 0xFF;
}

std::uint32_t CQ7Spritedata::GetLongData(std::int32_t i) const {
    return IsSet() && i >= 0 && i <= long_count_ ? pixel_data_[i] : 0;
}

void CQ7Spritedata::SetLongData(std::int32_t i, std::uint32_t value) {
    if (IsSet() && i >= 0 && i <= long_count_) pixel_data_[i] = value;
}

std::uint32_t CQ7Spritedata::GetMaskData(std::int32_t i) const {
    return IsSet() && i >= 0 && i <= long_count_ ? mask_data_[i] : 0;
}

std::uint8_t* CQ7Spritedata::GetPtr(std::int32_t x, std::int32_t y) {
    return Inside(x, y) ? PixelBytes() + y * width_ + x : nullptr;
}

std::uint8_t* CQ7Spritedata::GetMaskPtr(std::int32_t x, std::int32_t y) {
    return Inside(x, y) ? MaskBytes() + y * width_ + x : nullptr;
}

void CQ7Spritedata::SetPixels(const std::uint8_t* src) {
    if (!IsSet()) return;
    std::memcpy(PixelBytes(), src, static_cast<std::size_t>(pixel_count_));
    MaskReMake();
}

bool CQ7Spritedata::MoveRect(const CQ7Pos& Pos, const CQ7Pos& MyPos, std::vector<std::uint32_t>& data,
                             std::vector<std::uint32_t>& scratch, Move direction) {
    // One check for the whole rectangle, then plain row copies.
    const std::int64_t dx = std::int64_t{Pos.Left()} - MyPos.Left();
    const std::int64_t r0 = std::int64_t{Pos.Top()} - MyPos.Top();
    const std::int64_t w = Pos.Width();
    const std::int64_t h = std::int64_t{Pos.Bottom()} - Pos.Top() + 1;
    if (!IsSet() || dx < 0 || r0 < 0 || w < 1 || h < 1 || dx + w > width_ || r0 + h > height_ ||
        w * h > static_cast<std::int64_t>(scratch.size()) * 4)
        return false;
    auto* image = reinterpret_cast<std::uint8_t*>(data.data()) + r0 * width_ + dx;
    auto* packed = reinterpret_cast<std::uint8_t*>(scratch.data());
    const auto row = static_cast<std::size_t>(w);
    for (std::int64_t r = 0; r < h; ++r, image += width_, packed += row) {
        if (direction == Move::ToScratch) std::memcpy(packed, image, row);
        else std::memcpy(image, packed, row);
    }
    return true;
}

bool CQ7Spritedata::SetSpriteBuffer1(const CQ7Pos& Pos, const CQ7Pos& MyPos) {
    return MoveRect(Pos, MyPos, pixel_data_, SpriteBuffer1, Move::ToScratch);
}

bool CQ7Spritedata::SetSpriteBuffer2(const CQ7Pos& Pos, const CQ7Pos& MyPos) {
    return MoveRect(Pos, MyPos, pixel_data_, SpriteBuffer2, Move::ToScratch);
}

bool CQ7Spritedata::SetSpriteBuffer3(const CQ7Pos& Pos, const CQ7Pos& MyPos) {
    return MoveRect(Pos, MyPos, mask_data_, SpriteBuffer3, Move::ToScratch);
}

bool CQ7Spritedata::GetSpriteBuffer1(const CQ7Pos& Pos, const CQ7Pos& MyPos) {
    return MoveRect(Pos, MyPos, pixel_data_, SpriteBuffer1, Move::FromScratch);
}
