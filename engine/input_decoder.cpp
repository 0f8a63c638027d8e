#include "engine/input_decoder.h"

const char* IconvName(TTextEncoding encoding) {
    switch (encoding) {
        case TTextEncoding::ShiftJis:
            return "CP932";
        case TTextEncoding::Utf8:
            return "UTF-8";
        // The CP932-compatible tables keep the NEC and IBM characters.
        case TTextEncoding::EucJp:
            return "EUC-JP-MS";
        // A superset of ISO-2022-JP that also reads half-width katakana (ESC ( I).
        case TTextEncoding::Iso2022Jp:
            return "ISO-2022-JP-2";
        case TTextEncoding::Utf16Le:
            return "UTF-16LE";
        case TTextEncoding::Utf16Be:
            return "UTF-16BE";
    }
    return "CP932";
}

namespace {
std::size_t UnitSize(TTextEncoding encoding) {
    return encoding == TTextEncoding::Utf16Le || encoding == TTextEncoding::Utf16Be ? 2 : 1;
}
}  // namespace

TInputDecoder::TInputDecoder(TTextEncoding encoding, TSjisBridge& bridge)
    : encoding_(encoding),
      unit_(UnitSize(encoding)),
      stream_(IconvName(encoding), unit_),
      bridge_(bridge) {}

void TInputDecoder::Decode(std::string_view raw, bool last, std::string& out) {
    if (start_ && !raw.empty()) {
        start_ = false;
        if (encoding_ == TTextEncoding::Utf8 && raw.starts_with("\xEF\xBB\xBF"))
            raw.remove_prefix(3);
        else if (encoding_ == TTextEncoding::Utf16Le && raw.starts_with("\xFF\xFE"))
            raw.remove_prefix(2);
        else if (encoding_ == TTextEncoding::Utf16Be && raw.starts_with("\xFE\xFF"))
            raw.remove_prefix(2);
    }
    stream_.Feed(
        raw, last,
        [&](char32_t c) {
            lineFeeds_ += c == '\n' ? 1 : 0;
            bridge_.Append(c, out);
        },
        [&] {
            if (invalid_ == 0)
                firstInvalidLine_ = lineFeeds_ + 1;
            invalid_ += static_cast<long long>(unit_);
            out += "\x81\xAC";
        });
}
