// The input's lines read ahead on a thread of their own give what the reader gives on the calling
// thread: the same lines, the same end (read failure, a decoder that gave up), and an early stop
// leaves no thread behind.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/encodings/input_decoder.h"
#include "engine/encodings/line_reader.h"
#include "engine/encodings/sjis_bridge.h"
#include "engine/encodings/threaded_line_source.h"
#include "tests/engine/encoding_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

struct TLinesRead {
    std::vector<std::string> Lines;
    bool Failed = false;
    bool GaveUp = false;
    std::vector<char32_t> StandsFor;  // what each stand-in code of the lines stands for
};

// The lines of the file at path read through a TThreadedLineSource (ahead or not), in encoding
// (a decoder for any but Shift_JIS).
TLinesRead ReadLines(const std::string& path, bool ahead,
                     TTextEncoding encoding = TTextEncoding::ShiftJis,
                     TOnInvalidByte onInvalid = TOnInvalidByte::Replace) {
    TSjisBridge bridge;
    std::optional<TInputDecoder> decoder;
    if (encoding != TTextEncoding::ShiftJis)
        decoder.emplace(encoding, bridge, onInvalid);
    TLineReader reader(path, decoder ? &*decoder : nullptr);
    TLinesRead read;
    TThreadedLineSource source(reader, decoder ? &bridge : nullptr, ahead);
    EXPECT_EQ(source.ReadsAhead(), ahead);
    std::string_view line;
    while (source.Next(line)) {
        read.Lines.emplace_back(line);
        // The calling thread asks the bridge about the stand-ins of each line as it gets it.
        for (std::size_t i = 0; i + 1 < line.size(); ++i) {
            const auto lead = static_cast<unsigned char>(line[i]);
            if (lead >= 0xF0 && lead <= 0xF9) {
                read.StandsFor.push_back(
                    bridge.StandsFor(static_cast<std::uint16_t>(lead << 8 | (line[i + 1] & 0xFF))));
                ++i;
            } else if ((lead >= 0x81 && lead <= 0x9F) || lead >= 0xE0) {
                ++i;
            }
        }
    }
    EXPECT_FALSE(source.Next(line)) << "the end is the end";
    read.Failed = reader.Failed();
    read.GaveUp = decoder && decoder->GaveUp();
    return read;
}

// Lines of every length up to a few batches, with CR LF, LF and lone CRs.
std::string ManyLines(std::size_t bytes, const std::string& unit) {
    std::string text;
    for (std::size_t k = 0; text.size() < bytes; ++k) {
        for (std::size_t r = 0; r < k % 7; ++r)
            text += unit;
        text += k % 3 == 0 ? "\r\n" : k % 3 == 1 ? "\n" : "\r";
    }
    return text;
}

}  // namespace

TEST(ThreadedLineSource, ReadingAheadGivesTheLinesTheCallingThreadReads) {
    TTempDir dir;
    const std::string batch(TThreadedLineSource::kBatchBytes, 'x');
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"one line without a line end", "only"},
        {"lines over many batches", ManyLines(5 * TThreadedLineSource::kBatchBytes, "ab\x82\xA0 ")},
        {"a line longer than a batch between short ones",
         "a\r\n" + batch + batch + "yz\r\nb\r\n" + batch + "\nlast"},
        {"lines of exactly a batch", batch + "\n" + batch + "\n\n"},
        {"the byte 0x1A ends the text", ManyLines(3 * batch.size(), "cd") + "e\x1A" + "f\r\n"},
    };
    for (const auto& c : cases) {
        WriteFileBytes(dir.File("in.txt"), c.bytes);
        const TLinesRead here = ReadLines(dir.File("in.txt"), false);
        const TLinesRead ahead = ReadLines(dir.File("in.txt"), true);
        EXPECT_TRUE(ahead.Lines == here.Lines) << c.name;
        EXPECT_FALSE(ahead.Failed) << c.name;
        // The lines taken whole again give the text (up to the 0x1A, without CRs).
        std::string joined;
        for (const std::string& line : ahead.Lines)
            joined += line + "\n";
        std::string expected = c.bytes.substr(0, c.bytes.find('\x1A'));
        std::erase(expected, '\r');
        if (!expected.empty() && !expected.ends_with('\n'))
            expected += '\n';
        EXPECT_TRUE(joined == expected) << c.name;
    }
}

