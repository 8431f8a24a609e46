#include "file_output.h"

#include <cerrno>
#include <cstring>

namespace {

std::string Reason(const std::string& name, int err) { return name + ": " + std::strerror(err ? err : EIO); }

}  // namespace

bool WriteWholeFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes, std::string* error) {
    TextOutput out;
    bool ok = out.Open(file) &&
              out.Write(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    ok = out.Close() && ok;
    if (!ok && error) *error = out.Error();
    return ok;
}

TextOutput::~TextOutput() {
    if (file_) std::fclose(file_);
}

void TextOutput::Fail(int err) {
    if (error_.empty()) error_ = Reason(name_, err);
}

bool TextOutput::Open(const std::filesystem::path& file) {
    name_ = file.string();
    error_.clear();
    file_ = std::fopen(name_.c_str(), "wb");
    if (!file_) Fail(errno);
    return file_ != nullptr;
}

bool TextOutput::Write(std::string_view text) {
    if (!file_ || Failed()) return false;
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) Fail(errno);
    return !Failed();
}

bool TextOutput::Close() {
    if (!file_) return !Failed();
    errno = 0;
    if (std::fflush(file_) != 0) Fail(errno);
    errno = 0;
    if (std::fclose(file_) != 0) Fail(errno);
    file_ = nullptr;
    return !Failed();
}
