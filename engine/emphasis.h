// The five emphasis rules: keywords found by kind (line starts with, line contains, characters
// only, enclosed, regular expression) and kept, deleted or replaced by an image.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "settings_model.h"
#include "untClsHtmlCnv.h"

// Applies one rule to one line object.
void ApplyEmphasisRules(THtmlCnv& line, const TStrong& rule);
