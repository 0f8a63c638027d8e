#include "engine/line/prepared_emphasis.h"

#include <algorithm>
#include <tuple>

#include "engine/regex/regex_pattern.h"
#include "engine/text/escaper.h"
#include "engine/text/page_escape.h"
#include "engine/text/text_helpers.h"
#include "engine/text/url_text.h"

namespace {

// Walks the items of a keyword list one after the other; KeywordAt(list, separator, n) is the
// n-th result of Next, and the empty text once the list is used up.
class TKeywordCursor {
  public:
    TKeywordCursor(std::string_view list, std::string_view separator)
        : list_(list), separator_(separator) {}

    bool Done() const { return done_; }

    std::string_view Next() {
        if (done_)
            return {};
        const std::size_t at = static_cast<std::size_t>(current_ - 1);
        const int found = InStrRel(current_, list_, separator_);
        const std::string_view item = found == 0 || separator_.empty()
                                          ? list_.substr(std::min(at, list_.size()))
                                          : list_.substr(at, static_cast<std::size_t>(found) - 1);
        current_ += static_cast<int>(item.size() + separator_.size());
        if (static_cast<std::size_t>(current_) > list_.size())
            done_ = true;
        return item;
    }

  private:
    std::string_view list_;
    std::string_view separator_;
    int current_ = 1;
    bool done_ = false;
};

}  // namespace

TPreparedEmphasis::TPreparedEmphasis(const TStrong& rule)
    : Tags(EmphasisTagsOf(rule)), List(EscapeHtmlText(rule.Keywords, 4, false)) {
    TKeywordCursor cursor(List, rule.Separator);
    for (std::string_view text = cursor.Next(); !text.empty(); text = cursor.Next()) {
        TPreparedKeyword& keyword = Keywords.emplace_back();
        keyword.Text = text;
        if (rule.KeywordKind == TKeywordKind::Enclosed)
            std::tie(keyword.Opening, keyword.Closing) = SplitEnclosingPair(text);
        if (rule.KeywordKind == TKeywordKind::RegularExpression) {
            keyword.Pattern = WrapEntityQuantifiers(BuildMatchPattern(text));
            keyword.EveryMatch = keyword.Pattern.ends_with('g');
        }
    }
}

void PrepareEmphasisRules(std::array<TStrong, 5>& rules) {
    for (TStrong& rule : rules)
        rule.Prepared = std::make_shared<const TPreparedEmphasis>(rule);
}

TEmphasisTags EmphasisTagsOf(const TStrong& rule) {
    const std::string tag = UsableEmphasisTag(rule);
    return {"<" + tag + " class=\"" + EscapeHtmlAttribute(rule.Class) + "\">", "</" + tag + ">",
            rule.ImagePath.empty() ? "" : EscapeHtmlAttribute(ImagePathUrl(rule.ImagePath))};
}

std::string ImageTag(const TEmphasisTags& tags, std::string_view replaced) {
    return "<img src=\"" + tags.ImageSrc + "\" alt=\"" +
           EscapeHtmlAttribute(UnescapePlainText(replaced)) + "\">";
}

std::string UsableEmphasisTag(const TStrong& rule) {
    if (IsTextElementName(rule.Tag))
        return rule.Tag;
    return rule.BackColorOn && rule.FullWidth ? "div" : "span";
}

void ReleaseEmphasisRules(std::array<TStrong, 5>& rules) {
    for (TStrong& rule : rules)
        rule.Prepared.reset();
}

std::string_view KeywordAt(std::string_view list, std::string_view separator, int n) {
    if (n < 1)
        return {};
    TKeywordCursor cursor(list, separator);
    for (int item = 1;; ++item) {
        const std::string_view keyword = cursor.Next();
        if (item == n)
            return keyword;
        if (cursor.Done())
            return {};
    }
}

std::pair<std::string_view, std::string_view> SplitEnclosingPair(std::string_view keyword) {
    const int star = InStr(1, keyword, "*");
    if (star == 0)
        return {keyword, keyword};
    return {keyword.substr(0, star - 1), keyword.substr(star)};
}
