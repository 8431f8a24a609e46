// Output files of the tool that notice a full disk or a vanished folder:
// every write and the close are checked, and a failure says which file and
// why ("FILE: No space left on device").
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

// Writes `bytes` as the whole file. False, with the reason in `error`, when
// any part of it could not be written.
bool WriteWholeFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes, std::string* error);

// A text file written line by line (the per-frame trace). After the first
// failure nothing more is written and Error() says what went wrong.
class TextOutput {
public:
    TextOutput() = default;
    ~TextOutput();
    TextOutput(const TextOutput&) = delete;
    TextOutput& operator=(const TextOutput&) = delete;

    bool Open(const std::filesystem::path& file);
    bool IsOpen() const { return file_ != nullptr; }
    bool Write(std::string_view text);
    // Flushes and closes; false when anything written was lost.
    bool Close();
    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }

private:
    void Fail(int err);

    std::FILE* file_ = nullptr;
    std::string name_;
    std::string error_;
};
