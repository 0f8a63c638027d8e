#include "BRegExp.h"

#include <algorithm>

#include "emphasis.h"
#include "encoding.h"
#include "line_assembly.h"
#include "onig_api.h"
#include "regex_pattern.h"
#include "text_helpers.h"

namespace {

// Backtracking budgets of one search: per start position, and for the whole search. A line of
// ordinary text needs a small fraction of them; a pattern that would backtrack exponentially
// hits one within a few milliseconds and the search ends as no match.
constexpr unsigned long kRetryLimitInMatch = 1'000'000;
constexpr unsigned long kRetryLimitInSearch = 10'000'000;

constexpr int kRegexKind = 4;

const OnigUChar* Bytes(std::string_view text) {
    return reinterpret_cast<const OnigUChar*>(text.data());
}

// The engine's own text for an error code; info names the faulty part of a pattern.
std::string EngineMessage(const TOnigApi& api, int code, const OnigErrorInfo& info) {
    OnigUChar text[ONIG_MAX_ERROR_MESSAGE_LEN + 1] = {};
    OnigErrorInfo copy = info;
    if (copy.enc == nullptr)
        copy.enc = api.ShiftJis;
    const int length = api.ErrorCodeToStr(text, code, &copy);
    return std::string(reinterpret_cast<const char*>(text),
                       static_cast<std::size_t>(std::clamp(length, 0, ONIG_MAX_ERROR_MESSAGE_LEN)));
}

OnigOptionType OptionsOf(const TPatternForm& form) {
    OnigOptionType options = ONIG_OPTION_NONE;
    if (form.IgnoreCase)
        options |= ONIG_OPTION_IGNORECASE;
    if (form.Extended)
        options |= ONIG_OPTION_EXTEND;
    // Oniguruma calls Perl's dot-matches-newline "multiline"; Perl's multi-line anchors are the
    // negation of its single-line mode, which its Perl syntax turns on.
    if (form.DotAll)
        options |= ONIG_OPTION_MULTILINE;
    if (form.MultiLine)
        options |= ONIG_OPTION_NEGATE_SINGLELINE;
    return options;
}

std::string PatternOf(std::string_view keyword) {
    return WrapEntityQuantifiers(BuildMatchPattern(keyword));
}

}  // namespace

TBRegExp::TBRegExp() {
    const TOnigApi* api = library_.Get();
    if (api == nullptr)
        return;
    region_ = api->RegionNew();
    matchParam_ = api->NewMatchParam();
    if (matchParam_ != nullptr) {
        api->InitializeMatchParam(matchParam_);
        api->SetRetryLimitInMatch(matchParam_, kRetryLimitInMatch);
        api->SetRetryLimitInSearch(matchParam_, kRetryLimitInSearch);
    }
}

TBRegExp::~TBRegExp() {
    const TOnigApi* api = library_.Get();
    if (api == nullptr)
        return;
    FreeCompiled();
    if (region_ != nullptr)
        api->RegionFree(region_, 1);
    if (matchParam_ != nullptr)
        api->FreeMatchParam(matchParam_);
}

void TBRegExp::FreeCompiled() {
    if (compiled_ != nullptr)
        library_.Get()->Free(compiled_);
    compiled_ = nullptr;
    compiledPattern_.clear();
}

bool TBRegExp::Compile(std::string_view pattern) {
    const TOnigApi* api = library_.Get();
    matched_ = false;
    if (api == nullptr) {
        errorMessage_ = "regular expression library not loaded";
        return false;
    }
    FreeCompiled();
    const TPatternForm form = ParsePatternForm(pattern);
    if (!form.Error.empty()) {
        errorMessage_ = form.Error;
        return false;
    }
    ++compileCount_;
    OnigErrorInfo info{};
    OnigRegex compiled = nullptr;
    const std::string_view expression = form.Expression;
    const int code = api->New(&compiled, Bytes(expression), Bytes(expression) + expression.size(),
                              OptionsOf(form), api->ShiftJis, api->PerlSyntax, &info);
    if (code != ONIG_NORMAL) {
        errorMessage_ = EngineMessage(*api, code, info);
        return false;
    }
    compiled_ = compiled;
    compiledPattern_ = pattern;
    return true;
}

