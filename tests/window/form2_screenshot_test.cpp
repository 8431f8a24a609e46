// The settings dialog on a real X display (Xvfb): what it draws, compared
// with a checked-in picture, and a click-through from choosing a button to
// starting the game.
//
// To renew the picture after a deliberate change of the dialog's look, run
// the test with ZENIT_UPDATE_REFERENCE=1 and check the new file by eye.
#include <SDL.h>
#include <gtest/gtest.h>
#include <stb_image.h>
#include <stb_image_write.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/form2.h"
#include "app/settings.h"
#include "app/zenit02.h"
#include "core/clock.h"
#include "window/x_screen.h"

namespace {

const std::string kReference = std::string(ZENIT_SOURCE_DIR) + "/tests/window/form2_reference.png";
const std::string kActual = std::string(ZENIT_BINARY_DIR) + "/form2_actual.png";

using Image = std::vector<std::uint32_t>;  // ARGB, Form2::kWidth x Form2::kHeight

bool SavePng(const std::string& file, const Image& img) {
    std::vector<unsigned char> rgb;
    rgb.reserve(img.size() * 3);
    for (std::uint32_t p : img) {
        rgb.push_back(static_cast<unsigned char>(p >> 16));
        rgb.push_back(static_cast<unsigned char>(p >> 8));
        rgb.push_back(static_cast<unsigned char>(p));
    }
    return stbi_write_png(file.c_str(), Form2::kWidth, Form2::kHeight, 3, rgb.data(), Form2::kWidth * 3) != 0;
}

Image LoadPng(const std::string& file) {
    int w = 0, h = 0, n = 0;
    unsigned char* data = stbi_load(file.c_str(), &w, &h, &n, 3);
    Image img;
    if (data && w == Form2::kWidth && h == Form2::kHeight) {
        for (int i = 0; i < w * h; ++i)
            img.push_back(0xFF000000u | (data[i * 3] << 16) | (data[i * 3 + 1] << 8) | data[i * 3 + 2]);
    }
    stbi_image_free(data);
    return img;
}

std::uint32_t At(const Image& img, int x, int y) { return img[static_cast<std::size_t>(y) * Form2::kWidth + x] & 0xFFFFFF; }

// Share of the pixels of `r` that differ clearly (anti-aliasing may move a little).
double DifferingShare(const Image& a, const Image& b, Form2::Rect r) {
    int differing = 0;
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) {
            std::uint32_t p = At(a, x, y), q = At(b, x, y);
            for (int shift : {0, 8, 16}) {
                int d = static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF);
                if (d > 48 || d < -48) {
                    ++differing;
                    break;
                }
            }
        }
    return static_cast<double>(differing) / (r.w * r.h);
}

// Pixels of `r` much darker than the dialog's grey: the ink of its text.
int Ink(const Image& img, Form2::Rect r) {
    int ink = 0;
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) ink += (At(img, x, y) & 0xFF) < 100;
    return ink;
}

class Form2OnScreen : public ::testing::Test {
protected:
    void SetUp() override {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) GTEST_SKIP() << "no display: " << SDL_GetError();
        ResetGlobalState();
        ApplySettings(Settings{});
        g_QuitRequested = 1;
        g_LoadDone = true;
        SetClock(&clock_);
        ASSERT_TRUE(dialog_.Show()) << SDL_GetError();
    }
    void TearDown() override {
        dialog_.Unload();
        SetClock(nullptr);
        if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // Moves the X pointer there too, so the server's own motion events agree
    // with the ones pushed here.
    void Click(Form2::Rect r) {
        SDL_WarpMouseInWindow(dialog_.Window(), r.CenterX(), r.CenterY());
        SDL_Event e{};
        const Uint32 id = SDL_GetWindowID(dialog_.Window());
        e.type = SDL_MOUSEMOTION;
        e.motion = {SDL_MOUSEMOTION, 0, id, 0, 0, r.CenterX(), r.CenterY(), 0, 0};
        SDL_PushEvent(&e);
        for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
            e = {};
            e.button.type = type;
            e.button.windowID = id;
            e.button.button = SDL_BUTTON_LEFT;
            e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
            e.button.x = r.CenterX();
            e.button.y = r.CenterY();
            SDL_PushEvent(&e);
            dialog_.Yield();
        }
        dialog_.Yield();
    }

    VirtualClock clock_;
    Form2 dialog_;
};

}  // namespace

