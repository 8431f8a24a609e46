// The text of zenit.ini: how a file's lines become settings, and back.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

#include "app/settings.h"

namespace {

struct Record {
    const char* key;
    int min;
    int max;
};

// Keys in file order, spelled as the game has always written them. The port
// accepts any number (only 0 means "synthesiser").
constexpr Record kRecords[6] = {
    {"ShotButton", 0, kPadButtonCount - 1},
    {"PowreUpButton", 0, kPadButtonCount - 1},
    {"PauseButton", 0, kPadButtonCount - 1},
    {"SpeedUpButton", 0, kPadButtonCount - 1},
    {"DefaltPort", INT32_MIN, INT32_MAX},
    {"Init_Vol", 1, 3},
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Next line of `text` (CR LF, LF or a lone CR ends a line); false at the end.
bool NextLine(std::string_view& text, std::string_view& line) {
    if (text.empty()) return false;
    std::size_t end = text.find_first_of("\r\n");
    line = text.substr(0, end);
    if (end == std::string_view::npos) {
        text = {};
    } else {
        std::size_t next = end + 1;
        if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
        text.remove_prefix(next);
    }
    return true;
}

// The integer field of one record: a key field (quoted or not; its text is
// not used), a comma, then a decimal integer with an optional sign.
std::optional<int> RecordValue(std::string_view line) {
    line = Trim(line);
    std::size_t comma;
    if (!line.empty() && line.front() == '"') {
        std::size_t close = line.find('"', 1);
        if (close == std::string_view::npos) return std::nullopt;
        comma = line.find(',', close + 1);
    } else {
        comma = line.find(',');
    }
    if (comma == std::string_view::npos) return std::nullopt;
    std::string_view field = Trim(line.substr(comma + 1));
    // One sign at most, then nothing but digits.
    std::string_view digits = field;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) digits.remove_prefix(1);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    if (field.front() == '+') field.remove_prefix(1);
    int value = 0;
    auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec != std::errc() || end != field.data() + field.size()) return std::nullopt;
    return value;
}

}  // namespace

Settings ParseSettings(std::string_view text, Settings base) {
    if (text.size() > kMaxSettingsFileBytes) text = text.substr(0, kMaxSettingsFileBytes);
    Settings s = base;
    int* const slots[6] = {&s.ShotButton, &s.PowerUpButton, &s.PauseButton, &s.SpeedUpButton, nullptr, &s.InitVol};
    int record = 0;
    std::string_view line;
    while (record < 6 && NextLine(text, line)) {
        if (Trim(line).empty()) continue;  // a blank line in a hand-edited file is no record
        std::optional<int> value = RecordValue(line);
        // A value out of its range would index past the button tables: it
        // ends the reading like any value that cannot be read.
        if (!value || *value < kRecords[record].min || *value > kRecords[record].max) break;
        if (slots[record])
            *slots[record] = *value;
        else if (*value == 0)
            s.DefaultPort = false;  // any other number keeps the default port preferred
        ++record;
    }
    return s;
}

std::string FormatSettings(const Settings& s) {
    const int values[6] = {s.ShotButton, s.PowerUpButton, s.PauseButton, s.SpeedUpButton, s.DefaultPort ? -1 : 0,
                           s.InitVol};
    std::string text;
    for (int i = 0; i < 6; ++i) {
        text += '"';
        text += kRecords[i].key;
        text += "\",";
        text += std::to_string(values[i]);
        text += "\r\n";
    }
    return text;
}