bool TBRegExp::Match(std::string_view pattern, std::string_view target, int offset) {
    matched_ = false;
    const TOnigApi* api = library_.Get();
    if (api == nullptr || region_ == nullptr || matchParam_ == nullptr)
        return false;
    if (compiled_ == nullptr || compiledPattern_ != pattern) {
        if (!Compile(pattern))
            return false;
    }
    if (target.empty()) {
        offset = 0;  // an empty text is searched as it is: a match there has no length
    } else if (offset < 0 || static_cast<std::size_t>(offset) >= target.size()) {
        return false;
    }
    const std::string_view searched = target.substr(static_cast<std::size_t>(offset));
    const OnigUChar* start = Bytes(searched);
    const OnigUChar* end = start + searched.size();
    const int found = api->SearchWithParam(compiled_, start, end, start, end, region_,
                                           ONIG_OPTION_NONE, matchParam_);
    if (found < 0) {
        if (found != ONIG_MISMATCH)
            errorMessage_ = EngineMessage(*api, found, OnigErrorInfo{});
        return false;
    }
    // The engine's positions stay inside the searched text; clamp them all the same.
    const int length = static_cast<int>(searched.size());
    const int begin = std::clamp(region_->beg[0], 0, length);
    matchStart_ = offset + begin;
    matchEnd_ = offset + std::clamp(region_->end[0], begin, length);
    matched_ = true;
    return true;
}

int TBRegExp::MatchPos() const {
    return matched_ ? matchStart_ + 1 : -1;
}

int TBRegExp::MatchLength() const {
    return matched_ ? matchEnd_ - matchStart_ : 0;
}

bool PrepareRegexRules(std::array<TStrong, 5>& rules, TPlatform& platform) {
    for (std::size_t r = 0; r < rules.size(); ++r) {
        TStrong& rule = rules[r];
        if (rule.KeywordKind != kRegexKind)
            continue;
        rule.CompiledEngines.clear();
        rule.CompiledPatterns.clear();
        const std::string list = EscapeHtmlText(rule.Keywords, 4, false);
        for (int n = 1;; ++n) {
            const std::string_view keyword = KeywordAt(list, rule.Separator, n);
            if (keyword.empty())
                break;
            const std::string pattern = PatternOf(keyword);
            auto engine = std::make_shared<TBRegExp>();
            if (!engine->LibraryLoaded()) {
                ShowOk(platform, TMessageKind::Error, Sjis("BREGEXP.DLLが見つかりません！"));
                return false;
            }
            if (!engine->Compile(pattern)) {
                ShowOk(
                    platform, TMessageKind::Warning,
                    Sjis("正規表現のコンパイルに失敗しました。\r\nコンパイルしようした文字:強調") +
                        std::to_string(r + 1) + Sjis("の ") + pattern + "\r\n" +
                        Sjis("エラーメッセージ：") + "\r\n" + engine->ErrorMessage());
                return false;
            }
            rule.CompiledEngines.push_back(std::move(engine));
        }
    }
    return true;
}

bool ReleaseRegexRules(std::array<TStrong, 5>& rules) {
    for (TStrong& rule : rules)
        rule.CompiledEngines.clear();
    return true;
}

bool ApplyRegexRule(THtmlCnv& line, int n, std::string_view keyword, const TStrong& rule,
                    TPlatform& platform) {
    const std::size_t index = static_cast<std::size_t>(n - 1);
    if (n < 1 || index >= rule.CompiledEngines.size() || !rule.CompiledEngines[index]) {
        ShowOk(platform, TMessageKind::Error, Sjis("バグです"));
        return false;
    }
    TBRegExp& engine = *rule.CompiledEngines[index];
    const std::string pattern = PatternOf(keyword);
    const bool everyMatch = !pattern.empty() && pattern.back() == 'g';
    const TEmphasisTags tags = EmphasisTagsOf(rule);
    int offset = 0;
    while (engine.Match(pattern, line.strHtml, offset)) {
        int p = engine.MatchPos();
        int length = engine.MatchLength();
        if (length == 0)
            break;
        // A match that starts on the second byte of a character takes in its first byte.
        if (IsTrailByte(line.strHtml, p)) {
            --p;
            ++length;
        }
        switch (rule.KeywordAction) {
            case 1:
                line.P_AddTagDeleteKeywordPos(tags.Opening, tags.Closing, p, length);
                offset = p - 1;
                break;
            case 2:
                line.P_AddTagReplaceImgPos(tags.Opening, tags.Closing, p, length, tags.Image);
                offset = p - 1;
                break;
            case 0:
                // Both tags go in front of the tags already at their positions, the closing one
                // included.
                line.P_AddTag(tags.Opening, p, false);
                line.P_AddTag(tags.Closing, p + length, false);
                offset = p - 1 + length;
                break;
            default:
                offset = p - 1 + length;
                break;
        }
        if (!everyMatch)
            break;
    }
    return true;
}
