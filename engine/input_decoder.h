// Turns the bytes of an input file in any readable encoding into the engine's Shift_JIS bytes,
// piece by piece, through a TSjisBridge (so nothing is lost).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/iconv_stream.h"
#include "engine/sjis_bridge.h"
#include "engine/text_encoding.h"

class TInputDecoder {
  public:
    // encoding is not Shift_JIS (that is read byte for byte, without a decoder).
    TInputDecoder(TTextEncoding encoding, TSjisBridge& bridge);

    // Appends the engine bytes of the next piece of the file; last = true with the final piece.
    // A byte order mark at the start is skipped. Each byte (UTF-16: each pair of bytes) that
    // starts no character becomes "〓" and is counted.
    void Decode(std::string_view raw, bool last, std::string& out);

    // The bytes that started no character.
    long long InvalidBytes() const { return invalid_; }
    // The 1-based line of the first invalid byte (0 when there is none).
    long long FirstInvalidLine() const { return firstInvalidLine_; }

  private:
    TTextEncoding encoding_;
    std::size_t unit_;
    TDecodeStream stream_;
    TSjisBridge& bridge_;
    bool start_ = true;
    long long lineFeeds_ = 0;
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
