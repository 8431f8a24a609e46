#include "app/zenit02.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "app/form1.h"
#include "app/settings.h"
#include "core/q7_objectpack.h"
#include "core/vb.h"
#include "game/player/my_ship.h"
#include "gfx/q7_ddbpack256.h"
#include "platform/q7_directx7.h"

// ---- Definitions, with the values the program starts with -------------------
int g_ShotButton, g_PowerUpButton, g_PauseButton, g_SpeedUpButton;
bool g_DefaultPort;
int g_InitVol;

int g_LauncherClosed, g_QuitRequested;
bool g_LoadDone, g_FullScreen, g_ResultReady;
std::string g_ResultText;

int g_StageNo;
bool g_StageEnd, g_Paused;
int g_FrameCount, g_PauseCount, g_StageSlot, g_SeVolLevel, g_HitFlash;
int g_StageFrames[11], g_StageLate[11], g_StageResyncs[11];

int g_Score, g_Lives;
int g_PowerLv0, g_PowerLv1, g_PowerLv2, g_PowerLv3;
int g_PowerUpCursor, g_Rank;
double g_ScoreRate;
int g_MyShipSlot;
bool g_NoDamage;
int g_ClearTimer, g_GameOverTimer;
bool g_BulletsOff, g_ShadowsOn;
int g_BgMode;
double g_ScrollSpeed;

double g_BulletSpeed;
int g_MinFireDist2, g_ShieldPowerUp, g_ShieldHit, g_ShieldLifeMax;

bool g_SeReq5, g_SeReq6, g_SeReq7, g_SeReq8;

CQ7Pos g_MyShipPos;
CQ7PosList g_HitList1, g_HitList2, g_EnemyBulletList, g_MissileTargets, g_ObstacleList, g_PlayerAttackList,
    g_MyShipList;

TamaParam g_TamaParam;
SpawnParam g_SpawnParam;
EnemyParam g_EnemyParam;
EnemyParamEx g_EnemyParamEx;
EnemyMoveScript g_EnemyMoveScript;
BGObjParam g_BGObjParam;

void ResetGlobalState() {
    // Everything is zero or empty at program start; Main then sets its defaults.
    g_ShotButton = g_PowerUpButton = g_PauseButton = g_SpeedUpButton = 0;
    g_DefaultPort = false;
    g_InitVol = 0;
    g_LauncherClosed = g_QuitRequested = 0;
    g_LoadDone = g_FullScreen = g_ResultReady = false;
    g_ResultText.clear();
    g_StageNo = 0;
    g_StageEnd = g_Paused = false;
    g_FrameCount = g_PauseCount = g_StageSlot = g_SeVolLevel = g_HitFlash = 0;
    std::fill(std::begin(g_StageFrames), std::end(g_StageFrames), 0);
    std::fill(std::begin(g_StageLate), std::end(g_StageLate), 0);
    std::fill(std::begin(g_StageResyncs), std::end(g_StageResyncs), 0);
    g_Score = g_Lives = 0;
    g_PowerLv0 = g_PowerLv1 = g_PowerLv2 = g_PowerLv3 = 0;
    g_PowerUpCursor = g_Rank = 0;
    g_ScoreRate = 0;
    g_MyShipSlot = 0;
    g_NoDamage = false;
    g_ClearTimer = g_GameOverTimer = 0;
    g_BulletsOff = g_ShadowsOn = false;
    g_BgMode = 0;
    g_ScrollSpeed = 0;
    g_BulletSpeed = 0;
    g_MinFireDist2 = g_ShieldPowerUp = g_ShieldHit = g_ShieldLifeMax = 0;
    g_SeReq5 = g_SeReq6 = g_SeReq7 = g_SeReq8 = false;
    g_MyShipPos = CQ7Pos();
    for (CQ7PosList* list : {&g_HitList1, &g_HitList2, &g_EnemyBulletList, &g_MissileTargets, &g_ObstacleList,
                             &g_PlayerAttackList, &g_MyShipList})
        list->Clear();
    g_TamaParam = TamaParam();
    g_SpawnParam = SpawnParam();
    g_EnemyParam = EnemyParam();
    g_EnemyParamEx = EnemyParamEx();
    g_EnemyMoveScript = EnemyMoveScript();
    g_BGObjParam = BGObjParam();
}


void SetRankValues() {
    g_BulletSpeed = g_Rank * 0.2 + 2.5;
    int d = (10 - g_Rank) * 10;
    g_MinFireDist2 = d * d;
}

void SetShieldTimes() {
    g_ShieldPowerUp = 121 - 6 * g_Rank;
    g_ShieldHit = 241 - 18 * g_Rank;
    g_ShieldLifeMax = 151 - 9 * g_Rank;
}

void SetMainDefaults() {
    g_LoadDone = false;
    g_ResultReady = false;
    g_ResultText.clear();
    g_LauncherClosed = 0;
    g_QuitRequested = 1;
    g_StageNo = 1;
    g_FullScreen = false;
    ApplySettings(Settings{});  // the settings' defaults live in one place, the Settings record
}

