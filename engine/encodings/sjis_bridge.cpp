#include "engine/encodings/sjis_bridge.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <optional>

#include "engine/text/ascii_runs.h"
#include "engine/text/iconv_stream.h"
#include "engine/text/text_helpers.h"

namespace {

constexpr std::uint16_t kNoForm = 0xFFFF;
constexpr char32_t kNoChar = 0xFFFFFFFF;
constexpr std::uint16_t kStandInBase = 0xF040;
constexpr std::uint16_t kGetaCode = 0x81AC;                                 // "〓"
constexpr const char* kGeta[3] = {"\x81\xAC", "\xE3\x80\x93", "\xA2\xAE"};  // "〓"

std::string Utf32(char32_t c) {
    const char bytes[4] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8 & 0xFF),
                           static_cast<char>(c >> 16 & 0xFF), static_cast<char>(c >> 24)};
    return std::string(bytes, 4);
}

bool IsUserDefinedCharacter(char32_t c) {
    return c >= 0xE000 && c <= 0xE757;
}

// The engine bytes of a code (lead << 8 | trail, or the byte) as TSjisBridge::Put writes them.
std::uint16_t EngineBytesOf(std::uint16_t code) {
    return code >= 0x100 ? static_cast<std::uint16_t>(code >> 8 | (code & 0xFF) << 8) : code;
}

// One character in another encoding, converted with one iconv call: the tables are made of some
// 60,000 of them, and all the encodings they use are stateless, with no shift state to begin or
// end in.
class TCharacterForm {
  public:
    // False when in is no character, or one without a form there.
    bool Convert(TIconv& cd, std::string_view in) {
        char* src = const_cast<char*>(in.data());
        std::size_t left = in.size();
        char* dst = bytes_;
        std::size_t room = sizeof bytes_;
        const bool done =
            cd.Step(src, left, dst, room) != static_cast<std::size_t>(-1) && left == 0;
        size_ = done ? sizeof bytes_ - room : 0;
        if (!done)
            cd.Reset();
        return done;
    }
    std::string_view View() const { return {bytes_, size_}; }

  private:
    char bytes_[16];
    std::size_t size_ = 0;
};

// The engine codes of every CP932 character: the byte for a single-byte one and lead << 8 | trail
// for a double-byte one.
template <typename Visit>
void ForEachCode(Visit&& visit) {
    for (unsigned b = 0; b < 0x100; ++b) {
        if (!IsLeadByte(static_cast<unsigned char>(b))) {
            const char bytes[1] = {static_cast<char>(b)};
            visit(static_cast<std::uint16_t>(b), std::string_view(bytes, 1));
        }
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            visit(static_cast<std::uint16_t>(lead << 8 | trail), std::string_view(bytes, 2));
        }
    }
}

// The pointer of a double-byte CP932 code in the JIS X 0208 index that Shift_JIS and EUC-JP pages
// are decoded with: 188 codes a lead byte, lead bytes 0x81..0x9F and 0xE0..0xFC in turn.
unsigned Jis0208Pointer(unsigned lead, unsigned trail) {
    return (lead - (lead < 0xA0 ? 0x81 : 0xC1)) * 188 + trail - (trail < 0x7F ? 0x40 : 0x41);
}

// The user-defined area's pointers, which that index leaves out: a decoder reads them as the
// Private Use Area characters, in a Shift_JIS page only.
constexpr unsigned kUserDefinedPointers[2] = {8836, 10715};
// The rows 1..94 that an EUC-JP page's two bytes (0xA1..0xFE each) reach.
constexpr unsigned kEucJpPointers = 94 * 94;

// The fixed codes (FixedCodeOf) and their characters.
struct TFixedCode {
    std::string_view Code;
    char32_t Character;
};
constexpr TFixedCode kFixedCodes[] = {
    {"\xEF\x41", 0x3099}, {"\xEF\x42", 0x3094}, {"\xEF\x43", 0x30F7},
    {"\xEF\x44", 0x30F8}, {"\xEF\x45", 0x30F9}, {"\xEF\x46", 0x30FA},
};

