// The regular-expression emphasis rules: their keywords compiled once around one conversion,
// and the matches of one keyword on one line turned into the rule's tags.
#pragma once

#include <array>
#include <string_view>

#include "engine/base/platform.h"
#include "engine/base/settings_model.h"
#include "engine/line/untClsHtmlCnv.h"

struct TPreparedEmphasis;

// Compiles every keyword of every regular-expression rule once for one conversion, as the rule's
// prepared form (PrepareEmphasisRules, which the driver calls first) gives its patterns; a rule
// without one is prepared for the call. False (after its message) when the engine is missing or
// a keyword does not compile. Rules after a failure are not compiled.
bool PrepareRegexRules(std::array<TStrong, 5>& rules, TPlatform& platform);

// Frees the compiled keywords of all five rules. Always true.
bool ReleaseRegexRules(std::array<TStrong, 5>& rules);

// Emphasises the matches of keyword n (from 1, as escaped in the keyword list) with the rule's
// compiled engine n: the first match, or every match when the pattern ends with "g". False, after
// "バグです", when the rule has no engine for the keyword.
bool ApplyRegexRule(THtmlCnv& line, int n, std::string_view keyword, const TStrong& rule,
                    TPlatform& platform);
// The same with keyword n of the rule's prepared form, whose pattern and tags are built already.
bool ApplyRegexRule(THtmlCnv& line, int n, const TPreparedEmphasis& prepared, const TStrong& rule,
                    TPlatform& platform);
