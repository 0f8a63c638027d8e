// Conversions of text in other encodings than Shift_JIS, and pages in other encodings.
#include <gtest/gtest.h>

#include <random>

#include "engine/encodings/sjis_bridge.h"
#include "engine/page/stylesheet.h"
#include "engine/text/encoding.h"
#include "tests/engine/encoding_fixture.h"
#include "tests/support/example_file.h"

namespace {

// A document with kanji, kana, half-width katakana and characters Shift_JIS lacks (〜 U+301C,
// 😀, 𠮷) or has only as NEC extensions (①) or under another code point (～ U+FF5E).
const std::vector<std::string> kDocument = {
    "吾輩は猫である。名前はまだ無い。",
    "どこで生れたかとんと見当がつかぬ。ｶﾀｶﾅもﾊﾝｶｸで混ざる。",
    "",
    "①番の札、～と〜は別の字、絵文字😀、𠮷野家。",
    "最後の行、上の行へ。",  // 上 is 0A 4E in UTF-16LE
};
// The lines ISO-2022-JP (JIS X 0208 and JIS X 0201) can hold.
const std::vector<std::string> kJisDocument = {kDocument[0], kDocument[1], kDocument[2],
                                               kDocument[4]};

std::string Joined(const std::vector<std::string>& lines, std::string_view lineEnd) {
    std::string text;
    for (const std::string& line : lines)
        text += line + std::string(lineEnd);
    return text;
}

// The text of the body lines of a page of the default settings, tags taken off.
std::vector<std::string> BodyText(const std::string& page) {
    std::vector<std::string> lines = BodyLines(page);
    for (std::string& line : lines) {
        for (const char* tag : {"<p>", "</p>", "<br>"}) {
            for (std::size_t at; (at = line.find(tag)) != std::string::npos;)
                line.erase(at, std::string_view(tag).size());
        }
    }
    std::erase(lines, std::string());
    return lines;
}

std::vector<std::string> NonEmpty(std::vector<std::string> lines) {
    std::erase(lines, std::string());
    return lines;
}

std::string Meta(std::string_view charset) {
    return "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" +
           std::string(charset) +
           "\">\r\n<meta http-equiv=\"Content-Script-Type\" content=\"text/html; charset=" +
           std::string(charset) + "\">\r\n<title>";
}

}  // namespace

TEST(EncodedConversion, EachInputEncodingGivesItsTextBackLineByLine) {
    struct TCase {
        const char* name;
        std::string bytes;
        const std::vector<std::string>* lines;
        TTextEncoding read;
        const char* pageIconv;
        const char* charset;
    };
    const std::vector<TCase> cases = {
        {"UTF-8 LF", Joined(kDocument, "\n"), &kDocument, TTextEncoding::Utf8, "UTF-8", "UTF-8"},
        {"UTF-8 CR LF", Joined(kDocument, "\r\n"), &kDocument, TTextEncoding::Utf8, "UTF-8",
         "UTF-8"},
        {"UTF-8 BOM", "\xEF\xBB\xBF" + Joined(kDocument, "\r\n"), &kDocument, TTextEncoding::Utf8,
         "UTF-8", "UTF-8"},
        {"UTF-16LE", InEncoding("\xEF\xBB\xBF" + Joined(kDocument, "\r\n"), "UTF-16LE"), &kDocument,
         TTextEncoding::Utf16Le, "UTF-8", "UTF-8"},
        {"UTF-16BE", InEncoding("\xEF\xBB\xBF" + Joined(kDocument, "\n"), "UTF-16BE"), &kDocument,
         TTextEncoding::Utf16Be, "UTF-8", "UTF-8"},
        {"ISO-2022-JP", InEncoding(Joined(kJisDocument, "\r\n"), "ISO-2022-JP-2"), &kJisDocument,
         TTextEncoding::Iso2022Jp, "UTF-8", "UTF-8"},
    };
    for (const TCase& c : cases) {
        TEncodedConversion conversion;
        const std::string page = conversion.Convert(c.bytes);
        ASSERT_FALSE(page.empty()) << c.name;
        EXPECT_EQ(conversion.Used.Input, c.read) << c.name;
        EXPECT_NE(page.find("<head>\r\n" + Meta(c.charset)), std::string::npos) << c.name;
        EXPECT_EQ(BodyText(page), NonEmpty(*c.lines)) << c.name;
        EXPECT_TRUE(conversion.Platform.Messages.empty()) << c.name;
    }
    // EUC-JP (without the characters it lacks) gives an EUC-JP page.
    std::vector<std::string> euc = kDocument;
    euc[3] = "①番の札、～と〜は別の字。";
    TEncodedConversion conversion;
    const std::string page = conversion.Convert(InEncoding(Joined(euc, "\n"), "EUC-JP-MS"));
    EXPECT_EQ(conversion.Used.Input, TTextEncoding::EucJp);
    EXPECT_EQ(conversion.Used.Page, TPageEncoding::EucJp);
    EXPECT_NE(page.find(Meta("EUC-JP")), std::string::npos);
    std::vector<std::string> expected;
    for (const std::string& line : NonEmpty(euc))
        expected.push_back(InEncoding(line, "EUC-JP-MS"));
    EXPECT_EQ(BodyText(page), expected);
}

