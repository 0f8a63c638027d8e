// Links for web addresses ("http://"), "mailto:" addresses and bare mail addresses.
#pragma once

#include "untClsHtmlCnv.h"

// Wraps every address of the line's plain text in a link element.
void AutoLinkLine(THtmlCnv& line);
