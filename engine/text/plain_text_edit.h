// Finding keywords in a line's plain text the way the emphasis rules need it. The plain text is
// escaped: "&amp;", "&lt;", "&gt;", "&quot;" and "&nbsp;" each stand for one character, and a tag
// put between their bytes, or a deletion of some of them, would show the reader a broken entity
// ("&nb<span>sp;" shows as text).
#pragma once

#include <string_view>

// True when the 1-based position lies inside an entity of the plain text, after its "&".
bool InsideEntity(std::string_view plain, int position);

// InStr(start, plain, sought) for an occurrence that cuts no entity: neither its first byte nor
// the byte after it lies inside one. 0 when there is none.
// Example: FindWholeInPlain(1, "&amp;amp", "amp") == 6.
int FindWholeInPlain(int start, std::string_view plain, std::string_view sought);
