#include "engine/encodings/input_decoder.h"

#include <gtest/gtest.h>

#include <tuple>

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

// The decoder copies long ASCII runs and decodes what lies between: however the file is cut into
// pieces, the engine text is the same, a character cut between two pieces is whole, and the
// undecodable bytes and the line of the first are counted alike.
TEST(InputDecoder, AnyCutIntoPiecesGivesTheSameText) {
    const std::string longRun(40, 'x');
    const std::string text = "漢字ab\n" + longRun + "かな\n\xE3\x81" + longRun + "。\n" + "ｶﾅ" +
                             longRun + "\n\xFF" + "終";
    const auto decode = [&](std::size_t cut1, std::size_t cut2) {
        TSjisBridge bridge;
        TInputDecoder decoder(TTextEncoding::Utf8, bridge);
        std::string out;
        const std::string_view all = text;
        decoder.Decode(all.substr(0, cut1), false, out);
        decoder.Decode(all.substr(cut1, cut2 - cut1), false, out);
        decoder.Decode(all.substr(cut2), true, out);
        return std::make_tuple(out, decoder.InvalidBytes(), decoder.FirstInvalidLine());
    };
    const std::string expected = InEncoding("漢字ab\n" + longRun + "かな\n", "CP932") +
                                 "\x81\xAC\x81\xAC" + longRun + InEncoding("。\nｶﾅ", "CP932") +
                                 longRun + "\n\x81\xAC" + InEncoding("終", "CP932");
    for (std::size_t cut1 = 0; cut1 <= text.size(); ++cut1) {
        for (std::size_t cut2 = cut1; cut2 <= text.size(); cut2 += 7) {
            EXPECT_EQ(decode(cut1, cut2), std::make_tuple(expected, 3LL, 3LL))
                << "cut at " << cut1 << " and " << cut2;
        }
    }
}
