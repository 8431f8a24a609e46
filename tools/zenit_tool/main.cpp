// zenit-tool: the game's command-line companion (headless runs, benchmarks,
// data export, checks). See `zenit-tool help`.
#include "tool.h"

#include <algorithm>
#include <cstdio>
#include <exception>

namespace {

std::vector<ToolCommand>& Commands() {
    static std::vector<ToolCommand> commands;
    return commands;
}

std::vector<Exporter>& Exporters() {
    static std::vector<Exporter> exporters;
    return exporters;
}

int PrintUsage(FILE* out) {
    std::fprintf(out, "usage: zenit-tool COMMAND [ARGS]\ncommands:\n");
    std::fprintf(out, "  export DIR   write the game data as files (sprites, palettes, sounds, music)\n");
    for (const ToolCommand& c : Commands()) std::fprintf(out, "  %s\n", c.usage.c_str());
    return out == stderr ? 2 : 0;
}

int RunExport(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zenit-tool export DIR\n");
        return 2;
    }
    std::filesystem::path dir = args[0];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec || !std::filesystem::is_directory(dir, ec)) {
        std::fprintf(stderr, "export: cannot create the folder %s: %s\n", dir.string().c_str(),
                     ec ? ec.message().c_str() : "a file of that name is in the way");
        return 1;
    }
    auto exporters = Exporters();
    std::sort(exporters.begin(), exporters.end(), [](const Exporter& a, const Exporter& b) { return a.name < b.name; });
    int status = 0;
    for (const Exporter& e : exporters) {
        int rc = 1;
        try {
            rc = e.run(dir);
        } catch (const std::exception& error) {  // a folder or file that cannot be made, named in the text
            std::fprintf(stderr, "export: %s: %s\n", e.name.c_str(), error.what());
        }
        if (rc != 0) {
            std::fprintf(stderr, "export: %s failed\n", e.name.c_str());
            status = 1;
        }
    }
    return status;
}

}  // namespace

ToolCommandRegistrar::ToolCommandRegistrar(ToolCommand command) { Commands().push_back(std::move(command)); }
ExporterRegistrar::ExporterRegistrar(Exporter exporter) { Exporters().push_back(std::move(exporter)); }

int main(int argc, char** argv) {
    if (argc < 2) return PrintUsage(stderr);
    std::string name = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (name == "help" || name == "--help" || name == "-h") return PrintUsage(stdout);
    if (name == "export") return RunExport(args);
    for (const ToolCommand& c : Commands())
        if (c.name == name) return c.run(args);
    std::fprintf(stderr, "zenit-tool: unknown command '%s'\n", name.c_str());
    return PrintUsage(stderr);
}