TEST_F(Form2OnScreen, DrawsTheDialogWithItsJapaneseLabels) {
    const Image shot = dialog_.Screenshot();
    ASSERT_EQ(shot.size(), static_cast<std::size_t>(Form2::kWidth * Form2::kHeight));
    if (!SavePng(kActual, shot)) ADD_FAILURE() << "cannot write " << kActual;
    if (std::getenv("ZENIT_UPDATE_REFERENCE")) {
        ASSERT_TRUE(SavePng(kReference, shot));
        GTEST_SKIP() << "reference picture renewed: " << kReference;
    }

    // Not blank: the title picture alone has dozens of colours, the controls add text.
    std::set<std::uint32_t> colours;
    for (std::uint32_t p : shot) colours.insert(p & 0xFFFFFF);
    EXPECT_GT(colours.size(), 100u);

    const Image reference = LoadPng(kReference);
    ASSERT_FALSE(reference.empty()) << "missing or wrong-sized " << kReference;

    // The same picture is on the X server's screen, where the player sees it.
    if (std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) {
        XScreen x;
        ASSERT_TRUE(x.Open());
        double differing = 1;
        for (int tries = 0; tries < 50 && differing >= 0.01; ++tries, usleep(20'000)) {
            std::vector<XScreen::Window> windows = x.WindowsOf(getpid());
            XScreen::Image root = x.Root();
            if (windows.size() != 1 || windows[0].w != Form2::kWidth || windows[0].h != Form2::kHeight ||
                windows[0].x < 0 || windows[0].y < 0 || root.w < windows[0].x + Form2::kWidth ||
                root.h < windows[0].y + Form2::kHeight)
                continue;
            Image on_screen;
            for (int y = 0; y < Form2::kHeight; ++y)
                for (int xx = 0; xx < Form2::kWidth; ++xx) on_screen.push_back(root.At(windows[0].x + xx, windows[0].y + y));
            differing = DifferingShare(shot, on_screen, {0, 0, Form2::kWidth, Form2::kHeight});
        }
        EXPECT_LT(differing, 0.01) << "the dialog is not on the X server's screen";
    }
    EXPECT_LT(DifferingShare(shot, reference, {0, 0, Form2::kWidth, Form2::kHeight}), 0.01)
        << "compare " << kActual << " with " << kReference;

    // Each Japanese text on its own: a missing glyph ('?' or a box) changes a
    // good part of a label's pixels even where the whole picture barely moves.
    struct Label {
        const char* name;
        Form2::Rect r;
    };
    const Label labels[] = {
        {"攻撃・ボタン", Form2::RowLabelRect(0)},
        {"パワーアップ・ボタン", Form2::RowLabelRect(1)},
        {"ポーズ・ボタン", Form2::RowLabelRect(2)},
        {"３倍速・ボタン", Form2::RowLabelRect(3)},
        {"小 中 大", {Form2::VolumeRect(1).x, Form2::VolumeRect(1).y, 140, 16}},
        {"デフォルトポート", Form2::PortRect(0)},
        {"Microsoft Synthesizer を優先", Form2::PortRect(1)},
        {"設定を保存する。", Form2::SaveRect()},
        {"ゲームスタート", Form2::StartRect()},
        {"SE 音量 and ＭＩＤＩ ポート column", {10, 270, 90, 70}},
        {"notes", {10, 290, 620, 120}},
    };
    for (const Label& l : labels) {
        SCOPED_TRACE(l.name);
        EXPECT_GT(Ink(shot, l.r), 20) << "no text drawn";
        EXPECT_LT(DifferingShare(shot, reference, l.r), 0.03);
    }
}

TEST_F(Form2OnScreen, ClickThroughToTheStart) {
    Click(Form2::RowButtonRect(0, 6));
    ASSERT_EQ(g_ShotButton, 6);
    const Image shot = dialog_.Screenshot();
    ASSERT_FALSE(shot.empty());
    // The chosen button wears its row label's colour, the freed one the plain face.
    auto centre = [&](Form2::Rect r) { return At(shot, r.x + 4, r.y + 4); };
    EXPECT_EQ(centre(Form2::RowButtonRect(0, 6)), centre(Form2::RowLabelRect(0)));
    EXPECT_NE(centre(Form2::RowButtonRect(0, 0)), centre(Form2::RowLabelRect(0)));
    EXPECT_EQ(centre(Form2::RowButtonRect(0, 0)), centre(Form2::RowButtonRect(0, 11)));

    Click(Form2::StartRect());
    EXPECT_EQ(dialog_.StartCaption(), "Now Loading…");
    clock_.AdvanceMs(Form2::kTimerIntervalMs);
    dialog_.Yield();
    EXPECT_FALSE(dialog_.IsOpen());
    EXPECT_EQ(g_LauncherClosed, 1);
    EXPECT_EQ(g_QuitRequested, 0);
}
