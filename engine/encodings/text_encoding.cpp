#include "engine/encodings/text_encoding.h"

#include <uchardet.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "engine/encodings/line_count.h"
#include "engine/encodings/reading_plausibility.h"
#include "engine/text/iconv_stream.h"

namespace {

constexpr std::size_t kSampleLimit = 256 * 1024;
constexpr std::size_t kChunk = 1 << 16;
// From this many bytes the rest of a file is counted over two threads (below, starting the thread
// costs about as much as it saves).
constexpr std::uintmax_t kSplitCountFrom = 4 << 20;
constexpr std::uintmax_t kNeverSplitCount = std::numeric_limits<std::uintmax_t>::max();

std::optional<TTextEncoding> BomEncoding(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return TTextEncoding::Utf8;
    if (bytes.starts_with("\xFF\xFE"))
        return TTextEncoding::Utf16Le;
    if (bytes.starts_with("\xFE\xFF"))
        return TTextEncoding::Utf16Be;
    return std::nullopt;
}

// True when bytes hold a byte >= 0x80 or ESC: only such text can be anything but ASCII.
bool HoldsNonAscii(std::string_view bytes) {
    unsigned char any = 0;
    for (const char c : bytes)
        any |= static_cast<unsigned char>(c);
    return (any & 0x80) != 0 || std::memchr(bytes.data(), 0x1B, bytes.size()) != nullptr;
}

bool IsKana(char32_t c) {
    return c >= 0x3041 && c <= 0x30FF;
}

// A decoder that only remembers whether its text was valid.
struct TCheck {
    explicit TCheck(const char* from) : stream(from, 1, true) {}
    template <typename OnCodePoint>
    void Feed(std::string_view bytes, bool last, OnCodePoint&& onCodePoint) {
        if (!valid)
            return;
        stream.Feed(
            bytes, last,
            [&](char32_t c) {
                if (c > 0x10FFFF)
                    valid = false;
                else
                    onCodePoint(c);
            },
            [this] { valid = false; });
    }
    void Feed(std::string_view bytes, bool last) {
        Feed(bytes, last, [](char32_t) {});
    }
    TDecodeStream stream;
    bool valid = true;
};

}  // namespace

struct TEncodingSniffer::TState {
    std::size_t fed = 0;
    bool first = true;
    bool started = false;
    bool high = false;
    bool escape = false;
    std::optional<TTextEncoding> bom;
    TCheck utf8{"UTF-8"};
    TCheck eucJp{"EUC-JP-MS"};
    TCheck cp932{"CP932"};
    TCheck iso2022Jp{"ISO-2022-JP-2"};
    long long eucNonAscii = 0;
    long long eucKana = 0;
    // The sample while it is valid both as UTF-8 and as CP932, for the plausibility of each
    // reading; given up once either reading fails.
    std::string eitherWay;
    uchardet_t detector = uchardet_new();
    TCheck* decided = nullptr;
};

TEncodingSniffer::TEncodingSniffer() : state_(new TState) {}

TEncodingSniffer::~TEncodingSniffer() {
    uchardet_delete(state_->detector);
    delete state_;
}

bool TEncodingSniffer::Feed(std::string_view bytes) {
    TState& s = *state_;
    if (s.first && !bytes.empty()) {
        s.first = false;
        s.bom = BomEncoding(bytes);
    }
    if (s.bom || s.fed >= kSampleLimit)
        return false;
    if (!s.started && !HoldsNonAscii(bytes))
        return true;
    // A piece is taken whole, so that Validate goes on exactly where the sample ends.
    s.started = true;
    s.fed += bytes.size();
    unsigned char any = 0;
    for (const char c : bytes)
        any |= static_cast<unsigned char>(c);
    s.high = s.high || (any & 0x80) != 0;
    s.escape = s.escape || std::memchr(bytes.data(), 0x1B, bytes.size()) != nullptr;
    s.utf8.Feed(bytes, false);
    s.eucJp.Feed(bytes, false, [&s](char32_t c) {
        if (c >= 0x80) {
            ++s.eucNonAscii;
            s.eucKana += IsKana(c) ? 1 : 0;
        }
    });
    s.cp932.Feed(bytes, false);
    s.iso2022Jp.Feed(bytes, false);
    if (s.utf8.valid && s.cp932.valid)
        s.eitherWay.append(bytes);
    else
        std::string().swap(s.eitherWay);
    uchardet_handle_data(s.detector, bytes.data(), bytes.size());
    return s.fed < kSampleLimit;
}

