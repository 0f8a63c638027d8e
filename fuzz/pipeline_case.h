// The settings part of a pipeline fuzz input, as bytes: the add-tag mode, the switches (links and
// their style, vertical writing, ruby notation, HTML5, kana, leading spaces, tab width), for each
// of the five emphasis rules its kind and action, flags, keywords, separator and tag, and for each
// of the five rule lines its mark and count. The rest of the input is the text file.
#pragma once

#include <string>

#include "engine/base/form.h"
#include "fuzz/fuzz_input.h"

// Sets the main window's controls from the settings bytes at the front of in.
void ApplyPipelineSettings(TFuzzInput& in, TForm& form);

// The settings bytes that ApplyPipelineSettings reads back into the same control values
// (texts cut to the lengths the layout allows); the seed corpus is made with it.
std::string EncodePipelineSettings(const TForm& form);

// True when a rule of these settings may delete text from a line (delete or replace-by-image
// action of a kind that has one), so that a line's text is only a part of the input line's.
bool PipelineMayDeleteText(const TForm& form);
