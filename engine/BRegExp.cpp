#include "engine/BRegExp.h"

#include <algorithm>
#include <optional>

#include "engine/encoding.h"
#include "engine/onig_api.h"
#include "engine/plain_text_edit.h"
#include "engine/prepared_emphasis.h"
#include "engine/regex_guard.h"
#include "engine/regex_pattern.h"
#include "engine/text_helpers.h"

namespace {

// Backtracking budgets of one search: per start position, and for the whole search. A line of
// ordinary text needs a small fraction of them; a pattern that would backtrack exponentially
// hits one within a few milliseconds and the search ends as no match.
constexpr unsigned long kRetryLimitInMatch = 1'000'000;
constexpr unsigned long kRetryLimitInSearch = 10'000'000;

// Check points between two looks at the clock. The work between two check points can grow with
// the length of the text, so on a long text every one looks.
constexpr unsigned kClockStride = 32;
constexpr std::size_t kLongTarget = 64 * 1024;

// What a callout returns to end the search: any error code below -1 does.
constexpr int kOutOfTime = ONIG_ABORT;

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
        api->SetProgressCallout(matchParam_, &TBRegExp::OnCheckPoint);
        api->SetCalloutUserData(matchParam_, this);
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
    compiledExpression_.clear();
}

int TBRegExp::OnCheckPoint(OnigCalloutArgsStruct*, void* self) {
    TBRegExp& re = *static_cast<TBRegExp*>(self);
    if (++re.checkPoints_ % re.checkStride_ != 0)
        return ONIG_CALLOUT_SUCCESS;
    return std::chrono::steady_clock::now() < re.searchDeadline_ ? ONIG_CALLOUT_SUCCESS
                                                                 : kOutOfTime;
}

void TBRegExp::SetDeadline(std::chrono::steady_clock::time_point deadline) {
    deadline_ = deadline;
    hasDeadline_ = true;
}

void TBRegExp::ClearDeadline() {
    hasDeadline_ = false;
}

bool TBRegExp::TakeFirstStop() {
    if (!stopped_ || stopReported_)
        return false;
    stopReported_ = true;
    return true;
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
    // The expression as written decides whether the pattern is valid and what the message
    // says; then the best form with check points that the engine takes replaces it.
    const auto compile = [&](std::string_view expression, OnigErrorInfo* info) {
        OnigRegex compiled = nullptr;
        const int code =
            api->New(&compiled, Bytes(expression), Bytes(expression) + expression.size(),
                     OptionsOf(form), api->ShiftJis, api->PerlSyntax, info);
        return std::pair{code, compiled};
    };
    OnigErrorInfo info{};
    const auto [code, plain] = compile(form.Expression, &info);
    if (code != ONIG_NORMAL) {
        errorMessage_ = EngineMessage(*api, code, info);
        return false;
    }
    compiled_ = plain;
    compiledExpression_ = form.Expression;
    for (const std::string& checked : RegexCompileForms(form.Expression)) {
        if (checked == form.Expression)
            break;
        OnigErrorInfo ignored{};
        const auto [checkedCode, guarded] = compile(checked, &ignored);
        if (checkedCode == ONIG_NORMAL) {
            api->Free(plain);
            compiled_ = guarded;
            compiledExpression_ = checked;
            break;
        }
    }
    compiledPattern_ = pattern;
    return true;
}

