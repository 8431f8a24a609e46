// Choosing SDL's video driver: a display the player can see, or a clear
// refusal; an invisible driver only when SDL_VIDEODRIVER asks for one.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/i_sdl_display.h"

namespace {

// Sets environment variables for one test and puts the old values back.
class ScopedEnv {
public:
    ScopedEnv(std::initializer_list<std::pair<const char*, const char*>> vars) {
        for (auto [name, value] : vars) {
            const char* old = std::getenv(name);
            saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
            if (value)
                setenv(name, value, 1);
            else
                unsetenv(name);
        }
    }
    ~ScopedEnv() {
        for (auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace

TEST(SdlVideoStart, NeverFallsBackToAnInvisibleDriver) {
    // No X server answers on :999, no Wayland socket of that name exists.
    ScopedEnv env{{"SDL_VIDEODRIVER", nullptr}, {"DISPLAY", ":999"}, {"WAYLAND_DISPLAY", "zenit-test-none"}};
    ASSERT_FALSE(SDL_WasInit(SDL_INIT_VIDEO));
    std::string why;
    if (SdlVideoStart(&why)) {
        // Only a console display (KMSDRM) could still open here: a visible one.
        EXPECT_FALSE(SdlVideoDriverIsInvisible(SDL_GetCurrentVideoDriver())) << SDL_GetCurrentVideoDriver();
        SdlVideoStop();
        return;
    }
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_VIDEO));
    EXPECT_NE(why.find("cannot open display :999"), std::string::npos) << why;
    EXPECT_NE(why.find("x11: "), std::string::npos) << why;
    EXPECT_EQ(why.find('\n'), std::string::npos) << "one line: " << why;
}

TEST(SdlVideoStart, TakesTheDriverSdlVideoDriverAsksFor) {
    for (const char* driver : {"offscreen", "dummy"}) {
        ScopedEnv env{{"SDL_VIDEODRIVER", driver}, {"DISPLAY", nullptr}};
        std::string why;
        ASSERT_TRUE(SdlVideoStart(&why)) << driver << ": " << why;
        EXPECT_STREQ(SDL_GetCurrentVideoDriver(), driver);
        // A second start is one more reference on the same video.
        ASSERT_TRUE(SdlVideoStart(&why));
        SdlVideoStop();
        EXPECT_TRUE(SDL_WasInit(SDL_INIT_VIDEO));
        SdlVideoStop();
        EXPECT_FALSE(SDL_WasInit(SDL_INIT_VIDEO));
    }
}
