#include "engine/line/line_assembly.h"

#include "engine/line/autolink.h"
#include "engine/line/dakuten.h"
#include "engine/line/emphasis.h"
#include "engine/line/ruby_notation.h"
#include "engine/line/upright_digits.h"
#include "engine/line/web_links.h"
#include "engine/text/escaper.h"
#include "engine/text/text_helpers.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

bool IsBlankLine(std::string_view rawLine) {
    return Trim(rawLine).empty();
}

void ApplyRuleLines(THtmlCnv& line, const std::array<THolLine, 5>& rules) {
    std::string_view trimmed;
    bool trimmedYet = false;  // most settings have no rule line, and then no line is trimmed
    for (std::size_t n = 0; n < rules.size(); ++n) {
        const THolLine& rule = rules[n];
        if (rule.Mark.empty())
            continue;
        if (!trimmedYet) {
            trimmed = Trim(line.strOriginal);
            trimmedYet = true;
        }
        if (!trimmed.starts_with(rule.Pattern))
            continue;
        line.P_Clear();
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
    // The opening tag is built in place: most lines of indented prose get one.
    constexpr std::string_view kBefore = "<span style=\"position:relative;left:";
    constexpr std::string_view kAfter = "ex;\">";
    std::array<char, kBefore.size() + 20 + kAfter.size()> opening;
    char* end = std::copy(kBefore.begin(), kBefore.end(), opening.data());
    end = std::to_chars(end, opening.data() + opening.size(), n).ptr;
    end = std::copy(kAfter.begin(), kAfter.end(), end);
    line.P_AddTagLine(std::string_view(opening.data(), end - opening.data()), "</span>");
}

void AssembleLine(THtmlCnv& line, std::string_view rawLine, const TStrInfo& settings,
                  TParaState& state, TPlatform& platform, const TSjisBridge* bridge) {
    if (settings.AozoraNotation)
        ReplaceNamedCharacters(line, state.Bridge);
    line.P_CnvTextToHtmlDangerStr(settings.TabWidth, settings.KanaWidening);
    const TAddTagMode mode = settings.AddTagMode;
    const auto atEnd = [&line] { return static_cast<int>(line.strHtml.size()) + 1; };
    if (mode == TAddTagMode::LineBreaksOnly) {
        line.P_AddTag("<br>", atEnd(), true);
        return;
    }
    if (!IsDocumentMode(mode))
        return;
    line.P_NestElements(state.Nesting);
    // Before every stage, so that an emphasis keyword or a ruby's reading sees the voiced kana.
    if (RubyNotationOn(settings))
        ComposeDakuten(line);
    TAozoraLine aozora;
    if (settings.AozoraNotation) {
        aozora = ApplyAozoraAnnotations(line, state.Aozora);
        if (aozora.BlockOnly) {
            // A line of layout alone ("［＃改ページ］") begins no paragraph and breaks no line.
            line.F_strGetIncTag();
            return;
        }
    }

    ApplyRuleLines(line, settings.HolLine);
    for (const TStrong& rule : settings.Strong) {
        // A rule without keywords does nothing; most lines meet three such rules.
        if (!rule.Keywords.empty())
            ApplyEmphasisRules(line, rule, platform);
    }
    if (settings.AutoLink) {
        if (settings.LinkStyle == TLinkStyle::Modern)
            LinkWebAddresses(line);
        else
            AutoLinkLine(line);
    }
    if (settings.VerticalWriting) {
        SetDigitsUpright(line);
        SetMarksUpright(line, settings.UprightThreeMarks);
    }
    if (RubyNotationOn(settings))
        ApplyRubyNotation(line, bridge);
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

    if (!state.ClosedHere) {
        const std::string& tagged = line.F_strGetIncTag();
        if (mode == TAddTagMode::AllTags) {
            if (!EndsWith(tagged, "</div>") && tagged.find("<hr") == std::string::npos &&
                !aozora.EndsInBlock) {
                line.P_AddTag("<br>", atEnd(), true);
            }
        } else if (tagged.find("</span>") != std::string::npos) {
            line.P_AddTag("<div>", 1, false);
            line.P_AddTag("</div>", atEnd(), true);
        }
    }
    line.F_strGetIncTag();  // brings state.Nesting up to the line's end
}