TEST(EncodedConversion, ShiftJisAndEucJpPagesReferToCharactersTheyLack) {
    TEncodedConversion c;
    const std::string input = "～と〜、①、😀𠮷、−—‖¢£¬";
    std::string page = c.Convert(input, 0, 1);
    EXPECT_EQ(c.Used.Page, TPageEncoding::ShiftJis);
    EXPECT_EQ(BodyText(page), std::vector<std::string>{
                                  Sjis("～と") + "&#x301C;" + Sjis("、①、") + "&#x1F600;&#x20BB7;" +
                                  Sjis("、") + "&#x2212;&#x2014;&#x2016;&#xA2;&#xA3;&#xAC;"});
    // The head of a Shift_JIS page is the one it always was.
    EXPECT_EQ(page.find("<meta http-equiv=\"Content-Type\""), std::string::npos);
    EXPECT_NE(page.find("charset=Shift_JIS"), std::string::npos);
    page = c.Convert(input, 0, 3);
    ASSERT_EQ(BodyText(page).size(), 1u);
    const std::string line = BodyText(page)[0];
    EXPECT_NE(line.find("&#x1F600;&#x20BB7;"), std::string::npos);
    EXPECT_EQ(line.find("&#x301C;"), line.find("&#x"));  // the first reference is not 〜's
    EXPECT_TRUE(c.Platform.Messages.empty());
}

TEST(EncodedConversion, ShiftJisInputKeepsItsBytesUnlessThePageIsAnotherEncoding) {
    TEncodedConversion c;
    // Bytes no Shift_JIS text has (0x80, 0xA0, a lone lead byte) pass through into a Shift_JIS
    // page, chosen or detected, as they always did.
    const std::string input = Sjis("漢字とｶﾅ") + "\x80\xA0 a\xF0\x40\x81";
    const std::string named = c.Convert(input, 1, 0);
    EXPECT_EQ(c.Convert(input, 0, 0), named);
    EXPECT_EQ(c.Convert(input, 0, 1), named);
    EXPECT_NE(named.find(Sjis("漢字とｶﾅ") + "\x80\xA0&nbsp;a\xF0\x40\x81"), std::string::npos);
    EXPECT_TRUE(c.Platform.Messages.empty());
    // Into UTF-8, the bytes that are no character become 〓 with one warning; the user-defined
    // character F040 is U+E000.
    const std::string page = c.Convert(input, 1, 2);
    EXPECT_NE(page.find("漢字とｶﾅ〓〓&nbsp;a\xEE\x80\x80〓"), std::string::npos);
    ASSERT_EQ(c.Platform.Messages.size(), 1u);
    EXPECT_EQ(c.Platform.MessageTexts()[0],
              "Shift_JIS として読めないバイトが 3 個あり、ページでは 〓 に置き換えました。");
}

