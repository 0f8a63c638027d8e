#include "engine/regex/BRegExp.h"

#include <algorithm>

#include "engine/regex/onig_api.h"
#include "engine/regex/regex_guard.h"
#include "engine/regex/regex_pattern.h"

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
