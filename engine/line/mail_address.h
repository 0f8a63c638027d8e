// The parts of a bare mail address in a line's plain text (escaped), as both link styles find
// them: a local part of the characters a mail address allows, "@", and a domain.
#pragma once

#include <cstddef>
#include <string_view>

// The start (0-based) of the local part that ends at the "@" at index at, looking no further
// back than from: the run of ASCII letters, digits, dots, !#$%'*+-/=?^_`{|}~ and "&amp;" right
// before the "@", without the dots at its start. npos when that leaves nothing, or a part with a
// doubled dot or a dot at its end.
// Example: MailLocalStart("◎hanako@x.jp", 0, 8) == 2.
std::size_t MailLocalStart(std::string_view t, std::size_t from, std::size_t at);

// The end (0-based, exclusive) of the domain after the "@" at index at: letters, digits, hyphens
// and dots, without trailing dots and hyphens, with a dot inside and no empty label; 0 when no
// such domain follows.
// Example: MailDomainEnd("a@x.jp。", 1) == 6.
std::size_t MailDomainEnd(std::string_view t, std::size_t at);
