#include "game/enemies/large_tama.h"

#include "app/zenit02.h"
#include "core/q7_angle.h"
#include "core/q7_objectpack.h"
#include "game/enemies/tama2.h"

void FireLargeTama(double x, double y, std::int32_t dir, double offset, double speed_add) {
    g_TamaParam.Reflectable = VB_TRUE;
    g_TamaParam.Reflected = VB_FALSE;
    SetTamaParam(x + g_Angle.GetDX16(dir) * offset, y + g_Angle.GetDY16(dir) * offset, dir, g_BulletSpeed + speed_add,
                 500, 6005 + dir, 26, 12);
    g_ObjectPack.Spawn<CTama2>(4, VB_TRUE);
}
