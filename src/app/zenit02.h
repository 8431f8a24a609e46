// ZENIT_02: the main module. It holds the whole global game state, the
// program's start-up and the shared routines every game object calls
// (scoring, bullets, explosions, rank-derived values, effect volume).
//
// All state lives in plain globals with the game's own names; every game
// object reaches the others only through these and through slot numbers of
// g_ObjectPack. ResetGlobalState() returns all of it to program-start values
// (tests and headless runs use it; the game never calls it mid-run).
#pragma once

#include <cstdint>
#include <string>

#include "core/q7_pos.h"
#include "core/q7_poslist.h"

// ---- Settings (zenit.ini, the settings dialog) -----------------------------
extern int g_ShotButton;      // pad button for attack (0..11)
extern int g_PowerUpButton;   // pad button to buy a power-up
extern int g_PauseButton;     // pad button for pause
extern int g_SpeedUpButton;   // pad button that triples the ship's speed while held
extern bool g_DefaultPort;    // true: music prefers the default synthesiser port
extern int g_InitVol;         // starting effect volume level, 1 (small) .. 3 (large)

// ---- Program flow ----------------------------------------------------------
extern int g_LauncherClosed;  // 0 until the settings dialog has closed
extern int g_QuitRequested;   // 1 until the dialog's start button; non-zero after it closes = quit
extern bool g_LoadDone;       // graphics loaded
extern bool g_FullScreen;     // the full-screen display path is set up
extern bool g_ResultReady;    // the ending has set g_ResultText
extern std::string g_ResultText;

// ---- Stage control and statistics -----------------------------------------
extern int g_StageNo;         // 1..8 stage, 9 ending, 10 end of program
extern bool g_StageEnd;       // ends the current stage's frame loop
extern bool g_Paused;
extern int g_FrameCount;      // frames presented since the stage started
extern int g_PauseCount;      // pauses since program start (never reset)
extern int g_StageSlot;
extern int g_SeVolLevel;      // effect volume level 1..3
extern int g_HitFlash;        // frames of the player's hit flash left
extern int g_StageFrames[11];
extern int g_StageLate[11];
extern int g_StageResyncs[11];

// ---- Player and scoring ----------------------------------------------------
extern int g_Score;
extern int g_Lives;
extern int g_PowerLv0, g_PowerLv1, g_PowerLv2, g_PowerLv3;
extern int g_PowerUpCursor;
extern int g_Rank;
extern double g_ScoreRate;
extern int g_MyShipSlot;
extern bool g_NoDamage;
extern int g_ClearTimer;
extern int g_GameOverTimer;
extern bool g_BulletsOff;
extern bool g_ShadowsOn;
extern int g_BgMode;
extern double g_ScrollSpeed;

// ---- Rank-derived values (SetRankValues, SetShieldTimes) -------------------
extern double g_BulletSpeed;
extern int g_MinFireDist2;
extern int g_ShieldPowerUp;
extern int g_ShieldHit;
extern int g_ShieldLifeMax;

// ---- Sound requests: enemies ask, the stage object plays --------------------
extern bool g_SeReq5, g_SeReq6, g_SeReq7, g_SeReq8;

// ---- Shared rectangles and hit lists ---------------------------------------
extern CQ7Pos g_MyShipPos;
extern CQ7PosList g_HitList1;          // ground and large enemies, some bosses
extern CQ7PosList g_HitList2;          // air enemies, bosses, bullets that hurt on contact
extern CQ7PosList g_EnemyBulletList;   // the CTama family
extern CQ7PosList g_MissileTargets;    // everything a missile may lock on
extern CQ7PosList g_ObstacleList;      // scenery and objects that hide ground enemies
extern CQ7PosList g_PlayerAttackList;  // the player's attacks with their values
extern CQ7PosList g_MyShipList;        // the ship's options

// ---- Spawn records ----------------------------------------------------------
// A creator fills the record of the class it is about to create; the new
// object copies it in Call_Initial. Records are never cleared: a field a
// creator does not write keeps the previous spawn's value.

struct TamaParam {
    VBool Reflectable = 0;
    double X = 0, Y = 0;
    double Speed = 0;
    std::int32_t Dir = 0;
    std::int32_t Attack = 0;
    std::int32_t Sprite = 0;
    std::int32_t DrawLayer = 0;
    std::int32_t DrawEvery = 0;
    std::int32_t HitW = 0, HitH = 0;
    VBool Reflected = 0;
};

