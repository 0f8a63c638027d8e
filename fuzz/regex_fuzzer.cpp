// Fuzz target of the regular-expression adapter: a pattern text (a keyword as a rule holds it,
// or a pattern as written) and a target. The pattern goes through BuildMatchPattern,
// WrapEntityQuantifiers and the m/.../ reader, then Compile and every match along the target as
// the rules search it; positions must stay inside the target. Every form of the expression with
// check points (regex_guard.h) must match exactly what the expression matches, captures
// included, wherever neither search hits a retry limit and the target is well-formed Shift_JIS.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/regex/BRegExp.h"
#include "engine/regex/onig_api.h"
#include "engine/regex/regex_guard.h"
#include "engine/regex/regex_library.h"
#include "engine/regex/regex_pattern.h"
#include "engine/text/escaper.h"
#include "engine/text/text_helpers.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/scratch_folder.h"

namespace {

constexpr std::size_t kPatternLength = 255;
constexpr std::size_t kTargetLength = 2048;
constexpr int kMatchesPerLine = 4096;

enum TRegexMode : std::uint8_t { kAsKeyword = 1, kSecondOffset = 2 };

OnigOptionType OptionsOf(const TPatternForm& form) {
    OnigOptionType options = ONIG_OPTION_NONE;
    options |= form.IgnoreCase ? ONIG_OPTION_IGNORECASE : 0;
    options |= form.Extended ? ONIG_OPTION_EXTEND : 0;
    options |= form.DotAll ? ONIG_OPTION_MULTILINE : 0;
    options |= form.MultiLine ? ONIG_OPTION_NEGATE_SINGLELINE : 0;
    return options;
}

const OnigUChar* Bytes(std::string_view text) {
    return reinterpret_cast<const OnigUChar*>(text.data());
}

// One search of an expression compiled for itself: the engine's result and every capture.
struct TSearch {
    int Result = ONIG_MISMATCH;
    std::vector<int> Captures;
    bool Compiled = false;
};

TSearch Search(const TOnigApi& api, std::string_view expression, const TPatternForm& form,
               std::string_view target, std::size_t offset) {
    TSearch search;
    OnigRegex re = nullptr;
    OnigErrorInfo info{};
    if (api.New(&re, Bytes(expression), Bytes(expression) + expression.size(), OptionsOf(form),
                api.ShiftJis, api.PerlSyntax, &info) != ONIG_NORMAL) {
        return search;
    }
    search.Compiled = true;
    OnigRegion* region = api.RegionNew();
    OnigMatchParam* param = api.NewMatchParam();
    api.InitializeMatchParam(param);
    api.SetRetryLimitInMatch(param, 100'000);
    api.SetRetryLimitInSearch(param, 1'000'000);
    const OnigUChar* start = Bytes(target);
    const OnigUChar* end = start + target.size();
    search.Result =
        api.SearchWithParam(re, start, end, start + offset, end, region, ONIG_OPTION_NONE, param);
    if (search.Result >= 0) {
        for (int g = 0; g < region->num_regs; ++g) {
            search.Captures.push_back(region->beg[g]);
            search.Captures.push_back(region->end[g]);
        }
    }
    api.FreeMatchParam(param);
    api.RegionFree(region, 1);
    api.Free(re);
    return search;
}

void CompareForms(std::string_view pattern, const TPatternForm& form, std::string_view target,
                  std::size_t offset) {
    TRegexLibrary library;
    const TOnigApi* api = library.Get();
    if (api == nullptr)
        Fail("the regular-expression library is missing", "");
    const TSearch plain = Search(*api, form.Expression, form, target, offset);
    if (!plain.Compiled || (plain.Result < 0 && plain.Result != ONIG_MISMATCH))
        return;
    for (const std::string& checked : RegexCompileForms(form.Expression)) {
        const TSearch guarded = Search(*api, checked, form, target, offset);
        if (!guarded.Compiled || (guarded.Result < 0 && guarded.Result != ONIG_MISMATCH))
            continue;
        if (guarded.Result != plain.Result || guarded.Captures != plain.Captures)
            Fail("check points change what the expression matches",
                 std::string(pattern) + " => " + checked);
    }
}

// True when every lead byte of the text has a second byte of the Shift_JIS range after it. On
// other text the engine's optimised search (a literal found byte by byte) and its search from
// character to character, which a check point in front forces, may start a match at different
// bytes; the rules move a match that starts on a second byte back anyway.
bool IsWellFormedShiftJis(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!IsLeadByte(c))
            continue;
        if (i + 1 >= text.size())
            return false;
        const unsigned char t = static_cast<unsigned char>(text[++i]);
        if (!((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC)))
            return false;
    }
    return true;
}

// The rules' search along a line: positions and lengths inside the target, one step forward
// after every match.
void MatchAlong(TBRegExp& re, const std::string& pattern, std::string_view target) {
    int offset = 0;
    for (int n = 0; n < kMatchesPerLine && re.Match(pattern, target, offset); ++n) {
        const int p = re.MatchPos();
        const int length = re.MatchLength();
        if (p < offset + 1 || length < 0 || p - 1 + length > static_cast<int>(target.size()))
            Fail("a match outside the target", pattern);
        if (length == 0)
            break;
        offset = p - 1 + length;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput in(data, size);
    const std::uint8_t mode = in.Byte();
    const std::string written = in.Text(kPatternLength);
    const std::string_view rest = in.Rest();
    const std::string_view target = rest.substr(0, kTargetLength);

    const std::string keyword = mode & kAsKeyword ? EscapeHtmlText(written, 4, false) : written;
    const std::string built = BuildMatchPattern(keyword);
    const std::string pattern = WrapEntityQuantifiers(built);
    if ((pattern.size() - built.size()) % 2 != 0)
        Fail("entity groups added unbalanced", pattern);
    (void)WrapEntityQuantifiers(written);
    const TPatternForm form = ParsePatternForm(pattern);
    if (form.Error.empty() && pattern.find(form.Expression) == std::string::npos)
        Fail("the expression is not a part of the pattern", pattern);

    TBRegExp re;
    if (!re.Compile(pattern)) {
        if (re.ErrorMessage().empty())
            Fail("a pattern refused without a message", pattern);
        return 0;
    }
    MatchAlong(re, pattern, target);
    if (IsWellFormedShiftJis(target))
        CompareForms(pattern, form, target, mode & kSecondOffset ? target.size() / 2 : 0);
    return 0;
}
