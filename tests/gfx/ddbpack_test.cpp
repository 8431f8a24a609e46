#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/resource_pack.h"
#include "gfx/gfx_test_util.h"
#include "gfx/q7_ddbpack256.h"
#include "gfx/q7_palette256.h"

namespace {

namespace fs = std::filesystem;

// Each test gets its own pack; the engine-wide buffers are set up again.
class Pack : public ::testing::Test {
protected:
    void SetUp() override {
        saved_bits_ = g_DisplayBitsPerPixel;
        pack = std::make_unique<CQ7DDBPack256>();
        pack->SetBuffer(76800);
    }
    void TearDown() override {
        g_DisplayBitsPerPixel = saved_bits_;
        SetResourcePack(nullptr, 0);
    }

    // Sets sprite id up as w x h of one colour, corner-based.
    CQ7Sprite256& Solid(std::int32_t id, std::int32_t w, std::int32_t h, std::int32_t colour) {
        CQ7Sprite256& s = pack->GetSprite(id);
        EXPECT_TRUE(s.SetUP(w, h, 0));
        for (std::int32_t y = 0; y < h; ++y)
            for (std::int32_t x = 0; x < w; ++x) s.DT.SetPixelData(x, y, colour);
        return s;
    }
    static CQ7Pos Corner(std::int32_t x, std::int32_t y) {
        CQ7Pos p;
        p.SetCenter_Base(0);
        p.Move(x, y);
        return p;
    }
    std::string TempFile(const char* name) {
        return (fs::temp_directory_path() / (std::string("zenit_gfx_") + std::to_string(::getpid()) + name)).string();
    }
    static void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    static std::vector<std::uint8_t> ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::unique_ptr<CQ7DDBPack256> pack;
    std::int32_t saved_bits_ = 32;
};

TEST_F(Pack, LayersDrawInOrderAndClearSeparately) {
    CQ7Sprite256& screen = Solid(0, 16, 1, 0);
    Solid(10, 4, 1, 10);  // A, layer 2
    Solid(11, 4, 1, 11);  // B, C, D, layer 5
    Solid(12, 4, 1, 12);
    Solid(13, 4, 1, 13);
    pack->BltClear(-1);
    ASSERT_TRUE(pack->AddBlt(Corner(1, 0), 11, 5, 0, 1));
    ASSERT_TRUE(pack->AddBlt(Corner(2, 0), 12, 5, 0, 1));
    ASSERT_TRUE(pack->AddBlt(Corner(3, 0), 13, 5, 0, 1));
    ASSERT_TRUE(pack->AddBlt(Corner(0, 0), 10, 2, 0, 1));
    pack->Blt();
    const int want[] = {10, 11, 12, 13, 13, 13, 13, 0};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(screen.DT.GetPixelData(x, 0), want[x]) << x;
    EXPECT_EQ(pack->GetSprite(13).Pos.Left(), 3);  // keeps its last drawn place

    pack->BltClear(5);
    EXPECT_EQ(pack->QueuedCount(5), 0);
    EXPECT_EQ(pack->QueuedCount(2), 1);
    pack->Cls(false);
    pack->Blt();
    const int only_a[] = {10, 10, 10, 10, 0};
    for (int x = 0; x < 5; ++x) EXPECT_EQ(screen.DT.GetPixelData(x, 0), only_a[x]) << x;

    // Layer 0 survives BltClear_Not_0; Blt does not empty the queue itself.
    pack->AddBlt(Corner(0, 0), 11, 0, 0, 1);
    pack->BltClear_Not_0();
    EXPECT_EQ(pack->QueuedCount(0), 1);
    EXPECT_EQ(pack->QueuedCount(2), 0);
    pack->Blt();
    EXPECT_EQ(pack->QueuedCount(0), 1);
}

TEST_F(Pack, QueuedPlacementByCentreOrCorner) {
    Solid(0, 320, 240, 0);
    CQ7Sprite256& spr = pack->GetSprite(150);
    ASSERT_TRUE(spr.SetUP(16, 16, VB_TRUE));
    CQ7Pos centre;  // centre-based by default
    centre.ReSize(5, 5);
    centre.SetCenterX(160);
    centre.SetCenterY(120);
    pack->AddBlt(centre, 150, 3, 0, 0);
    pack->Blt();
    EXPECT_EQ(spr.Pos.Left(), 151);
    EXPECT_EQ(spr.Pos.Top(), 111);

    pack->BltClear(-1);
    pack->AddBlt(Corner(10, 20), 150, 3, 0, 0);
    pack->Blt();
    EXPECT_EQ(spr.Pos.Left(), 10);
    EXPECT_EQ(spr.Pos.Top(), 20);
}

TEST_F(Pack, UnknownModeDrawsNothing) {
    CQ7Sprite256& screen = Solid(0, 8, 8, 0);
    Solid(5, 4, 4, 9);
    pack->AddBlt(Corner(0, 0), 5, 0, 0, 3);
    pack->AddBlt(Corner(0, 0), 5, 0, 0, -1);
    pack->Blt();
    for (int i = 0; i < 16; ++i) EXPECT_EQ(screen.DT.GetLongData(i), 0u);
}

TEST_F(Pack, QueueRefusesWhatItCannotHold) {
    Solid(0, 32, 32, 0);
    Solid(7, 2, 2, 7);
    for (int i = 0; i < CQ7DDBPack256::kLayerSize; ++i) ASSERT_TRUE(pack->AddBlt(Corner(i % 30, 0), 7, 6, 0, 0));
    EXPECT_FALSE(pack->AddBlt(Corner(0, 0), 7, 6, 0, 0));  // the 201st of a layer is dropped
    EXPECT_EQ(pack->QueuedCount(6), CQ7DDBPack256::kLayerSize);
    EXPECT_EQ(pack->QueuedCount(7), 0);
    ASSERT_TRUE(pack->AddBlt(Corner(30, 30), 7, 7, 0, 1));
    pack->BltClear(39);
    for (int i = 0; i < 300; ++i) pack->AddBlt(Corner(0, 0), 7, 39, 0, 1);  // the last layer too
    EXPECT_EQ(pack->QueuedCount(39), CQ7DDBPack256::kLayerSize);

    struct Bad {
        std::int32_t id, layer, target;
    };
    const Bad bad[] = {{-1, 0, 0}, {10001, 0, 0}, {7, -1, 0}, {7, 40, 0}, {7, 0, -5}, {7, 0, 10001}};
    for (const Bad& b : bad) EXPECT_FALSE(pack->AddBlt(Corner(0, 0), b.id, b.layer, b.target, 0));
    EXPECT_EQ(pack->QueuedCount(0), 0);
    pack->BltClear(40);
    pack->BltClear(-2);
    pack->Blt();
    EXPECT_EQ(pack->GetSprite(0).DT.GetPixelData(30, 30), 7);

    // Ids outside the table get a spare sprite, never a real one.
    CQ7Sprite256& spare = pack->GetSprite(10001);
    EXPECT_NE(&spare, &pack->GetSprite(10000));
    EXPECT_EQ(&spare, &pack->GetSprite(-1));
    EXPECT_FALSE(pack->GetSprite(10000).DT.IsSet());
}

TEST_F(Pack, LoadRESFromTheResourcePack) {
    std::vector<std::uint8_t> res24 = {0x00, 0x18, 0x00, 0x18};
    for (int i = 0; i < 24 * 24; ++i) res24.push_back(i % 5 == 0 ? 255 : static_cast<std::uint8_t>(i % 200));
    std::vector<std::uint8_t> short_res = {0, 2, 0, 2, 1, 2, 3};
    const auto bytes = BuildResourcePack({
        {"CUSTOM", "101", res24},
        {"CUSTOM", "102", short_res},
        {"CUSTOM", "103", {0, 2}},
        {"CUSTOM", "104", {0, 0, 0, 5}},
        {"CUSTOM", "105", {0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3}},
        {"CUSTOM", "106", {0, 0x10, 0x10, 0x00, 1}},  // 16 x 4096, far too short
        {"STRING", "107", res24},
    });
    SetResourcePack(bytes.data(), bytes.size());

    EXPECT_EQ(pack->LoadRES(101, 101, "CUSTOM"), 0);
    const CQ7Sprite256& s = pack->GetSprite(101);
    EXPECT_EQ(s.DT.Width(), 24);
    EXPECT_EQ(s.DT.Height(), 24);
    EXPECT_EQ(s.Pos.Width(), 24);
    EXPECT_EQ(s.Pos.Center_Base(), VB_TRUE);
    EXPECT_EQ(s.Pos.CenterX(), 0);
    EXPECT_EQ(s.DT.GetPixelData(1, 0), 1);
    EXPECT_EQ(s.DT.GetPixelData(23, 22), (24 * 22 + 23) % 200);
    EXPECT_EQ(s.DT.GetMaskData(0), 0xFFFFFF00u);  // pixel 0 is 255: transparent
    EXPECT_EQ(pack->LoadRES(0, 101, "CUSTOM"), 0);  // any id can take any resource

    // Failures return the resource id, quietly, and leave the sprite as it was.
    MessageRecorder rec;
    pack->GetSprite(50).SetUP(3, 3, 0);
    struct Case {
        std::int32_t id, res;
        const char* type;
    };
    const Case failures[] = {{50, 102, "CUSTOM"}, {50, 103, "CUSTOM"}, {50, 104, "CUSTOM"}, {50, 105, "CUSTOM"},
                             {50, 106, "CUSTOM"}, {50, 107, "CUSTOM"}, {50, 107, "WAVE"},  {50, 999, "CUSTOM"},
                             {10001, 101, "CUSTOM"}, {-1, 101, "CUSTOM"}};
    for (const Case& c : failures) EXPECT_EQ(pack->LoadRES(c.id, c.res, c.type), c.res) << c.res << " " << c.type;
    EXPECT_EQ(pack->GetSprite(50).DT.Width(), 3);
    EXPECT_TRUE(rec.boxes.empty());

    // A damaged pack reads as empty.
    std::vector<std::uint8_t> broken(bytes.begin(), bytes.begin() + 20);
    SetResourcePack(broken.data(), broken.size());
    EXPECT_EQ(pack->LoadRES(101, 101, "CUSTOM"), 101);
}

TEST_F(Pack, SaveRESWritesTheResourceFormat) {
    CQ7Sprite256& s = pack->GetSprite(3);
    ASSERT_TRUE(s.SetUP(300, 2, 0));
    s.DT.SetPixelData(0, 0, 9);
    s.DT.SetPixelData(299, 1, 255);
    const std::string path = TempFile("res");
    ASSERT_TRUE(pack->SaveRES(3, path));
    const auto bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 4u + 600u);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[1], 44);  // 300 = 1 * 256 + 44
    EXPECT_EQ(bytes[2], 0);
    EXPECT_EQ(bytes[3], 2);
    EXPECT_EQ(bytes[4], 9);
    EXPECT_EQ(bytes.back(), 255);

    // And LoadRES reads it back.
    const auto pack_bytes = BuildResourcePack({{"CUSTOM", "3", bytes}});
    SetResourcePack(pack_bytes.data(), pack_bytes.size());
    ASSERT_EQ(pack->LoadRES(4, 3, "CUSTOM"), 0);
    for (int i = 0; i <= s.DT.GetLongCount(); ++i) ASSERT_EQ(pack->GetSprite(4).DT.GetLongData(i), s.DT.GetLongData(i));

    EXPECT_FALSE(pack->SaveRES(5, path));  // never set up
    EXPECT_FALSE(pack->SaveRES(3, (fs::temp_directory_path() / "no_such_dir" / "x").string()));
    std::remove(path.c_str());
}

