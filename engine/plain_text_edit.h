// Finding and deleting keywords in a line's plain text the way the emphasis rules need it. The
// plain text is escaped: "&amp;", "&lt;", "&gt;", "&quot;" and "&nbsp;" each stand for one
// character, and a tag put between their bytes, or a deletion of some of them, would show the
// reader a broken entity ("&nb<span>sp;" shows as text). And the line object's P_DeleteWord
// discards the tags anchored on the deleted bytes: when a later rule deletes a keyword there, an
// earlier rule's opening or closing tag would go with it and leave its partner alone, and an
// element that never closes styles the rest of the page.
#pragma once

#include <string_view>

#include "engine/untClsHtmlCnv.h"

// True when the 1-based position lies inside an entity of the plain text, after its "&".
bool InsideEntity(std::string_view plain, int position);

// InStr(start, plain, sought) for an occurrence that cuts no entity: neither its first byte nor
// the byte after it lies inside one. 0 when there is none.
// Example: FindWholeInPlain(1, "&amp;amp", "amp") == 6.
int FindWholeInPlain(int start, std::string_view plain, std::string_view sought);

// Removes plain bytes position .. position + length - 1 (P_DeleteWord), puts replacement (when
// not empty) in their place, and puts every live tag that was anchored on them back in front of
// it, in the order they stood. Example: on "<i>ab</i>c" (plain "abc"), deleting "b" gives
// "<i>a</i>c".
void DeleteKeepingTags(THtmlCnv& line, int position, int length, std::string_view replacement = {});
