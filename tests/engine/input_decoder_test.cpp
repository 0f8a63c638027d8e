#include "engine/encodings/input_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

#include "engine/encodings/sjis_bridge.h"
#include "engine/text/iconv_stream.h"
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

namespace {

// The engine text of UTF-8 bytes as iconv alone decodes them (the decoder's way before it
// decoded well-formed text itself), with the undecodable bytes and the line of the first.
std::tuple<std::string, long long, long long> DecodedByIconvAlone(std::string_view bytes) {
    TSjisBridge bridge;
    TDecodeStream stream("UTF-8", 1, true);
    std::tuple<std::string, long long, long long> decoded{"", 0, 0};
    auto& [out, invalid, firstLine] = decoded;
    const auto onInvalid = [&] {
        if (invalid++ == 0)
            firstLine = std::count(out.begin(), out.end(), '\n') + 1;
        out += "\x81\xAC";
    };
    stream.Feed(
        bytes, true,
        [&](char32_t c) {
            char put[2];
            for (int k = c <= 0x10FFFF ? 0 : c <= 0x1FFFFF ? 4 : c <= 0x3FFFFFF ? 5 : 6; k > 0; --k)
                onInvalid();
            if (c <= 0x10FFFF)
                out.append(put, bridge.Put(c, put) - put);
        },
        onInvalid);
    return decoded;
}

// A random piece of UTF-8, well-formed or not in each of the ways it can fail.
std::string RandomUtf8Token(std::mt19937& random) {
    const auto pick = [&](unsigned from, unsigned to) {
        return static_cast<char>(from + random() % (to - from + 1));
    };
    const auto encode = [](char32_t c) {
        std::string s;
        if (c < 0x800)
            return s + static_cast<char>(0xC0 | c >> 6) + static_cast<char>(0x80 | (c & 0x3F));
        if (c < 0x10000)
            return s + static_cast<char>(0xE0 | c >> 12) +
                   static_cast<char>(0x80 | (c >> 6 & 0x3F)) + static_cast<char>(0x80 | (c & 0x3F));
        return s + static_cast<char>(0xF0 | c >> 18) + static_cast<char>(0x80 | (c >> 12 & 0x3F)) +
               static_cast<char>(0x80 | (c >> 6 & 0x3F)) + static_cast<char>(0x80 | (c & 0x3F));
    };
    switch (random() % 16) {
        case 0:
            return std::string(16 + random() % 24, pick('a', 'z'));  // a run copied as it is
        case 1:
            return "\r\n";
        case 2:
            return encode(0x80 + random() % 0x780);
        case 3:
            return encode(0x10000 + random() % 0x100000);
        case 4:
            return encode(0x800 + random() % 0xF800);  // surrogates too
        case 5:
            return std::string{pick(0xC0, 0xC1), pick(0x80, 0xBF)};  // long forms
        case 6:
            return std::string{'\xE0', pick(0x80, 0x9F), pick(0x80, 0xBF)};
        case 7:
            return std::string{'\xF0', pick(0x80, 0x8F), pick(0x80, 0xBF), pick(0x80, 0xBF)};
        case 8:
            return std::string{pick(0xF4, 0xFF), pick(0x80, 0xBF), pick(0x80, 0xBF),
                               pick(0x80, 0xBF), pick(0x80, 0xBF), pick(0x80, 0xBF)};
        case 9:
            return std::string{pick(0x80, 0xBF)};  // a trail byte alone
        case 10:
            return encode(0x3041 + random() % 0x60).substr(0, 1 + random() % 2);  // cut short
        case 11:
            return encode(0x1F600 + random() % 0x50).substr(0, 1 + random() % 3);
        default:
            return random() % 3 == 0 ? std::string(1, pick(' ', '~'))
                                     : encode(0x3041 + random() % 0x6000);  // kana and kanji
    }
}

}  // namespace

// Well-formed UTF-8 is decoded without iconv, which takes over at anything else: whatever the
// bytes, and wherever the pieces are cut, the engine text and the undecodable bytes are iconv's.
TEST(InputDecoder, GivesWhatIconvAloneGivesForAnyBytes) {
    std::mt19937 random(11);
    for (int round = 0; round < 800; ++round) {
        std::string bytes;
        for (int tokens = 1 + static_cast<int>(random() % 40); tokens > 0; --tokens)
            bytes += RandomUtf8Token(random);
        std::vector<std::size_t> cuts = {0, bytes.size()};
        for (int k = static_cast<int>(random() % 4); k > 0; --k)
            cuts.push_back(random() % (bytes.size() + 1));
        std::sort(cuts.begin(), cuts.end());
        TSjisBridge bridge;
        TInputDecoder decoder(TTextEncoding::Utf8, bridge);
        std::string out;
        for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
            decoder.Decode(std::string_view(bytes).substr(cuts[k], cuts[k + 1] - cuts[k]),
                           k + 2 == cuts.size(), out);
        }
        ASSERT_EQ(std::make_tuple(out, decoder.InvalidBytes(), decoder.FirstInvalidLine()),
                  DecodedByIconvAlone(bytes))
            << "round " << round;
    }
}
