// The text box's conversion of any text: what is typed or pasted may hold characters that
// Shift_JIS lacks (😀, 𠮷, 〜 U+301C); they travel through the engine as stand-ins and come out of
// the conversion as themselves.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/base/engine_env.h"

// Converts the lines of a UTF-8 text (split at CR LF, LF or CR) with the main window's settings,
// as ConvertTextBoxText does, into out as UTF-8 entries (the marker block first in modes 1 and 2).
// False, with out empty, when the settings cannot be used (their message is shown).
bool ConvertTextBoxUtf8(TEngineEnv& env, std::string_view utf8Text, std::vector<std::string>& out);

// The same for the text file at a native path, read as a conversion reads it (cmbInputEncoding,
// detected under Auto), into entries in the page's encoding (cmbOutputEncoding). False, after
// its message, when the file cannot be read or the settings cannot be used.
bool ConvertTextBoxFile(TEngineEnv& env, const std::string& path, std::vector<std::string>& out);
