// Links for web addresses ("http://"), "mailto:" addresses and bare mail addresses.
#pragma once

#include <string_view>

#include "engine/line/untClsHtmlCnv.h"

// Wraps every address of the line's plain text in a link element; the plain text is not changed.
// The delimiters bound an address; within them an "http://" address needs a valid host and no
// user name (it ends with the host when something a host cannot hold follows), and a bare mail
// address is the local part mail allows right before its "@" and a domain with a dot
// (MailLocalStart, MailDomainEnd), with "mailto:" in front in its link target. The link target
// is HrefOfPlainText of the address.
void AutoLinkLine(THtmlCnv& line);

// Start (1-based) of the next "http://" or "mailto:" address at or after from, or, when neither
// occurs from there on, of the bare mail address around the next "@"; 0 when there is none.
int FindLinkStart(std::string_view plain, int from);

// Start of the bare mail address around the first "@" at or after from: right after the last
// delimiter (a blank, a bracket, a comma ...) that ends between from and the "@", or from itself
// when there is none; 0 when there is no "@".
int FindMailStart(std::string_view plain, int from);

// The position right after the address that begins at start: the first stop delimiter (a blank,
// a closing bracket, "&gt;", a comma ...) at or after start, or the end of the text.
int FindLinkEnd(std::string_view plain, int start);
