// The text in front of "<body>": document type, head, and the stylesheet with the page body,
// the links, the five emphasis rules and the active rule lines; embedded or in its own file.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/base/engine_env.h"
#include "engine/base/settings_model.h"
#include "engine/encodings/text_encoding.h"

// From the DOCTYPE line to "</head>" inclusive, without a line break after it, as Shift_JIS text
// that declares the page's encoding, in the document type of PageDocType. An HTML 4.01 page
// gets a Content-Type meta first in the head when it is UTF-8 or EUC-JP and its stylesheet in a
// comment; an HTML5 page has lang="ja", a charset meta first in the head, a bare stylesheet and
// a title that is never empty. With the separate stylesheet on, also writes the .css file in the
// page's encoding (a UTF-8 or EUC-JP one begins with its @charset rule); a failed write throws
// TFileError. pagePath names the page the head is written into (SeparateStyleSheetPath).
std::string BuildDocumentHead(const TStrInfo& settings, const TEngineEnv& env,
                              TPageEncoding page = TPageEncoding::ShiftJis,
                              std::string_view pagePath = {});

// The whole stylesheet; every line ends with CR LF.
std::string BuildStyleSheet(const TStrInfo& settings);

std::string EmphasisStyleBlock(const TStrong& rule);
std::string RuleStyleBlocks(const std::array<THolLine, 5>& rules);

// value followed by the unit text of unit index 0..7 ("pt", "%", "px", "mm", "cm", "in", "em",
// "ex"); the value alone for any other index. Example: WithUnit("10", 0) == "10pt".
std::string WithUnit(std::string_view value, int unit);

// Native path of the separate stylesheet: named after the current settings file (or
// "default.css"), in the folder of the input path shown on the window. Without one (the batch
// conversion of the command line, the preview of the sample text) it goes beside the page at
// pagePath, which links it as "./<name>"; without that either, in the folder of the program's
// files (TProgramState::OptionsFolder, made on the first write there).
// Example: no input shown, pagePath "/doc/a.htm" gives "/doc/default.css".
std::string SeparateStyleSheetPath(const TEngineEnv& env, std::string_view pagePath = {});
