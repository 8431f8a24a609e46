// Runs of the built `zenit-tool` for the tests that play whole stages
// through it, and the fields of its one-line JSON summaries.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

inline const std::string& ToolPath() {
    static const std::string path = std::string(ZENIT_BINARY_DIR) + "/zenit-tool";
    return path;
}

inline bool ToolBuilt() { return std::filesystem::exists(ToolPath()); }

// Standard output of `zenit-tool ARGS` (standard error dropped).
inline std::string ToolOutput(const std::string& args) {
    std::string out;
    FILE* pipe = popen((ToolPath() + " " + args + " 2>/dev/null").c_str(), "r");
    if (!pipe) return out;
    char buf[512];
    while (fgets(buf, sizeof buf, pipe)) out += buf;
    pclose(pipe);
    return out;
}

// Item `index` of a JSON line's array of numbers (-1 when it is missing).
inline long JsonArrayItem(const std::string& json, const std::string& name, int index) {
    const std::string key = "\"" + name + "\":[";
    auto at = json.find(key);
    if (at == std::string::npos) return -1;
    at += key.size();
    for (int i = 0; i < index; ++i) {
        at = json.find(',', at);
        if (at == std::string::npos) return -1;
        ++at;
    }
    return std::stol(json.substr(at));
}

// The text of a number field of a JSON line ("" when it is missing).
inline std::string JsonField(const std::string& json, const std::string& name) {
    const std::string key = "\"" + name + "\":";
    const auto at = json.find(key);
    if (at == std::string::npos) return {};
    const auto from = at + key.size();
    return json.substr(from, json.find_first_of(",}", from) - from);
}