// The tables between CP932 codes and characters, built once with iconv.
struct TTables {
    std::vector<std::uint16_t> ToSjis = std::vector<std::uint16_t>(0x10000, kNoForm);
    std::vector<std::uint16_t> EngineBytes = std::vector<std::uint16_t>(0x10000, kNoForm);
    std::vector<char32_t> ToChar = std::vector<char32_t>(0x10000, kNoChar);
    // The first pointer of each character in the JIS X 0208 index, which CP932's double-byte
    // codes are the whole of (each code's pointer holds the character the code decodes to).
    std::vector<std::uint16_t> FirstPointer = std::vector<std::uint16_t>(0x10000, kNoForm);

    TTables() {
        TIconv decode("UTF-32LE", "CP932");
        TIconv encode("CP932", "UTF-32LE");
        TCharacterForm utf32, form;
        ForEachCode([&](std::uint16_t code, std::string_view bytes) {
            if (!utf32.Convert(decode, bytes) || utf32.View().size() != 4)
                return;
            const char32_t c = CodePointAt(utf32.View().data());
            ToChar[code] = c;
            if (c < 0x10000 && form.Convert(encode, utf32.View()) && form.View() == bytes) {
                ToSjis[c] = code;
                if (!IsUserDefinedCharacter(c))
                    EngineBytes[c] = EngineBytesOf(code);
            }
            // The codes come in the order of their pointers, so the first one seen is the first.
            const unsigned pointer = code >= 0x100 ? Jis0208Pointer(code >> 8, code & 0xFF) : 0;
            if (code >= 0x100 && c < 0x10000 && FirstPointer[c] == kNoForm &&
                (pointer < kUserDefinedPointers[0] || pointer > kUserDefinedPointers[1]))
                FirstPointer[c] = static_cast<std::uint16_t>(pointer);
        });
        // The engine's bytes below 0x80 are ASCII, where glibc's CP932 has 0x1A, 0x1C and 0x7F
        // for U+001C, U+007F and U+001A: with its table a UTF-16 text's U+001C would end the text
        // as 0x1A does, and a page would be given other control characters than the text's.
        for (char32_t c = 0; c < 0x80; ++c) {
            ToChar[c] = c;
            ToSjis[c] = static_cast<std::uint16_t>(c);
            EngineBytes[c] = static_cast<std::uint16_t>(c);
        }
        // A C1 control character (U+0080..U+009F, which CP932 lacks) has no place in a page:
        // it enters the engine as DEL, which escaping replaces as it does every control character.
        for (char32_t c = 0x80; c <= 0x9F; ++c)
            EngineBytes[c] = 0x7F;
        for (const TFixedCode& fixed : kFixedCodes)
            ToChar[static_cast<unsigned char>(fixed.Code[0]) << 8 |
                   static_cast<unsigned char>(fixed.Code[1])] = fixed.Character;
    }
};

const TTables& Tables() {
    static const TTables tables;
    return tables;
}

// The form of a character in an EUC-JP page, as a browser's EUC-JP encoder writes it and its
// decoder reads it back: ASCII, half-width katakana after 0x8E, and the character's first pointer
// in the JIS X 0208 index as two bytes (which puts the NEC-selected IBM extensions in rows
// 89..92). The three-byte forms of JIS X 0212 are never written: browsers do not read most of
// them as the characters an iconv table gives them. U+00A5 and U+203E, which that encoder writes
// as 0x5C and 0x7E, would read back as "\\" and "~", so they have no form here; nor has U+2212,
// which it writes as U+FF0D. Empty when there is none; bytes has room for two.
std::string_view EucJpForm(char32_t c, char* bytes) {
    if (c < 0x80) {
        bytes[0] = static_cast<char>(c);
        return {bytes, 1};
    }
    unsigned pointer = kNoForm;
    if (c >= 0xFF61 && c <= 0xFF9F) {
        bytes[0] = '\x8E';
        bytes[1] = static_cast<char>(c - 0xFF61 + 0xA1);
        return {bytes, 2};
    }
    if (c < 0x10000)
        pointer = Tables().FirstPointer[c];
    if (pointer >= kEucJpPointers)
        return {};
    bytes[0] = static_cast<char>(pointer / 94 + 0xA1);
    bytes[1] = static_cast<char>(pointer % 94 + 0xA1);
    return {bytes, 2};
}

