#include "line_reader.h"

#include <cstring>

namespace {
constexpr std::size_t kChunk = 1 << 16;
}

TLineReader::TLineReader(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {
    buffer_.resize(kChunk);
}

TLineReader::~TLineReader() {
    if (file_)
        std::fclose(file_);
}

bool TLineReader::Fill() {
    if (eof_ || !file_)
        return false;
    pos_ = 0;
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    if (end_ < buffer_.size()) {
        if (std::ferror(file_)) {
            failed_ = true;
            end_ = 0;
            eof_ = true;
            return false;
        }
        eof_ = true;
    }
    if (void* sub = std::memchr(buffer_.data(), 0x1A, end_)) {
        end_ = static_cast<char*>(sub) - buffer_.data();
        eof_ = true;
    }
    return end_ > 0;
}

bool TLineReader::Next(std::string& line) {
    line.clear();
    bool any = false;
    for (;;) {
        if (pos_ == end_ && !Fill())
            return any && !failed_;
        any = true;
        const char* start = buffer_.data() + pos_;
        const std::size_t avail = end_ - pos_;
        const void* lf = std::memchr(start, '\n', avail);
        const std::size_t take = lf ? static_cast<const char*>(lf) - start : avail;
        // A CR is never part of a line: before LF it is the terminator, elsewhere it is dropped.
        if (std::memchr(start, '\r', take) == nullptr) {
            line.append(start, take);
        } else {
            for (std::size_t i = 0; i < take; ++i) {
                if (start[i] != '\r')
                    line.push_back(start[i]);
            }
        }
        pos_ += take;
        if (lf) {
            ++pos_;
            return true;
        }
    }
}

long long TLineReader::CountLines() {
    long long count = 0;
    bool partial = false;  // bytes seen since the last LF
    for (;;) {
        if (pos_ == end_ && !Fill())
            break;
        const char* p = buffer_.data() + pos_;
        const char* e = buffer_.data() + end_;
        while (p < e) {
            const void* lf = std::memchr(p, '\n', e - p);
            if (!lf) {
                partial = true;
                break;
            }
            ++count;
            partial = false;
            p = static_cast<const char*>(lf) + 1;
        }
        pos_ = end_;
    }
    return count + (partial ? 1 : 0);
}
