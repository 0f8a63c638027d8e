// iconv(3) descriptors for the conversions between encodings, and a stream that decodes text of
// any encoding piece by piece into code points.
#pragma once

#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// One open iconv descriptor; throws std::runtime_error when iconv cannot convert between the two.
class TIconv {
  public:
    TIconv(const char* to, const char* from);
    ~TIconv();
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;

    // One iconv(3) call: its result, with errno set as iconv sets it.
    std::size_t Step(char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft);
    // Writes the return to the initial shift state (stateful encodings); false when out is full.
    bool Finish(char*& out, std::size_t& outLeft);
    // Back to the initial shift state.
    void Reset();

  private:
    iconv_t cd_;
};

// Converts all of in with cd, from its initial state, onto the end of out. At a sequence that is
// invalid, incomplete or unconvertible it calls onBad(out, src, left), which either steps src
// past it (true) or gives up (false, and so does this).
template <typename OnBad>
bool ConvertAll(TIconv& cd, std::string_view in, std::string& out, OnBad&& onBad) {
    cd.Reset();
    char* src = const_cast<char*>(in.data());
    std::size_t left = in.size();
    char buffer[4096];
    while (left > 0) {
        char* dst = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t rc = cd.Step(src, left, dst, room);
        out.append(buffer, dst - buffer);
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG && !onBad(out, src, left))
            return false;
    }
    return true;
}

// Converts a whole short text; false (out unspecified) when it holds an invalid, incomplete or
// unconvertible sequence.
bool ConvertWhole(TIconv& cd, std::string_view in, std::string& out);

// The code points of a UTF-32LE byte string.
char32_t CodePointAt(const char* utf32le);

// Decodes text of one encoding (an iconv name) into code points, piece by piece; a character cut
// between two pieces is completed by the next. The code points go to onCodePoints in runs
// (std::span<const char32_t>), or one at a time to onCodePoint(char32_t); each byte that starts no
// valid character goes to onInvalid(), counted in units of unitSize bytes.
class TDecodeStream {
  public:
    // wide = true decodes into wchar_t where it holds 32 bits, in one step of glibc's instead of
    // two, for checks of validity: then values past U+10FFFF can come out (glibc's wchar_t takes
    // the five- and six-byte sequences of old UTF-8), and the caller must refuse them.
    TDecodeStream(const char* from, std::size_t unitSize, bool wide = false);

    template <typename OnCodePoints, typename OnInvalid>
    void FeedRuns(std::string_view bytes, bool last, OnCodePoints&& onCodePoints,
                  OnInvalid&& onInvalid);

    template <typename OnCodePoint, typename OnInvalid>
    void Feed(std::string_view bytes, bool last, OnCodePoint&& onCodePoint, OnInvalid&& onInvalid) {
        FeedRuns(
            bytes, last,
            [&](std::span<const char32_t> run) {
                for (const char32_t c : run)
                    onCodePoint(c);
            },
            onInvalid);
    }

    // The bytes held back at the end of the last piece, decoded with the next.
    std::size_t Pending() const { return pending_.size(); }

  private:
    TIconv cd_;
    std::size_t unit_;
    bool native_;          // the code points are wchar_t in the machine's order
    std::string pending_;  // the start of a character cut at the end of the last piece
};

template <typename OnCodePoints, typename OnInvalid>
void TDecodeStream::FeedRuns(std::string_view bytes, bool last, OnCodePoints&& onCodePoints,
                             OnInvalid&& onInvalid) {
    std::string joined;
    if (!pending_.empty()) {
        joined = pending_;
        joined.append(bytes);
        bytes = joined;
        pending_.clear();
    }
    char* src = const_cast<char*>(bytes.data());
    std::size_t left = bytes.size();
    char32_t codes[4096];
    while (left > 0) {
        char* dst = reinterpret_cast<char*>(codes);
        std::size_t room = sizeof codes;
        const std::size_t rc = cd_.Step(src, left, dst, room);
        const int error = rc == static_cast<std::size_t>(-1) ? errno : 0;
        const std::size_t count = (sizeof codes - room) / 4;
        if (!native_) {
            for (std::size_t k = 0; k < count; ++k)
                codes[k] = CodePointAt(reinterpret_cast<const char*>(codes + k));
        }
        if (count > 0)
            onCodePoints(std::span<const char32_t>(codes, count));
        if (error == EINVAL && !last) {
            pending_.assign(src, left);
            return;
        }
        if (error == EILSEQ || error == EINVAL) {
            const std::size_t skip = left < unit_ ? left : unit_;
            src += skip;
            left -= skip;
            onInvalid();
        }
    }
}