TEST_F(Pack, SpriteFileRoundTripAndLayout) {
    CQ7Sprite256& s = pack->GetSprite(20);
    ASSERT_TRUE(s.SetUP(5, 3, 0));
    for (int i = 0; i < 15; ++i) s.DT.SetPixelData(i % 5, i / 5, i == 7 ? 255 : i + 1);
    const std::string path = TempFile("file");
    ASSERT_TRUE(pack->SaveFile(20, path));
    const auto bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 16u + 16u);  // 15 pixels padded to 4 words
    const std::vector<std::uint8_t> head(bytes.begin(), bytes.begin() + 17);
    EXPECT_EQ(head, (std::vector<std::uint8_t>{0x22, 0x47, 0x87, 0x02, 5, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(bytes[31], 0);  // padding

    MessageRecorder rec;
    ASSERT_TRUE(pack->LoadFile(21, path));
    const CQ7Sprite256& t = pack->GetSprite(21);
    EXPECT_EQ(t.Pos.Center_Base(), VB_TRUE);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(t.DT.GetLongData(i), s.DT.GetLongData(i));
    EXPECT_EQ(t.DT.GetMaskData(1), 0x00FFFFFFu);  // pixel 7 is 255
    EXPECT_TRUE(rec.boxes.empty());
    std::remove(path.c_str());
}

TEST_F(Pack, LoadFileRejectsMalformedFiles) {
    auto header = [](std::int32_t tag, std::int32_t w, std::int32_t h) {
        std::vector<std::uint8_t> b;
        for (std::int32_t v : {tag, w, h, 0})
            for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
        return b;
    };
    auto with_pixels = [](std::vector<std::uint8_t> b, std::size_t n) {
        b.resize(b.size() + n, 7);
        return b;
    };
    const std::int32_t tag = CQ7DDBPack256::kSpriteFileTag;
    const std::vector<std::uint8_t> full_header = header(tag, 2, 2);
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        bool message;  // "Load Error" expected
    };
    const Case cases[] = {
        {"wrong tag", with_pixels(header(tag + 1, 2, 2), 4), false},
        {"zero width", with_pixels(header(tag, 0, 2), 4), false},
        {"negative height", with_pixels(header(tag, 2, -3), 4), false},
        {"huge size", with_pixels(header(tag, 1 << 20, 1 << 20), 4), false},
        {"empty file", {}, true},
        {"short header", std::vector<std::uint8_t>(full_header.begin(), full_header.begin() + 10), true},
        {"short pixels", with_pixels(header(tag, 4, 4), 15), true},
    };
    const std::string path = TempFile("bad");
    pack->GetSprite(30).SetUP(3, 1, 0);
    pack->GetSprite(30).DT.SetPixelData(1, 0, 42);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(path, c.bytes);
        MessageRecorder rec;
        EXPECT_FALSE(pack->LoadFile(30, path));
        ASSERT_EQ(rec.boxes.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(rec.boxes[0].text, "Load Error");
        }
        EXPECT_EQ(pack->GetSprite(30).DT.Width(), 3);
        EXPECT_EQ(pack->GetSprite(30).DT.GetPixelData(1, 0), 42);
    }
    std::remove(path.c_str());
    MessageRecorder rec;
    EXPECT_FALSE(pack->LoadFile(30, path));  // missing file
    ASSERT_EQ(rec.boxes.size(), 1u);
    EXPECT_EQ(rec.boxes[0].text, "Load Error");
}

