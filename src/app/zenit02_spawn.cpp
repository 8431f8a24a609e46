// The main module's two creation routines: one enemy bullet, one explosion.
#include "app/zenit02.h"
#include "core/q7_angle.h"
#include "core/q7_objectpack.h"
#include "game/enemies/smoke.h"
#include "game/enemies/tama.h"

void FireTama(double X, double Y, int direction, double offset, double extra_speed) {
    SetTamaParam(X + g_Angle.GetDX16(direction) * offset, Y + g_Angle.GetDY16(direction) * offset, direction,
                 g_BulletSpeed + extra_speed, 500, 199, 32, 8);
    g_TamaParam.Reflectable = VB_TRUE;
    g_TamaParam.Reflected = VB_FALSE;
    g_ObjectPack.Spawn<CTama>(4, VB_TRUE);
}

void MakeSmoke(int X, int Y, double DX, double DY, bool large, int step_frames, int draw_layer) {
    g_SpawnParam.X = X;
    g_SpawnParam.Y = Y;
    g_SpawnParam.DX = DX;
    g_SpawnParam.DY = DY;
    g_SpawnParam.Sprite = large ? 161 : 175;
    // The sixth field is left as the previous spawn wrote it.
    g_SpawnParam.Level = step_frames;
    g_SpawnParam.Side = draw_layer;
    g_ObjectPack.Spawn<CSmoke>(6, VB_TRUE);
}
