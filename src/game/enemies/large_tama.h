// The shootable large bullet of the heavy aircraft (CEN019, CEN020): a
// CTama2 made like FireTama's bullet, with sprite 6005 + direction, a 12x12
// hit box, drawing layer 26 and 500 hit points (plus 100 a rank).
#pragma once

#include <cstdint>

void FireLargeTama(double x, double y, std::int32_t dir, double offset, double speed_add);
