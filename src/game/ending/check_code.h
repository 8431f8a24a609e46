// The score check code printed by the ending, and its reader.
//
// The code carries the score's last eight digits twice, in two halves of
// twelve digits joined by a dash:
//
//   b1 b2 b3  d4 .. d11  d12  -  c1 c2 c3  e4 .. e11  e12
//
// The first three digits of a half are a position in the shared 10-entry
// random table, in clear. The next eight are the score digits in a fixed
// shuffled order, each plus the table digit taken from that position on
// (mod 10). The last is the sum of the eleven before it (mod 10). The two
// halves use different positions (at least 200 apart) and different orders,
// so a reported score can be checked by anyone holding the table, and a
// changed digit shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The two table positions of one code, each in 0..998.
struct CheckPositions {
    std::int32_t b = 0;
    std::int32_t c = 0;
};

// The positions drawn from the general-purpose generator seeded with `seed`:
// b first, then c drawn again until it is at least 200 away from b. The game
// seeds it from the clock in use, so headless runs repeat their code.
CheckPositions DrawCheckPositions(std::uint64_t seed);

// The eight score digits a code carries: the last eight of the zero-padded
// decimal text (a score of 100000000 or more loses its leading digits).
// A negative score counts as 0 (the game never has one).
std::string ScoreDigits(std::int32_t score);

// The 25-character code. Moves the cursor of g_Angle's 10-entry table, as
// the ending does when it writes its code.
std::string MakeCheckCode(std::int32_t score, CheckPositions positions);

struct CheckCodeReading {
    bool valid = false;
    std::string digits;       // the eight score digits (valid codes)
    std::int32_t score = 0;   // the same as a number
    CheckPositions positions;
    std::string error;        // what is wrong (invalid codes)
};

// Reads a code back: both halves decoded, their sum digits and positions
// checked, and the two scores compared. Surrounding blanks are ignored.
// Reads the table without moving its cursor.
CheckCodeReading ReadCheckCode(std::string_view code);