TEST(EncodedConversion, UndecodableBytesOfAChosenEncodingBecomeGetaWithOneWarning) {
    TEncodedConversion c;
    c.Form->SetItemIndex("rdgrpAddTag", 0);
    const std::string page = c.Convert(
        "一行目\nabc\xFF\xFE"
        "def\n三\xE3\x81行目\n\xE3",
        2, 1);
    EXPECT_EQ(page, Sjis("一行目<br>\r\nabc〓〓def<br>\r\n三〓〓行目<br>\r\n〓<br>\r\n"));
    ASSERT_EQ(c.Platform.Messages.size(), 1u);
    EXPECT_EQ(c.Platform.Messages[0].Kind, TMessageKind::Warning);
    EXPECT_EQ(c.Platform.MessageTexts()[0],
              "文字コード（UTF-8）として読めないバイトが 5 個あり、〓 に置き換えました。\r\n"
              "最初は 2 行目です。");
    // Under Auto, text that is no valid UTF-8 is Shift_JIS and read byte for byte.
    c.Platform.Messages.clear();
    EXPECT_EQ(c.Convert("abc\xFF\xFE\n", 0, 0), "abc\xFF\xFE<br>\r\n");
    EXPECT_TRUE(c.Platform.Messages.empty());
}

// Under Auto the encoding is told from the first 256 KB; when the text goes on invalid in it, the
// page is begun again from the file read as Shift_JIS, and comes out as if that had been chosen:
// the settings' own text too, and every message once.
TEST(EncodedConversion, TextInvalidPastTheSampleIsConvertedAsShiftJisFromTheStart) {
    TEncodedConversion c;
    c.Form->SetText("memHeader", "\xF0\x41");
    c.Form->SetText("edtTag3", "script");
    std::string utf8;
    while (utf8.size() < 300 * 1024)
        utf8 += InEncoding("吾輩は猫である。ｶﾀｶﾅ😀", "UTF-8") + "\r\n";
    for (const std::string& tail :
         {InEncoding("名前はまだ無い。\n", "CP932"), std::string("\xE3\x81")}) {
        const std::string input = utf8 + tail;
        c.Platform.Messages.clear();
        const std::string named = c.Convert(input, 1, 0);
        const auto namedMessages = c.Platform.MessageTexts();
        c.Platform.Messages.clear();
        const std::string page = c.Convert(input, 0, 0);
        EXPECT_EQ(c.Used.Input, TTextEncoding::ShiftJis);
        EXPECT_EQ(c.Used.Page, TPageEncoding::ShiftJis);
        EXPECT_TRUE(page == named) << "the page differs from the one read as Shift_JIS";
        EXPECT_EQ(c.Platform.MessageTexts(), namedMessages);
        ASSERT_EQ(namedMessages.size(), 1u);
    }
    // Valid to the end, it stays UTF-8; the byte 0x1A ends the text, and what lies behind it is
    // neither read nor found invalid.
    c.Platform.Messages.clear();
    const std::string page = c.Convert(utf8 + "\x1A\xFF", 0, 0);
    EXPECT_EQ(c.Used.Input, TTextEncoding::Utf8);
    EXPECT_TRUE(page.ends_with("ｶﾀｶﾅ😀<br>\r\n</p>\r\n</body>\r\n</html>\r\n"));
    EXPECT_EQ(c.Platform.Messages.size(), 1u);
}

TEST(EncodedConversion, TheSeparateStyleSheetIsInThePagesEncoding) {
    TEncodedConversion c;
    c.Form->SetChecked("chkOutputCSSDef", true);
    const std::string css = c.Dir.File("default.css");
    c.Convert(Sjis("漢字"), 0, 0);
    const std::string sjisCss = ReadFileBytes(css);
    EXPECT_TRUE(sjisCss.starts_with("body\t\t{"));
    c.Convert("漢字", 0, 0);
    EXPECT_EQ(ReadFileBytes(css), "@charset \"UTF-8\";\r\n" + SjisToUtf8(sjisCss));
    c.Convert("漢字", 0, 3);
    EXPECT_EQ(ReadFileBytes(css),
              "@charset \"EUC-JP\";\r\n" + InEncoding(SjisToUtf8(sjisCss), "EUC-JP-MS"));
}

