// The sample of each emphasis rule follows the normal text colour where the rule has no colour of
// its own.
#pragma once

#include "engine/base/form.h"

// For rule n: with chkFontColor<n> ticked, lblFontColorInfo<n> is enabled; otherwise it is
// disabled and lblStrong<n> and shpUnderLine<n> take the font colour of lblNormalStr.
void ApplyOwnFontColor(TForm& form, int n);

// ApplyOwnFontColor for every rule whose four controls the window has.
void RefreshEmphasisSamples(TForm& form);