// Shared by the player's weapons, the bullets CTama3..CTama8 and CSmoke; the
// last three fields are named after the weapons' use (each class documents its own).
struct SpawnParam {
    double X = 0, Y = 0, DX = 0, DY = 0;
    std::int32_t Sprite = 0;
    std::int32_t Dir = 0;
    std::int32_t Level = 0;
    std::int32_t Side = 0;
};

struct EnemyParam {
    double X = 0, Y = 0;
    std::int16_t Variant = 0;
    std::int32_t EntryFrames = 0;
    std::int32_t DrawLayer = 0;
    std::int32_t Param6 = 0;
    double ShotSpeedAdd = 0;
    std::int32_t Mode = 0;
    std::int32_t Param9 = 0;
    std::int32_t DeathShot = 0;
};

struct EnemyParamEx {
    std::int32_t Heading = 0;
    std::int32_t FirstShot = 0;
    std::int32_t ShotInterval = 0;
    std::int32_t TurnInterval = 0;
    std::int32_t FireLimitY = 0;
};

struct EnemyMoveScript {
    static constexpr int kSteps = 51;
    std::int32_t StepEnd[kSteps] = {};
    std::int32_t StepTurn[kSteps] = {};
    std::int32_t StepDir[kSteps] = {};
    std::int32_t StepSprite[kSteps] = {};
    double StepSpeed[kSteps] = {};
};

struct BGObjParam {
    std::int32_t X = 0;
    double Y = 0;
    std::int32_t CG_No = 0;
    std::int32_t DrawMode = 0;
    std::int32_t DrawLayer = 0;
    VBool HasHitBox = 0;
    std::int32_t HitW = 0, HitH = 0;
    VBool HitCentred = 0;
};

extern TamaParam g_TamaParam;
extern SpawnParam g_SpawnParam;
extern EnemyParam g_EnemyParam;
extern EnemyParamEx g_EnemyParamEx;
extern EnemyMoveScript g_EnemyMoveScript;
extern BGObjParam g_BGObjParam;

// ---- Shared routines --------------------------------------------------------
class CMyShip;

void ResetGlobalState();
// Step 1 of Main: the values the program sets before reading zenit.ini.
void SetMainDefaults();

// Loads every sprite of the game into g_DDBPack, calling Yield() after each
// load so the settings dialog stays responsive; sets nothing else.
void LoadGraphics();
// Sound effects 1..13 from the WAVE resources "1".."13", each at volume 0;
// g_SeVolLevel = 2.
void LoadSounds();

// The player's ship in slot g_MyShipSlot, or null when that slot holds no
// ship (before the stage has made one, or in a test without one).
CMyShip* MyShip();

// Adds points (times g_ScoreRate, rounded halves-to-even, when scaled). The
// first time the score reaches 10000 the shop opens: cursor on slot 0, the
// ship picks its offer, sound effect 1.
void AddScore(int points, bool scaled);
// g_ScoreRate from the weapon levels, stage, rank and lives; 1.0 while the
// ship is invulnerable.
void UpdateScoreRate();
void SetRankValues();
void SetShieldTimes();
// Creates one CTama bullet from (X, Y) + offset along the 16-way direction.
void FireTama(double X, double Y, int direction, double offset, double extra_speed);
// Creates one CSmoke explosion (161.. when large, 175.. otherwise).
void MakeSmoke(int X, int Y, double DX, double DY, bool large, int step_frames, int draw_layer);

// Effect volume levels: 1 is -2000, 2 is -1000, 3 is 0 (hundredths of a dB).
inline constexpr int kSoundEffectCount = 13;
void VolumeUp();
void VolumeDown();
// While paused: paints the level's indicator onto the back screen and shows it at once.
void ShowVolume();

// The program's "yield": handles every pending window event. While the
// settings dialog is up it pumps the dialog; afterwards the game window.
void Yield();
using YieldHandler = void (*)(void* context);
// Installs the pump Yield() runs; null restores the game window's (g_DX7.DoEvents).
void SetYieldHandler(YieldHandler handler, void* context);