// Random text of every plane, the Private Use Area and the characters Shift_JIS maps lossily,
// through every stage turned off, comes back as itself in a UTF-8 page.
TEST(EncodedConversion, RandomUnicodeSurvivesIntoAUtf8Page) {
    std::mt19937 random(20261208);
    const auto pick = [&](char32_t low, char32_t high) {
        return std::uniform_int_distribution<char32_t>(low, high)(random);
    };
    const char32_t specials[] = {0x301C,  0xFF5E,  0x2212, 0x2014, 0x2016, 0xA2, 0xA3,  0xAC,
                                 0x1F600, 0x20BB7, 0x2661, 0xE000, 0xE757, 0xA5, 0x203E};
    for (int round = 0; round < 5; ++round) {
        std::u32string text;
        for (int i = 0; i < 1500; ++i) {
            char32_t c = 0;
            switch (pick(0, 7)) {
                case 0:
                    c = pick(0x10000, 0x10FFFD);
                    break;
                case 1:
                    c = pick(0xE000, 0xF8FF);
                    break;
                case 2:
                    c = specials[pick(0, std::size(specials) - 1)];
                    break;
                case 3:
                    c = pick('a', 'z');
                    break;
                case 4:
                    c = pick(0x3041, 0x30FF);
                    break;
                case 5:
                    c = pick(0x4E00, 0x9FFF);
                    break;
                case 6:
                    c = pick(0xFF61, 0xFF9F);
                    break;
                default:
                    c = pick(0xA0, 0xFFFD);
                    break;
            }
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            text += c;
            if (pick(0, 60) == 0)
                text += U'\n';
        }
        std::string utf8;
        {
            std::string utf32;
            for (char32_t c : text)
                utf32.append(reinterpret_cast<const char*>(&c), 4);
            iconv_t cd = iconv_open("UTF-8", "UTF-32LE");
            std::string out(utf32.size() * 2, '\0');
            char* in = utf32.data();
            std::size_t left = utf32.size();
            char* dst = out.data();
            std::size_t room = out.size();
            ASSERT_NE(iconv(cd, &in, &left, &dst, &room), static_cast<std::size_t>(-1));
            iconv_close(cd);
            utf8.assign(out.data(), out.size() - room);
        }
        TEncodedConversion c;
        c.Form->SetItemIndex("rdgrpAddTag", 0);
        std::string page = c.Convert(utf8, 0, 0);
        EXPECT_EQ(c.Used.Input, TTextEncoding::Utf8);
        for (const auto& [escaped, plain] :
             {std::pair<std::string, std::string>{"<br>\r\n", "\n"}}) {
            for (std::size_t at; (at = page.find(escaped)) != std::string::npos;)
                page.replace(at, escaped.size(), plain);
        }
        if (!utf8.ends_with('\n'))
            utf8 += '\n';
        EXPECT_EQ(page, utf8) << "round " << round;
        EXPECT_TRUE(c.Platform.Messages.empty());
    }
}

TEST(EncodedConversion, PastTheStandInsNewCharactersBecomeGetaAndAreCounted) {
    std::string utf8;
    for (char32_t c = 0x1F000; c < 0x1F000 + TSjisBridge::kCapacity + 25; ++c) {
        const char bytes[4] = {
            static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3F)),
            static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
        utf8.append(bytes, 4);
    }
    TEncodedConversion c;
    c.Form->SetItemIndex("rdgrpAddTag", 0);
    // The last 25 characters twice: counted once each.
    const std::string tail = utf8.substr(utf8.size() - 25 * 4);
    const std::string page = c.Convert(utf8 + "\n" + tail + "\n", 0, 2);
    std::string expected = utf8.substr(0, TSjisBridge::kCapacity * 4);
    for (int i = 0; i < 25; ++i)
        expected += "〓";
    expected += "<br>\r\n";
    for (int i = 0; i < 25; ++i)
        expected += "〓";
    EXPECT_EQ(page, expected + "<br>\r\n");
    ASSERT_EQ(c.Platform.Messages.size(), 1u);
    EXPECT_EQ(c.Platform.MessageTexts()[0],
              "Shift_JIS にない文字が多すぎるため、25 種類の文字を 〓 に置き換えました。");
}

