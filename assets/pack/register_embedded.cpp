// Hands the pack that the build embedded into this program to the resource reader.
#include "core/resource_pack.h"

#include <cstddef>

extern "C" const unsigned char zenit_pack_data[];
extern "C" const unsigned long long zenit_pack_size;

namespace {
struct RegisterEmbeddedPack {
    RegisterEmbeddedPack() { SetResourcePack(zenit_pack_data, static_cast<std::size_t>(zenit_pack_size)); }
} g_registerEmbeddedPack;
}  // namespace
