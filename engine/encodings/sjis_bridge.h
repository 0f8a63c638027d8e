// Carries every Unicode character through the engine's Shift_JIS (CP932) bytes and back out
// into the page's encoding.
//
// A character with a faithful CP932 form (CP932 -> Unicode of that form gives the character
// back) is that form. Any other character, and a Private Use Area character U+E000..U+E757 (the
// ones CP932's user-defined area decodes to), gets a stand-in: a code of the user-defined area
// 0xF040..0xF9FC, handed out per conversion and remembered, so the page gets the character itself
// back. A user-defined character's stand-in is its own code unless another character holds that
// code already; the others are handed out from 0xF9FC down. There are 1880 stand-ins; each
// further new character becomes "〓" (0x81AC) and is counted.
//
// Two threads may share a bridge while a text is read on one of them: a reader thread whose
// decoder hands out stand-ins (Put) and the thread that takes the lines, whose line stages ask
// StandsFor and whose page writing calls Encode. That is safe under these rules:
// - ShareWithReaderThread is called before the reader thread starts, so that the stand-ins'
//   room, which would otherwise be made at the first hand-out, never moves while both run;
// - Reserve, and every Put of the taking side, happen before the reader thread starts or after
//   it has ended: while it runs, it alone hands out stand-ins (which also keeps their order, and
//   so which characters keep one once they run out, the same as when one thread does it all);
// - the reader hands its text over through something that orders the two threads (a queue with
//   a mutex): every stand-in the text holds was handed out before, and is complete when the
//   taking side sees it. A stand-in becomes visible whole, by its flag, so a code the taking
//   side asks about before its hand-out reads as no stand-in, never half of one;
// - Unkept is read after the reader thread has ended; Unreadable by the taking side.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/encodings/text_encoding.h"

class TSjisBridge {
  public:
    static constexpr std::size_t kCapacity = 1880;

    TSjisBridge();

    // Makes the room of every stand-in now, before a reader thread shares the bridge (see the
    // rules above).
    void ShareWithReaderThread() { MakeStandInRoom(); }

    // Writes the engine bytes of one character at dst (one or two) and returns their end; two
    // bytes of room are needed either way.
    char* Put(char32_t c, char* dst) {
        std::uint16_t bytes = c < 0x10000 ? engineBytes_[c] : kNoBytes;
        if (bytes == kNoBytes)
            bytes = StandInBytes(c);
        dst[0] = static_cast<char>(bytes & 0xFF);
        dst[1] = static_cast<char>(bytes >> 8);
        return dst + (bytes > 0xFF ? 2 : 1);
    }

    // Gives the user-defined characters (0xF040..0xF9FC) of Shift_JIS text of the settings their
    // own codes as stand-ins before the input can take them, so that the settings' bytes keep
    // meaning those characters (a keyword matches them in the text; a header shows them).
    void Reserve(std::string_view sjis);

    // Appends engine text (the stand-ins of this bridge included) in the page's encoding. A
    // character without a form there becomes a numeric character reference ("&#x1F600;"); bytes
    // that are no CP932 character become "〓" in a UTF-8 or EUC-JP page and are counted.
    void Encode(std::string_view engine, TPageEncoding page, std::string& out);

    // The character the stand-in code lead << 8 | trail stands for in this conversion; 0 for any
    // other code. Line stages that tell characters apart (the ruby notation's kanji) ask here.
    char32_t StandsFor(std::uint16_t code) const;

    // Distinct characters written as "〓" because the stand-ins ran out.
    std::size_t Unkept() const { return unkept_; }
    // Bytes of engine text that were no CP932 character in a UTF-8 or EUC-JP page.
    std::size_t Unreadable() const { return unreadable_; }