TEST(ThreadedLineSource, DecodedTextWithStandInsPastTheFirstBatch) {
    TTempDir dir;
    // Characters Shift_JIS lacks (each one a stand-in) first seen batch after batch, so that the
    // reader thread hands them out while the calling thread asks about earlier ones.
    std::string utf8;
    const char* const rare[] = {"😀", "𠮷", "〜", "\xEE\x80\x80" /* U+E000 */, "🍣", "丂"};
    for (std::size_t k = 0; utf8.size() < 6 * TThreadedLineSource::kBatchBytes; ++k) {
        utf8 += "吾輩は猫である ";
        if (k % 500 == 0)
            utf8 += rare[(k / 500) % std::size(rare)];
        utf8 += "\r\n";
    }
    struct TEncoded {
        TTextEncoding encoding;
        const char* iconv;
    };
    for (const TEncoded e :
         {TEncoded{TTextEncoding::Utf8, "UTF-8"}, TEncoded{TTextEncoding::Utf16Le, "UTF-16LE"},
          TEncoded{TTextEncoding::Utf16Be, "UTF-16BE"}}) {
        const std::string bytes = InEncoding(utf8, e.iconv);
        WriteFileBytes(dir.File("in.txt"), bytes);
        const TLinesRead here = ReadLines(dir.File("in.txt"), false, e.encoding);
        const TLinesRead ahead = ReadLines(dir.File("in.txt"), true, e.encoding);
        EXPECT_TRUE(ahead.Lines == here.Lines) << e.iconv;
        // Every stand-in met on the calling thread was complete when its line arrived.
        ASSERT_EQ(ahead.StandsFor.size(), here.StandsFor.size()) << e.iconv;
        EXPECT_EQ(ahead.StandsFor, here.StandsFor) << e.iconv;
        EXPECT_GE(ahead.StandsFor.size(), 30u) << e.iconv;
        for (const char32_t c : ahead.StandsFor)
            EXPECT_NE(c, 0u) << e.iconv;
    }
}

TEST(ThreadedLineSource, TheEndOfTheReadingIsTheSame) {
    TTempDir dir;
    // A provisional UTF-8 that a byte late in the text disproves: the same lines before it, and
    // the decoder has given up when the lines end.
    std::string text = ManyLines(4 * TThreadedLineSource::kBatchBytes, "é日本 ");
    text += "\nok\r\nbad \xFF byte\r\nnever read\r\n";
    WriteFileBytes(dir.File("in.txt"), text);
    const TLinesRead here =
        ReadLines(dir.File("in.txt"), false, TTextEncoding::Utf8, TOnInvalidByte::GiveUp);
    const TLinesRead ahead =
        ReadLines(dir.File("in.txt"), true, TTextEncoding::Utf8, TOnInvalidByte::GiveUp);
    EXPECT_TRUE(here.GaveUp);
    EXPECT_TRUE(ahead.GaveUp);
    EXPECT_TRUE(ahead.Lines == here.Lines);
    // The lines of the pieces before the one that held the byte.
    EXPECT_GT(ahead.Lines.size(), 1000u);
    // A read failure (a folder opens, and fails at its first read) ends both alike.
    const TLinesRead folderHere = ReadLines(dir.Path(), false);
    const TLinesRead folderAhead = ReadLines(dir.Path(), true);
    EXPECT_TRUE(folderHere.Failed);
    EXPECT_TRUE(folderAhead.Failed);
    EXPECT_TRUE(folderAhead.Lines.empty());
}

TEST(ThreadedLineSource, StoppingInTheMiddleLeavesNoThreadRunning) {
    TTempDir dir;
    WriteFileBytes(dir.File("in.txt"), ManyLines(12 * TThreadedLineSource::kBatchBytes, "abc"));
    for (const int taken : {0, 1, 3000}) {
        TLineReader reader(dir.File("in.txt"));
        TThreadedLineSource source(reader, nullptr, true);
        std::string_view line;
        for (int k = 0; k < taken; ++k)
            ASSERT_TRUE(source.Next(line));
        source.Stop();
        // Stopped: no more lines, and the reader thread has ended (a running one would still be
        // reading the file, which TSan and the reader's own state would show), so the reader is
        // the calling thread's again and stands before the end of the text.
        EXPECT_FALSE(source.Next(line)) << taken;
        EXPECT_FALSE(reader.Failed()) << taken;
        std::string rest;
        EXPECT_TRUE(reader.Next(rest)) << "the whole text was read ahead after " << taken;
    }
    // Lines longer than a big batch: with the first of them taken, the reader thread has read
    // at most the next, so that no more than two are held at once.
    const std::size_t big = TThreadedLineSource::kBigBatch + 10;
    std::string longLines;
    for (const char c : {'a', 'b', 'c', 'd', 'e'})
        longLines += std::string(big, c) + "\r\n";
    WriteFileBytes(dir.File("long.txt"), longLines);
    {
        TLineReader reader(dir.File("long.txt"));
        TThreadedLineSource source(reader, nullptr, true);
        std::string_view line;
        ASSERT_TRUE(source.Next(line));
        EXPECT_EQ(line, std::string(big, 'a'));
        // Chances for a reader thread without that bound to run on to the end.
        for (int k = 0; k < 50000; ++k)
            std::this_thread::yield();
        source.Stop();
        std::string rest;
        ASSERT_TRUE(reader.Next(rest));
        EXPECT_TRUE(rest == std::string(big, 'b') || rest == std::string(big, 'c'))
            << "read ahead up to " << rest.substr(0, 1);
    }
    EXPECT_TRUE(ReadLines(dir.File("long.txt"), true).Lines ==
                ReadLines(dir.File("long.txt"), false).Lines);
    // Destroyed in the middle without Stop: the same, through the destructor.
    TLineReader reader(dir.File("in.txt"));
    {
        TThreadedLineSource source(reader, nullptr, true);
        std::string_view line;
        ASSERT_TRUE(source.Next(line));
    }
    std::string rest;
    EXPECT_TRUE(reader.Next(rest));
}
