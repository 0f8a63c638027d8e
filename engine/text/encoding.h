// The one conversion between the program's Shift_JIS (CP932) text and UTF-8, used only at the
// edges: Qt text, native file names, terminal messages.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// UTF-8 to CP932. std::nullopt when the text holds a character without a CP932 form (or is not
// valid UTF-8): such a character is reported by the caller, never dropped.
std::optional<std::string> Utf8ToSjis(std::string_view utf8);

// CP932 to UTF-8. Bytes that do not form a CP932 character become U+FFFD, so a message or file
// name with a broken byte still shows the rest.
std::string SjisToUtf8(std::string_view sjis);

// Utf8ToSjis for the program's own literals, which all have a CP932 form.
// Example: Sjis("変換") == "\x95\xcf\x8a\xb7".
std::string Sjis(std::string_view utf8Literal);
