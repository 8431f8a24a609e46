// Reading small text files given by the user (settings, pad scripts) without
// surprises: only regular files are read, so a FIFO, a device or a folder of
// that name is refused at once instead of blocking for ever or reading as an
// empty file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

// The first `max_bytes` bytes of `file`, or nothing, with one line in `error`
// ("FILE: not a regular file", "FILE: No such file or directory").
std::optional<std::string> ReadRegularFile(const std::filesystem::path& file, std::size_t max_bytes,
                                           std::string* error = nullptr);
