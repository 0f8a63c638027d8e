#include "engine/input_decoder.h"

#include <gtest/gtest.h>

#include "tests/engine/encoding_fixture.h"

TEST(ReadFileAsUtf8, GivesTheOriginalTextInEveryEncoding) {
    TEncodedConversion c;
    const std::string text = "一行目、上の行。ｶﾅ\r\n二行目\n";
    const std::string path = c.Dir.File("t.txt");
    const struct {
        std::string bytes;
        TTextEncoding read;
    } cases[] = {
        {InEncoding(text, "CP932"), TTextEncoding::ShiftJis},
        {text, TTextEncoding::Utf8},
        {"\xEF\xBB\xBF" + text, TTextEncoding::Utf8},
        {InEncoding(text, "EUC-JP-MS"), TTextEncoding::EucJp},
        {InEncoding(text, "ISO-2022-JP-2"), TTextEncoding::Iso2022Jp},
        {InEncoding("\xEF\xBB\xBF" + text, "UTF-16LE"), TTextEncoding::Utf16Le},
        {InEncoding("\xEF\xBB\xBF" + text, "UTF-16BE"), TTextEncoding::Utf16Be},
    };
    for (const auto& k : cases) {
        WriteFileBytes(path, k.bytes);
        TTextEncoding read = TTextEncoding::ShiftJis;
        EXPECT_EQ(ReadFileAsUtf8(path, TInputEncoding::Auto, &read), text);
        EXPECT_EQ(read, k.read);
    }
}

TEST(ReadFileAsUtf8, UnreadableBytesShowAndMissingFilesFail) {
    TEncodedConversion c;
    const std::string path = c.Dir.File("t.txt");
    WriteFileBytes(path,
                   "a\xFF"
                   "b\xE3\x81");
    EXPECT_EQ(ReadFileAsUtf8(path, TInputEncoding::Utf8), "a〓b〓〓");
    EXPECT_EQ(ReadFileAsUtf8(path, TInputEncoding::ShiftJis),
              "a\xEF\xBF\xBD"
              "b縺");
    EXPECT_EQ(ReadFileAsUtf8(c.Dir.File("none.txt"), TInputEncoding::Auto), std::nullopt);
}
