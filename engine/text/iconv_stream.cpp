#include "engine/text/iconv_stream.h"

#include <cerrno>
#include <stdexcept>

TIconv::TIconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
}

TIconv::~TIconv() {
    iconv_close(cd_);
}

std::size_t TIconv::Step(char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft) {
    return iconv(cd_, &in, &inLeft, &out, &outLeft);
}

bool TIconv::Finish(char*& out, std::size_t& outLeft) {
    return iconv(cd_, nullptr, nullptr, &out, &outLeft) != static_cast<std::size_t>(-1);
}

void TIconv::Reset() {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
}

bool ConvertWhole(TIconv& cd, std::string_view in, std::string& out) {
    out.clear();
    if (!ConvertAll(cd, in, out, [](std::string&, char*&, std::size_t&) { return false; }))
        return false;
    // The shift back to the initial state, for stateful encodings.
    char buffer[16];
    char* dst = buffer;
    std::size_t room = sizeof buffer;
    if (!cd.Finish(dst, room))
        return false;
    out.append(buffer, dst - buffer);
    return true;
}

char32_t CodePointAt(const char* utf32le) {
    const auto* b = reinterpret_cast<const unsigned char*>(utf32le);
    return static_cast<char32_t>(b[0]) | static_cast<char32_t>(b[1]) << 8 |
           static_cast<char32_t>(b[2]) << 16 | static_cast<char32_t>(b[3]) << 24;
}

TDecodeStream::TDecodeStream(const char* from, std::size_t unitSize, bool wide)
    // UTF-32 unless asked: glibc's wchar_t takes the five- and six-byte sequences of old UTF-8
    // (values past U+10FFFF), which UTF-32 refuses as it should.
    : cd_(wide && sizeof(wchar_t) == 4 ? "WCHAR_T" : "UTF-32LE", from),
      unit_(unitSize),
      native_(wide && sizeof(wchar_t) == 4) {}
