// The resource pack's directory: entries running past the end, offsets and
// sizes out of range, lengths of zero.
#include <span>

#include "core/resource_pack.h"
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const ResourceRef& r : ListResources(std::span<const std::uint8_t>(data, size)))
        if (!r.data.empty()) (void)r.data.front(), (void)r.data.back();
    SetResourcePack(data, size);
    for (const char* type : {"CUSTOM", ""})
        for (int id : {1, 101})
            if (auto found = FindResource(type, id); found && !found->empty()) (void)found->back();
    SetResourcePack(nullptr, 0);
    return 0;
}
