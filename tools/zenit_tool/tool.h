// zenit-tool subcommands. Each command lives in its own file and registers
// itself with a static ToolCommandRegistrar; `zenit-tool export DIR` runs
// every registered exporter in name order.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct ToolCommand {
    std::string name;
    std::string usage;  // one line: "sim [--stage N] ..."
    int (*run)(const std::vector<std::string>& args);  // args after the command name; returns the exit code
};

struct ToolCommandRegistrar {
    explicit ToolCommandRegistrar(ToolCommand command);
};

struct Exporter {
    std::string name;  // e.g. "sprites", "palettes", "waves", "music"
    int (*run)(const std::filesystem::path& dir);  // 0 on success
};

struct ExporterRegistrar {
    explicit ExporterRegistrar(Exporter exporter);
};