TTextEncoding TEncodingSniffer::Decide(bool complete) {
    TState& s = *state_;
    if (s.bom)
        return *s.bom;
    if (complete) {
        for (TCheck* check : {&s.utf8, &s.eucJp, &s.cp932, &s.iso2022Jp})
            check->Feed({}, true);
    }
    uchardet_data_end(s.detector);
    const std::string said = uchardet_get_charset(s.detector);
    TTextEncoding result = TTextEncoding::ShiftJis;
    if (!s.high && !s.escape) {
        result = TTextEncoding::ShiftJis;
    } else if (s.high && s.utf8.valid &&
               !(s.cp932.valid && Utf8ReadingImplausible(s.eitherWay) &&
                 ShiftJisReadingPlausible(s.eitherWay))) {
        result = TTextEncoding::Utf8;
        s.decided = &s.utf8;
    } else if (s.escape && !s.high && s.iso2022Jp.valid && said == "ISO-2022-JP") {
        result = TTextEncoding::Iso2022Jp;
        s.decided = &s.iso2022Jp;
    } else if (s.high && s.eucJp.valid &&
               (!s.cp932.valid || (said == "EUC-JP" && s.eucKana * 10 >= s.eucNonAscii * 3))) {
        result = TTextEncoding::EucJp;
        s.decided = &s.eucJp;
    }
    return result;
}

bool TEncodingSniffer::Validate(std::string_view bytes, bool last) {
    TCheck* check = state_->decided;
    if (check == nullptr)
        return true;
    check->Feed(bytes, last);
    return check->valid;
}

TTextEncoding DetectEncoding(std::string_view text) {
    TEncodingSniffer sniffer;
    while (!text.empty()) {
        const std::string_view piece = text.substr(0, kChunk);
        text.remove_prefix(piece.size());
        if (!sniffer.Feed(piece))
            return sniffer.Decide(text.empty());
    }
    return sniffer.Decide(true);
}

const char* EncodingDisplayName(TTextEncoding encoding) {
    switch (encoding) {
        case TTextEncoding::ShiftJis:
            return "Shift_JIS";
        case TTextEncoding::Utf8:
            return "UTF-8";
        case TTextEncoding::EucJp:
            return "EUC-JP";
        case TTextEncoding::Iso2022Jp:
            return "ISO-2022-JP";
        case TTextEncoding::Utf16Le:
            return "UTF-16LE";
        case TTextEncoding::Utf16Be:
            return "UTF-16BE";
    }
    return "Shift_JIS";
}

const char* EncodingDisplayName(TPageEncoding encoding) {
    switch (encoding) {
        case TPageEncoding::ShiftJis:
            return "Shift_JIS";
        case TPageEncoding::Utf8:
            return "UTF-8";
        case TPageEncoding::EucJp:
            return "EUC-JP";
    }
    return "Shift_JIS";
}

TPageEncoding ResolvePageEncoding(const TStrInfo& settings, TTextEncoding input) {
    if (PageDocType(settings) == TDocType::Html5)
        return TPageEncoding::Utf8;
    return ResolvePageEncoding(settings.OutputEncoding, input);
}

TPageEncoding ResolvePageEncoding(TOutputEncoding chosen, TTextEncoding input) {
    switch (chosen) {
        case TOutputEncoding::ShiftJis:
            return TPageEncoding::ShiftJis;
        case TOutputEncoding::Utf8:
            return TPageEncoding::Utf8;
        case TOutputEncoding::EucJp:
            return TPageEncoding::EucJp;
        case TOutputEncoding::SameAsInput:
            break;
    }
    if (input == TTextEncoding::ShiftJis)
        return TPageEncoding::ShiftJis;
    if (input == TTextEncoding::EucJp)
        return TPageEncoding::EucJp;
    return TPageEncoding::Utf8;
}

