#include <gtest/gtest.h>

#include "engine/line/autolink.h"
#include "engine/text/encoding.h"

namespace {

std::string Linked(std::string_view raw) {
    THtmlCnv line(raw);
    line.P_CnvTextToHtmlDangerStr(4, false);
    const std::string plain = line.strHtml;
    AutoLinkLine(line);
    EXPECT_EQ(line.strHtml, plain);  // only tags are added
    return line.F_strGetIncTag();
}

}  // namespace

TEST(FindLinkStart, TheEarlierOfHttpAndMailtoElseABareAddress) {
    EXPECT_EQ(FindLinkStart("x http://a mailto:b", 1), 3);
    EXPECT_EQ(FindLinkStart("x mailto:b http://a", 1), 3);
    EXPECT_EQ(FindLinkStart("x http://a http://b", 4), 12);
    EXPECT_EQ(FindLinkStart("https://a", 1), 0);     // only "http://" starts a web address
    EXPECT_EQ(FindLinkStart("a@b http://c", 1), 5);  // the bare address is not looked for
    EXPECT_EQ(FindLinkStart("x,a@b", 1), 3);
    EXPECT_EQ(FindLinkStart("", 1), 0);
}

TEST(FindMailStart, AfterTheLastDelimiterBetweenFromAndTheAt) {
    EXPECT_EQ(FindMailStart("a@b", 1), 1);
    EXPECT_EQ(FindMailStart("xyz", 1), 0);
    EXPECT_EQ(FindMailStart("x&nbsp;a@b", 1), 8);
    EXPECT_EQ(FindMailStart("(x,y[a@b", 1), 6);
    EXPECT_EQ(FindMailStart(Sjis("名前：a@b"), 1), 7);
    EXPECT_EQ(FindMailStart(Sjis("（a@b"), 1), 3);
    EXPECT_EQ(FindMailStart(Sjis("　a@b"), 1), 3);  // 　 is 0x81 0x40: its "@" is no "@"
    EXPECT_EQ(FindMailStart(Sjis("＜a@b"), 1), 3);
    EXPECT_EQ(FindMailStart("&lt;a@b", 1), 5);
    EXPECT_EQ(FindMailStart("a,b@c", 3), 3);    // the delimiter in front of from does not count
    EXPECT_EQ(FindMailStart("x(a)b@c", 1), 5);  // nor does the text up to a closing bracket
    EXPECT_EQ(FindMailStart("a@b,c@d", 4), 5);
}

TEST(FindLinkEnd, TheFirstStopDelimiterOrTheEnd) {
    EXPECT_EQ(FindLinkEnd("http://a", 1), 9);
    EXPECT_EQ(FindLinkEnd("http://a&nbsp;b", 1), 9);
    EXPECT_EQ(FindLinkEnd("http://a&gt;", 1), 9);
    EXPECT_EQ(FindLinkEnd("http://a&lt;b", 1), 14);  // "&lt;" only precedes an address
    EXPECT_EQ(FindLinkEnd("http://a&amp;b", 1), 15);
    EXPECT_EQ(FindLinkEnd(Sjis("http://a」"), 1), 9);
    EXPECT_EQ(FindLinkEnd(Sjis("http://a、b,c"), 1), 9);
    EXPECT_EQ(FindLinkEnd(")x", 1), 1);
    // The second byte of ゾ (0x83 0x5D) is no "]".
    EXPECT_EQ(FindLinkEnd(Sjis("http://aゾb]"), 1), 12);
}

TEST(AutoLinkLine, WrapsEachAddressAndKeepsThePlainText) {
    EXPECT_EQ(Linked("go http://a.jp/x"), "go&nbsp;<a href=\"http://a.jp/x\">http://a.jp/x</a>");
    EXPECT_EQ(Linked("a@b.jp,c@d.jp"),
              "<a href=\"mailto:a@b.jp\">a@b.jp</a>,<a href=\"mailto:c@d.jp\">c@d.jp</a>");
    EXPECT_EQ(Linked("mailto:a@b"), "<a href=\"mailto:a@b\">mailto:a@b</a>");
    // A web address links no further than its host when what follows cannot stand in a URL.
    EXPECT_EQ(Linked("http://a\"b"), "<a href=\"http://a\">http://a</a>&quot;b");
    EXPECT_EQ(Linked("(http://a) (http://b)"),
              "(<a href=\"http://a\">http://a</a>)&nbsp;(<a href=\"http://b\">http://b</a>)");
    EXPECT_EQ(Linked("(@)"), "(@)");
    EXPECT_EQ(Linked("no address here"), "no&nbsp;address&nbsp;here");
    // The href holds what a URL may hold; the text stays as written.
    EXPECT_EQ(Linked("http://p/%<"), "<a href=\"http://p/%25%3C\">http://p/%&lt;</a>");
    EXPECT_EQ(Linked("http://a.jp/b@c"), "<a href=\"http://a.jp/b@c\">http://a.jp/b@c</a>");
    EXPECT_EQ(Linked(""), "");
}

TEST(AutoLinkLine, OnlyValidHostsAndMailAddressesAreLinked) {
    for (const char* none : {"http://", "http://@", "http://u@h.jp", "http://a..b/", "\"@",
                             "a..b@c.jp", "a.@c.jp", "a@b", "a@.b.jp", "@c.jp"})
        EXPECT_EQ(Linked(none).find("<a"), std::string::npos) << none;
    // A web address ends with its host when something a host cannot hold follows it.
    EXPECT_EQ(Linked("http://f\\"), "<a href=\"http://f\">http://f</a>\\");
    // The local part runs back from the "@" over what mail allows, the domain to its end.
    EXPECT_EQ(Linked(Sjis("◎hanako@example.jp（花子）")),
              Sjis("◎<a href=\"mailto:hanako@example.jp\">hanako@example.jp</a>（花子）"));
    EXPECT_EQ(Linked(Sjis("連絡先はyuki.tanaka@example.jpだった。")),
              Sjis("連絡先は<a href=\"mailto:yuki.tanaka@example.jp\">yuki.tanaka@example.jp</a>"
                   "だった。"));
    // "ス" ends with the byte of "X": the local part starts after the whole character.
    EXPECT_EQ(Linked(Sjis("アドレスtaro@x.jp")),
              Sjis("アドレス<a href=\"mailto:taro@x.jp\">taro@x.jp</a>"));
    EXPECT_EQ(Linked("...a{b}c@x.jp"), "...a{b}<a href=\"mailto:c@x.jp\">c@x.jp</a>");
    EXPECT_EQ(Linked("a&b@x.jp"), "<a href=\"mailto:a&amp;b@x.jp\">a&amp;b@x.jp</a>");
    // After an address that ends before the delimiter the search goes on behind it, and the
    // next address starts one character later.
    EXPECT_EQ(Linked("a@b.jp/c@d.jp"),
              "<a href=\"mailto:a@b.jp\">a@b.jp</a>/<a href=\"mailto:c@d.jp\">c@d.jp</a>");
}
