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

namespace {

// The stages in their order, up to the paragraph logic. aozora is the conversion's state when the
// Aozora notation is on, whose annotations need the page's nesting and open blocks before the
// other stages run; null otherwise, when nothing here depends on the lines before. True when the
// line goes on to the paragraph logic.
bool RunStages(THtmlCnv& line, const TStrInfo& settings, TPlatform& platform,
               const TSjisBridge* bridge, TParaState* aozora, TAozoraLine& aozoraLine) {
    if (aozora)
        ReplaceNamedCharacters(line, aozora->Bridge);
    line.P_CnvTextToHtmlDangerStr(settings.TabWidth, settings.KanaWidening);
    const TAddTagMode mode = settings.AddTagMode;
    if (mode == TAddTagMode::LineBreaksOnly) {
        line.P_AddTag("<br>", static_cast<int>(line.strHtml.size()) + 1, true);
        return false;
    }
    if (!IsDocumentMode(mode))
        return false;
    if (aozora)
        line.P_NestElements(aozora->Nesting);
    // Before every stage, so that an emphasis keyword or a ruby's reading sees the voiced kana.
    if (RubyNotationOn(settings))
        ComposeDakuten(line);
    if (aozora) {
        aozoraLine = ApplyAozoraAnnotations(line, aozora->Aozora);
        if (aozoraLine.BlockOnly) {
            // A line of layout alone ("［＃改ページ］") begins no paragraph and breaks no line.
            line.F_strGetIncTag();
            return false;
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
    return true;
}

// The paragraph and line-break logic, which carries state from line to line.
void FinishParagraph(THtmlCnv& line, bool blank, const TStrInfo& settings, TParaState& state,
                     const TAozoraLine& aozora) {
    const auto atEnd = [&line] { return static_cast<int>(line.strHtml.size()) + 1; };
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
        if (settings.AddTagMode == TAddTagMode::AllTags) {
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

}  // namespace

void AssembleLine(THtmlCnv& line, std::string_view rawLine, const TStrInfo& settings,
                  TParaState& state, TPlatform& platform, const TSjisBridge* bridge) {
    if (!settings.AozoraNotation) {
        if (StageLine(line, settings, platform, bridge))
            FinishLine(line, IsBlankLine(rawLine), settings, state);
        return;
    }
    TAozoraLine aozora;
    if (RunStages(line, settings, platform, bridge, &state, aozora))
        FinishParagraph(line, IsBlankLine(rawLine), settings, state, aozora);
}

bool StageLine(THtmlCnv& line, const TStrInfo& settings, TPlatform& platform,
               const TSjisBridge* bridge) {
    TAozoraLine none;
    return RunStages(line, settings, platform, bridge, nullptr, none);
}

void FinishLine(THtmlCnv& line, bool blank, const TStrInfo& settings, TParaState& state) {
    // No stage before this assembled the line, so the nesting may begin here.
    line.P_NestElements(state.Nesting);
    FinishParagraph(line, blank, settings, state, {});
}
