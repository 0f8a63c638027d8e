// The plain text of a line: the raw line with the characters that mean something in HTML turned
// into entities, tabs expanded and spaces kept. Positions in the line object refer to this text.
#pragma once

#include <string>
#include <string_view>

// An escaped space; a run of them at the start of a line is its indentation.
inline constexpr std::string_view kNbsp = "&nbsp;";

// "&" (and a literal "!and!;") to "&amp;", "<", ">", '"' to entities, tabs expanded to the given
// width, every space to "&nbsp;", each control character replaced (see
// TControlCharacterStandIn), then, when kana is on, half-width katakana widened.
// Example: EscapeHtmlText("a & b", 4, false) == "a&nbsp;&amp;&nbsp;b".
std::string EscapeHtmlText(std::string_view text, int tabWidth, bool kana);
// The same into out (replacing what it held), reusing its storage.
void EscapeHtmlTextInto(std::string& out, std::string_view text, int tabWidth, bool kana);

// False when the escaped form of rawLine might not fit the line object's 32-bit positions; such a
// line is refused rather than converted with positions that wrap round.
bool FitsLinePositions(std::string_view rawLine, int tabWidth);

// A page may hold no control character but tab, line feed and carriage return: escaping writes a
// stand-in for each other byte 0x00..0x1F and for 0x7F (none of them can be the second byte of a
// double-byte character) and counts it. The stand-in is "〓" unless an object of this class, for
// as long as it lives, names another for the thread it was made on (one character of engine
// text, at most two bytes: a conversion into a UTF-8 page names the code U+FFFD travels as).
// Where a control character stood counts as one column for the tab stops, as it always did. A
// lead byte without its second byte just before one becomes the stand-in too (else the two would
// pair), uncounted.
class TControlCharacterStandIn {
  public:
    explicit TControlCharacterStandIn(std::string_view engineBytes = "\x81\xAC");
    ~TControlCharacterStandIn();
    TControlCharacterStandIn(const TControlCharacterStandIn&) = delete;
    TControlCharacterStandIn& operator=(const TControlCharacterStandIn&) = delete;

    // The control characters replaced on this thread since this object was made.
    long long Replaced() const { return replaced_; }
    // Names the line of a text that is escaped next (0: none, the settings' text); the first
    // named line a control character is replaced in is FirstLine (0 while there is none).
    void AtLine(long long line) { line_ = line; }
    long long FirstLine() const { return firstLine_; }

    // Writes the stand-in of the thread's current object ("〓" when there is none) at o,
    // counting it there when count is true; returns the end.
    static char* Put(char* o, bool count);

  private:
    char bytes_[2];
    std::size_t size_;
    long long replaced_ = 0;
    long long line_ = 0;
    long long firstLine_ = 0;
    TControlCharacterStandIn* outer_;
};
