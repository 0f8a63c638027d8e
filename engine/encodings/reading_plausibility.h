// Whether a text that is valid both as UTF-8 and as Shift_JIS reads like what a Japanese writer
// would save in one or the other. Short Shift_JIS texts are often valid UTF-8 too: a half-width
// katakana followed by a kanji ("ﾊ表" = CA 95 5C) reads in UTF-8 as an IPA letter and a
// backslash ("ʕ\"). Such a UTF-8 reading shows letters of scripts a Japanese text does not mix,
// or letters glued to ASCII in ways no word is written; a real UTF-8 text in Japanese or in a
// European language (café, Größe, Ελληνικά, Русский) shows neither.
#pragma once

#include <string_view>

// True when the UTF-8 reading of bytes (valid UTF-8; a character cut at the end is ignored)
// holds a character no Japanese or European text would: a C1 control, an IPA or modifier
// letter, a letter of a script from Armenian to Mongolian, Hangul, Yi, a private-use or
// special character, a rare Latin Extended-B letter, a combining mark after no letter, a Greek
// or Cyrillic letter glued to an ASCII letter, or a non-ASCII letter followed by an ASCII symbol
// (@[\]^_`{|}~) or, when lower case, by an upper-case ASCII letter; or when most of its Latin
// letters before an ASCII letter stand where no word of a European language has them ("œw",
// "ß" beginning a word; the pairs are drawn from word lists by scripts/make-letter-pairs).
bool Utf8ReadingImplausible(std::string_view bytes);

// True when the Shift_JIS (CP932) reading of bytes uses no user-defined character (lead bytes
// F0..F9), which a text from elsewhere would not hold.
bool ShiftJisReadingPlausible(std::string_view bytes);
