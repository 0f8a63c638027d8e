#include "line_assembly.h"

#include "autolink.h"
#include "emphasis.h"
#include "katakana.h"
#include "text_helpers.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr std::string_view kNbsp = "&nbsp;";
constexpr std::string_view kLiteralAmp = "!and!;";

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

bool IsBlankLine(std::string_view rawLine) {
    return Trim(rawLine).empty();
}

bool FitsLinePositions(std::string_view rawLine, int tabWidth) {
    constexpr std::uint64_t kLimit = std::numeric_limits<std::int32_t>::max() - 1;
    const std::uint64_t width = tabWidth > 0 ? tabWidth : 1;
    // No byte grows by more than a tab does, so short lines need no count.
    if (rawLine.size() <= kLimit / (kNbsp.size() * width))
        return true;
    std::uint64_t bound = 0;
    for (const char c : rawLine) {
        switch (c) {
            case '&':
                bound += 5;
                break;
            case '<':
            case '>':
                bound += 4;
                break;
            case '"':
            case ' ':
                bound += 6;
                break;
            case '\t':
                bound += kNbsp.size() * width;
                break;
            default:
                bound += 1;
        }
    }
    return bound <= kLimit;
}

// One pass does the work of the replace-all steps: none of the bytes involved can be the second
// byte of a double-byte character, and "!and!;" cannot overlap a replaced "&", so the order of the
// separate steps changes nothing. column counts bytes of the text as it stands before spaces
// become "&nbsp;", which is where the tab stops are measured.
std::string EscapeHtmlText(std::string_view text, int tabWidth, bool kana) {
    std::string out;
    out.reserve(text.size() + text.size() / 4 + 16);
    std::size_t column = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
            case '&':
                out.append("&amp;");
                column += 5;
                break;
            case '!':
                if (text.substr(i, kLiteralAmp.size()) == kLiteralAmp) {
                    out.append("&amp;");
                    column += 5;
                    i += kLiteralAmp.size() - 1;
                } else {
                    out.push_back(c);
                    ++column;
                }
                break;
            case '<':
                out.append("&lt;");
                column += 4;
                break;
            case '>':
                out.append("&gt;");
                column += 4;
                break;
            case '"':
                out.append("&quot;");
                column += 6;
                break;
            case '\t': {
                const std::size_t width = tabWidth > 0 ? tabWidth : 1;
                const std::size_t spaces = width - column % width;
                for (std::size_t s = 0; s < spaces; ++s)
                    out.append(kNbsp);
                column += spaces;
                break;
            }
            case ' ':
                out.append(kNbsp);
                ++column;
                break;
            default:
                out.push_back(c);
                ++column;
        }
    }
    if (kana)
        return WidenKatakana(out);
    return out;
}

std::string ExpandTabs(std::string_view text, int width) {
    if (width < 1)
        width = 1;
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '\t') {
            out.append(width - out.size() % width, ' ');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

void ApplyRuleLines(THtmlCnv& line, const std::array<THolLine, 5>& rules) {
    const std::string_view trimmed = Trim(line.strOriginal);
    for (std::size_t n = 0; n < rules.size(); ++n) {
        const THolLine& rule = rules[n];
        if (rule.Mark.empty() || !trimmed.starts_with(rule.Pattern))
            continue;
        line.strHtml.clear();
        line.strIncTag.clear();
        line.P_AddTag("<hr class=\"hr" + std::to_string(n + 1) + "\">", 1, false);
    }
}

// Only blanks in front of every tag become the offset: deleting a blank that a tag is anchored on
// would take that tag with it and leave its partner unbalanced (an element that an emphasis rule
// starts at the line's first byte keeps its blanks as "&nbsp;").
void IndentLeadingSpaces(THtmlCnv& line) {
    std::size_t n = 0;
    while (std::string_view(line.strHtml).substr(n * kNbsp.size(), kNbsp.size()) == kNbsp)
        ++n;
    for (const TAddTagInfo& tag : line.arrAddTagInfo) {
        if (tag.iPos != -1)
            n = std::min(n, static_cast<std::size_t>(tag.iPos - 1) / kNbsp.size());
    }
    if (n == 0)
        return;
    line.P_DeleteWord(1, static_cast<int>(n * kNbsp.size()));
    line.P_AddTagLine("<span style=\"position:relative;left:" + std::to_string(n) + "ex;\">",
                      "</span>");
}

void AssembleLine(THtmlCnv& line, std::string_view rawLine, const TStrInfo& settings,
                  TParaState& state, TPlatform& platform) {
    line.P_CnvTextToHtmlDangerStr(settings.TabWidth, settings.KanaWidening);
    const int mode = settings.AddTagMode;
    const auto atEnd = [&line] { return static_cast<int>(line.strHtml.size()) + 1; };
    if (mode == 0) {
        line.P_AddTag("<br>", atEnd(), true);
        return;
    }
    if (mode != 1 && mode != 2)
        return;

    ApplyRuleLines(line, settings.HolLine);
    for (const TStrong& rule : settings.Strong)
        ApplyEmphasisRules(line, rule, platform);
    if (settings.AutoLink)
        AutoLinkLine(line);
    if (settings.LeadingSpacesAsStyle)
        IndentLeadingSpaces(line);

    const bool blank = IsBlankLine(rawLine);
    state.ClosedHere = false;
    if (state.ParagraphOpen == 1) {
        if (state.PreviousLineHadText && blank) {
            line.P_AddTag("</p>", atEnd(), true);
            state.ParagraphOpen = 0;
            state.ClosedHere = true;
        }
    } else if (!state.PreviousLineHadText && !blank) {
        line.P_AddTag("<p>", 1, false);
        state.ParagraphOpen = 1;
    }
    state.PreviousLineHadText = !blank;

    if (state.ClosedHere)
        return;
    const std::string& tagged = line.strIncTag;
    if (mode == 1) {
        if (!EndsWith(tagged, "</div>") && tagged.find("<hr") == std::string::npos) {
            line.P_AddTag("<br>", atEnd(), true);
        }
    } else if (tagged.find("</span>") != std::string::npos) {
        line.P_AddTag("<div>", 1, false);
        line.P_AddTag("</div>", atEnd(), true);
    }
}
