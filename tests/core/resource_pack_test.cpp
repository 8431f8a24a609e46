#include "core/resource_pack.h"

#include <gtest/gtest.h>

TEST(ResourcePack, FindsEntriesByTypeAndName) {
    std::vector<ResourceEntry> entries = {
        {"CUSTOM", "101", {0, 1, 0, 1, 7}},
        {"STRING", "101", {'4', '2'}},
        {"WAVE", "1", {}},
    };
    std::vector<std::uint8_t> pack = BuildResourcePack(entries);
    SetResourcePack(pack.data(), pack.size());

    auto sprite = FindResource("CUSTOM", 101);
    ASSERT_TRUE(sprite.has_value());
    EXPECT_EQ(std::vector<std::uint8_t>(sprite->begin(), sprite->end()), entries[0].data);
    EXPECT_EQ(FindResource("STRING", "101")->size(), 2u);
    EXPECT_TRUE(FindResource("WAVE", "1").has_value());
    EXPECT_FALSE(FindResource("CUSTOM", 102).has_value());
    EXPECT_FALSE(FindResource("DMSEG", "1").has_value());
    SetResourcePack(nullptr, 0);
}

TEST(ResourcePack, MalformedPacksFindNothing) {
    std::vector<std::uint8_t> good = BuildResourcePack({{"CUSTOM", "5", {1, 2, 3, 4}}});
    std::vector<std::vector<std::uint8_t>> bad = {
        {},
        {'Z', 'N', 'T'},
        std::vector<std::uint8_t>(good.begin(), good.end() - 1),  // data cut short
        std::vector<std::uint8_t>(good.begin(), good.begin() + 14),  // directory cut short
    };
    std::vector<std::uint8_t> wrong_magic = good;
    wrong_magic[0] = 'X';
    bad.push_back(wrong_magic);
    std::vector<std::uint8_t> huge_count = good;
    huge_count[11] = 0x7f;
    bad.push_back(huge_count);
    for (const auto& pack : bad) {
        SetResourcePack(pack.data(), pack.size());
        EXPECT_FALSE(FindResource("CUSTOM", 5).has_value());
        EXPECT_TRUE(ListResources().empty());
    }
    SetResourcePack(nullptr, 0);
}