// The settings' user-defined characters (Shift_JIS 0xF040.., U+E000..) share the page with the
// stand-ins of the input and keep their own characters.
TEST(EncodedConversion, UserDefinedCharactersOfTheSettingsKeepTheirCharacters) {
    TEncodedConversion c;
    c.Form->SetText("memHeader", "\xF0\x40\xF0\x41");
    c.Form->SetText("edtPageTitle", "\xF0\x41");
    const std::string page = c.Convert("😀\xEE\x80\x81", 0, 0);
    EXPECT_NE(page.find("<title>\xEE\x80\x81</title>"), std::string::npos);
    EXPECT_EQ(BodyText(page),
              (std::vector<std::string>{"\xEE\x80\x80\xEE\x80\x81", "😀\xEE\x80\x81"}));
    // In a Shift_JIS page they are their own codes again, the emoji a reference.
    const std::string sjisPage = c.Convert("😀\xEE\x80\x81", 0, 1);
    EXPECT_EQ(BodyText(sjisPage),
              (std::vector<std::string>{"\xF0\x40\xF0\x41", "&#x1F600;\xF0\x41"}));
    // A keyword of one finds that character in the text, and no character without a Shift_JIS
    // form that came before it.
    c.Form->SetText("memHeader", "");
    c.Form->SetText("edtKeyword1", "\xF0\x40");
    c.Form->SetItemIndex("cmbKeyKbn1", 2);
    c.Form->SetItemIndex("cmbKeyWhat1", 0);
    const std::string marked = c.Convert("😀\xEE\x80\x80😀", 0, 0);
    EXPECT_EQ(BodyText(marked),
              (std::vector<std::string>{"😀<span class=\"strong1\">\xEE\x80\x80</span>😀"}));
}

// The file is read in pieces of 64 KB: a character cut by a piece's end is completed by the next
// piece, and a character cut by ASCII is two undecodable bytes.
TEST(EncodedConversion, CharactersAcrossPiecesAndCutByAscii) {
    for (const char* iconvName : {"UTF-8", "EUC-JP-MS", "UTF-16LE"}) {
        for (std::size_t before = 65530; before < 65540; ++before) {
            const std::string text = std::string(before, 'a') + "漢字かなｶﾅ\n";
            const std::string bytes =
                std::string_view(iconvName) == "UTF-16LE"
                    ? InEncoding("\xEF\xBB\xBF" + std::string(before / 2, 'a') + "漢字かなｶﾅ\n",
                                 iconvName)
                    : InEncoding(text, iconvName);
            TEncodedConversion c;
            c.Form->SetItemIndex("rdgrpAddTag", 0);
            // (A text this short is too little evidence for EUC-JP: it is named.)
            const int choice = std::string_view(iconvName) == "EUC-JP-MS" ? 3 : 0;
            const std::string page = c.Convert(bytes, choice, 2);
            const std::string expected = std::string_view(iconvName) == "UTF-16LE"
                                             ? std::string(before / 2, 'a') + "漢字かなｶﾅ<br>\r\n"
                                             : std::string(before, 'a') + "漢字かなｶﾅ<br>\r\n";
            EXPECT_TRUE(page == expected) << iconvName << " " << before << ": ..."
                                          << page.substr(page.size() < 40 ? 0 : page.size() - 40);
            EXPECT_TRUE(c.Platform.Messages.empty());
        }
    }
    TEncodedConversion c;
    c.Form->SetItemIndex("rdgrpAddTag", 0);
    EXPECT_EQ(c.Convert("\xE3\x81"
                        "abc\xE3\n",
                        2, 2),
              "〓〓abc〓<br>\r\n");
    EXPECT_EQ(c.Convert("\xA4"
                        "abc\xA4\xA2\n",
                        3, 2),
              "〓abcあ<br>\r\n");
}

// A long line of characters that become references in a Shift_JIS page, written in linear time.
TEST(EncodedConversion, ALongLineOfReferences) {
    std::string line;
    for (int i = 0; i < 200000; ++i)
        line += "😀";
    TEncodedConversion c;
    c.Form->SetItemIndex("rdgrpAddTag", 0);
    std::string expected;
    for (int i = 0; i < 200000; ++i)
        expected += "&#x1F600;";
    EXPECT_TRUE(c.Convert(line, 0, 1) == expected + "<br>\r\n");
}