  private:
    struct TStandIn {
        // Set last, when the character and its forms are written (release), and read first
        // (acquire): another thread sees a stand-in whole or not at all.
        std::atomic<bool> Used = false;
        char32_t Character = 0;
        std::string Forms[3];  // in TPageEncoding order
    };
    static constexpr std::uint16_t kNoBytes = 0xFFFF;
    // The room of all kCapacity stand-ins, made once.
    void MakeStandInRoom();
    // The stand-in of index (< kCapacity) if it has been handed out, else nullptr.
    const TStandIn* HandedOut(long index) const {
        if (index < 0 || !standIns_)
            return nullptr;
        const TStandIn& standIn = standIns_[index];
        return standIn.Used.load(std::memory_order_acquire) ? &standIn : nullptr;
    }
    // The stand-in code of a character without a faithful form (handed out on first sight), or
    // the code of "〓" once they have run out.
    std::uint16_t StandInFor(char32_t c);
    // The index of the stand-in code c is to take, kCapacity when none is left.
    std::size_t FreeStandIn(char32_t c);
    // The same code as Put writes it (see engineBytes_).
    std::uint16_t StandInBytes(char32_t c);
    // Encode's way for what is no plain form: copies bytes to dst and returns their end, making
    // the scratch room bigger first where bytes and the worst case of the rest bytes of engine
    // text would not fit.
    char* PutLong(std::string_view bytes, char* dst, std::size_t rest);
    // Writes a packed form (one to three bytes, see the tables) at dst, which has room for three,
    // and returns its end.
    static char* PutForm(std::uint32_t form, char* dst) {
        dst[0] = static_cast<char>(form & 0xFF);
        dst[1] = static_cast<char>(form >> 8 & 0xFF);
        dst[2] = static_cast<char>(form >> 16 & 0xFF);
        return dst + (form >> 24);
    }
    // Where Encode stands in the engine text and in the page.
    struct TSpot {
        const unsigned char* In;
        char* Out;
    };
    // Encode's way for one character without a plain form (a stand-in, a character reference,
    // "〓", or any byte of a Shift_JIS page): writes it and returns the spot after it.
    TSpot EncodeOther(TSpot at, const unsigned char* end, TPageEncoding page);

    // The engine bytes of each BMP character with a faithful CP932 form, the first in the low
    // eight bits and the second, if any, in the high; kNoBytes for the others. The user-defined
    // characters have none: they take stand-ins.
    const std::uint16_t* engineBytes_;

    // By code: all 1880 once the first is handed out (or the bridge is shared), none before.
    std::unique_ptr<TStandIn[]> standIns_;
    // Only the reader side writes it; the page side reads it for its shortcut (any value it can
    // see is right for the text it was handed).
    std::atomic<std::size_t> used_ = 0;
    std::size_t top_ = 0;  // the codes from here up are taken
    std::unordered_map<char32_t, std::uint16_t> codes_;
    std::vector<std::uint64_t> unkeptSeen_;
    std::size_t unkept_ = 0;
    std::size_t unreadable_ = 0;
    std::unique_ptr<char[]> scratch_;  // Encode's room for a line
    std::size_t scratchSize_ = 0;
};

// The engine's code for U+FFFD in a UTF-8 page, which is what a control character becomes there.
// No CP932 character has it (nor has any code of lead byte 0xEF), so it stands for nothing else:
// a Shift_JIS text that holds these two bytes gets U+FFFD for them too, where each other byte
// that is no character becomes "〓".
inline constexpr std::string_view kReplacementCharacterCode = "\xEF\x40";

// The engine's codes, of lead byte 0xEF as kReplacementCharacterCode, for the characters CP932
// lacks that a line stage writes itself: the combining dakuten U+3099 and the voiced kana ゔ ヷ
// ヸ ヹ ヺ. They stand for these characters in every text and page: a UTF-8 page gets the
// character, an EUC-JP page a numeric reference; the text box, which shows engine text, gets
// references (WriteFixedCodesAsReferences). Fixed, unlike the stand-ins, so that a Shift_JIS
// text's own user-defined characters never meet them. Empty for any other character.
std::string_view FixedCodeOf(char32_t c);

// Replaces every fixed code of engine text by the character's numeric reference ("&#x3099;").
void WriteFixedCodesAsReferences(std::string& engine);

// Engine text in the page's encoding (the settings' own text, which holds no stand-in).
std::string EncodeSjisText(std::string_view engine, TPageEncoding page);
