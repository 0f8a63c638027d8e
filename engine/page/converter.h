// The two conversions: a text file into an HTML file, and lines held in memory into lines for
// pasting. Both take a fresh settings snapshot from the main window and report their failures in
// message boxes before returning false.
#pragma once

#include <string>
#include <vector>

#include "engine/base/engine_env.h"
#include "engine/encodings/text_encoding.h"

// Converts the file at inputPath into outputPath (native paths). True when the whole document was
// written; then usesLocalImages tells whether the page may refer to local image files.
bool ConvertTextFile(TEngineEnv& env, const std::string& inputPath, const std::string& outputPath,
                     bool& usesLocalImages);

// The encodings a conversion read its input in and wrote its page in.
struct TConversionEncodings {
    TTextEncoding Input = TTextEncoding::ShiftJis;
    TPageEncoding Page = TPageEncoding::ShiftJis;
};

// ConvertTextFile that also tells the encodings it used (set once the input has been read).
// The input encoding is the one chosen on cmbInputEncoding or, under Auto, the detected one
// (see TEncodingSniffer); the page's is cmbOutputEncoding's (see ResolvePageEncoding). Bytes the
// chosen encoding cannot read become "〓" with one warning; characters without a Shift_JIS form
// pass the engine losslessly (see TSjisBridge).
bool ConvertTextFile(TEngineEnv& env, const std::string& inputPath, const std::string& outputPath,
                     bool& usesLocalImages, TConversionEncodings& encodings);

// Converts header, input and footer lines into out (cleared first); in modes 1 and 2 a marker
// block comes first: the stylesheet in its style element, to be pasted into a page's head. False
// only when the settings cannot be used.
bool ConvertTextBoxText(TEngineEnv& env, std::vector<std::string>& out,
                        const std::vector<std::string>& inputLines);
