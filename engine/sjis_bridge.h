// Carries every Unicode character through the engine's Shift_JIS (CP932) bytes and back out
// into the page's encoding.
//
// A character with a faithful CP932 form (CP932 -> Unicode of that form gives the character
// back) is that form. Any other character, and a Private Use Area character U+E000..U+E757 (the
// ones CP932's user-defined area decodes to), gets a stand-in: a code of the user-defined area
// 0xF040..0xF9FC, handed out in order per conversion and remembered, so the page gets the
// character itself back. There are 1880 stand-ins; each further new character becomes "〓"
// (0x81AC) and is counted.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/text_encoding.h"

class TSjisBridge {
  public:
    static constexpr std::size_t kCapacity = 1880;

    TSjisBridge();

    // Writes the engine bytes of one character at dst (at most two) and returns the end.
    char* Put(char32_t c, char* dst) {
        std::uint16_t code = kNoCode;
        if (c < 0x10000 && (c < 0xE000 || c > 0xE757))
            code = toSjis_[c];
        if (code == kNoCode)
            code = StandInFor(c);
        if (code >= 0x100)
            *dst++ = static_cast<char>(code >> 8);
        *dst++ = static_cast<char>(code & 0xFF);
        return dst;
    }

    // Appends the engine bytes of one character.
    void Append(char32_t c, std::string& out) {
        char bytes[2];
        out.append(bytes, Put(c, bytes) - bytes);
    }

    // Shift_JIS text of the settings (header, footer, title) made fit to share a page with
    // stand-ins: its user-defined characters 0xF040..0xF9FC become the stand-ins of their
    // characters.
    std::string Adopt(std::string_view sjis);

    // Appends engine text (the stand-ins of this bridge included) in the page's encoding. A
    // character without a form there becomes a numeric character reference ("&#x1F600;"); bytes
    // that are no CP932 character become "〓" in a UTF-8 or EUC-JP page and are counted.
    void Encode(std::string_view engine, TPageEncoding page, std::string& out);

    // True once a stand-in was handed out: only then can a Shift_JIS page differ from the
    // engine's bytes.
    bool UsesStandIns() const { return !standIns_.empty(); }
    // Distinct characters written as "〓" because the stand-ins ran out.
    std::size_t Unkept() const { return unkept_; }
    // Bytes of engine text that were no CP932 character in a UTF-8 or EUC-JP page.
    std::size_t Unreadable() const { return unreadable_; }

  private:
    struct TStandIn {
        char32_t Char;
        std::string Forms[3];  // in TPageEncoding order
    };
    static constexpr std::uint16_t kNoCode = 0xFFFF;
    // The stand-in code of a character without a faithful form (handed out on first sight), or
    // the code of "〓" once they have run out.
    std::uint16_t StandInFor(char32_t c);

    const std::uint16_t* toSjis_;  // the faithful CP932 code of each BMP character, or 0xFFFF

    std::vector<TStandIn> standIns_;
    std::unordered_map<char32_t, std::uint16_t> codes_;
    std::vector<std::uint64_t> unkeptSeen_;
    std::size_t unkept_ = 0;
    std::size_t unreadable_ = 0;
    std::unique_ptr<char[]> scratch_;  // Encode's room for a line
    std::size_t scratchSize_ = 0;
};

// Engine text in the page's encoding (the settings' own text, which holds no stand-in).
std::string EncodeSjisText(std::string_view engine, TPageEncoding page);