// Sequences of old UTF-8 past U+10FFFF (five bytes, or four above F4 8F) and encoded surrogates
// are no characters: each of their bytes is undecodable.
TEST(EncodedConversion, Utf8BeyondUnicodeAndSurrogatesAreUndecodable) {
    TEncodedConversion c;
    c.Form->SetItemIndex("rdgrpAddTag", 0);
    EXPECT_EQ(c.Convert("a\xF9\xAF\xAF\xAF\xAF"
                        "b\xF4\x90\x80\x80"
                        "c\xED\xA0\x80"
                        "d\n",
                        2, 2),
              "a〓〓〓〓〓b〓〓〓〓c〓〓〓d<br>\r\n");
    ASSERT_EQ(c.Platform.Messages.size(), 1u);
    EXPECT_EQ(c.Platform.MessageTexts()[0],
              "文字コード（UTF-8）として読めないバイトが 12 個あり、〓 に置き換えました。\r\n"
              "最初は 1 行目です。");
}

// Control characters but tab and the line ends have no place in a page: "〓" in a Shift_JIS or
// EUC-JP page, U+FFFD in a UTF-8 page, with one warning that counts them. 0x1A still ends the
// text, and a C1 control character of a Unicode text is one too.
TEST(EncodedConversion, ControlCharactersBecomeStandInsWithOneWarning) {
    TEncodedConversion c;
    c.Form->SetItemIndex("rdgrpAddTag", 0);
    const char raw[] = "ok\r\na\x0B\x0C\x1B[1mb\r\n\x7F\t\0x\r\n\x1Agone\r\n";
    const std::string input(raw, sizeof raw - 1);
    const struct {
        int output;
        std::string standIn;
        const char* name;
    } pages[] = {{1, Sjis("〓"), "〓"}, {2, "\xEF\xBF\xBD", "U+FFFD"}, {3, "\xA2\xAE", "〓"}};
    for (const auto& page : pages) {
        const std::string& s = page.standIn;
        EXPECT_EQ(c.Convert(input, 1, page.output), "ok<br>\r\na" + s + s + s + "[1mb<br>\r\n" + s +
                                                        "&nbsp;&nbsp;&nbsp;" + s + "x<br>\r\n")
            << page.name;
        ASSERT_EQ(c.Platform.Messages.size(), 1u) << page.name;
        EXPECT_EQ(c.Platform.Messages[0].Kind, TMessageKind::Warning);
        EXPECT_EQ(c.Platform.MessageTexts()[0],
                  std::string("ページに書けない制御文字が 5 個あり、") + page.name +
                      " に置き換えました。\r\n最初は 2 行目です。");
        c.Platform.Messages.clear();
    }
    // C0 and C1 controls of a UTF-8 text (NEL U+0085, U+009F), DEL among them.
    EXPECT_EQ(c.Convert("a\xC2\x85"
                        "b\x01\xC2\x9F\x7F\n",
                        2, 2),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD<br>\r\n");
    EXPECT_EQ(c.Convert("a\xC2\x85\n", 2, 1), Sjis("a〓<br>\r\n"));
    ASSERT_EQ(c.Platform.Messages.size(), 2u);
    EXPECT_EQ(c.Platform.MessageTexts()[1],
              "ページに書けない制御文字が 1 個あり、〓 に置き換えました。\r\n最初は 1 行目です。");
    c.Platform.Messages.clear();
    // The title of the head; no line of the text is named.
    c.Form->SetItemIndex("rdgrpAddTag", 1);
    c.Form->SetText("edtPageTitle", "t\x01t");
    EXPECT_NE(c.Convert("x\n", 1, 2).find("<title>t\xEF\xBF\xBDt</title>"), std::string::npos);
    ASSERT_EQ(c.Platform.Messages.size(), 1u);
    EXPECT_EQ(c.Platform.MessageTexts()[0],
              "ページに書けない制御文字が 1 個あり、U+FFFD に置き換えました。");
}

TEST(EncodedConversion, TheTextBoxGetsGetaForControlCharacters) {
    TEncodedConversion c;
    c.Form->SetItemIndex("rdgrpAddTag", 0);
    std::vector<std::string> out;
    ASSERT_TRUE(ConvertTextBoxText(c.Env, out, {"a", "b\x1B", "\x7F"}));
    EXPECT_EQ(out, (std::vector<std::string>{"a<br>", Sjis("b〓<br>"), Sjis("〓<br>")}));
    ASSERT_EQ(c.Platform.Messages.size(), 1u);
    EXPECT_EQ(c.Platform.MessageTexts()[0],
              "ページに書けない制御文字が 2 個あり、〓 に置き換えました。\r\n最初は 2 行目です。");
}
