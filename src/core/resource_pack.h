// The program's own resources (sprites, palette texts, sound effects, music),
// carried inside the executable as one pack of bytes.
//
// Pack format, all numbers little-endian:
//   offset 0   8 bytes   magic "ZNTPACK1"
//   offset 8   u32       entry count N
//   then N directory entries:
//              u8 type length, type (ASCII, e.g. "CUSTOM", "STRING", "WAVE", "DMSEG"),
//              u8 name length, name (ASCII, e.g. "101", "1"),
//              u32 offset of the data from the start of the pack, u32 size
//   then the data.
// A pack whose directory runs past its end, or whose entries point outside it,
// is treated as empty: every lookup fails quietly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct ResourceEntry {
    std::string type;
    std::string name;
    std::vector<std::uint8_t> data;
};

struct ResourceRef {
    std::string_view type;
    std::string_view name;
    std::span<const std::uint8_t> data;
};

// Makes `data` the pack that lookups read. The bytes must outlive all lookups.
void SetResourcePack(const std::uint8_t* data, std::size_t size);

// The resource of that type and name, or nothing.
std::optional<std::span<const std::uint8_t>> FindResource(std::string_view type, std::string_view name);
std::optional<std::span<const std::uint8_t>> FindResource(std::string_view type, int id);

// Every entry of a pack, in directory order; empty for a malformed pack.
std::vector<ResourceRef> ListResources(std::span<const std::uint8_t> pack);
// The entries of the pack set with SetResourcePack.
std::vector<ResourceRef> ListResources();

// Builds a pack from entries (used by the build's packer and by tests).
std::vector<std::uint8_t> BuildResourcePack(const std::vector<ResourceEntry>& entries);
