// Turns the bytes of an input file in any readable encoding into the engine's Shift_JIS bytes,
// piece by piece, through a TSjisBridge (so nothing is lost).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/encodings/sjis_bridge.h"
#include "engine/encodings/text_encoding.h"
#include "engine/text/iconv_stream.h"

// What the decoder does with a byte that starts no character.
enum class TOnInvalidByte {
    Replace,  // writes "〓" and counts it
    GiveUp,   // stops: the encoding was only a guess, which that byte disproves
};

class TInputDecoder {
  public:
    // encoding is not Shift_JIS (that is read byte for byte, without a decoder).
    TInputDecoder(TTextEncoding encoding, TSjisBridge& bridge,
                  TOnInvalidByte onInvalid = TOnInvalidByte::Replace);

    // Writes the engine bytes of the next piece of the file at dst, which has RoomFor(raw.size())
    // bytes, and returns their end; last = true with the final piece. A byte order mark at the
    // start is skipped. Each byte (UTF-16: each pair of bytes) that starts no character becomes
    // "〓" and is counted, or under GiveUp ends the decoding: what is written from then on is no
    // text.
    char* Decode(std::string_view raw, bool last, char* dst);
    // Each byte read (with those held back from the last piece) gives at most one character or
    // one "〓", two bytes each; TSjisBridge::Put may touch one byte more.
    std::size_t RoomFor(std::size_t rawSize) const { return 2 * (rawSize + stream_.Pending()) + 1; }
    // Decode onto the end of out.
    void Decode(std::string_view raw, bool last, std::string& out);

    // True when the file is read byte by byte (every encoding but UTF-16), where the byte 0x1A
    // that ends a text is that byte in the file too.
    bool ReadsBytes() const { return unit_ == 1; }
    // True once a byte under GiveUp started no character.
    bool GaveUp() const { return gaveUp_; }

    // The bytes that started no character.
    long long InvalidBytes() const { return invalid_; }
    // The 1-based line of the first invalid byte (0 when there is none).
    long long FirstInvalidLine() const { return firstInvalidLine_; }

  private:
    TTextEncoding encoding_;
    std::size_t unit_;
    TDecodeStream stream_;
    TSjisBridge& bridge_;
    bool giveUp_;
    bool gaveUp_ = false;
    bool start_ = true;
    long long lineFeeds_ = 0;  // written by the earlier pieces, until the first invalid byte
    long long invalid_ = 0;
    long long firstInvalidLine_ = 0;
};

// The iconv name the decoder reads an encoding with.
const char* IconvName(TTextEncoding encoding);

// The whole text of the file at a native path as UTF-8, read in the chosen encoding (under Auto
// the detected one, which goes to read when given), for showing the original text. Bytes that
// start no character show as U+FFFD (Shift_JIS) or "〓" (other encodings); line ends stay as
// they are. std::nullopt when the file cannot be read.
std::optional<std::string> ReadFileAsUtf8(const std::string& path, TInputEncoding chosen,
                                          TTextEncoding* read = nullptr);
