#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/encodings/line_reader.h"
#include "engine/encodings/text_encoding.h"
#include "tests/support/temp_dir.h"

namespace {

struct TRead {
    std::vector<std::string> Lines;
    long long Counted = 0;
};

// Every line of bytes as Next gives them, and the count of the counting pass before a
// conversion, which must agree.
TRead ReadBack(const std::string& bytes) {
    TTempDir dir;
    WriteFileBytes(dir.File("in.txt"), bytes);
    TRead read;
    TLineReader reader(dir.File("in.txt"));
    std::string line;
    while (reader.Next(line))
        read.Lines.push_back(line);
    EXPECT_FALSE(reader.Failed());
    read.Counted = ScanInput(dir.File("in.txt"), TInputEncoding::ShiftJis).Lines;
    return read;
}

}  // namespace

TEST(LineReader, EndsLinesAtLineFeedsAndDropsEveryCarriageReturn) {
    const TRead read = ReadBack("a\r\nb\rc\n\r\n\nlast");
    EXPECT_EQ(read.Lines, (std::vector<std::string>{"a", "bc", "", "", "last"}));
    EXPECT_EQ(read.Counted, 5);
    EXPECT_EQ(ReadBack("").Counted, 0);
    EXPECT_TRUE(ReadBack("").Lines.empty());
    EXPECT_EQ(ReadBack("x\r\n").Lines, std::vector<std::string>{"x"});
    // 0x1A ends the file, also in the count.
    const TRead eof = ReadBack("a\nb\x1A\nc\n");
    EXPECT_EQ(eof.Lines, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(eof.Counted, 2);
}

// Lines longer than the reader's buffer, line feeds on both sides of its edges, and more line
// feeds in a row than a byte-wide counter holds.
TEST(LineReader, CountsAndReadsAcrossBufferEdges) {
    std::string bytes(100000, 'x');
    bytes += "\r\n";
    for (int i = 0; i < 70000; ++i)
        bytes += i % 3 == 0 ? "\n" : "y\r\n";
    bytes += std::string(65535, 'z');
    const TRead read = ReadBack(bytes);
    ASSERT_EQ(read.Lines.size(), 70002u);
    EXPECT_EQ(read.Counted, 70002);
    EXPECT_EQ(read.Lines.front(), std::string(100000, 'x'));
    EXPECT_EQ(read.Lines[1], "");
    EXPECT_EQ(read.Lines[2], "y");
    EXPECT_EQ(read.Lines.back(), std::string(65535, 'z'));
    EXPECT_EQ(ReadBack(std::string(200000, '\n')).Counted, 200000);
}
