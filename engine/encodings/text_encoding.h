// The encodings a text file is read in and a page is written in, how a file's encoding is told
// from its bytes, and the counting pass over the input that tells it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/base/settings_model.h"

// The encoding of an input file.
enum class TTextEncoding { ShiftJis, Utf8, EucJp, Iso2022Jp, Utf16Le, Utf16Be };

// The encoding of a page (and of its separate stylesheet).
enum class TPageEncoding { ShiftJis, Utf8, EucJp };

// The name shown to the user: "Shift_JIS", "UTF-8", "EUC-JP", "ISO-2022-JP", "UTF-16LE",
// "UTF-16BE"; for a page the name its charset declaration uses ("Shift_JIS", "UTF-8", "EUC-JP").
const char* EncodingDisplayName(TTextEncoding encoding);
const char* EncodingDisplayName(TPageEncoding encoding);

// The encoding a chosen item names; std::nullopt for Auto.
std::optional<TTextEncoding> NamedTextEncoding(TInputEncoding chosen);

// The encoding a page is written in: the chosen one, or for SameAsInput the input's own where a
// page can be written in it (Shift_JIS, EUC-JP) and UTF-8 for the others.
TPageEncoding ResolvePageEncoding(TOutputEncoding chosen, TTextEncoding input);
// The encoding a full page of these settings is written in: UTF-8 for an HTML5 page (PageDocType),
// since HTML5 allows no other; otherwise as above.
TPageEncoding ResolvePageEncoding(const TStrInfo& settings, TTextEncoding input);

// Tells the encoding of text from its first bytes (at most the first 256 KB of it that hold a
// byte >= 0x80 or ESC are looked at). The rule, in order:
//  1. A byte order mark decides: EF BB BF is UTF-8, FF FE UTF-16LE, FE FF UTF-16BE.
//  2. Text with no byte >= 0x80 and no ESC is Shift_JIS (it reads the same in all of them).
//  3. Text that is valid UTF-8 and holds a byte >= 0x80 is UTF-8, unless it is valid CP932 too
//     and its UTF-8 reading is implausible while its Shift_JIS reading is plausible
//     (reading_plausibility.h): a short Shift_JIS text is often valid UTF-8 by chance.
//  4. Text with ESC and no byte >= 0x80 that is valid ISO-2022-JP is ISO-2022-JP when uchardet
//     says so.
//  5. Text valid as EUC-JP is EUC-JP when it is not valid as CP932, or when uchardet says EUC-JP
//     and at least 30 % of its non-ASCII characters read as EUC-JP are hiragana or katakana
//     (U+3041..U+30FF). Half-width katakana in Shift_JIS read as EUC-JP are mostly kanji, and
//     EUC-JP hiragana read as Shift_JIS are half-width katakana, so a text valid in both is taken
//     as EUC-JP only on that evidence: Japanese prose is mostly kana.
//  6. Anything else is Shift_JIS.
// A sample cut in the middle of a character is judged by the complete characters before the cut.
class TEncodingSniffer {
  public:
    TEncodingSniffer();
    ~TEncodingSniffer();
    TEncodingSniffer(const TEncodingSniffer&) = delete;
    TEncodingSniffer& operator=(const TEncodingSniffer&) = delete;

    // Feeds the next piece of the text; returns false once the sample is complete (more bytes
    // would not be looked at). The piece that completes it is looked at whole.
    bool Feed(std::string_view bytes);
    // The decision for the bytes fed so far, as if the text ended there (complete = true) or
    // continued (a character cut at the end is then not an error). Called once.
    TTextEncoding Decide(bool complete);
    // After Decide: checks the text that follows the sample in the decided encoding (Shift_JIS
    // takes anything); false once it has proved invalid. last = true with the final piece.
    bool Validate(std::string_view bytes, bool last);

  private:
    struct TState;
    TState* state_;
};

// TEncodingSniffer over a whole text. Example: DetectEncoding("\xEF\xBB\xBFabc") ==
// TTextEncoding::Utf8.
TTextEncoding DetectEncoding(std::string_view text);

// What the counting pass over an input file found: its lines as the line reader will split them
// after decoding, and the encoding it is read in.
struct TInputScan {
    bool Ok = false;  // false when the file cannot be opened or read
    int Error = 0;    // then the errno of that failure (0 when none is known)
    long long Lines = 0;
    TTextEncoding Encoding = TTextEncoding::ShiftJis;
    // Under Auto with TScanCheck::SampleOnly: the encoding was told from a sample that the text
    // goes on past, unchecked; whoever decodes the rest reads the whole file as Shift_JIS
    // instead once a byte proves invalid.
    bool Provisional = false;
};

// How much of the text the counting pass checks under Auto.
enum class TScanCheck {
    // All of it: a text that proves invalid in the detected encoding past the sample is Shift_JIS.
    WholeText,
    // The sample only, for a reader that checks the rest as it decodes (one decoding instead of
    // two).
    SampleOnly,
};

// Counts the lines of the file at a native path and, under Auto, tells its encoding (rule above).
// A chosen encoding is taken as it is, except that a UTF-8 byte order mark is skipped in UTF-8.
// With two threads or more, a long rest of the file is counted over two.
TInputScan ScanInput(const std::string& path, TInputEncoding chosen,
                     TScanCheck check = TScanCheck::WholeText, unsigned threads = 1);

// The encoding TInputScan would read the file at a native path in under Auto; std::nullopt when
// it cannot be read.
std::optional<TTextEncoding> DetectFileEncoding(const std::string& path);
