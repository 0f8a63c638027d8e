// The ruby notation, the upright digits and the links of today on lines made to be slow or to
// tangle the markup; what each gives on ordinary lines is in tests/examples/.
#include <gtest/gtest.h>

#include <string>

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