bool TBRegExp::Match(std::string_view pattern, std::string_view target, int offset) {
    matched_ = false;
    stopped_ = false;
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
    const auto now = std::chrono::steady_clock::now();
    searchDeadline_ = hasDeadline_ ? deadline_ : now + kRegexTimeLimit;
    if (now >= searchDeadline_) {
        stopped_ = true;
        errorMessage_ = "time limit of the search over";
        return false;
    }
    checkPoints_ = 0;
    checkStride_ = target.size() > kLongTarget ? 1 : kClockStride;
    const OnigUChar* start = Bytes(searched);
    const OnigUChar* end = start + searched.size();
    const int found = api->SearchWithParam(compiled_, start, end, start, end, region_,
                                           ONIG_OPTION_NONE, matchParam_);
    if (found < 0) {
        if (found != ONIG_MISMATCH) {
            stopped_ = true;
            errorMessage_ = found == kOutOfTime ? "time limit of the search over"
                                                : EngineMessage(*api, found, OnigErrorInfo{});
        }
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
        if (rule.KeywordKind != TKeywordKind::RegularExpression)
            continue;
        rule.CompiledEngines.clear();
        rule.CompiledPatterns.clear();
        std::optional<TPreparedEmphasis> preparedHere;
        const TPreparedEmphasis& prepared =
            rule.Prepared ? *rule.Prepared : preparedHere.emplace(rule);
        for (const TPreparedKeyword& keyword : prepared.Keywords) {
            const std::string& pattern = keyword.Pattern;
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

namespace {

// ApplyRegexRule with the pattern of the keyword and the rule's tags.
bool ApplyRegexKeyword(THtmlCnv& line, int n, const std::string& pattern, bool everyMatch,
                       const TEmphasisTags& tags, const TStrong& rule, TPlatform& platform) {
    const std::size_t index = static_cast<std::size_t>(n - 1);
    if (n < 1 || index >= rule.CompiledEngines.size() || !rule.CompiledEngines[index]) {
        ShowOk(platform, TMessageKind::Error, Sjis("バグです"));
        return false;
    }
    TBRegExp& engine = *rule.CompiledEngines[index];
    // All searches of this keyword on this line share the time limit of the first one, which
    // most lines need alone.
    struct TDeadlineEnd {
        TBRegExp& Engine;
        ~TDeadlineEnd() { Engine.ClearDeadline(); }
    } deadlineEnd{engine};
    int offset = 0;
    for (bool first = true; engine.Match(pattern, line.strHtml, offset); first = false) {
        if (first)
            engine.SetDeadline(engine.SearchDeadline());
        int p = engine.MatchPos();
        int length = engine.MatchLength();
        if (length == 0)
            break;
        // A match that starts on the second byte of a character takes in its first byte.
        if (IsTrailByte(line.strHtml, p)) {
            --p;
            ++length;
        }
        // The search sees the escaped text; a match that cuts an entity ("b" in "&nbsp;") is
        // no match of the text the reader sees, and the search goes on behind where the engine
        // found it (which lies behind the offset, even when p was moved back onto a lead byte).
        if (InsideEntity(line.strHtml, p) || InsideEntity(line.strHtml, p + length)) {
            offset = engine.MatchPos();
            continue;
        }
        switch (rule.KeywordAction) {
            case TKeywordAction::Delete:
                line.P_DeleteWord(p, length);
                line.P_AddTagLine(tags.Opening, tags.Closing);
                offset = p - 1;
                break;
            case TKeywordAction::ReplaceByImage:
                line.P_ReplaceWord(p, length, tags.Image);
                line.P_AddTagLine(tags.Opening, tags.Closing);
                offset = p - 1;
                break;
            case TKeywordAction::Keep:
                // Both tags go in front of the tags already at their positions, the closing one
                // included.
                line.P_AddTag(tags.Opening, p, false);
                line.P_AddTag(tags.Closing, p + length, false);
                offset = p - 1 + length;
                break;
            case TKeywordAction::Unselected:
                offset = p - 1 + length;
                break;
        }
        if (!everyMatch)
            break;
    }
    if (engine.TakeFirstStop()) {
        ShowOk(
            platform, TMessageKind::Warning,
            Sjis("正規表現の検索に時間がかかりすぎるため、途中で打ち切った行があります。\r\n強調") +
                std::to_string(rule.Number) + Sjis("の ") + pattern + "\r\n" +
                Sjis("打ち切った行ではこの強調が付かないことがあります。"));
    }
    return true;
}

}  // namespace

bool ApplyRegexRule(THtmlCnv& line, int n, std::string_view keyword, const TStrong& rule,
                    TPlatform& platform) {
    const std::string pattern = WrapEntityQuantifiers(BuildMatchPattern(keyword));
    return ApplyRegexKeyword(line, n, pattern, pattern.ends_with('g'), EmphasisTagsOf(rule), rule,
                             platform);
}

bool ApplyRegexRule(THtmlCnv& line, int n, const TPreparedEmphasis& prepared, const TStrong& rule,
                    TPlatform& platform) {
    const std::size_t index = static_cast<std::size_t>(n - 1);
    if (n < 1 || index >= prepared.Keywords.size()) {
        ShowOk(platform, TMessageKind::Error, Sjis("バグです"));
        return false;
    }
    const TPreparedKeyword& keyword = prepared.Keywords[index];
    return ApplyRegexKeyword(line, n, keyword.Pattern, keyword.EveryMatch, prepared.Tags, rule,
                             platform);
}
