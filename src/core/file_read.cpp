#include "core/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

std::optional<std::string> ReadRegularFile(const std::filesystem::path& file, std::size_t max_bytes,
                                           std::string* error) {
    auto fail = [&](const char* why) -> std::optional<std::string> {
        if (error) *error = file.string() + ": " + why;
        return std::nullopt;
    };
    // Opening a FIFO for reading waits for a writer: O_NONBLOCK lets the
    // check below see what it is first.
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return fail(std::strerror(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail("not a regular file");
    }
    std::string text;
    char buffer[4096];
    while (text.size() < max_bytes) {
        const ssize_t got = ::read(fd, buffer, std::min(sizeof buffer, max_bytes - text.size()));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            const int err = errno;
            ::close(fd);
            return fail(std::strerror(err));
        }
        if (got == 0) break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return text;
}
