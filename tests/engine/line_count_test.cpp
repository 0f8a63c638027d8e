#include "engine/encodings/line_count.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <random>

#include "engine/encodings/text_encoding.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr std::uintmax_t kNeverSplit = std::numeric_limits<std::uintmax_t>::max();

// What counting bytes from offset must give: the LFs before the first 0x1A, and whether the last
// byte before it (or the end) is no LF.
TLineFeedCount Expected(std::string_view bytes, std::size_t offset) {
    std::string_view rest = bytes.substr(offset);
    TLineFeedCount count;
    if (const std::size_t sub = rest.find('\x1A'); sub != std::string_view::npos) {
        rest = rest.substr(0, sub);
        count.Ended = true;
    }
    count.LineFeeds = std::count(rest.begin(), rest.end(), '\n');
    count.Any = !rest.empty();
    count.Partial = count.Any && rest.back() != '\n';
    return count;
}

TLineFeedCount Counted(const std::string& path, std::size_t offset, std::uintmax_t splitFrom) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    std::fseek(file.get(), static_cast<long>(offset), SEEK_SET);
    return CountRestOfFile(file.get(), path, splitFrom);
}

}  // namespace

// Split in halves or not, the count is that of the bytes in order: wherever the halves meet a
// line feed, a byte 0x1A or the start of a chunk.
TEST(CountRestOfFile, HalvesCountAsTheWholeDoes) {
    TTempDir dir;
    const std::string path = dir.File("t.txt");
    std::mt19937 random(7);
    for (int round = 0; round < 400; ++round) {
        const std::size_t size = round < 360 ? random() % 64 : (1 << 16) + random() % (1 << 17);
        const unsigned subOdds = round % 3 == 0 ? 0 : static_cast<unsigned>(size) + 4;
        std::string bytes;
        for (std::size_t i = 0; i < size; ++i) {
            const unsigned pick = random() % 8;
            bytes += subOdds > 0 && random() % subOdds == 0 ? '\x1A'
                     : pick == 0                            ? '\n'
                     : pick == 1                            ? '\r'
                                                            : 'a';
        }
        WriteFileBytes(path, bytes);
        const std::size_t offset = size == 0 ? 0 : random() % (size + 1);
        const TLineFeedCount expected = Expected(bytes, offset);
        for (const std::uintmax_t splitFrom : {std::uintmax_t{1}, kNeverSplit}) {
            const TLineFeedCount count = Counted(path, offset, splitFrom);
            SCOPED_TRACE(testing::Message() << "round " << round << ", split from " << splitFrom);
            EXPECT_EQ(count.LineFeeds, expected.LineFeeds);
            EXPECT_EQ(count.Any, expected.Any);
            EXPECT_EQ(count.Partial, expected.Partial);
            EXPECT_EQ(count.Ended, expected.Ended);
            EXPECT_EQ(count.Error, 0);
        }
    }
}

// A long file is counted over two threads after the sample: the lines come out as on one.
TEST(CountRestOfFile, ScanInputCountsALongFileAsOnOneThread) {
    TTempDir dir;
    const std::string path = dir.File("t.txt");
    std::string text;
    while (text.size() < 9u << 20)
        text += "\x88\x9F\x89\x9F\r\nabc\r\n\r\n";
    for (const std::string& bytes : {text, text + "tail", text.substr(0, 6u << 20) + "\x1A\n\n",
                                     text.substr(0, 2u << 20) + "\x1A" + text}) {
        WriteFileBytes(path, bytes);
        for (const TInputEncoding chosen : {TInputEncoding::Auto, TInputEncoding::ShiftJis}) {
            const TInputScan one = ScanInput(path, chosen, TScanCheck::SampleOnly, 1);
            const TInputScan two = ScanInput(path, chosen, TScanCheck::SampleOnly, 2);
            EXPECT_TRUE(two.Ok);
            EXPECT_EQ(two.Lines, one.Lines);
            EXPECT_EQ(one.Lines, Expected(bytes, 0).LineFeeds + Expected(bytes, 0).Partial);
        }
    }
}