TEST_F(Pack, SpriteText) {
    CQ7Sprite256& s = pack->GetSprite(40);
    ASSERT_TRUE(s.SetUP(8, 10, 0));
    s.DT.SetPixelData(0, 0, 7);
    s.DT.SetPixelData(1, 0, 255);
    s.DT.SetPixelData(7, 9, 42);
    const std::string text = pack->GetSpriteText(40);
    ASSERT_EQ(text.size(), 250u);
    EXPECT_EQ(text.substr(0, 16), "0000800010007255");
    EXPECT_EQ(text.substr(247), "042");

    ASSERT_TRUE(pack->SetSpriteText(41, text));
    const CQ7Sprite256& t = pack->GetSprite(41);
    EXPECT_EQ(t.Pos.Center_Base(), VB_TRUE);
    EXPECT_EQ(pack->GetSpriteText(41), text);
    EXPECT_EQ(t.DT.GetMaskData(0), 0xFFFF00FFu);
    ASSERT_TRUE(pack->SetSpriteText(42, "0000100001300"));
    EXPECT_EQ(pack->GetSprite(42).DT.GetPixelData(0, 0), 44);  // the low byte of 300

    // Refused texts leave the sprite as it was.
    const char* bad[] = {
        "",                 "000010000",         "0000100001",        "00001000010",      // too short
        "0000a00001000",    "00001000x1000",     "0000100001a00",      "-000100001000",    // not digits
        "0000000001000",    "0000100000000",     "9999999999000",                          // sizes
        "0000200002000001002",                                                             // one pixel short
    };
    for (const char* b : bad) EXPECT_FALSE(pack->SetSpriteText(41, b)) << b;
    EXPECT_EQ(pack->GetSpriteText(41), text);
    EXPECT_FALSE(pack->SetSpriteText(10001, text));

    // 10920 pixels still fit a text; 10921 do not.
    MessageRecorder rec;
    ASSERT_TRUE(s.SetUP(104, 105, 0));
    EXPECT_EQ(pack->GetSpriteText(40).size(), 10u + 3u * 10920u);
    ASSERT_TRUE(s.SetUP(10921, 1, 0));
    EXPECT_EQ(pack->GetSpriteText(40), "");
    ASSERT_EQ(rec.boxes.size(), 1u);
    EXPECT_EQ(rec.boxes[0].text, "Error Data Over");
}

