#include "engine/sjis_bridge.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "engine/iconv_stream.h"
#include "engine/text_helpers.h"

namespace {

constexpr std::uint16_t kNoForm = 0xFFFF;
constexpr char32_t kNoChar = 0xFFFFFFFF;
constexpr std::uint16_t kStandInBase = 0xF040;
constexpr std::uint16_t kGetaCode = 0x81AC;                                 // "〓"
constexpr const char* kGeta[3] = {"\x81\xAC", "\xE3\x80\x93", "\xA2\xAE"};  // "〓"

struct TCodeForm {
    std::uint8_t Size = 0;
    char Bytes[4] = {};
};

std::string Utf32(char32_t c) {
    const char bytes[4] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8 & 0xFF),
                           static_cast<char>(c >> 16 & 0xFF), static_cast<char>(c >> 24)};
    return std::string(bytes, 4);
}

// The tables between CP932 codes and characters, built once with iconv. Engine codes are the byte
// for a single-byte character and lead << 8 | trail for a double-byte one.
struct TTables {
    std::vector<std::uint16_t> ToSjis = std::vector<std::uint16_t>(0x10000, kNoForm);
    std::vector<char32_t> ToChar = std::vector<char32_t>(0x10000, kNoChar);
    std::vector<TCodeForm> Utf8 = std::vector<TCodeForm>(0x10000);
    std::vector<TCodeForm> EucJp = std::vector<TCodeForm>(0x10000);

    TTables() {
        TIconv decode("UTF-32LE", "CP932");
        TIconv encode("CP932", "UTF-32LE");
        TIconv toUtf8("UTF-8", "UTF-32LE");
        TIconv toEuc("EUC-JP-MS", "UTF-32LE");
        TIconv fromEuc("UTF-32LE", "EUC-JP-MS");
        std::string utf32;
        std::string form;
        const auto add = [&](std::uint16_t code, std::string_view bytes) {
            if (!ConvertWhole(decode, bytes, utf32) || utf32.size() != 4)
                return;
            const char32_t c = CodePointAt(utf32.data());
            ToChar[code] = c;
            if (c < 0x10000 && ConvertWhole(encode, utf32, form) && form == bytes)
                ToSjis[c] = code;
            if (ConvertWhole(toUtf8, utf32, form))
                Set(Utf8[code], form);
            std::string back;
            if (ConvertWhole(toEuc, utf32, form) && ConvertWhole(fromEuc, form, back) &&
                back == utf32)
                Set(EucJp[code], form);
        };
        for (unsigned b = 0; b < 0x100; ++b) {
            if (!IsLeadByte(static_cast<unsigned char>(b)))
                add(static_cast<std::uint16_t>(b), std::string(1, static_cast<char>(b)));
        }
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsLeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail == 0x7F)
                    continue;
                const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                add(static_cast<std::uint16_t>(lead << 8 | trail), std::string_view(bytes, 2));
            }
        }
    }

    static void Set(TCodeForm& f, const std::string& bytes) {
        if (bytes.empty() || bytes.size() > sizeof f.Bytes)
            return;
        f.Size = static_cast<std::uint8_t>(bytes.size());
        bytes.copy(f.Bytes, bytes.size());
    }
};

const TTables& Tables() {
    static const TTables tables;
    return tables;
}

void AppendCode(std::uint16_t code, std::string& out) {
    if (code >= 0x100)
        out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

std::string CharacterReference(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "&#x%X;", static_cast<unsigned>(c));
    return text;
}

std::uint16_t StandInCode(std::size_t index) {
    const std::size_t row = index / 188;
    const std::size_t cell = index % 188;
    const std::size_t trail = cell < 63 ? 0x40 + cell : 0x80 + (cell - 63);
    return static_cast<std::uint16_t>((kStandInBase & 0xFF00) + (row << 8) + trail);
}

// The index of the stand-in code lead, trail, or -1 when it is none.
long StandInIndex(unsigned lead, unsigned trail) {
    if (lead < 0xF0 || lead > 0xF9 || trail < 0x40 || trail == 0x7F || trail > 0xFC)
        return -1;
    return static_cast<long>((lead - 0xF0) * 188 + (trail < 0x7F ? trail - 0x40 : trail - 0x41));
}

bool IsUserDefinedCharacter(char32_t c) {
    return c >= 0xE000 && c <= 0xE757;
}

bool IsTrailByte(unsigned char c) {
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

}  // namespace

TSjisBridge::TSjisBridge() : toSjis_(Tables().ToSjis.data()) {}