// The forms of characters in a page encoding other than Shift_JIS: UTF-8 (every character has
// one) or EUC-JP (see EucJpForm).
class TPageFormFinder {
  public:
    explicit TPageFormFinder(TPageEncoding page) : page_(page) {
        if (page == TPageEncoding::Utf8)
            toUtf8_.emplace("UTF-8", "UTF-32LE");
    }
    // The form of the character that utf32 (UTF-32LE) holds; empty when it has none.
    std::string_view Find(std::string_view utf32) {
        if (page_ == TPageEncoding::EucJp)
            return EucJpForm(CodePointAt(utf32.data()), euc_);
        if (!form_.Convert(*toUtf8_, utf32))
            return {};
        return form_.View();
    }

  private:
    TPageEncoding page_;
    std::optional<TIconv> toUtf8_;
    TCharacterForm form_;
    char euc_[2];
};

// The form of each engine code in a page's encoding, packed into 32 bits: its one to three bytes
// in order from the low eight bits, its length in the high eight; 0 where there is none. Built
// with iconv on first use, for the page encodings a run writes only.
class TPageForms {
  public:
    explicit TPageForms(TPageEncoding page) : forms_(0x10000) {
        const std::vector<char32_t>& toChar = Tables().ToChar;
        if (page == TPageEncoding::ShiftJis) {
            // Each code's own bytes.
            ForEachCode([&](std::uint16_t code, std::string_view bytes) {
                if (toChar[code] != kNoChar)
                    Set(forms_[code], bytes);
            });
            return;
        }
        TPageFormFinder finder(page);
        ForEachCode([&](std::uint16_t code, std::string_view) {
            if (toChar[code] != kNoChar)
                Set(forms_[code], finder.Find(Utf32(toChar[code])));
        });
        if (page == TPageEncoding::Utf8) {
            const auto* code =
                reinterpret_cast<const unsigned char*>(kReplacementCharacterCode.data());
            Set(forms_[code[0] << 8 | code[1]], "\xEF\xBF\xBD");
        }
    }
    const std::uint32_t* Data() const { return forms_.data(); }

  private:
    static void Set(std::uint32_t& packed, std::string_view bytes) {
        if (bytes.empty() || bytes.size() > 3)
            return;
        packed = static_cast<std::uint32_t>(bytes.size()) << 24;
        for (std::size_t k = 0; k < bytes.size(); ++k)
            packed |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[k])) << (8 * k);
    }

    std::vector<std::uint32_t> forms_;
};

