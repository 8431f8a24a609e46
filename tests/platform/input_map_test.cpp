#include "platform/i_input_map.h"

#include <gtest/gtest.h>

TEST(InputMap, AxisSnapsToCentreAndEndStops) {
    const std::pair<int, int> cases[] = {
        {0, 5000},      {3276, 5000},    {-3276, 5000},   // inside the 10 % dead zone
        {32767, 10000}, {31130, 10000},  {-32768, 0},     // the outer 5 % read as the end
        {-31130, 0},    {31000, 9977},   {-31000, 23},    // nearly there is not there
        {17203, 7500},  {-17203, 2500},                    // halfway between dead zone and saturation
    };
    for (auto [raw, want] : cases) EXPECT_NEAR(NormalizePadAxis(raw), want, 1) << raw;
    for (int raw : {3277 + 100, 31000, -31000, 20000, -20000}) {
        const int v = NormalizePadAxis(raw);
        EXPECT_TRUE(v != 0 && v != 10000) << raw;
    }
}

TEST(InputMap, WindowsKeyCodes) {
    const std::pair<SDL_Keycode, int> cases[] = {
        {SDLK_ESCAPE, 27}, {SDLK_SPACE, 32}, {SDLK_PAGEUP, 33}, {SDLK_PAGEDOWN, 34}, {SDLK_c, 67},
        {SDLK_a, 65},      {SDLK_z, 90},     {SDLK_0, 48},      {SDLK_LEFT, 37},     {SDLK_DOWN, 40},
        {SDLK_RETURN, 13}, {SDLK_F1, 112},   {SDLK_F12, 123},   {SDLK_KP_0, 96},     {SDLK_KP_9, 105},
        {SDLK_LCTRL, 17},  {SDLK_WWW, 0},
    };
    for (auto [key, vk] : cases) EXPECT_EQ(VirtualKeyFromSdl(key), vk) << SDL_GetKeyName(key);
}

TEST(InputMap, KeyboardPadAndGetInputKeys) {
    EXPECT_EQ(KeyboardPadScancode(0), SDL_SCANCODE_Z);
    EXPECT_EQ(KeyboardPadScancode(11), SDL_SCANCODE_R);
    EXPECT_EQ(KeyboardPadScancode(12), SDL_SCANCODE_UNKNOWN);
    EXPECT_STREQ(KeyboardPadKeyName(3), "V");
    EXPECT_STREQ(KeyboardPadKeyName(-1), "");
    EXPECT_EQ(ScancodeFromDik(0xCB), SDL_SCANCODE_LEFT);
    EXPECT_EQ(ScancodeFromDik(0x9C), SDL_SCANCODE_KP_ENTER);
    EXPECT_EQ(ScancodeFromDik(0x02), SDL_SCANCODE_UNKNOWN);  // "1" is not one of GetInput's keys
}
