#include "engine/line/emphasis.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>

#include "engine/line/regex_emphasis.h"
#include "engine/text/encoding.h"
#include "engine/text/page_escape.h"
#include "engine/text/plain_text_edit.h"
#include "engine/text/text_helpers.h"

namespace {

bool IsOneOf(const std::optional<std::string_view>& window,
             std::initializer_list<std::string_view> marks) {
    if (!window)
        return false;
    for (std::string_view mark : marks) {
        if (*window == mark)
            return true;
    }
    return false;
}

// True when byte index i (0-based) begins a character. A byte outside the lead-byte range always
// ends a character, so only the run of lead-range bytes in front of i decides: those bytes pair
// up from the run's start, and i is a second byte when the run is odd. This gives IsTrailByte's
// answer while looking only at the run, and no further back than floor when that is known to
// begin a character.
bool StartsCharacter(std::string_view text, std::size_t i, std::size_t floor) {
    if (floor > i)
        floor = 0;
    std::size_t run = 0;
    while (run < i - floor && IsLeadByte(static_cast<unsigned char>(text[i - run - 1])))
        ++run;
    return run % 2 == 0;
}

// A character boundary that follows a search left to right, so that the word-boundary checks of
// one line need not walk back over a long run of lead-range bytes (a line of kanji) each time.
class TBoundaryCursor {
  public:
    explicit TBoundaryCursor(std::string_view text) : text_(text) {}

    // The last boundary the walk reaches at or before index limit (0-based).
    std::size_t At(std::size_t limit) {
        for (;;) {
            const std::size_t next =
                at_ +
                (at_ < text_.size() && IsLeadByte(static_cast<unsigned char>(text_[at_])) ? 2 : 1);
            if (next > limit)
                return at_;
            at_ = next;
        }
    }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
};

const std::array<std::string, 10>& FullWidthBoundaries() {
    static const std::array<std::string, 10> marks = {
        Sjis("　"), Sjis("（"), Sjis("「"), Sjis("｛"), Sjis("）"),
        Sjis("」"), Sjis("｝"), Sjis("、"), Sjis("；"), Sjis("：")};
    return marks;
}

// The position of the character after the one at position p, so that a search never starts on
// the second byte of a closing mark.
int NextCharacter(std::string_view text, int p) {
    const std::size_t i = static_cast<std::size_t>(p) - 1;
    return p + (i < text.size() && IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1);
}

// Wraps the line; the delete and image actions first take away the first occurrence of the
// keyword, as P_AddTagDeleteKeyword and P_AddTagReplaceImg do, but never inside an entity. An
// earlier rule's element goes with the keyword only when it lies wholly on it (P_DeleteWord).
void ApplyLineRule(THtmlCnv& line, std::string_view keyword, const TStrong& rule,
                   const TEmphasisTags& tags) {
    switch (rule.KeywordAction) {
        case TKeywordAction::Unselected:
            return;
        case TKeywordAction::Keep:
            break;
        case TKeywordAction::Delete:
        case TKeywordAction::ReplaceByImage: {
            const bool image = rule.KeywordAction == TKeywordAction::ReplaceByImage;
            // Without an image the keyword stays rather than vanish.
            if (image && tags.ImageSrc.empty())
                break;
            const int p = FindWholeInPlain(1, line.strHtml, keyword);
            if (p > 0) {
                line.P_ReplaceWord(p, static_cast<int>(keyword.size()),
                                   image ? ImageTag(tags, keyword) : "");
            }
            break;
        }
    }
    line.P_AddTagLine(tags.Opening, tags.Closing);
}

// True when the line starts with the keyword: the trimmed raw line with ignore leading blanks
// on, else the plain text, where the keyword must not end inside an entity. The first
// occurrence is at position 1 exactly when the text starts with the keyword, so no search is
// needed.
bool StartsWithKeyword(const THtmlCnv& line, std::string_view keyword, const TStrong& rule) {
    if (rule.IgnoreLeadingBlanks)
        return Trim(line.strOriginal).starts_with(keyword);
    return line.strHtml.starts_with(keyword) &&
           !InsideEntity(line.strHtml, static_cast<int>(keyword.size()) + 1);
}

// Kinds 0 and 1: true when the keyword hit and the rule is done with the line.
bool ApplyLineKeyword(THtmlCnv& line, std::string_view keyword, const TStrong& rule,
                      const TEmphasisTags& tags) {
    const bool hit =
        rule.KeywordKind == TKeywordKind::LineStartsWith
            ? StartsWithKeyword(line, keyword, rule)
            : (rule.IgnoreLeadingBlanks ? InStr(1, Trim(line.strOriginal), keyword)
                                        : FindWholeInPlain(1, line.strHtml, keyword)) >= 1;
    if (hit)
        ApplyLineRule(line, keyword, rule, tags);
    return hit;
}

// Kind 2: every occurrence, left to right without overlap; with ignore leading blanks off only
// those with a word boundary on both sides.
void ApplyCharactersKeyword(THtmlCnv& line, std::string_view keyword, const TStrong& rule,
                            const TEmphasisTags& tags) {
    const int length = static_cast<int>(keyword.size());
    TBoundaryCursor boundaries(line.strHtml);
    for (int b = FindWholeInPlain(1, line.strHtml, keyword); b != 0;
         b = FindWholeInPlain(b + length, line.strHtml, keyword)) {
        // The widest window in front of b is 6 bytes.
        const std::size_t floor = boundaries.At(b > 7 ? static_cast<std::size_t>(b) - 7 : 0);
        if (!rule.IgnoreLeadingBlanks && !(b == 1 || IsWordBoundary(line.strHtml, b, true, floor)))
            continue;
        if (!rule.IgnoreLeadingBlanks && !IsWordBoundary(line.strHtml, b + length, false))
            continue;
        line.P_AddTag(tags.Opening, b, false);
        line.P_AddTag(tags.Closing, b + length, true);
    }
}

// Kind 3 with the marks of one keyword (SplitEnclosingPair) and the rule's action.
void ApplyEnclosingMarks(THtmlCnv& line, std::string_view opening, std::string_view closing,
                         const TEmphasisTags& tags, TKeywordAction action) {
    const int lo = static_cast<int>(opening.size());
    const int lc = static_cast<int>(closing.size());
    int s = 1;
    bool once = false;
    for (;;) {
        int a = 1;
        if (lo > 0) {
            a = FindWholeInPlain(s, line.strHtml, opening);
        } else {
            once = true;
        }
        if (a == 0)
            return;
        int e = static_cast<int>(line.strHtml.size()) + 1;
        if (lc > 0) {
            e = FindWholeInPlain(a + lo, line.strHtml, closing);
        } else {
            once = true;
        }
        if (e == 0)
            return;
        switch (action) {
            case TKeywordAction::Keep:
                line.P_AddTag(tags.Opening, a, false);
                line.P_AddTag(tags.Closing, e + lc, true);
                s = NextCharacter(line.strHtml, e);
                break;
            case TKeywordAction::Delete:
                // Both marks go before the tags come, so that an element with nothing inside
                // keeps its opening tag.
                line.P_DeleteWord(a, lo);
                line.P_DeleteWord(e - lo, lc);
                line.P_AddTag(tags.Opening, a, false);
                line.P_AddTag(tags.Closing, e - lo, true);
                s = e - lo;
                break;
            case TKeywordAction::ReplaceByImage:  // no meaning for enclosed text
            case TKeywordAction::Unselected:
                s = NextCharacter(line.strHtml, e);
                break;
        }
        if (once)
            return;
    }
}

void ApplyPreparedRule(THtmlCnv& line, const TPreparedEmphasis& prepared, const TStrong& rule,
                       TPlatform& platform) {
    const TEmphasisTags& tags = prepared.Tags;
    for (std::size_t i = 0; i < prepared.Keywords.size(); ++i) {
        const TPreparedKeyword& keyword = prepared.Keywords[i];
        switch (rule.KeywordKind) {
            case TKeywordKind::LineStartsWith:
            case TKeywordKind::LineContains:
                if (ApplyLineKeyword(line, keyword.Text, rule, tags))
                    return;
                break;
            case TKeywordKind::CharactersOnly:
                ApplyCharactersKeyword(line, keyword.Text, rule, tags);
                break;
            case TKeywordKind::Enclosed:
                ApplyEnclosingMarks(line, keyword.Opening, keyword.Closing, tags,
                                    rule.KeywordAction);
                break;
            case TKeywordKind::RegularExpression:
                ApplyRegexRule(line, static_cast<int>(i) + 1, prepared, rule, platform);
                break;
            case TKeywordKind::Unselected:
                return;
        }
    }
}

}  // namespace

