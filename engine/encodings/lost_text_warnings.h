// The warnings about what a conversion's input and page could not hold, shown after it.
#pragma once

#include "engine/base/platform.h"
#include "engine/encodings/text_encoding.h"

class TInputDecoder;
class TSjisBridge;

// One warning each, with OK: bytes the decoder could not read in input (how many, and the line
// of the first), characters left as "〓" once the bridge ran out of stand-ins, and engine bytes
// the page's encoding could not read. Either pointer may be null (no decoder, no bridge).
void WarnAboutLostText(TPlatform& platform, const TInputDecoder* decoder, const TSjisBridge* bridge,
                       TTextEncoding input);

// One warning, with OK, when control characters were replaced: how many, what with in the page's
// encoding, and the line of the text that held the first (none named when firstLine is 0).
void WarnAboutControlCharacters(TPlatform& platform, long long count, long long firstLine,
                                TPageEncoding page);