// ---- Yield -------------------------------------------------------------------
namespace {
YieldHandler g_yield_handler = nullptr;
void* g_yield_context = nullptr;
}  // namespace

void SetYieldHandler(YieldHandler handler, void* context) {
    g_yield_handler = handler;
    g_yield_context = context;
}

void Yield() {
    if (g_yield_handler)
        g_yield_handler(g_yield_context);
    else
        g_DX7.DoEvents();
}

// ---- Loading -------------------------------------------------------------------
namespace {
void LoadRange(int first, int last, bool corner_based) {
    for (int id = first; id <= last; ++id) {
        g_DDBPack.LoadRES(id, id, "CUSTOM");
        if (corner_based) g_DDBPack.GetSprite(id).Pos.SetCenter_Base(VB_FALSE);
        Yield();
    }
}

void SetCenterBase(std::initializer_list<int> ids, VBool value) {
    for (int id : ids) g_DDBPack.GetSprite(id).Pos.SetCenter_Base(value);
}
}  // namespace

void LoadGraphics() {
    g_DDBPack.SetBuffer(76800);  // the 320 x 240 back screen

    // Sprite 100: a 320 x 218 opaque panel of colour 255 below the 22-pixel status line.
    CQ7Sprite256& panel = g_DDBPack.GetSprite(100);
    panel.SetUP(320, 218, 0);
    for (int i = 0; i <= panel.DT.GetLongCount(); ++i) panel.DT.SetLongData(i, 0xFFFFFFFFu);
    panel.DT.ALL_Paint();
    panel.Pos.Move(0, 22);

    LoadRange(101, 254, false);
    SetCenterBase({224, 227, 228, 229}, VB_FALSE);
    LoadRange(1001, 1221, true);
    SetCenterBase({1169, 1170, 1171, 1172}, VB_TRUE);
    LoadRange(4001, 4368, false);
    LoadRange(6001, 6088, false);
}

void LoadSounds() {
    for (int i = 1; i <= kSoundEffectCount; ++i) {
        g_DX7.DS_LoadRes(i, std::to_string(i));
        g_DX7.DS_Set_Volume(i, 0);
    }
    g_SeVolLevel = 2;
}

// ---- Scoring -------------------------------------------------------------------
CMyShip* MyShip() {
    int slot = g_MyShipSlot;
    if (slot < CQ7ObjectPack::kMarkers || slot >= CQ7ObjectPack::kSlots || !g_ObjectPack.IsOccupied(slot))
        return nullptr;
    return dynamic_cast<CMyShip*>(g_ObjectPack.GetCQ7Object(slot).Ob.get());
}

void AddScore(int points, bool scaled) {
    std::int64_t add = scaled ? RoundHalfEven(points * g_ScoreRate) : points;
    int before = g_Score;
    // A score past the 32-bit range stays at its top instead of wrapping.
    g_Score = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{g_Score} + add,
                                                        std::numeric_limits<int>::min(),
                                                        std::numeric_limits<int>::max()));
    if (before < 10000 && g_Score >= 10000) {
        g_PowerUpCursor = 0;
        if (CMyShip* ship = MyShip()) ship->SetWeponSelect();
        g_DX7.DS_Play(1, 0);
    }
}

void UpdateScoreRate() {
    if (CMyShip* ship = MyShip(); ship && ship->MTC > 0) {
        g_ScoreRate = 1.0;
        return;
    }
    int s = g_PowerLv0 + 2 * g_PowerLv1 + g_PowerLv2 + g_PowerLv3;
    int h = (s == 0 ? 21 : 18 - s) + g_StageNo + g_StageNo / 8;
    if (g_Rank == 10)
        h += 20;
    else if (g_Rank < 5)
        h += g_Rank;
    else
        h += static_cast<int>(g_Rank * 1.5);  // floor: the rank is positive here
    h += (g_Lives == 1) ? 8 : 4 - g_Lives;
    h = h * 10 / 3;
    g_ScoreRate = h / 10.0;
}

// ---- Effect volume ----------------------------------------------------------------
namespace {
void ShiftEffectVolumes(int delta) {
    for (int i = 1; i <= kSoundEffectCount; ++i) g_DX7.DS_Set_Volume(i, g_DX7.DS_Get_Volume(i) + delta);
}
}  // namespace

void VolumeUp() {
    if (g_SeVolLevel >= 3) return;
    ShiftEffectVolumes(1000);
    g_SeVolLevel += 1;
    ShowVolume();
}

void VolumeDown() {
    if (g_SeVolLevel <= 1) return;
    ShiftEffectVolumes(-1000);
    g_SeVolLevel -= 1;
    ShowVolume();
}

void ShowVolume() {
    if (!g_Paused) return;
    // Indicators 240..242 are 10 x 11; their top-left corner goes to (5, 0)
    // so the whole indicator shows in the corner of the status line.
    CQ7Sprite256& indicator = g_DDBPack.GetSprite(239 + g_SeVolLevel);
    indicator.Pos.SetLeft(5);
    indicator.Pos.SetTop(0);
    indicator.SpritePaint(g_DDBPack.GetSprite(0));
    ShowBackScreenFullScreen();
}
