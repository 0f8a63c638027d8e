// Links as texts write web and mail addresses today: "http://" and "https://" addresses that end
// where the characters an address may hold end, without the punctuation that follows them, and
// bare mail addresses that have a domain.
#pragma once

#include <string_view>
#include <vector>

#include "engine/line/untClsHtmlCnv.h"

// Wraps every address of the line's plain text (escaped) in a link element; the plain text is
// not changed.
// - A web address starts with "http://" or "https://" and runs over ASCII letters, digits and
//   -._~:/?#[]@!$&'()*+,;=% ("&amp;" is an "&" of the address); anything else ends it: a blank, a
//   double-byte character, "&lt;", "&gt;", "&quot;", "&nbsp;". A "mailto:" address runs alike.
// - A trailing . , : ; ! ? ' is left out, and so is a trailing ")" while the address holds more
//   ")" than "(".
// - A web address needs a valid host and no user name in front of it, and ends with its host
//   when something a host cannot hold follows it.
// - A bare mail address is a local part of address characters (MailLocalStart), "@", and a
//   domain of letters, digits and hyphens with a dot inside; its link target gets "mailto:" in
//   front. Link targets are HrefOfPlainText of the address.
// Example: "詳細はhttps://ex.com/a?b=c&amp;d=eを見よ。" links "https://ex.com/a?b=c&amp;d=e".
void LinkWebAddresses(THtmlCnv& line);

// One address of a plain text: bytes [Start, End), 0-based; Mail when it is a bare mail address.
struct TAddressSpan {
    std::size_t Start;
    std::size_t End;
    bool Mail;
};

// The addresses LinkWebAddresses links, in order, into spans (cleared first).
void FindWebAddresses(std::string_view plain, std::vector<TAddressSpan>& spans);
