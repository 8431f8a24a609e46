// Gallery scenes for `zenit-tool gallery`: short scripted scenes that put a
// group of enemy classes on screen over a stage's palette and ground, so
// their art and behaviour can be judged on real frames.
//
// A scene is a stage script (stage_script.h) run by a stage object of its
// own, with the player's ship (invincible, not firing unless asked) at the
// bottom. Without a background of its own the scene scrolls a preview
// ground tiled from the stage's terrain pieces. Add a scene by adding a row
// to the table in gallery_scenes.cpp.
#pragma once

#include <cstdint>
#include <span>

#include "game/stages/stage_base.h"
#include "game/stages/stage_script.h"

struct GalleryScene {
    const char* name;
    const char* about;                    // one line for the list
    std::int32_t stage = 2;               // palette, ground, shadows and stage number
    std::int32_t frames = 600;            // length of the run
    std::int32_t every = 60;              // frames between two pictures of the sheet
    double scroll = 0.4;                  // ground speed, pixels a frame
    std::span<const ScriptEntry> script;  // what appears, and when
    StageObjectMaker background = nullptr;  // null: the preview ground
    std::span<const WorkSprite> work_sprites = {};  // composed at set-up (the large enemies' hulls)
};

std::span<const GalleryScene> GalleryScenes();