const std::uint32_t* PageForms(TPageEncoding page) {
    switch (page) {
        case TPageEncoding::ShiftJis: {
            static const TPageForms forms(page);
            return forms.Data();
        }
        case TPageEncoding::Utf8: {
            static const TPageForms forms(page);
            return forms.Data();
        }
        case TPageEncoding::EucJp:
            break;
    }
    static const TPageForms forms(TPageEncoding::EucJp);
    return forms.Data();
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

bool IsTrailByte(unsigned char c) {
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

}  // namespace

TSjisBridge::TSjisBridge() : engineBytes_(Tables().EngineBytes.data()) {}

// The characters without a faithful CP932 form, and the user-defined ones.
std::uint16_t TSjisBridge::StandInFor(char32_t c) {
    if (const auto found = codes_.find(c); found != codes_.end())
        return found->second;
    const std::size_t index = FreeStandIn(c);
    if (index == kCapacity) {
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
    TStandIn& standIn = standIns_[index];
    standIn.Character = c;
    // A user-defined character is its own CP932 code in a Shift_JIS page; the others have no
    // faithful form there.
    standIn.Forms[0] = CharacterReference(c);
    if (IsUserDefinedCharacter(c) && Tables().ToSjis[c] != kNoForm) {
        standIn.Forms[0].clear();
        AppendCode(Tables().ToSjis[c], standIn.Forms[0]);
    }
    const std::string utf32 = Utf32(c);
    for (const TPageEncoding page : {TPageEncoding::Utf8, TPageEncoding::EucJp}) {
        TPageFormFinder finder(page);
        const std::string_view form = finder.Find(utf32);
        standIn.Forms[static_cast<int>(page)] =
            form.empty() ? CharacterReference(c) : std::string(form);
    }
    standIn.Used.store(true, std::memory_order_release);
    used_.fetch_add(1, std::memory_order_relaxed);
    const std::uint16_t code = StandInCode(index);
    codes_.emplace(c, code);
    return code;
}

// A user-defined character takes its own code where that is free, so that it means the same in
// the engine's bytes as in the settings' (keywords, header, footer); the others take codes from
// the top of the area down, away from the user-defined characters text commonly holds (the
// first ones).
void TSjisBridge::MakeStandInRoom() {
    if (standIns_)
        return;
    standIns_ = std::make_unique<TStandIn[]>(kCapacity);
    top_ = kCapacity;
}

std::size_t TSjisBridge::FreeStandIn(char32_t c) {
    MakeStandInRoom();
    if (IsUserDefinedCharacter(c)) {
        const std::uint16_t own = Tables().ToSjis[c];
        const long at = own == kNoForm ? -1 : StandInIndex(own >> 8, own & 0xFF);
        if (at >= 0 && !HandedOut(at))
            return static_cast<std::size_t>(at);
    }
    while (top_ > 0 && HandedOut(static_cast<long>(top_ - 1)))
        --top_;
    return top_ > 0 ? --top_ : kCapacity;
}

char32_t TSjisBridge::StandsFor(std::uint16_t code) const {
    const TStandIn* standIn = HandedOut(StandInIndex(code >> 8, code & 0xFF));
    return standIn ? standIn->Character : 0;
}

std::uint16_t TSjisBridge::StandInBytes(char32_t c) {
    return EngineBytesOf(StandInFor(c));
}

// A byte gives at most five bytes of page but through PutLong: three for the plain forms (UTF-8 of
// half-width katakana), five each for the two bytes of a character reference ("&#x10FFFF;").
constexpr std::size_t kRoomPerByte = 5;

char* TSjisBridge::PutLong(std::string_view bytes, char* dst, std::size_t rest) {
    const std::size_t used = dst - scratch_.get();
    const std::size_t needed = used + bytes.size() + rest * kRoomPerByte + 8;
    if (scratchSize_ < needed) {
        const std::size_t size = std::max(scratchSize_ * 2, needed);
        auto bigger = std::make_unique_for_overwrite<char[]>(size);
        std::memcpy(bigger.get(), scratch_.get(), used);
        scratch_ = std::move(bigger);
        scratchSize_ = size;
    }
    dst = scratch_.get() + used;
    std::memcpy(dst, bytes.data(), bytes.size());
    return dst + bytes.size();
}

TSjisBridge::TSpot TSjisBridge::EncodeOther(TSpot at, const unsigned char* end,
                                            TPageEncoding page) {
    const TTables& tables = Tables();
    const unsigned b = *at.In++;
    unsigned code = b;
    if (IsLeadByte(static_cast<unsigned char>(b)) && at.In < end && IsTrailByte(*at.In)) {
        const unsigned trail = *at.In++;
        code = b << 8 | trail;
        if (const TStandIn* standIn = HandedOut(StandInIndex(b, trail))) {
            at.Out = PutLong(standIn->Forms[static_cast<int>(page)], at.Out, end - at.In);
            return at;
        }
    }
    if (page == TPageEncoding::ShiftJis) {
        if (code >= 0x100)
            *at.Out++ = static_cast<char>(code >> 8);
        *at.Out++ = static_cast<char>(code & 0xFF);
    } else if (const std::uint32_t form = PageForms(page)[code]; form != 0) {
        at.Out = PutForm(form, at.Out);
    } else if (tables.ToChar[code] != kNoChar) {
        at.Out = PutLong(CharacterReference(tables.ToChar[code]), at.Out, end - at.In);
    } else {
        at.Out = PutLong(kGeta[static_cast<int>(page)], at.Out, end - at.In);
        unreadable_ += code >= 0x100 ? 2 : 1;
    }
    return at;
}

void TSjisBridge::Encode(std::string_view engine, TPageEncoding page, std::string& out) {
    if (page == TPageEncoding::ShiftJis && used_.load(std::memory_order_relaxed) == 0) {
        out.append(engine);
        return;
    }
    const std::uint32_t* forms = PageForms(page);
    const std::size_t n = engine.size();
    const std::size_t room = n * kRoomPerByte + 8;
    if (scratchSize_ < room) {
        scratch_ = std::make_unique_for_overwrite<char[]>(room);
        scratchSize_ = room;
    }
    // The page is written through a pointer into the scratch room, which only PutLong moves.
    char* dst = scratch_.get();
    const auto* p = reinterpret_cast<const unsigned char*>(engine.data());
    const auto* const end = p + n;
    while (p < end) {
        // ASCII (the tags, mostly) goes as it is, eight bytes at a time; the room left always
        // holds eight.
        while (end - p >= 8) {
            const std::uint64_t word = LoadWord(p);
            std::memcpy(dst, &word, 8);
            const std::size_t ascii = BytesBeforeMarked(word & kHighBitOfEachByte);
            p += ascii;
            dst += ascii;
            if (ascii < 8)
                break;
        }
        while (p < end && *p < 0x80)
            *dst++ = static_cast<char>(*p++);
        // The other characters, while they last: a double-byte one of a code with a plain form
        // (the user-defined area, where the stand-ins are, excepted), a single-byte one with a
        // plain form, or anything else the slow way.
        while (p < end && *p >= 0x80) {
            const unsigned b = *p;
            std::uint32_t form = b < 0xF0 && end - p >= 2 ? forms[b << 8 | p[1]] : 0;
            std::size_t size = 2;
            if (form == 0 && !IsLeadByte(static_cast<unsigned char>(b))) {
                form = forms[b];
                size = 1;
            }
            if (form == 0) {
                const TSpot next = EncodeOther({p, dst}, end, page);
                p = next.In;
                dst = next.Out;
                continue;
            }
            dst = PutForm(form, dst);
            p += size;
        }
    }
    out.append(scratch_.get(), dst - scratch_.get());
}

void TSjisBridge::Reserve(std::string_view sjis) {
    const TTables& tables = Tables();
    for (std::size_t i = 0; i < sjis.size(); ++i) {
        const auto b = static_cast<unsigned char>(sjis[i]);
        if (!IsLeadByte(b) || i + 1 == sjis.size())
            continue;
        const auto trail = static_cast<unsigned char>(sjis[++i]);
        const char32_t c = tables.ToChar[b << 8 | trail];
        if (StandInIndex(b, trail) >= 0 && c != kNoChar)
            StandInFor(c);
    }
}

std::string_view FixedCodeOf(char32_t c) {
    for (const TFixedCode& fixed : kFixedCodes) {
        if (fixed.Character == c)
            return fixed.Code;
    }
    return {};
}

void WriteFixedCodesAsReferences(std::string& engine) {
    if (engine.find('\xEF') == std::string::npos)
        return;
    std::string out;
    for (std::size_t i = 0; i < engine.size();) {
        const bool pair =
            IsLeadByte(static_cast<unsigned char>(engine[i])) && i + 1 < engine.size();
        const std::string_view character(engine.data() + i, pair ? 2 : 1);
        const auto fixed = std::find_if(std::begin(kFixedCodes), std::end(kFixedCodes),
                                        [&](const TFixedCode& f) { return f.Code == character; });
        if (fixed != std::end(kFixedCodes))
            out += CharacterReference(fixed->Character);
        else
            out += character;
        i += character.size();
    }
    engine = std::move(out);
}

std::string EncodeSjisText(std::string_view engine, TPageEncoding page) {
    TSjisBridge bridge;
    std::string out;
    out.reserve(engine.size() * 3 / 2);
    bridge.Encode(engine, page, out);
    return out;
}
