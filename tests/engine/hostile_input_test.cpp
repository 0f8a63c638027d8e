// Input files that no editor writes: broken double-byte characters, control bytes, binary data.
// Each converts into a page whose lines are the program's own and whose text is the input's.
// (Missing files, folders, full disks, the end-of-file byte and lines past the 32-bit positions
// are in converter_test.cpp.)
#include <gtest/gtest.h>

#include <random>

#include "engine/encodings/line_reader.h"
#include "engine/page/converter.h"
#include "engine/text/encoding.h"
#include "engine/text/katakana.h"
#include "fuzz/page_check.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/example_file.h"

namespace {

struct THostileConversion : TEngineFixture {
    // The page's body lines for the input bytes (all lines in mode 0).
    std::vector<std::string> Body(std::string_view input) {
        WriteFileBytes(Dir.File("in.txt"), input);
        bool images = false;
        EXPECT_TRUE(ConvertTextFile(Env, Dir.File("in.txt"), Dir.File("out.htm"), images));
        return BodyLines(ReadFileBytes(Dir.File("out.htm")));
    }
};

const std::array<std::string, 5> kSpans = {"span", "span", "span", "span", "span"};

}  // namespace

TEST(HostileInput, ALeadByteWithoutItsSecondByteStaysOnItsOwnLine) {
    THostileConversion c;
    // Read as Shift_JIS: detected, these texts read as EUC-JP, where 0x81 is a C1 control.
    c.Form->SetItemIndex("cmbInputEncoding", 1);
    // At the end of a line and of the file: the byte is kept and takes nothing of what follows.
    EXPECT_EQ(c.Body("ab\x81\r\ncd\r\nx\x81"),
              (std::vector<std::string>{"<p>ab\x81<br>", "cd<br>", "x\x81<br>", "</p>"}));
    // Followed by LF or CR LF, the line still ends there; a lone CR is dropped, as ever, and
    // then the lead byte meets the next byte.
    EXPECT_EQ(c.Body("\x81\n<\r\n\x81\r\n>\r\n\x81\r&\r\n"),
              (std::vector<std::string>{"<p>\x81<br>", "&lt;<br>", "\x81<br>", "&gt;<br>",
                                        "\x81&amp;<br>", "</p>"}));
    // An emphasis keyword that is the lead byte's usual partner is not found in its place.
    c.Form->SetText("edtKeyword3", "@");
    c.Form->SetItemIndex("cmbKeyKbn3", 2);
    c.Form->SetChecked("chkbxLink", false);
    EXPECT_EQ(
        c.Body("\x81\n@"),
        (std::vector<std::string>{"<p>\x81<br>", "<span class=\"strong3\">@</span><br>", "</p>"}));
    EXPECT_TRUE(c.Platform.Messages.empty());
}

TEST(HostileInput, NulBytesAndAFileOfOnlyCrBytes) {
    THostileConversion c;
    // A NUL becomes "〓" where it stands, as every control character does; a line of nothing
    // else is still blank and closes the paragraph. A lead byte before it becomes "〓" too, not
    // the first byte of a character with the stand-in's first byte.
    c.Form->SetItemIndex("cmbInputEncoding", 1);
    EXPECT_EQ(c.Body(std::string("a\0b\r\n\0\r\n\x81\0\x82\xA0\0\r\n", 14)),
              (std::vector<std::string>{"<p>a\x81\xAC"
                                        "b<br>",
                                        "\x81\xAC</p>", "<p>\x81\xAC\x81\xAC\x82\xA0\x81\xAC<br>",
                                        "</p>"}));
    ASSERT_EQ(c.Platform.Messages.size(), 1u);
    c.Platform.Messages.clear();
    // Every CR is dropped: one empty line, which opens no paragraph.
    EXPECT_EQ(c.Body(std::string(1000, '\r')), (std::vector<std::string>{"<br>"}));
    c.Form->SetItemIndex("rdgrpAddTag", 0);
    EXPECT_EQ(c.Body("\r\r\r"), (std::vector<std::string>{"<br>"}));
}

TEST(HostileInput, ABinaryFileGivesAPageOfItsOwnText) {
    THostileConversion c;
    // Every stage on, with rules that keep what they find.
    c.Form->SetChecked("chkKanaChange", true);
    c.Form->SetText("edtKeyword3", "a,\x81,&,;");
    c.Form->SetItemIndex("cmbKeyKbn3", 2);
    c.Form->SetText("edtKeyword4", "(*),\x81\x75*\x81\x76");
    c.Form->SetItemIndex("cmbKeyKbn4", 3);
    c.Form->SetText("edtKeyword5", "[a-z&;]+g?,m/./g");
    c.Form->SetItemIndex("cmbKeyKbn5", 4);
    c.Form->SetText("edtHolMark1", "-");
    std::mt19937 random(8);
    std::string bytes(64 * 1024, '\0');
    for (char& b : bytes) {
        b = static_cast<char>(random() % 256);
        if (b == '\x1A')
            b = '\n';  // the end-of-file byte would end the test's input early
    }
    WriteFileBytes(c.Dir.File("in.txt"), bytes);
    bool images = false;
    ASSERT_TRUE(ConvertTextFile(c.Env, c.Dir.File("in.txt"), c.Dir.File("out.htm"), images));
    const std::vector<std::string> body = BodyLines(ReadFileBytes(c.Dir.File("out.htm")));

    TLineReader reader(c.Dir.File("in.txt"));
    std::vector<std::string> input;
    for (std::string line; reader.Next(line);)
        input.push_back(line);
    ASSERT_GE(body.size(), input.size());
    ASSERT_GT(input.size(), 100u);
    for (std::size_t n = 0; n < input.size(); ++n) {
        EXPECT_EQ(CheckBodyLine(body[n], kSpans), "") << "line " << n + 1;
        if (body[n].find("<hr") == std::string::npos) {
            EXPECT_EQ(
                PageTextApartFromBlanks(body[n]),
                InputTextApartFromBlanks(WidenKatakana(WithControlCharactersAsGeta(input[n]))))
                << "line " << n + 1;
        }
    }
}
