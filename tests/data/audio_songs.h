// The loop points, in music time (768 per quarter note), that each stage
// script and the ending pass to DM_SetLoop for their song.
#pragma once

#include <cstdint>

struct SongLoop {
    int id;
    std::int64_t start, end;
};

inline constexpr SongLoop kSongLoops[] = {
    {1, 6144, 184320}, {2, 9216, 230400}, {3, 6144, 239616}, {4, 6144, 159744}, {5, 3072, 261120},
    {6, 9216, 156672}, {7, 6144, 135168}, {8, 9216, 144384}, {9, 9216, 119808},
};
