// Regular-expression emphasis: the adapter over the regex engine loaded at run time, and the
// preparation and release of the compiled keywords around one conversion.
#pragma once

#include <array>

#include "platform.h"
#include "settings_model.h"

// Compiles every keyword of every regular-expression rule once; false (after its message) when
// the engine is missing or a keyword does not compile.
bool PrepareRegexRules(std::array<TStrong, 5>& rules, TPlatform& platform);
// Frees the compiled keywords of all five rules. Always true.
bool ReleaseRegexRules(std::array<TStrong, 5>& rules);
