#include "engine/encodings/line_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "engine/encodings/input_decoder.h"

namespace {

constexpr std::size_t kChunk = 1 << 16;

}  // namespace

TLineReader::TLineReader(const std::string& path, TInputDecoder* decoder)
    : file_(std::fopen(path.c_str(), "rb")), decoder_(decoder) {
    if (!file_)
        error_ = errno;
    if (decoder_)
        raw_.resize(kChunk);
    else
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
    if (decoder_)
        return FillDecoded();
    if (!Read(buffer_.data(), buffer_.size(), end_))
        return false;
    CutAtSubstitute(buffer_.data(), end_);
    return end_ > 0;
}

bool TLineReader::Read(char* into, std::size_t room, std::size_t& got) {
    got = std::fread(into, 1, room, file_);
    if (got < room) {
        eof_ = true;
        if (std::ferror(file_)) {
            failed_ = true;
            error_ = errno;
            end_ = 0;
            return false;
        }
    }
    return true;
}

void TLineReader::CutAtSubstitute(const char* text, std::size_t& size) {
    if (const void* sub = std::memchr(text, 0x1A, size)) {
        size = static_cast<const char*>(sub) - text;
        eof_ = true;
    }
}

// Decodes raw pieces until they give text (a piece may hold only a byte order mark or the start
// of a character). Read byte by byte, the text ends at the file's byte 0x1A: nothing behind it is
// decoded (or found invalid); in UTF-16 it ends at the decoded one. The buffer only grows, so
// that its room is never cleared again.
bool TLineReader::FillDecoded() {
    end_ = 0;
    while (end_ == 0 && !eof_) {
        std::size_t n = 0;
        if (!Read(raw_.data(), raw_.size(), n))
            return false;
        if (decoder_->ReadsBytes())
            CutAtSubstitute(raw_.data(), n);
        if (const std::size_t room = decoder_->RoomFor(n); buffer_.size() < room)
            buffer_.resize(room);
        end_ = decoder_->Decode(std::string_view(raw_.data(), n), eof_, buffer_.data()) -
               buffer_.data();
        if (!decoder_->ReadsBytes())
            CutAtSubstitute(buffer_.data(), end_);
        if (decoder_->GaveUp()) {
            end_ = 0;
            eof_ = true;
        }
    }
    return end_ > 0;
}

bool TLineReader::Append(std::string& line) {
    const std::size_t before = line.size();
    bool any = false;
    for (;;) {
        if (pos_ == end_ && !Fill()) {
            if (any && !failed_ && !(decoder_ && decoder_->GaveUp()))
                return true;
            line.resize(before);
            return false;
        }
        any = true;
        const char* start = buffer_.data() + pos_;
        const std::size_t avail = end_ - pos_;
        const void* lf = std::memchr(start, '\n', avail);
        const std::size_t take = lf ? static_cast<const char*>(lf) - start : avail;
        // A CR is never part of a line: before LF it is the terminator, elsewhere it is dropped.
        // The pieces between CRs are copied whole (every line of a CR LF file ends in one).
        const char* piece = start;
        const char* const end = start + take;
        while (const void* cr = std::memchr(piece, '\r', end - piece)) {
            line.append(piece, static_cast<const char*>(cr) - piece);
            piece = static_cast<const char*>(cr) + 1;
        }
        line.append(piece, end - piece);
        pos_ += take;
        if (lf) {
            ++pos_;
            return true;
        }
    }
}
