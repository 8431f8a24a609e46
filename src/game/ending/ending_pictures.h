// The pictures of the ending, composed once at its set-up.
//
//   2, 3, 4, 5  the scene pictures, 320x960: the home valley (sprite 7)
//               twice, with picture strips laid over it; they repeat every
//               480 rows, so they scroll without end
//   6           the final picture, 320x240, with the result panel in it
//   7           the home valley, 320x480: ground cells and trees
//   83          the result panel shown over scene 5
//   84, 85, 86  the large cards of the three parades
//   88, 89      the title, dim and lit (scene 5 alternates them)
#pragma once

#include <cstdint>
#include <string>

namespace ending {

constexpr std::int32_t kValley = 7;
constexpr std::int32_t kFinalPicture = 6;
constexpr std::int32_t kPanel = 83;
constexpr std::int32_t kTitleDim = 88;
constexpr std::int32_t kTitleLit = 89;

// Everything but the panel's text. Draws the valley's ground cells from
// g_Angle's 10-entry table, advancing its cursor.
void ComposePictures();

// The three result lines, labels and closing line into the panel and into
// picture 6. `code` is shown only when valid (else the TIMEOUT ERROR label).
void DrawResultPanel(const std::string& score, const std::string& code, const std::string& frames, bool valid);

}  // namespace ending
