// The three ways a sprite comes in: a CUSTOM resource (big-endian width and
// height, then pixels), a sprite file (tag, width, height, 0, pixel words)
// and a sprite text (digits). The same bytes go through all three.
#include <sys/mman.h>
#include <unistd.h>

#include <string>

#include "core/message_box.h"
#include "core/resource_pack.h"
#include "fuzz_target.h"
#include "gfx/q7_ddbpack256.h"

namespace {

constexpr int kSprite = 7;

// An in-memory file the sprite file reader can open by name.
class MemoryFile {
public:
    MemoryFile() : fd_(::memfd_create("sprite", 0)) {}
    ~MemoryFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    std::string Fill(const std::uint8_t* data, std::size_t size) {
        if (fd_ < 0 || ::ftruncate(fd_, 0) != 0 || ::pwrite(fd_, data, size, 0) != static_cast<ssize_t>(size))
            return {};
        return "/proc/self/fd/" + std::to_string(fd_);
    }

private:
    int fd_;
};

void Touch(const CQ7Spritedata& dt) {
    if (dt.IsSet()) (void)dt.GetPixelData(dt.Width() - 1, dt.Height() - 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = [] {
        SetMessageBoxHandler([](std::string_view, std::string_view, MsgBoxStyle) { return MsgBoxResult::Ok; });
        return true;
    }();
    (void)quiet;
    static MemoryFile file;

    const std::vector<std::uint8_t> pack =
        BuildResourcePack({{"CUSTOM", std::to_string(kSprite), std::vector<std::uint8_t>(data, data + size)}});
    SetResourcePack(pack.data(), pack.size());
    g_DDBPack.LoadRES(kSprite, kSprite, "CUSTOM");
    Touch(g_DDBPack.GetSprite(kSprite).DT);
    SetResourcePack(nullptr, 0);

    const std::string path = file.Fill(data, size);
    if (!path.empty()) g_DDBPack.LoadFile(kSprite, path);
    Touch(g_DDBPack.GetSprite(kSprite).DT);

    g_DDBPack.SetSpriteText(kSprite, FuzzText(data, size));
    Touch(g_DDBPack.GetSprite(kSprite).DT);
    return 0;
}
