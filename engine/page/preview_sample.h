// The sample text the preview converts when there is no input file to show: a few lines of
// greeting, then a line for every active emphasis rule, a line for every pair of them, and the
// pattern of every active rule line.
#pragma once

#include <string>

#include "engine/base/engine_env.h"
#include "engine/base/settings_model.h"

// The text that makes rule n (1 to 5) emphasise something, by its keyword kind; empty for the
// regular-expression kind. Four spaces go in front when the rule ignores leading blanks.
// Example: for the initial rule 1 (keywords "○,◎", lines starting with them) "    ○強調1".
std::string SampleEmphasisLine(const TStrong& rule, int n);

// Writes the sample for the settings the window holds now to a native path (Shift_JIS, CR LF).
// False when the settings cannot be gathered or the file cannot be written.
bool BuildPreviewSample(TEngineEnv& env, const std::string& path);