void WarnUnusableEmphasisTags(const std::array<TStrong, 5>& rules, TPlatform& platform) {
    std::string text;
    for (std::size_t n = 0; n < rules.size(); ++n) {
        const TStrong& rule = rules[n];
        if (IsTextElementName(rule.Tag))
            continue;
        if (!text.empty())
            text += "\r\n";
        text += Sjis("強調") + std::to_string(n + 1) + Sjis("のタグ ") + rule.Tag +
                Sjis(" は強調に使えないため、") + UsableEmphasisTag(rule) + Sjis(" で変換します。");
    }
    if (!text.empty())
        ShowOk(platform, TMessageKind::Warning, text);
}

bool IsWordBoundary(std::string_view plain, int position, bool before, std::size_t floor) {
    const std::size_t p = static_cast<std::size_t>(position < 1 ? 1 : position) - 1;
    // The window of width bytes on the asked side; none when it would start on the second byte
    // of a character, which is never a mark of its own.
    const auto window = [&](std::size_t width) -> std::optional<std::string_view> {
        if (!before)
            return p >= plain.size() ? std::string_view() : plain.substr(p, width);
        const std::size_t end = std::min(p, plain.size());
        const std::size_t start = end > width ? end - width : 0;
        if (!StartsCharacter(plain, start, floor))
            return std::nullopt;
        return plain.substr(start, end - start);
    };
    if (IsOneOf(window(6), {"&nbsp;", "&quot;"}) || IsOneOf(window(4), {"&lt;", "&gt;"}))
        return true;
    if (const std::optional<std::string_view> two = window(2)) {
        for (const std::string& mark : FullWidthBoundaries()) {
            if (*two == mark)
                return true;
        }
    }
    const std::optional<std::string_view> one = window(1);
    return one &&
           (one->empty() || IsOneOf(one, {"(", "[", "{", ")", "]", "}", ",", ";", ":", "*"}));
}

void ApplyEnclosingRule(THtmlCnv& line, std::string_view keyword, const TStrong& rule) {
    const auto [opening, closing] = SplitEnclosingPair(keyword);
    ApplyEnclosingMarks(line, opening, closing, EmphasisTagsOf(rule), rule.KeywordAction);
}

void ApplyEmphasisRules(THtmlCnv& line, const TStrong& rule, TPlatform& platform) {
    if (rule.KeywordKind == TKeywordKind::Unselected)
        return;
    if (rule.Prepared) {
        ApplyPreparedRule(line, *rule.Prepared, rule, platform);
        return;
    }
    const TPreparedEmphasis prepared(rule);
    ApplyPreparedRule(line, prepared, rule, platform);
}
