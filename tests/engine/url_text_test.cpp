#include <gtest/gtest.h>

#include "engine/text/encoding.h"
#include "engine/text/url_text.h"

TEST(PercentEncodeUrl, KeepsAValidUrlAndEncodesWhatAUrlCannotHold) {
    for (const std::string& valid :
         {std::string("http://example.com/path?x=1&y=2#top"), std::string("mailto:a.b@example.jp"),
          "http://a.jp/" + Sjis("ページ") + "\xB1", std::string("http://a/%E3%81%82"),
          std::string("http://[::1]:8080/x")})
        EXPECT_EQ(PercentEncodeUrl(valid), valid);
    EXPECT_EQ(PercentEncodeUrl("http://p/%"), "http://p/%25");
    EXPECT_EQ(PercentEncodeUrl("http://p/%4g%41"), "http://p/%254g%41");
    EXPECT_EQ(PercentEncodeUrl("http://p/a b\\<>\"[]^|{}`\t"),
              "http://p/a%20b%5C%3C%3E%22%5B%5D%5E%7C%7B%7D%60%09");
    EXPECT_EQ(PercentEncodeUrl("http://p/#a#b"), "http://p/#a%23b");
    EXPECT_EQ(PercentEncodeUrl("http://p/\x80\xFD\x81"), "http://p/%80%FD%81");  // no characters
}

TEST(HrefOfPlainText, TheEscapedAddressBecomesAnAttributeValue) {
    EXPECT_EQ(HrefOfPlainText("http://a/?x=1&amp;y=2"), "http://a/?x=1&amp;y=2");
    EXPECT_EQ(HrefOfPlainText("http://a/&lt;b&gt;&quot;c&nbsp;d"), "http://a/%3Cb%3E%22c%20d");
    EXPECT_EQ(UnescapePlainText("a&nbsp;&lt;&amp;lt;"), "a <&lt;");
}

TEST(ValidHostLength, DomainsAddressesAndPorts) {
    EXPECT_EQ(ValidHostLength("a.jp/x"), 4u);
    EXPECT_EQ(ValidHostLength("a.jp:80/x"), 7u);
    EXPECT_EQ(ValidHostLength("a.jp:/x"), 5u);  // an empty port
    EXPECT_EQ(ValidHostLength("a.jp:65536/"), 4u);
    EXPECT_EQ(ValidHostLength("a.jp.\\x"), 5u);
    EXPECT_EQ(ValidHostLength(Sjis("例え.jp/")), 7u);
    EXPECT_EQ(ValidHostLength(Sjis("a.jp＠b")), 4u);
    EXPECT_EQ(ValidHostLength("1.2.3.4/"), 7u);
    EXPECT_EQ(ValidHostLength("[::1]/"), 5u);
    EXPECT_EQ(ValidHostLength("[1:2:3:4:5:6:7:8]"), 17u);
    for (const char* invalid :
         {"", "/x", "@h", "]", ".a", "a..b", "999.1.1.1", "a.1", "1.2.3.4.5", "[zz]", "[1:2]"})
        EXPECT_EQ(ValidHostLength(invalid), 0u) << invalid;
}

TEST(ImagePathUrl, RelativePathsStayRelativeAndAbsoluteOnesBecomeFileUrls) {
    EXPECT_EQ(ImagePathUrl("img/mark.png"), "img/mark.png");
    EXPECT_EQ(ImagePathUrl("img\\mark.png"), "img/mark.png");
    EXPECT_EQ(ImagePathUrl("C:\\img\\a b#1?.png"), "file:///C:/img/a%20b%231%3F.png");
    EXPECT_EQ(ImagePathUrl("d:/a%41.png"), "file:///d:/a%2541.png");
    EXPECT_EQ(ImagePathUrl("/usr/x.png"), "file:///usr/x.png");
    EXPECT_EQ(ImagePathUrl("\\\\server\\share\\x.png"), "file://server/share/x.png");
    EXPECT_EQ(ImagePathUrl("a:b.png"), "./a:b.png");                   // not a scheme
    EXPECT_EQ(ImagePathUrl("img\\\x95\x5C.png"), "img/\x95\x5C.png");  // 表 keeps its second byte
}
