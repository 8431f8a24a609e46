// The settings dialog's title picture (Img1), drawn in code: a night sky
// with stars over the horizon and the game's name in slanted block letters.
#pragma once

#include <cstdint>
#include <vector>

// width x height pixels, ARGB8888, row by row. The same size always gives the
// same picture.
std::vector<std::uint32_t> MakeTitlePicture(int width, int height);
