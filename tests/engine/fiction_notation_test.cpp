// The ruby notation, the upright digits and the links of today on lines made to be slow or to
// tangle the markup; what each gives on ordinary lines is in tests/examples/.
#include <gtest/gtest.h>

#include <string>

#include "engine/encodings/sjis_bridge.h"
#include "engine/line/dakuten.h"
#include "engine/line/ruby_notation.h"
#include "engine/line/upright_digits.h"
#include "engine/line/web_links.h"
#include "engine/text/encoding.h"

namespace {

THtmlCnv Escaped(const std::string& raw) {
    THtmlCnv line(raw);
    line.P_CnvTextToHtmlDangerStr(4, false);
    return line;
}

// Engine text of a text, the characters CP932 lacks as the bridge's stand-ins.
std::string Engine(TSjisBridge& bridge, std::u32string_view text) {
    std::string out;
    for (const char32_t c : text) {
        char bytes[2];
        out.append(bytes, bridge.Put(c, bytes));
    }
    return out;
}

std::string Utf8Page(TSjisBridge& bridge, std::string_view engine) {
    std::string out;
    bridge.Encode(engine, TPageEncoding::Utf8, out);
    return out;
}

// The tagged text of a UTF-8 line after the ruby notation, as a UTF-8 page shows it.
std::string RubyThroughBridge(std::u32string_view text) {
    TSjisBridge bridge;
    THtmlCnv line(Engine(bridge, text));
    line.P_CnvTextToHtmlDangerStr(4, false);
    ApplyRubyNotation(line, &bridge);
    return Utf8Page(bridge, line.F_strGetIncTag());
}

std::string Ruby(std::string_view base, std::string_view reading) {
    return "<ruby>" + std::string(base) + "<rp>（</rp><rt>" + std::string(reading) +
           "</rt><rp>）</rp></ruby>";
}

std::string Repeated(const std::string& piece, int times) {
    std::string out;
    for (int n = 0; n < times; ++n)
        out += piece;
    return out;
}

}  // namespace

// Long lines of marks that never close, of notations, of digit pairs and of address characters
// take one pass each, not one per mark: a search from every mark would take minutes here.
TEST(FictionNotation, LongLinesOfMarksTakeOnePass) {
    const std::string opens = Repeated(Sjis("《"), 200000);
    THtmlCnv unclosed = Escaped(Sjis("漢") + opens + Sjis("》"));
    ApplyRubyNotation(unclosed);
    EXPECT_EQ(unclosed.F_strGetIncTag(), Sjis("漢") + opens + Sjis("》"));

    // Each notation costs the line object's deletions of its marks, which move the rest of
    // the line: a few thousand on one line are still quick.
    THtmlCnv many = Escaped(Repeated(Sjis("漢《か》"), 3000));
    ApplyRubyNotation(many);
    const std::string ruby = Sjis("<ruby>漢<rp>（</rp><rt>か</rt><rp>）</rp></ruby>");
    EXPECT_EQ(many.F_strGetIncTag(), Repeated(ruby, 3000));

    THtmlCnv digits = Escaped(Repeated("12 ", 50000));
    SetDigitsUpright(digits);
    EXPECT_EQ(digits.F_strGetIncTag(), Repeated("<span class=\"tcy\">12</span>&nbsp;", 50000));

    THtmlCnv marks = Escaped(Repeated("!? ", 50000));
    SetMarksUpright(marks, false);
    EXPECT_EQ(marks.F_strGetIncTag(), Repeated("<span class=\"tcy\">!?</span>&nbsp;", 50000));

    THtmlCnv screams = Escaped(Repeated(Sjis("あ゛"), 100000));
    ComposeDakuten(screams);
    EXPECT_EQ(screams.F_strGetIncTag(),
              Repeated(Sjis("あ") + std::string(FixedCodeOf(0x3099)), 100000));

    const std::string closing = std::string(200000, ')');
    THtmlCnv address = Escaped("https://a.jp/" + closing);
    LinkWebAddresses(address);
    EXPECT_EQ(address.F_strGetIncTag(), "<a href=\"https://a.jp/\">https://a.jp/</a>" + closing);
}

