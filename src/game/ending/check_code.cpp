#include "game/ending/check_code.h"

#include <array>
#include <cctype>
#include <cstdlib>
#include <random>

#include "core/q7_angle.h"

namespace {

constexpr std::int32_t kTableSize = 1001;    // entries of the 10-entry table
constexpr std::int32_t kPositionRange = 999;  // positions are drawn from 0..998
constexpr std::int32_t kMinApart = 200;
constexpr std::size_t kHalfLength = 12;
constexpr std::size_t kCodeLength = 2 * kHalfLength + 1;

// Which score digit (1..8) goes to digits 4..11 of each half.
using DigitOrder = std::array<int, 8>;
constexpr DigitOrder kFirstOrder = {6, 3, 4, 8, 1, 5, 2, 7};
constexpr DigitOrder kSecondOrder = {2, 7, 6, 3, 8, 1, 5, 4};

const char* const kHalfName[2] = {"first half", "second half"};

int Digit(char ch) { return ch - '0'; }
char DigitChar(int d) { return static_cast<char>('0' + d); }

// The last digit of the sum of the first eleven digits.
char SumDigit(std::string_view eleven) {
    int sum = 0;
    for (char ch : eleven) sum += Digit(ch);
    return DigitChar(sum % 10);
}

// One half: the position in clear, the masked score digits, the sum digit.
std::string EncodeHalf(const std::string& score_digits, std::int32_t position, const DigitOrder& order) {
    std::string half = std::to_string(1000 + position).substr(1);  // three digits in clear
    g_Angle.ReSet_Rnd10(position);
    for (int from : order)
        half += DigitChar((Digit(score_digits[static_cast<std::size_t>(from - 1)]) + g_Angle.Rnd10(-1)) % 10);
    half += SumDigit(half);
    return half;
}

struct HalfReading {
    std::string digits;
    std::int32_t position = 0;
    std::string error;
};

HalfReading DecodeHalf(std::string_view half, const DigitOrder& order, const char* name) {
    HalfReading out;
    const char expected = SumDigit(half.substr(0, kHalfLength - 1));
    if (half.back() != expected) {
        out.error = std::string(name) + ": its sum digit is " + half.back() + ", its other digits give " + expected;
        return out;
    }
    out.position = Digit(half[0]) * 100 + Digit(half[1]) * 10 + Digit(half[2]);
    if (out.position >= kPositionRange) {
        out.error = std::string(name) + ": position " + std::to_string(out.position) + " is not one the game draws (0..998)";
        return out;
    }
    out.digits.assign(8, '0');
    for (std::size_t k = 0; k < order.size(); ++k) {
        const int mask = g_Angle.Rnd10((out.position + static_cast<std::int32_t>(k)) % kTableSize);
        out.digits[static_cast<std::size_t>(order[k] - 1)] = DigitChar((Digit(half[3 + k]) - mask + 10) % 10);
    }
    return out;
}

bool IsCodeShape(std::string_view code) {
    if (code.size() != kCodeLength || code[kHalfLength] != '-') return false;
    for (std::size_t i = 0; i < code.size(); ++i)
        if (i != kHalfLength && !std::isdigit(static_cast<unsigned char>(code[i]))) return false;
    return true;
}

}  // namespace

CheckPositions DrawCheckPositions(std::uint64_t seed) {
    // A uniform number in [0, 1) from a fully specified generator, so a seed
    // gives the same positions on every machine and library.
    std::mt19937_64 generator(seed);
    auto random = [&] { return static_cast<double>(generator() >> 11) * 0x1.0p-53; };
    CheckPositions p;
    p.b = static_cast<std::int32_t>(random() * kPositionRange);
    do {
        p.c = static_cast<std::int32_t>(random() * kPositionRange);
    } while (std::abs(p.b - p.c) < kMinApart);
    return p;
}

std::string ScoreDigits(std::int32_t score) {
    const std::string padded = "00000000" + std::to_string(score < 0 ? 0 : score);
    return padded.substr(padded.size() - 8);
}

std::string MakeCheckCode(std::int32_t score, CheckPositions positions) {
    const std::string digits = ScoreDigits(score);
    return EncodeHalf(digits, positions.b, kFirstOrder) + "-" + EncodeHalf(digits, positions.c, kSecondOrder);
}

CheckCodeReading ReadCheckCode(std::string_view code) {
    CheckCodeReading out;
    while (!code.empty() && std::isspace(static_cast<unsigned char>(code.front()))) code.remove_prefix(1);
    while (!code.empty() && std::isspace(static_cast<unsigned char>(code.back()))) code.remove_suffix(1);
    if (!IsCodeShape(code)) {
        out.error = "a check code is 12 digits, a dash and 12 digits (25 characters)";
        return out;
    }
    const HalfReading first = DecodeHalf(code.substr(0, kHalfLength), kFirstOrder, kHalfName[0]);
    const HalfReading second = DecodeHalf(code.substr(kHalfLength + 1), kSecondOrder, kHalfName[1]);
    for (const HalfReading* half : {&first, &second})
        if (!half->error.empty()) {
            out.error = half->error;
            return out;
        }
    out.positions = {first.position, second.position};
    if (first.digits != second.digits) {
        out.error = "the halves carry different scores: " + first.digits + " and " + second.digits;
        return out;
    }
    if (std::abs(first.position - second.position) < kMinApart) {
        out.error = "the positions " + std::to_string(first.position) + " and " + std::to_string(second.position) +
                    " are less than 200 apart; the game keeps them further apart";
        return out;
    }
    out.valid = true;
    out.digits = first.digits;
    out.score = std::stoi(first.digits);
    return out;
}