// The characters without a faithful CP932 form, and the user-defined ones.
std::uint16_t TSjisBridge::StandInFor(char32_t c) {
    const TTables& tables = Tables();
    if (const auto found = codes_.find(c); found != codes_.end())
        return found->second;
    if (standIns_.size() < kCapacity) {
        const std::uint16_t code = StandInCode(standIns_.size());
        TStandIn standIn{c, {}};
        const std::string utf32 = Utf32(c);
        std::string form;
        // A user-defined character is its own CP932 code in a Shift_JIS page; the others have
        // no faithful form there.
        standIn.Forms[0] = CharacterReference(c);
        if (IsUserDefinedCharacter(c) && tables.ToSjis[c] != kNoForm) {
            standIn.Forms[0].clear();
            AppendCode(tables.ToSjis[c], standIn.Forms[0]);
        }
        TIconv toUtf8("UTF-8", "UTF-32LE");
        standIn.Forms[1] = ConvertWhole(toUtf8, utf32, form) ? form : CharacterReference(c);
        TIconv toEuc("EUC-JP-MS", "UTF-32LE");
        TIconv fromEuc("UTF-32LE", "EUC-JP-MS");
        std::string back;
        standIn.Forms[2] =
            ConvertWhole(toEuc, utf32, form) && ConvertWhole(fromEuc, form, back) && back == utf32
                ? form
                : CharacterReference(c);
        standIns_.push_back(std::move(standIn));
        codes_.emplace(c, code);
        return code;
    }
    if (unkeptSeen_.empty())
        unkeptSeen_.resize(0x110000 / 64 + 1);
    const std::uint64_t bit = std::uint64_t{1} << (c % 64);
    std::uint64_t& word = unkeptSeen_[(c / 64) % unkeptSeen_.size()];
    if ((word & bit) == 0) {
        word |= bit;
        ++unkept_;
    }
    return kGetaCode;
}

void TSjisBridge::Encode(std::string_view engine, TPageEncoding page, std::string& out) {
    if (page == TPageEncoding::ShiftJis && standIns_.empty()) {
        out.append(engine);
        return;
    }
    const TTables& tables = Tables();
    const std::vector<TCodeForm>& forms = page == TPageEncoding::Utf8 ? tables.Utf8 : tables.EucJp;
    const std::size_t n = engine.size();
    // Written through a pointer into scratch room for the longest result: a byte gives at most
    // three (UTF-8 of half-width katakana, "〓"), a character reference ("&#x10FFFF;") at most
    // ten for two bytes; a stand-in's form makes more room when it needs it.
    const std::size_t room = n * 5 + 8;
    if (scratchSize_ < room) {
        scratch_ = std::make_unique_for_overwrite<char[]>(room);
        scratchSize_ = room;
    }
    char* dst = scratch_.get();
    std::size_t i = 0;
    const auto put = [&](std::string_view bytes) {
        const std::size_t used = dst - scratch_.get();
        const std::size_t rest = (n - i) * 5 + 8;  // room for what follows
        if (scratchSize_ - used < bytes.size() + rest) {
            const std::size_t size = std::max(scratchSize_ * 2, used + bytes.size() + rest);
            auto bigger = std::make_unique_for_overwrite<char[]>(size);
            std::memcpy(bigger.get(), scratch_.get(), used);
            scratch_ = std::move(bigger);
            scratchSize_ = size;
        }
        dst = scratch_.get() + used;
        std::memcpy(dst, bytes.data(), bytes.size());
        dst += bytes.size();
    };
    for (; i < n; ++i) {
        const auto b = static_cast<unsigned char>(engine[i]);
        if (b < 0x80) {
            *dst++ = static_cast<char>(b);
            continue;
        }
        std::uint16_t code = b;
        if (IsLeadByte(b) && i + 1 < n && IsTrailByte(static_cast<unsigned char>(engine[i + 1]))) {
            const auto trail = static_cast<unsigned char>(engine[i + 1]);
            code = static_cast<std::uint16_t>(b << 8 | trail);
            ++i;
            const long index = StandInIndex(b, trail);
            if (index >= 0 && static_cast<std::size_t>(index) < standIns_.size()) {
                put(standIns_[index].Forms[static_cast<int>(page)]);
                continue;
            }
        }
        if (page == TPageEncoding::ShiftJis) {
            if (code >= 0x100)
                *dst++ = static_cast<char>(code >> 8);
            *dst++ = static_cast<char>(code & 0xFF);
            continue;
        }
        const TCodeForm& form = forms[code];
        if (form.Size > 0) {
            std::memcpy(dst, form.Bytes, 4);
            dst += form.Size;
        } else if (tables.ToChar[code] != kNoChar) {
            put(CharacterReference(tables.ToChar[code]));
        } else {
            put(kGeta[static_cast<int>(page)]);
            unreadable_ += code >= 0x100 ? 2 : 1;
        }
    }
    out.append(scratch_.get(), dst - scratch_.get());
}

std::string TSjisBridge::Adopt(std::string_view sjis) {
    std::string out;
    out.reserve(sjis.size());
    for (std::size_t i = 0; i < sjis.size(); ++i) {
        const auto b = static_cast<unsigned char>(sjis[i]);
        if (!IsLeadByte(b) || i + 1 == sjis.size()) {
            out += sjis[i];
            continue;
        }
        const auto trail = static_cast<unsigned char>(sjis[i + 1]);
        const std::uint16_t code = static_cast<std::uint16_t>(b << 8 | trail);
        ++i;
        if (StandInIndex(b, trail) >= 0 && Tables().ToChar[code] != kNoChar)
            Append(Tables().ToChar[code], out);
        else
            AppendCode(code, out);
    }
    return out;
}

std::string EncodeSjisText(std::string_view engine, TPageEncoding page) {
    TSjisBridge bridge;
    std::string out;
    out.reserve(engine.size() * 3 / 2);
    bridge.Encode(engine, page, out);
    return out;
}