// Whatever the notations, the tags the stage adds pair up: every <ruby> and <em> is closed after
// it opens, and the plain text loses only marks and readings.
TEST(FictionNotation, TangledNotationsGiveBalancedMarkup) {
    const std::string raw = Sjis("｜《《a｜b《c》》》漢《《字》》《x》|《y》｜｜z《《w》》《v》");
    THtmlCnv line = Escaped(raw);
    ApplyRubyNotation(line);
    const std::string tagged = line.F_strGetIncTag();
    int depth = 0;
    for (std::size_t at = 0; (at = tagged.find('<', at)) != std::string::npos; ++at) {
        if (tagged.compare(at, 5, "<ruby") == 0 || tagged.compare(at, 3, "<em") == 0)
            ++depth;
        if (tagged.compare(at, 7, "</ruby>") == 0 || tagged.compare(at, 5, "</em>") == 0)
            --depth;
        EXPECT_GE(depth, 0) << tagged;
    }
    EXPECT_EQ(depth, 0) << tagged;
    // "｜《" writes "《", so "《a｜b《c》" is a reading holding "《"; "｜b《c》" is a ruby; after
    // "字》》" no kanji stands before "《x》"; "|《" writes "《"; a bar before "《《" stays.
    EXPECT_EQ(tagged,
              Sjis("《《a<ruby>b<rp>（</rp><rt>c</rt><rp>）</rp></ruby>》》漢"
                   "<em class=\"sesame\">字</em>《x》《y》｜｜z<em class=\"sesame\">w</em>《v》"));
}

// Kanji that arrive as stand-ins (outside CP932: the extensions of the unified ideographs) count
// for the automatic base as the kanji of CP932 do; a stand-in of anything else does not.
TEST(FictionNotation, KanjiOutsideShiftJisMakeTheBase) {
    EXPECT_EQ(RubyThroughBridge(U"𠮷野《よしの》さん"), Ruby("𠮷野", "よしの") + "さん");
    EXPECT_EQ(RubyThroughBridge(U"𩸽《ほっけ》を焼く"), Ruby("𩸽", "ほっけ") + "を焼く");
    EXPECT_EQ(RubyThroughBridge(U"㐂寿《きじゅ》、仝《どう》じく"),
              Ruby("㐂寿", "きじゅ") + "、" + Ruby("仝", "どう") + "じく");
    EXPECT_EQ(RubyThroughBridge(U"😀《かお》と\U0002A6D6\U0002FA1D《x》"),
              "😀《かお》と" + Ruby("\U0002A6D6\U0002FA1D", "x"));
}

// The dakuten's characters that CP932 lacks have engine codes of their own, which a page gets as
// the characters and the text box as references.
TEST(FictionNotation, DakutenBecomesTheVoicedKanaOrTheCombiningMark) {
    THtmlCnv line(Sjis("あ゛ヲ゛か゛ア") + "\xDE" + Sjis("う゛ぁ゛"));
    line.P_CnvTextToHtmlDangerStr(4, false);
    ComposeDakuten(line);
    TSjisBridge bridge;
    EXPECT_EQ(Utf8Page(bridge, line.F_strGetIncTag()), "あ\u3099ヺがア\u3099ゔぁ\u3099");
    std::string box = line.F_strGetIncTag();
    WriteFixedCodesAsReferences(box);
    EXPECT_EQ(box, Sjis("あ&#x3099;&#x30FA;がア&#x3099;&#x3094;ぁ&#x3099;"));
}

// At the start of a base an element that ends inside it goes inside the ruby and one that goes on
// beyond stays around it, even where both start there; at its end one that began inside closes
// inside. An element from inside the base into the reading or beyond leaves the notation as
// written.
TEST(FictionNotation, ElementsAtTheEdgesGoInsideOrAround) {
    THtmlCnv line = Escaped(Sjis("｜12月《がつ》です"));
    const int from = 3;  // the "1" behind the bar
    line.P_AddTag("<b>", from, true);
    line.P_AddTag("<i>", from, true);
    line.P_AddTag("</i>", from + 2, false);
    line.P_AddTag("<u>", from + 2, true);
    line.P_AddTag("</u>", from + 4, false);
    line.P_AddTag("</b>", static_cast<int>(line.strHtml.size()) + 1, true);
    ApplyRubyNotation(line);
    EXPECT_EQ(line.F_strGetIncTag(), Sjis("<b>" + Ruby("<i>12</i><u>月</u>", "がつ") + "です</b>"));

    THtmlCnv crossing = Escaped(Sjis("｜12月《がつ》"));
    crossing.P_AddTag("<i>", 5, true);
    crossing.P_AddTag("</i>", 9, false);
    ApplyRubyNotation(crossing);
    EXPECT_EQ(crossing.F_strGetIncTag(), Sjis("｜12<i>月《</i>がつ》"));
}
