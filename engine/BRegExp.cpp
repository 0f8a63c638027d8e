#include "BRegExp.h"

bool PrepareRegexRules(std::array<TStrong, 5>&, TPlatform&) {
    return true;
}

bool ReleaseRegexRules(std::array<TStrong, 5>& rules) {
    for (TStrong& rule : rules)
        rule.CompiledEngines.clear();
    return true;
}
