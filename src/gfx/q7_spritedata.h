// CQ7Spritedata: the pixels of one image, an 8-bit pixel buffer and a mask
// buffer of the same shape, both held as little-endian 32-bit words so that
// drawing combines four pixels per operation.
//
// Pixel (x, y) is byte y * Width + x; rows follow each other without padding,
// so a word may span two rows. Pixel 255 is transparent; the mask byte is 0xFF
// where the pixel is drawn and 0x00 where it is transparent.
//
// Bounds: every accessor checks its coordinates. Reads outside the image give
// 0 (GetPtr/GetMaskPtr give nullptr), writes outside it are ignored, and the
// rectangle moves refuse (copy nothing, return false) a rectangle that does
// not lie inside the image or does not fit the scratch buffer.
#pragma once

#include <cstdint>
#include <vector>

class CQ7Pos;

// Engine-wide scratch buffers for clipped drawing: packed rectangles, the
// rectangle's width in bytes per row, rows back to back from byte 0.
extern std::vector<std::uint32_t> SpriteBuffer1;
extern std::vector<std::uint32_t> SpriteBuffer2;
extern std::vector<std::uint32_t> SpriteBuffer3;

class CQ7Spritedata {
public:
    // The largest image we accept; far above anything the game composes, and
    // it keeps a bad size from a file or text from taking all memory.
    static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 24;

    // Sets the size and allocates both buffers (words 0..LongCount), all zero.
    // Refuses (returns false, changes nothing) a width or height below 1 or
    // more than kMaxPixels pixels.
    bool SetUP(std::int32_t Width, std::int32_t Height);
    // True once SetUP has given the image a size; an unset image holds no buffers.
    bool IsSet() const { return pixel_count_ > 0; }

    // Every mask word 0..LongCount - 1 becomes opaque.
    void ALL_Paint();
    std::int32_t GetLongCount() const { return long_count_; }
    std::int32_t GetByteCount() const { return long_count_ * 4; }
    std::int32_t GetPixelCount() const { return pixel_count_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    // Rebuilds the mask from the pixels: 0xFF unless the pixel is 255.
    void MaskReMake();

    std::int32_t GetPixelData(std::int32_t x, std::int32_t y) const;
    // Pixel = low byte of value; the mask follows (255 transparent).
    void SetPixelData(std::int32_t x, std::int32_t y, std::int32_t value);
    // Word i, 0..LongCount (the last is the spare word).
    std::uint32_t GetLongData(std::int32_t i) const;
    // Sets pixel word i; the mask is left as it is.
    void SetLongData(std::int32_t i, std::uint32_t value);
    std::uint32_t GetMaskData(std::int32_t i) const;
    std::uint8_t* GetPtr(std::int32_t x, std::int32_t y);
    std::uint8_t* GetMaskPtr(std::int32_t x, std::int32_t y);

    // Copy the part Pos of this image, which lies at MyPos in screen
    // coordinates, into a scratch buffer (1 and 2: pixels, 3: mask), or
    // SpriteBuffer1 back into the pixels.
    bool SetSpriteBuffer1(const CQ7Pos& Pos, const CQ7Pos& MyPos);
    bool SetSpriteBuffer2(const CQ7Pos& Pos, const CQ7Pos& MyPos);
    bool SetSpriteBuffer3(const CQ7Pos& Pos, const CQ7Pos& MyPos);
    bool GetSpriteBuffer1(const CQ7Pos& Pos, const CQ7Pos& MyPos);

    // Copies Width * Height pixel bytes from src and rebuilds the mask, the
    // same as SetPixelData on every pixel (used by the loaders).
    void SetPixels(const std::uint8_t* src);

    // The word buffers themselves (LongCount + 1 words each, empty before SetUP).
    std::uint32_t* PixelWords() { return pixel_data_.data(); }
    const std::uint32_t* PixelWords() const { return pixel_data_.data(); }
    std::uint32_t* MaskWords() { return mask_data_.data(); }
    const std::uint32_t* MaskWords() const { return mask_data_.data(); }

private:
    enum class Move { ToScratch, FromScratch };
    bool MoveRect(const CQ7Pos& Pos, const CQ7Pos& MyPos, std::vector<std::uint32_t>& data,
                  std::vector<std::uint32_t>& scratch, Move direction);
    std::uint8_t* PixelBytes() { return reinterpret_cast<std::uint8_t*>(pixel_data_.data()); }
    const std::uint8_t* PixelBytes() const { return reinterpret_cast<const std::uint8_t*>(pixel_data_.data()); }
    std::uint8_t* MaskBytes() { return reinterpret_cast<std::uint8_t*>(mask_data_.data()); }
    bool Inside(std::int32_t x, std::int32_t y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    std::vector<std::uint32_t> pixel_data_;
    std::vector<std::uint32_t> mask_data_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::int32_t long_count_ = 0;
    std::int32_t pixel_count_ = 0;
};
