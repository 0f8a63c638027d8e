#include "engine/encodings/input_decoder.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "engine/encodings/line_feeds.h"
#include "engine/text/ascii_runs.h"
#include "engine/text/encoding.h"

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

// An ASCII run at least this long is copied as it is instead of going through iconv.
constexpr std::size_t kCopiedRun = 16;

}  // namespace

TInputDecoder::TInputDecoder(TTextEncoding encoding, TSjisBridge& bridge, TOnInvalidByte onInvalid)
    : encoding_(encoding),
      unit_(UnitSize(encoding)),
      // Straight into the machine's wide characters: one conversion step of glibc's instead of
      // two, which is what makes UTF-8 text cheap enough to read.
      stream_(IconvName(encoding), unit_, true),
      bridge_(bridge),
      giveUp_(onInvalid == TOnInvalidByte::GiveUp) {}

void TInputDecoder::Decode(std::string_view raw, bool last, std::string& out) {
    const std::size_t before = out.size();
    out.resize(before + RoomFor(raw.size()));
    out.resize(Decode(raw, last, out.data() + before) - out.data());
}

char* TInputDecoder::Decode(std::string_view raw, bool last, char* dst) {
    if (gaveUp_)
        return dst;
    if (start_ && !raw.empty()) {
        start_ = false;
        if (encoding_ == TTextEncoding::Utf8 && raw.starts_with("\xEF\xBB\xBF"))
            raw.remove_prefix(3);
        else if (encoding_ == TTextEncoding::Utf16Le && raw.starts_with("\xFF\xFE"))
            raw.remove_prefix(2);
        else if (encoding_ == TTextEncoding::Utf16Be && raw.starts_with("\xFE\xFF"))
            raw.remove_prefix(2);
    }
    // The line of the first invalid byte is counted from the LF bytes written (the engine's
    // bytes hold no other 0x0A), only until that byte is found.
    char* const start = dst;
    const auto onInvalid = [&] {
        if (giveUp_) {
            gaveUp_ = true;
            return;
        }
        if (invalid_ == 0)
            firstInvalidLine_ = lineFeeds_ + CountLineFeeds(start, dst) + 1;
        invalid_ += static_cast<long long>(unit_);
        *dst++ = '\x81';
        *dst++ = '\xAC';
    };
    // The loop over a run keeps its pointer and count in locals: the bytes written through the
    // pointer could be anything to the compiler, members and captured variables included.
    const auto onRun = [&](std::span<const char32_t> run) {
        char* to = dst;
        for (const char32_t c : run) {
            if (c > 0x10FFFF) {
                // Only old UTF-8 forms of four to six bytes give these: each byte is invalid.
                dst = to;
                for (int k = c <= 0x1FFFFF ? 4 : c <= 0x3FFFFFF ? 5 : 6; k > 0; --k)
                    onInvalid();
                to = dst;
                continue;
            }
            to = bridge_.Put(c, to);
        }
        dst = to;
    };
    const auto finish = [&] {
        if (invalid_ == 0)
            lineFeeds_ += CountLineFeeds(start, dst);
        return dst;
    };
    if (encoding_ != TTextEncoding::Utf8 && encoding_ != TTextEncoding::EucJp) {
        stream_.FeedRuns(raw, last, onRun, onInvalid);
        return finish();
    }
    // In UTF-8 and EUC-JP every byte of a multi-byte character is >= 0x80, and the bytes below
    // are the ASCII characters, the same bytes in CP932: long runs of them are copied as they
    // are, and the text between them is decoded (a character cut at the end of the piece is
    // completed by the next piece; one cut before ASCII is undecodable).
    const std::size_t n = raw.size();
    std::size_t i = 0;
    while (i < n) {
        const std::size_t high = FindHighByte(raw, i);
        if (high - i >= kCopiedRun || high == n) {
            stream_.FeedRuns({}, true, onRun, onInvalid);
            const std::string_view ascii = raw.substr(i, high - i);
            dst = std::copy(ascii.begin(), ascii.end(), dst);
            i = high;
            continue;
        }
        std::size_t end = high;
        for (;;) {
            end = FindLowByte(raw, end);
            if (end == n)
                break;
            const std::size_t next = FindHighByte(raw, end);
            if (next - end >= kCopiedRun || next == n)
                break;
            end = next;
        }
        stream_.FeedRuns(raw.substr(i, end - i), end < n || last, onRun, onInvalid);
        i = end;
    }
    if (last)
        stream_.FeedRuns({}, true, onRun, onInvalid);
    return finish();
}

std::optional<std::string> ReadFileAsUtf8(const std::string& path, TInputEncoding chosen,
                                          TTextEncoding* read) {
    const TInputScan scan = ScanInput(path, chosen);
    if (!scan.Ok)
        return std::nullopt;
    if (read)
        *read = scan.Encoding;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file)
        return std::nullopt;
    std::string bytes;
    char buffer[1 << 16];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;)
        bytes.append(buffer, n);
    if (std::ferror(file.get()))
        return std::nullopt;
    if (scan.Encoding == TTextEncoding::ShiftJis)
        return SjisToUtf8(bytes);
    std::string_view text = bytes;
    const char* bom = scan.Encoding == TTextEncoding::Utf8      ? "\xEF\xBB\xBF"
                      : scan.Encoding == TTextEncoding::Utf16Le ? "\xFF\xFE"
                      : scan.Encoding == TTextEncoding::Utf16Be ? "\xFE\xFF"
                                                                : "";
    if (text.starts_with(bom))
        text.remove_prefix(std::string_view(bom).size());
    std::string utf32;
    TDecodeStream decode(IconvName(scan.Encoding), UnitSize(scan.Encoding));
    decode.Feed(
        text, true,
        [&](char32_t c) {
            const char unit[4] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8 & 0xFF),
                                  static_cast<char>(c >> 16 & 0xFF), static_cast<char>(c >> 24)};
            utf32.append(unit, 4);
        },
        [&] { utf32.append("\x13\x30\0\0", 4); });
    TIconv toUtf8("UTF-8", "UTF-32LE");
    std::string utf8;
    if (!ConvertWhole(toUtf8, utf32, utf8))
        return std::nullopt;
    return utf8;
}
