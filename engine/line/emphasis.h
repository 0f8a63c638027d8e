// The five emphasis rules: keywords found by kind (line starts with, line contains, characters
// only, enclosed, regular expression) and kept, deleted or replaced by an image.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "engine/base/platform.h"
#include "engine/base/settings_model.h"
#include "engine/line/prepared_emphasis.h"
#include "engine/line/untClsHtmlCnv.h"

// Warns once, in one message naming each rule, about the tags UsableEmphasisTag replaces.
void WarnUnusableEmphasisTags(const std::array<TStrong, 5>& rules, TPlatform& platform);

// Applies one rule to one line object: its keywords, escaped as a line is (tab width 4, no kana
// widening), are taken in list order until the first empty one. platform shows the one message
// of the regular-expression kind. Uses the rule's prepared form when it has one.
void ApplyEmphasisRules(THtmlCnv& line, const TStrong& rule, TPlatform& platform);

// True when the plain text has a word boundary on one side of position: the entity, bracket,
// punctuation or full-width space that ends right in front of it (before) or starts at it, or
// the start or end of the text. On the left any entity counts (they all end with ";"). floor, a
// 0-based index known to begin a character, spares the walk back over the bytes in front of it.
bool IsWordBoundary(std::string_view plain, int position, bool before, std::size_t floor = 0);

// Wraps each run from an opening mark through the next closing mark, keeping or deleting the
// marks by the rule's action. An empty opening mark means the line start, an empty closing mark
// the line end; with either, one run at most.
void ApplyEnclosingRule(THtmlCnv& line, std::string_view keyword, const TStrong& rule);
