#include "engine/encodings/output_file.h"

#include <cerrno>

TOutputFile::TOutputFile(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {
    if (!file_)
        error_ = errno;
    else
        std::setvbuf(file_, nullptr, _IONBF, 0);  // this class does the buffering
    buffer_.reserve(kBufferSize * 2);
}

TOutputFile::~TOutputFile() {
    if (file_)
        std::fclose(file_);
}

bool TOutputFile::Flush() {
    if (failed_ || !file_)
        return false;
    if (!buffer_.empty() &&
        std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
        failed_ = true;
        error_ = errno;
    }
    buffer_.clear();
    return !failed_;
}

bool TOutputFile::WriteLine(std::string_view text) {
    return WriteLineWith([text](std::string& buffer) { buffer.append(text); });
}

bool TOutputFile::Close() {
    if (!file_)
        return false;
    const bool flushed = Flush();
    errno = 0;
    const bool closed = std::fclose(file_) == 0;
    if (!closed && error_ == 0)
        error_ = errno;
    file_ = nullptr;
    return flushed && closed;
}
