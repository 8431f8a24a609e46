#include "game/ending/ending_pictures.h"

#include <array>

#include "core/q7_angle.h"
#include "game/ending/ending.h"
#include "game/stages/stage_base.h"
#include "gfx/q7_ddbpack256.h"

namespace ending {
namespace {

constexpr std::int32_t kMasked = 0, kOpaque = 1;

// ---- The home valley (sprite 7) ------------------------------------------------------

constexpr std::int32_t kGroundCell = 1001;  // + a digit of the 10-entry table
constexpr std::int32_t kTree = 1206;
constexpr std::int32_t kCell = 32, kColumns = 10, kRows = 15;
constexpr std::int32_t kLoop = kCell * kRows;  // 480: every scene picture repeats after this

struct Point {
    std::int32_t x, y;
};
// Trees along both edges of the valley, centred on these points.
constexpr Point kTrees[] = {
    {0, 20},    {20, 60},   {10, 100},  {15, 160},  {0, 200},   {10, 250},  {5, 290},
    {10, 360},  {5, 400},   {20, 450},  {300, 30},  {310, 70},  {305, 110}, {320, 150},
    {315, 200}, {310, 240}, {300, 300}, {305, 350}, {315, 390}, {320, 460},
};

void ComposeValley() {
    CQ7Sprite256& valley = g_DDBPack.GetSprite(kValley);
    valley.SetUP(320, kLoop, 0);
    g_DDBPack.BltClear(-1);
    CQ7Pos at;
    at.SetCenter_Base(VB_FALSE);
    at.ReSize(kCell, kCell);
    for (std::int32_t row = 0; row < kRows; ++row)
        for (std::int32_t column = 0; column < kColumns; ++column) {
            at.Move(column * kCell, row * kCell);
            g_DDBPack.AddBlt(at, kGroundCell + g_Angle.Rnd10(-1), 1, kValley, kOpaque);
        }
    CQ7Pos tree;
    tree.ReSize(kCell, kCell);
    for (const Point& p : kTrees) {
        tree.Move(p.x, p.y);
        g_DDBPack.AddBlt(tree, kTree, 2, kValley, kMasked);
    }
    g_DDBPack.Blt();
    g_DDBPack.BltClear(-1);
    valley.MaskReMake();
}

// ---- Scene pictures ----------------------------------------------------------------------

// Picture strips: fifteen 320x32 strips make one 480-row overlay each.
constexpr std::int32_t kRiverStrips = 1187;  // the river winding down the valley
constexpr std::int32_t kTownStrips = 1207;   // the town on its bank
constexpr std::int32_t kStripCount = 15, kStripHeight = 32;

// The valley twice (960 rows), with the overlays laid over both copies.
template <std::int32_t... Overlays>
constexpr auto ValleyPicture() {
    std::array<WorkPiece, 2 + 2 * kStripCount * sizeof...(Overlays)> pieces{};
    std::size_t i = 0;
    for (std::int32_t copy = 0; copy < 2; ++copy) pieces[i++] = {kValley, 0, copy * kLoop};
    const std::array<std::int32_t, sizeof...(Overlays)> overlays = {Overlays...};
    for (std::int32_t first : overlays)
        for (std::int32_t copy = 0; copy < 2; ++copy)
            for (std::int32_t k = 0; k < kStripCount; ++k)
                pieces[i++] = {first + k, 0, copy * kLoop + k * kStripHeight, kMasked};
    return pieces;
}

constexpr auto kFields = ValleyPicture<>();
constexpr auto kRiver = ValleyPicture<kRiverStrips>();
constexpr auto kTown = ValleyPicture<kTownStrips>();
constexpr auto kHome = ValleyPicture<kRiverStrips, kTownStrips>();
constexpr WorkPiece kFinalBands[] = {{4356, 0, 0}, {4357, 0, 80}, {4358, 0, 160}};

// The panel over scene 5 is the final picture's lowest band. Drawn centred on
// (161, 199), its 320x84 canvas covers rows 156..239, so the band at row 4
// lands on rows 160..239 exactly as in picture 6.
constexpr std::int32_t kPanelTop = 156;
constexpr WorkPiece kPanelBand[] = {{4358, 0, 160 - kPanelTop}};

// ---- Title and parade cards ----------------------------------------------------------------

constexpr WorkPiece kTitleLitStrips[] = {{6072, 0, 0}, {6073, 0, 48}, {6074, 0, 96}};
constexpr WorkPiece kTitleDimStrips[] = {{6075, 0, 0}, {6076, 0, 48}, {6077, 0, 96}};
// The cards in the middle of each parade: the first boss over the tanks, the
// sky serpent among the fighters, the last boss's core behind the carriers.
constexpr WorkPiece kBomberCard[] = {{6001, 0, 0}, {6002, 0, 40}, {6003, 0, 80}};
constexpr WorkPiece kSerpentCard[] = {
    {6051, 0, 26}, {6051, 16, 32}, {6051, 32, 34}, {6050, 48, 28}, {6050, 70, 18},
    {6050, 94, 12}, {6050, 118, 14}, {6050, 140, 22}, {6034, 160, 16},
};
constexpr WorkPiece kCoreCard[] = {{6078, 0, 0}};

const WorkSprite kPictures[] = {
    {.id = kTitleLit, .width = 204, .height = 144, .pieces = kTitleLitStrips, .centre_based = true},
    {.id = kTitleDim, .width = 204, .height = 144, .pieces = kTitleDimStrips, .centre_based = true},
    {.id = 86, .width = 240, .height = 100, .pieces = kBomberCard, .centre_based = true},
    {.id = 85, .width = 200, .height = 68, .pieces = kSerpentCard, .centre_based = true,
     .transparent_ground = true},
    {.id = 84, .width = 192, .height = 128, .pieces = kCoreCard, .centre_based = true},
    {.id = 2, .width = 320, .height = 2 * kLoop, .pieces = kFields},
    {.id = 3, .width = 320, .height = 2 * kLoop, .pieces = kRiver},
    {.id = 4, .width = 320, .height = 2 * kLoop, .pieces = kTown},
    {.id = 5, .width = 320, .height = 2 * kLoop, .pieces = kHome},
    {.id = kFinalPicture, .width = 320, .height = 240, .pieces = kFinalBands},
    {.id = kPanel, .width = 320, .height = 84, .pieces = kPanelBand, .centre_based = true,
     .transparent_ground = true},
};

// ---- Result panel ------------------------------------------------------------------------------

constexpr std::int32_t kScoreLabel = 248, kCodeLabel = 249, kFramesLabel = 250, kTimeoutLabel = 251;
constexpr std::int32_t kClosingLine = 247;
constexpr std::int32_t kScoreRow = 170, kCodeRow = 185, kFramesRow = 200;

// One sprite into both targets: picture 6 at screen rows, the panel shifted
// up by its top row.
void PanelPut(std::int32_t sprite, std::int32_t x, std::int32_t y, bool centred) {
    CQ7Pos at;
    at.SetCenter_Base(centred ? VB_TRUE : VB_FALSE);
    const CQ7Pos& own = g_DDBPack.GetSprite(sprite).Pos;
    at.ReSize(own.Width(), own.Height());
    at.Move(x, y);
    g_DDBPack.AddBlt(at, sprite, 1, kFinalPicture, kMasked);
    at.Move(x, y - kPanelTop);
    g_DDBPack.AddBlt(at, sprite, 1, kPanel, kMasked);
}

// Character i (from 1) of the text at (102 + 8 i, y).
void PanelText(const std::string& text, std::int32_t y) {
    for (std::size_t i = 0; i < text.size(); ++i)
        PanelPut(GlyphSprite(text[i]), 102 + 8 * static_cast<std::int32_t>(i + 1), y, false);
}

}  // namespace

void ComposePictures() {
    ComposeValley();
    for (const WorkSprite& picture : kPictures) ComposeWorkSprite(picture);
}

void DrawResultPanel(const std::string& score, const std::string& code, const std::string& frames, bool valid) {
    g_DDBPack.BltClear(-1);
    PanelPut(kScoreLabel, 18, kScoreRow, false);
    PanelPut(kCodeLabel, 18, kCodeRow, false);
    PanelPut(kFramesLabel, 18, kFramesRow, false);
    PanelText(score, kScoreRow);
    if (valid)
        PanelText(code, kCodeRow);
    else
        PanelPut(kTimeoutLabel, 110, kCodeRow, false);
    PanelText(frames, kFramesRow);
    PanelPut(kClosingLine, 160, 228, true);
    g_DDBPack.Blt();
    g_DDBPack.BltClear(-1);
    g_DDBPack.GetSprite(kPanel).MaskReMake();
}

}  // namespace ending