TEST_F(Pack, BGSetUpAndDirectBltAtEightBits) {
    g_DisplayBitsPerPixel = 8;
    pack->BGSetUp(320, 240, 640, 480, 0, 0);
    ASSERT_TRUE(pack->SetUpDone());
    EXPECT_EQ(ScreenColorBit, 8);
    CQ7Sprite256& back = pack->GetSprite(0);
    EXPECT_EQ(back.Pos.Left(), 0);
    EXPECT_EQ(back.Pos.Top(), 0);
    EXPECT_EQ(back.DT.GetPixelCount(), 76800);
    for (int i = 0; i < 76800; ++i) back.DT.SetPixelData(i % 320, i / 320, (i * 7) % 256);

    const int pitch = 336;
    std::vector<std::uint8_t> surface(pitch * 240, 0xEE);
    pack->DirectBlt(surface.data(), pitch);
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) ASSERT_EQ(surface[y * pitch + x], back.DT.GetPixelData(x, y));
        for (int x = 320; x < pitch; ++x) ASSERT_EQ(surface[y * pitch + x], 0xEE);  // beyond the row
    }

    std::vector<std::uint8_t> narrow(319 * 240, 0xEE);
    pack->DirectBlt(narrow.data(), 319);  // a row would not fit
    EXPECT_EQ(narrow, std::vector<std::uint8_t>(319 * 240, 0xEE));
    pack->DirectBlt(nullptr, pitch);

    pack->Cls(true);
    EXPECT_EQ(back.DT.GetLongData(19199), 0xFFFFFFFFu);
    pack->Cls(false);
    EXPECT_EQ(back.DT.GetLongData(0), 0u);

    pack->SetUP_END();
    EXPECT_FALSE(pack->SetUpDone());
    EXPECT_TRUE(ScreenOut8.empty());
    std::vector<std::uint8_t> after(pitch * 240, 0xEE);
    pack->DirectBlt(after.data(), pitch);
    EXPECT_EQ(after[0], 0xEE);
}

