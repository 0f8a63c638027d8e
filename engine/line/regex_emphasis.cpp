#include "engine/line/regex_emphasis.h"

#include <memory>
#include <optional>

#include "engine/line/prepared_emphasis.h"
#include "engine/regex/BRegExp.h"
#include "engine/regex/regex_pattern.h"
#include "engine/text/encoding.h"
#include "engine/text/plain_text_edit.h"
#include "engine/text/text_helpers.h"

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
                // Without an image the match stays rather than vanish, and the search goes on
                // behind it.
                if (tags.ImageSrc.empty()) {
                    line.P_AddTagLine(tags.Opening, tags.Closing);
                    offset = p - 1 + length;
                    break;
                }
                line.P_ReplaceWord(
                    p, length,
                    ImageTag(tags, std::string_view(line.strHtml).substr(p - 1, length)));
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
