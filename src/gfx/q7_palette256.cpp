#include "gfx/q7_palette256.h"

#include <cctype>
#include <optional>

#include "core/resource_pack.h"
#include "core/vb.h"

std::uint8_t PalIndex8[256];
std::int16_t PalColor16[256];
std::uint32_t PalColor32[256];
std::int32_t ScreenColorBit = 32;
std::int32_t g_DisplayBitsPerPixel = 32;

CQ7Palette256 g_Palette;

namespace {

constexpr std::string_view kPaletteTag = "42428010";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The leading number of a field, as the count is read: blanks, a sign, digits
// and a fraction; anything else ends the number, and no digits read as 0.
double LeadingNumber(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    double v = 0.0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) v = v * 10.0 + (s[i++] - '0');
    if (i < s.size() && s[i] == '.') {
        double scale = 0.1;
        for (++i; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i, scale /= 10.0)
            v += (s[i] - '0') * scale;
    }
    return negative ? -v : v;
}

// A whole field as a colour value: the field must be one number (blanks
// around it allowed) that fits 32 bits, rounded halves to even.
std::optional<std::int32_t> WholeNumber(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    bool digits = false;
    for (; i < s.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(s[i]))) digits = true;
        else if (s[i] != '.') return std::nullopt;
    }
    if (!digits || s.find('.') != s.rfind('.')) return std::nullopt;
    double v = LeadingNumber(s);
    if (v >= 2147483647.5 || v < -2147483648.5) return std::nullopt;
    return RoundHalfEven(v);
}

}  // namespace

CQ7Palette256::CQ7Palette256() { Clear(); }

void CQ7Palette256::Clear() {
    PalColor[0] = 0;
    for (int i = 1; i < 255; ++i) PalColor[i] = 1;
    PalColor[255] = 0xFFFFFF;
}

void CQ7Palette256::Roll_Reset() {
    for (int i = 0; i < 256; ++i) {
        PalIndex8[i] = PalSave8[i];
        PalColor16[i] = PalSave16[i];
        PalColor32[i] = PalSave32[i];
    }
}

void CQ7Palette256::Roll_UP(std::int32_t StartPos, std::int32_t DT_Count, std::int32_t Fill_Value) {
    if (StartPos < 0 || DT_Count < 1 || DT_Count > 256 - StartPos) return;
    std::uint8_t in8;
    std::int16_t in16;
    std::uint32_t in32;
    if (Fill_Value == -1) {
        in8 = PalIndex8[StartPos];
        in16 = PalColor16[StartPos];
        in32 = PalColor32[StartPos];
    } else {
        std::int32_t index = GetColor8(Fill_Value);
        in8 = static_cast<std::uint8_t>(index < 0 ? 0 : index);
        in16 = ToColor16(Fill_Value);
        in32 = ToColor32(Fill_Value);
    }
    const std::int32_t last = StartPos + DT_Count - 1;
    for (std::int32_t i = StartPos; i < last; ++i) {
        PalIndex8[i] = PalIndex8[i + 1];
        PalColor16[i] = PalColor16[i + 1];
        PalColor32[i] = PalColor32[i + 1];
    }
    PalIndex8[last] = in8;
    PalColor16[last] = in16;
    PalColor32[last] = in32;
}

void CQ7Palette256::SetData(std::int32_t Index, std::int32_t Value) { PalColor[Index & 255] = Value; }

void CQ7Palette256::SetUpText(std::string_view Text, std::int32_t StartPos) {
    if (Text.size() <= 12 || Text.substr(0, 8) != kPaletteTag) return;
    // The count starts at the tenth character, right after the tag's "/".
    std::size_t slash = Text.find('/', 9);
    if (slash == std::string_view::npos) return;
    const std::int32_t count = RoundHalfEven(LeadingNumber(Text.substr(9, slash - 9)));
    for (std::int32_t k = 0; k < count; ++k) {
        std::size_t next = Text.find('/', slash + 1);
        if (next == std::string_view::npos) return;
        std::optional<std::int32_t> colour = WholeNumber(Text.substr(slash + 1, next - slash - 1));
        const std::int64_t index = std::int64_t{StartPos} + k;
        if (!colour || index < 0 || index > 255) return;
        PalColor[index] = *colour;
        slash = next;
    }
}

std::int32_t CQ7Palette256::GetColor32(std::int32_t Index) const { return PalColor[Index & 255]; }

std::int32_t CQ7Palette256::GetColor8(std::int32_t Col) const {
    if (Col == 0) return 0;
    if (Col == 0xFFFFFF) return 255;
    for (int i = 0; i < 256; ++i)
        if (PalColor[i] == Col) return i;
    return -1;
}

void CQ7Palette256::SetUP() {
    if (ScreenColorBit == 8) {
        for (int i = 0; i < 256; ++i) PalIndex8[i] = PalSave8[i] = static_cast<std::uint8_t>(i);
    }
    for (int i = 0; i < 256; ++i) {
        PalColor16[i] = PalSave16[i] = ToColor16(PalColor[i]);
        PalColor32[i] = PalSave32[i] = ToColor32(PalColor[i]);
    }
}

std::uint32_t CQ7Palette256::ToColor32(std::int32_t col) {
    const auto c = static_cast<std::uint32_t>(col);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

std::int16_t CQ7Palette256::ToColor16(std::int32_t col) {
    const auto c = static_cast<std::uint32_t>(col);
    const std::uint32_t r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    std::uint32_t r5 = r >> 3, g6 = g >> 2, b5 = b >> 3;
    if (r5 < 31) r5 += (r >> 2) & 1;
    if (g6 < 63) g6 += (g >> 1) & 1;
    if (b5 < 31) b5 += (b >> 2) & 1;
    return static_cast<std::int16_t>(static_cast<std::uint16_t>((r5 << 11) | (g6 << 5) | b5));
}

std::string GetPaletteText(std::int32_t id) {
    auto data = FindResource("STRING", id);
    if (!data) return {};
    return std::string(reinterpret_cast<const char*>(data->data()), data->size());
}
