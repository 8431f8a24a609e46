// zenit-tool checkcode: writes and checks the ending's score check codes.
//
//   checkcode encode SCORE [--seed N]   the code the ending would print for SCORE
//                                       (N seeds the position draw; default: the clock)
//   checkcode verify CODE               decodes both halves; prints the score as JSON
//                                       and exits 0, or says what is wrong and exits 1
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/clock.h"
#include "game/ending/check_code.h"
#include "sim_run.h"
#include "tool.h"

namespace {

constexpr const char* kUsage = "checkcode encode SCORE [--seed N] | checkcode verify CODE";

int Usage(const char* why) {
    std::fprintf(stderr, "checkcode: %s\nusage: zenit-tool %s\n", why, kUsage);
    return 2;
}

// A whole decimal number in [0, limit], or -1.
long long ParseCount(const std::string& text, long long limit) {
    if (text.empty() || text.size() > 20) return -1;
    for (char ch : text)
        if (ch < '0' || ch > '9') return -1;
    const unsigned long long v = std::strtoull(text.c_str(), nullptr, 10);
    return v > static_cast<unsigned long long>(limit) ? -1 : static_cast<long long>(v);
}

int Encode(const std::vector<std::string>& args) {
    if (args.size() != 2 && args.size() != 4) return Usage("encode takes a score and optionally --seed N");
    const long long score = ParseCount(args[1], 2147483647LL);
    if (score < 0) return Usage("the score is a whole number from 0 to 2147483647");
    std::uint64_t seed = static_cast<std::uint64_t>(GetClock().Counter());
    if (args.size() == 4) {
        if (args[2] != "--seed") return Usage(("unknown option '" + args[2] + "'").c_str());
        const long long n = ParseCount(args[3], 9223372036854775807LL);
        if (n < 0) return Usage("--seed takes a whole number of 0 or more");
        seed = static_cast<std::uint64_t>(n);
    }
    if (score >= 100000000)
        std::fprintf(stderr, "checkcode: the code carries the last eight digits, %s\n",
                     ScoreDigits(static_cast<std::int32_t>(score)).c_str());
    std::printf("%s\n", MakeCheckCode(static_cast<std::int32_t>(score), DrawCheckPositions(seed)).c_str());
    return 0;
}

int Verify(const std::vector<std::string>& args) {
    if (args.size() != 2) return Usage("verify takes one code");
    const CheckCodeReading reading = ReadCheckCode(args[1]);
    if (!reading.valid) {
        std::printf("{\"valid\":false,\"error\":%s}\n", JsonString(reading.error).c_str());
        std::fprintf(stderr, "checkcode: %s\n", reading.error.c_str());
        return 1;
    }
    std::printf("{\"valid\":true,\"score\":%d,\"digits\":\"%s\",\"positions\":[%d,%d]}\n", reading.score,
                reading.digits.c_str(), reading.positions.b, reading.positions.c);
    return 0;
}

int RunCheckCode(const std::vector<std::string>& args) {
    if (args.empty()) return Usage("encode or verify?");
    if (args[0] == "encode") return Encode(args);
    if (args[0] == "verify") return Verify(args);
    return Usage(("unknown action '" + args[0] + "'").c_str());
}

const ToolCommandRegistrar kCheckCode({"checkcode", kUsage, RunCheckCode});

}  // namespace