std::optional<TTextEncoding> NamedTextEncoding(TInputEncoding chosen) {
    switch (chosen) {
        case TInputEncoding::ShiftJis:
            return TTextEncoding::ShiftJis;
        case TInputEncoding::Utf8:
            return TTextEncoding::Utf8;
        case TInputEncoding::EucJp:
            return TTextEncoding::EucJp;
        case TInputEncoding::Iso2022Jp:
            return TTextEncoding::Iso2022Jp;
        case TInputEncoding::Auto:
            break;
    }
    return std::nullopt;
}

namespace {

// Line counting of UTF-16 text, by code unit: LF ends a line, U+001A ends the text.
struct TUtf16Counter {
    bool bigEndian;
    bool skipBom = true;
    bool partial = false;
    bool ended = false;
    long long lines = 0;
    void Count(const unsigned char* p, std::size_t n) {
        for (std::size_t i = 0; i + 1 < n && !ended; i += 2) {
            const unsigned unit = bigEndian ? (p[i] << 8 | p[i + 1]) : (p[i + 1] << 8 | p[i]);
            if (skipBom) {
                skipBom = false;
                continue;
            }
            if (unit == 0x1A) {
                ended = true;
                break;
            }
            lines += unit == 0x0A ? 1 : 0;
            partial = unit != 0x0A;
        }
        // A byte left over at the end of the text is read as one "〓", which a line holds.
        if (n % 2 == 1 && !ended)
            partial = true;
    }
};

}  // namespace

TInputScan ScanInput(const std::string& path, TInputEncoding chosen, TScanCheck check,
                     unsigned threads) {
    TInputScan scan;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) {
        scan.Error = errno;
        return scan;
    }
    const bool automatic = chosen == TInputEncoding::Auto;
    scan.Encoding = NamedTextEncoding(chosen).value_or(TTextEncoding::ShiftJis);
    std::optional<TEncodingSniffer> sniffer;
    if (automatic)
        sniffer.emplace();
    bool sampling = automatic;
    bool validating = false;
    bool valid = true;
    std::optional<TUtf16Counter> utf16;
    std::vector<char> buffer(kChunk);
    bool first = true;
    TLineFeedCount lines;
    bool ended = false;
    while (!ended) {
        const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), file.get());
        if (n < buffer.size() && std::ferror(file.get())) {
            scan.Error = errno;
            return scan;
        }
        const bool last = n < buffer.size();
        if (first && automatic) {
            if (const auto bom = BomEncoding(std::string_view(buffer.data(), n))) {
                scan.Encoding = *bom;
                sampling = false;
                if (*bom != TTextEncoding::Utf8)
                    utf16.emplace(TUtf16Counter{*bom == TTextEncoding::Utf16Be});
            }
        }
        first = false;
        if (utf16) {
            utf16->Count(reinterpret_cast<const unsigned char*>(buffer.data()), n);
            ended = last || utf16->ended;
            continue;
        }
        const std::string_view piece(buffer.data(), lines.Add(buffer.data(), n));
        ended = lines.Ended || last;
        if (sampling && !sniffer->Feed(piece)) {
            sampling = false;
            scan.Encoding = sniffer->Decide(ended);
            validating = !ended && check == TScanCheck::WholeText;
            scan.Provisional = !ended && check == TScanCheck::SampleOnly &&
                               scan.Encoding != TTextEncoding::ShiftJis;
        } else if (validating) {
            valid = valid && sniffer->Validate(piece, ended);
        }
        // Once nothing but the lines is left to find, the rest is counted on its own.
        if (!ended && !sampling && !validating) {
            lines.Append(CountRestOfFile(file.get(), path,
                                         threads >= 2 ? kSplitCountFrom : kNeverSplitCount));
            if (lines.Error != 0) {
                scan.Error = lines.Error;
                return scan;
            }
            break;
        }
    }
    if (sampling)
        scan.Encoding = sniffer->Decide(true);
    if (validating && valid)
        valid = sniffer->Validate({}, true);
    if (!valid)
        scan.Encoding = TTextEncoding::ShiftJis;
    scan.Lines = utf16 ? utf16->lines + (utf16->partial ? 1 : 0) : lines.Lines();
    scan.Ok = true;
    return scan;
}

std::optional<TTextEncoding> DetectFileEncoding(const std::string& path) {
    const TInputScan scan = ScanInput(path, TInputEncoding::Auto);
    if (!scan.Ok)
        return std::nullopt;
    return scan.Encoding;
}
