#include "core/resource_pack.h"

#include <cstring>

#include "core/byte_order.h"

namespace {

constexpr char kMagic[8] = {'Z', 'N', 'T', 'P', 'A', 'C', 'K', '1'};

const std::uint8_t* g_packData = nullptr;
std::size_t g_packSize = 0;

void AppendLE32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.resize(out.size() + 4);
    WriteLE32(out.data() + out.size() - 4, v);
}

}  // namespace

void SetResourcePack(const std::uint8_t* data, std::size_t size) {
    g_packData = data;
    g_packSize = data ? size : 0;
}

std::vector<ResourceRef> ListResources(std::span<const std::uint8_t> pack) {
    std::vector<ResourceRef> out;
    if (pack.size() < 12 || std::memcmp(pack.data(), kMagic, 8) != 0) return out;
    const std::uint8_t* base = pack.data();
    const std::size_t size = pack.size();
    std::uint32_t count = ReadLE32(base + 8);
    std::size_t at = 12;
    auto read_string = [&](std::string_view& s) {
        if (at + 1 > size) return false;
        std::size_t len = base[at++];
        if (at + len > size) return false;
        s = std::string_view(reinterpret_cast<const char*>(base + at), len);
        at += len;
        return true;
    };
    out.reserve(count < 4096 ? count : 4096);
    for (std::uint32_t i = 0; i < count; ++i) {
        ResourceRef ref;
        if (!read_string(ref.type) || !read_string(ref.name) || at + 8 > size) return {};
        std::uint32_t offset = ReadLE32(base + at);
        std::uint32_t length = ReadLE32(base + at + 4);
        at += 8;
        if (offset > size || length > size - offset) return {};
        ref.data = std::span<const std::uint8_t>(base + offset, length);
        out.push_back(ref);
    }
    return out;
}

std::vector<ResourceRef> ListResources() {
    return ListResources(std::span<const std::uint8_t>(g_packData, g_packSize));
}

std::optional<std::span<const std::uint8_t>> FindResource(std::string_view type, std::string_view name) {
    // The directory is small (under a thousand entries) and lookups happen at
    // start-up only, so a scan is enough.
    for (const ResourceRef& ref : ListResources())
        if (ref.type == type && ref.name == name) return ref.data;
    return std::nullopt;
}

std::optional<std::span<const std::uint8_t>> FindResource(std::string_view type, int id) {
    return FindResource(type, std::to_string(id));
}

std::vector<std::uint8_t> BuildResourcePack(const std::vector<ResourceEntry>& entries) {
    std::vector<std::uint8_t> dir;
    std::size_t header = 12;
    for (const ResourceEntry& e : entries) header += 1 + e.type.size() + 1 + e.name.size() + 8;
    std::vector<std::uint8_t> out(kMagic, kMagic + 8);
    AppendLE32(out, static_cast<std::uint32_t>(entries.size()));
    std::size_t offset = header;
    for (const ResourceEntry& e : entries) {
        out.push_back(static_cast<std::uint8_t>(e.type.size()));
        out.insert(out.end(), e.type.begin(), e.type.end());
        out.push_back(static_cast<std::uint8_t>(e.name.size()));
        out.insert(out.end(), e.name.begin(), e.name.end());
        AppendLE32(out, static_cast<std::uint32_t>(offset));
        AppendLE32(out, static_cast<std::uint32_t>(e.data.size()));
        offset += e.data.size();
    }
    for (const ResourceEntry& e : entries) out.insert(out.end(), e.data.begin(), e.data.end());
    return out;
}
