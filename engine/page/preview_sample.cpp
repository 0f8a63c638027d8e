#include "engine/page/preview_sample.h"

#include <vector>

#include "engine/base/identity.h"
#include "engine/encodings/output_file.h"
#include "engine/line/prepared_emphasis.h"
#include "engine/text/encoding.h"

std::string SampleEmphasisLine(const TStrong& rule, int n) {
    const std::string_view first = KeywordAt(rule.Keywords, rule.Separator, 1);
    const std::string number = std::to_string(n);
    std::string sample;
    switch (rule.KeywordKind) {
        case TKeywordKind::LineStartsWith:
            sample = std::string(first) + Sjis("強調") + number;
            break;
        case TKeywordKind::LineContains:
            sample = Sjis("強調") + number + Sjis("「") + std::string(first) + Sjis("」");
            break;
        case TKeywordKind::CharactersOnly:
            sample = rule.IgnoreLeadingBlanks
                         ? Sjis("強調") + number + Sjis("「") + std::string(first) + Sjis("」")
                         : Sjis("強調") + number + " " + std::string(first) + " ";
            break;
        case TKeywordKind::Enclosed: {
            const auto [opening, closing] = SplitEnclosingPair(first);
            sample = std::string(opening) + Sjis("囲まれる強調") + number + std::string(closing);
            break;
        }
        case TKeywordKind::RegularExpression:
        case TKeywordKind::Unselected:
            break;
    }
    return rule.IgnoreLeadingBlanks ? "    " + sample : sample;
}

namespace {

// Lines that show the settings for fiction at work, for those that are on.
void AppendFictionSamples(const TStrInfo& s, std::vector<std::string>& lines) {
    const bool modernLinks = s.AutoLink && s.LinkStyle == TLinkStyle::Modern;
    if (!RubyNotationOn(s) && !s.VerticalWriting && !modernLinks)
        return;
    lines.push_back("");
    lines.push_back(Sjis("ここから下は小説向けの設定のサンプルです。"));
    if (s.AozoraNotation) {
        lines.push_back(Sjis("［＃中見出し］青空文庫注記［＃中見出し終わり］"));
        lines.push_back(
            Sjis("［＃２字下げ］名前はまだ無い［＃「無い」に傍点］。見当［＃「見当」に傍線］が"
                 "つかぬ。※［＃始め二重山括弧］注記※［＃終わり二重山括弧］"));
        lines.push_back(Sjis("［＃地付き］夏目漱石"));
    }
    if (RubyNotationOn(s)) {
        lines.push_back(Sjis("｜吾輩《わがはい》は猫である。名前《なまえ》は《《まだ》》無い。"));
        lines.push_back(Sjis("ルビは｜《と書くと《そのまま》です。"));
    }
    if (s.VerticalWriting)
        lines.push_back(Sjis("第12話　10月31日、午後3時の出来事!?"));
    if (modernLinks)
        lines.push_back(Sjis("詳しくはhttps://example.com/novel?id=12を見よ。"));
}

}  // namespace

bool BuildPreviewSample(TEngineEnv& env, const std::string& path) {
    TStrInfo s;
    if (!GatherSettings(env.Form, env.Platform, s))
        return false;
    std::vector<std::string> lines = {
        Sjis("「ポルカノＨＴＭＬ変換」をお使いいただきありがとうございます。"),
        Sjis(
            "この画面では、各種の変換設定内容を具体的なサンプルテキストで確認することができます。"),
        "",
        Sjis("質問・バグ報告・感想などはこちらへ"),
        Sjis(kSupportLineUtf8),
        "",
        Sjis("ここから下は１行に一つの強調表示が含まれるときのサンプルです。"),
    };
    std::vector<std::string> samples(5);
    for (int n = 1; n <= 5; ++n) {
        const TStrong& rule = s.Strong[n - 1];
        if (rule.Keywords.empty())
            continue;
        samples[n - 1] = SampleEmphasisLine(rule, n);
        lines.push_back(samples[n - 1] + Sjis("が存在する行"));
        lines.push_back(Sjis("あいうえお かきくけこ さしすせそ"));
    }
    lines.push_back("");
    lines.push_back(Sjis("ここから下は１行に２つの強調表示が含まれるときのサンプルです。"));
    for (int j = 0; j < 5; ++j) {
        if (s.Strong[j].Keywords.empty())
            continue;
        for (int k = 0; k < 5; ++k) {
            if (k == j || s.Strong[k].Keywords.empty())
                continue;
            lines.push_back(samples[j] + " " + samples[k] + Sjis("がともに存在する行"));
        }
    }
    lines.push_back("");
    lines.push_back(Sjis("１行に３つ以上の強調表示が含まれるときは勘弁してください（＾＾；"));
    lines.push_back("");
    for (int n = 1; n <= 5; ++n) {
        const THolLine& rule = s.HolLine[n - 1];
        if (rule.Mark.empty())
            continue;
        lines.push_back(Sjis("水平線") + std::to_string(n) + Sjis("↓"));
        lines.push_back(rule.Pattern);
    }
    AppendFictionSamples(s, lines);

    TOutputFile out(path);
    bool written = out.Ok();
    for (const std::string& line : lines)
        written = written && out.WriteLine(line);
    return out.Close() && written;
}
