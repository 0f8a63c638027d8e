#include "engine/line_reader.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::size_t kChunk = 1 << 16;

// Line feeds in [p, e): sixteen bytes at a time where the processor allows, with byte-wide counters
// summed every 255 rounds, rather than a call per line.
long long CountLineFeeds(const char* p, const char* e) {
    long long count = 0;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    while (e - p >= 16) {
        __m128i counters = _mm_setzero_si128();
        for (int round = 0; round < 255 && e - p >= 16; ++round, p += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            counters = _mm_sub_epi8(counters, _mm_cmpeq_epi8(bytes, lf));
        }
        const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
        count += _mm_cvtsi128_si64(sums) + _mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums));
    }
#endif
    return count + std::count(p, e, '\n');
}

}  // namespace

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

long long TLineReader::CountLines() {
    long long count = 0;
    bool partial = false;  // bytes seen since the last LF
    while (pos_ < end_ || Fill()) {
        const char* p = buffer_.data() + pos_;
        const char* e = buffer_.data() + end_;
        count += CountLineFeeds(p, e);
        partial = e[-1] != '\n';
        pos_ = end_;
    }
    return count + (partial ? 1 : 0);
}
