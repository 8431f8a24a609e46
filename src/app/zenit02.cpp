#include "app/zenit02.h"

#include <algorithm>

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
