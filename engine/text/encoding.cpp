#include "engine/text/encoding.h"

#include <stdexcept>
#include <utility>

#include "engine/text/iconv_stream.h"
#include "engine/text/text_helpers.h"

std::optional<std::string> Utf8ToSjis(std::string_view utf8) {
    thread_local TIconv converter("CP932", "UTF-8");
    std::string out;
    out.reserve(utf8.size());
    if (!ConvertAll(converter, utf8, out,
                    [](std::string&, char*&, std::size_t&) { return false; })) {
        return std::nullopt;
    }
    return out;
}

std::string SjisToUtf8(std::string_view sjis) {
    thread_local TIconv converter("UTF-8", "CP932");
    std::string out;
    out.reserve(sjis.size() * 3 / 2);
    ConvertAll(converter, sjis, out, [](std::string& o, char*& src, std::size_t& left) {
        o.append("\xEF\xBF\xBD");
        const bool lead = IsLeadByte(static_cast<unsigned char>(*src));
        const unsigned char next = left >= 2 ? static_cast<unsigned char>(src[1]) : 0;
        const std::size_t skip = lead && next >= 0x40 && next != 0x7F && next <= 0xFC ? 2 : 1;
        src += skip;
        left -= skip;
        return true;
    });
    return out;
}

std::string Sjis(std::string_view utf8Literal) {
    auto converted = Utf8ToSjis(utf8Literal);
    if (!converted)
        throw std::logic_error("program literal without a CP932 form");
    return *std::move(converted);
}