TEST_F(Pack, PresentationMapsThroughTheLookupTables) {
    CQ7Palette256 saved = g_Palette;
    g_Palette.Clear();
    for (int i = 30; i < 46; ++i) g_Palette.SetData(i, i << 8);  // green ramp
    g_DisplayBitsPerPixel = 32;
    pack->BGSetUp(320, 240, 640, 480, 0, 0);
    CQ7Sprite256& back = pack->GetSprite(0);
    back.DT.SetPixelData(0, 0, 30);
    back.DT.SetPixelData(319, 239, 255);

    std::vector<std::uint32_t> surface(320 * 240);
    pack->DirectBlt(reinterpret_cast<std::uint8_t*>(surface.data()), 320 * 4);
    EXPECT_EQ(surface[0], 30u << 8);
    EXPECT_EQ(surface.back(), 0xFFFFFFu);
    g_Palette.Roll_UP(30, 16, -1);  // cycling changes the picture, not the pixels
    pack->DirectBlt(reinterpret_cast<std::uint8_t*>(surface.data()), 320 * 4);
    EXPECT_EQ(surface[0], 31u << 8);
    EXPECT_EQ(back.DT.GetPixelData(0, 0), 30);

    // 16-bit displays get RGB565.
    g_DisplayBitsPerPixel = 16;
    pack->BGSetUp(320, 240, 640, 480, 0, 0);
    back.DT.SetPixelData(0, 0, 255);
    std::vector<std::uint16_t> s16(320 * 240);
    pack->DirectBlt(reinterpret_cast<std::uint8_t*>(s16.data()), 640);
    EXPECT_EQ(s16[0], 0xFFFF);

    // The window path hands a 32-bit frame to the presenter.
    struct Call {
        int w, h, dw, dh;
        std::uint32_t first;
    };
    std::vector<Call> calls;
    FramePresenter old = SetFramePresenter([&](const std::uint32_t* px, int w, int h, int dw, int dh) {
        calls.push_back({w, h, dw, dh, px[0]});
        return std::string();
    });
    pack->BGBlt();
    pack->BGstrBlt(0, 0);
    pack->BGstrBlt(800, 600);
    SetFramePresenter(old);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].dw, 320);
    EXPECT_EQ(calls[0].dh, 240);
    EXPECT_EQ(calls[1].dw, 640);
    EXPECT_EQ(calls[1].dh, 480);
    EXPECT_EQ(calls[2].dw, 800);
    EXPECT_EQ(calls[0].w, 320);
    EXPECT_EQ(calls[0].first, 0xFFFFFFu);
    g_Palette = saved;
}

TEST_F(Pack, PresenterFailureEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    pack->BGSetUp(320, 240, 640, 480, 0, 0);
    EXPECT_EXIT(
        {
            SetFramePresenter([](const std::uint32_t*, int, int, int, int) { return std::string("device lost"); });
            pack->BGstrBlt();
        },
        testing::ExitedWithCode(1), "BGstrBltdevice lost");
}

}  // namespace
