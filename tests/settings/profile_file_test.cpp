#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "settings/profile_file.h"
#include "tests/support/temp_dir.h"

namespace {

TProfileFile Parsed(std::string text) {
    TProfileFile p;
    p.Parse(std::move(text));
    return p;
}

}  // namespace

TEST(ProfileFile, NamesIgnoreCaseAndTheFirstSectionAndKeyWin) {
    const TProfileFile p = Parsed(
        "stray=before any section\r\n"
        "[Main]\r\n"
        "Class=first\r\n"
        "class=second\r\n"
        "; comment=not a key\r\n"
        "novalue\r\n"
        "[main]\r\n"
        "other=in the duplicate section\r\n"
        "[Two]\r\n"
        "k=2\r\n");
    EXPECT_EQ(p.Find("MAIN", "cLaSs"), "first");
    EXPECT_EQ(p.Find("main", "other"), std::nullopt);
    EXPECT_EQ(p.Find("main", "; comment"), std::nullopt);
    EXPECT_EQ(p.Find("main", "novalue"), std::nullopt);
    EXPECT_EQ(p.Find("", "stray"), std::nullopt);
    EXPECT_EQ(p.Find("two", "K"), "2");
    EXPECT_EQ(p.Find("three", "k"), std::nullopt);
}

TEST(ProfileFile, ReadsAsTheWindowsReadersDo) {
    const TProfileFile p = Parsed(
        "\xEF\xBB\xBF[s]\n"       // byte-order mark, LF only
        "  spaced  =  a b  \t\n"  // blanks around names and values
        "dq=\"quoted \"\n"
        "sq=' x '\n"
        "half=\"open\n"
        "mixed=\"a'\n"
        "empty=\n"
        "lonecr=1\rnext=2\r\n"
        "int=$1F\n"
        "hex=0x10\n"
        "bad=12abc\n"
        "neg=-3\n");
    EXPECT_EQ(p.Find("s", "spaced"), "a b");
    EXPECT_EQ(p.Find("s", "dq"), "quoted ");
    EXPECT_EQ(p.Find("s", "sq"), " x ");
    EXPECT_EQ(p.Find("s", "half"), "\"open");
    EXPECT_EQ(p.Find("s", "mixed"), "\"a'");
    EXPECT_EQ(p.Find("s", "empty"), "");
    EXPECT_EQ(p.Find("s", "lonecr"), "1");
    EXPECT_EQ(p.Find("s", "next"), "2");
    EXPECT_EQ(p.ReadInteger("s", "int", 0), 31);
    EXPECT_EQ(p.ReadInteger("s", "hex", 0), 16);
    EXPECT_EQ(p.ReadInteger("s", "bad", 7), 7);
    EXPECT_EQ(p.ReadInteger("s", "neg", 7), -3);
    EXPECT_EQ(p.ReadInteger("s", "missing", 7), 7);
    EXPECT_TRUE(p.ReadBool("s", "int", false));
    EXPECT_FALSE(p.ReadBool("s", "bad", false));
    EXPECT_TRUE(p.ReadBool("s", "missing", true));
    EXPECT_EQ(p.ReadString("s", "missing", "dflt"), "dflt");
}

TEST(ProfileFile, AUtf8FileWithAByteOrderMarkIsReadAsUtf8) {
    // "表" in UTF-8 is E8 A1 A8, in Shift_JIS 95 5C.
    TProfileFile p = Parsed("\xEF\xBB\xBF[s]\r\nk=\xE8\xA1\xA8\r\n");
    EXPECT_EQ(p.Find("s", "k"), "\x95\x5C");
    EXPECT_EQ(p.Text(), "[s]\r\nk=\x95\x5C\r\n");
    // Not UTF-8 after all: the bytes stay as they were, the mark included.
    p.Parse("\xEF\xBB\xBF[s]\r\nk=\x95\x5C\r\n");
    EXPECT_EQ(p.Find("s", "k"), "\x95\x5C");
    EXPECT_EQ(p.Text(), "\xEF\xBB\xBF[s]\r\nk=\x95\x5C\r\n");
}

TEST(ProfileFile, ValuesAreCutTo2047BytesWithoutSplittingACharacter) {
    const std::string ascii(3000, 'a');
    // 2046 single bytes, then a double-byte character across the limit.
    const std::string split = std::string(2046, 'b') + "\x82\xA0" + "tail";
    const TProfileFile p =
        Parsed("[s]\r\na=" + ascii + "\r\nb=" + split + "\r\nc=" + std::string(2047, 'c') + "\r\n");
    EXPECT_EQ(p.Find("s", "a"), std::string(2047, 'a'));
    EXPECT_EQ(p.Find("s", "b"), std::string(2046, 'b'));
    EXPECT_EQ(p.Find("s", "c"), std::string(2047, 'c'));
}

TEST(ProfileFile, WritesReplaceInPlaceAppendToTheSectionAndKeepOtherLines) {
    TProfileFile p = Parsed(
        "; hand-written comment\r\n"
        "[main]\r\n"
        "  KEY = old ; note\r\n"
        "fixstr=1\r\n"
        "\r\n"
        "[other]\n"  // LF only: kept as it is
        "x=1");      // no final line break
    p.WriteString("MAIN", "key", "new");
    p.WriteString("main", "added", "v");
    p.WriteString("Other", "y", "2");
    p.WriteString("Fresh", "z", "3");
    EXPECT_EQ(p.Text(),
              "; hand-written comment\r\n"
              "[main]\r\n"
              "key=new\r\n"
              "fixstr=1\r\n"
              "added=v\r\n"
              "\r\n"
              "[other]\n"
              "x=1\r\n"
              "y=2\r\n"
              "[Fresh]\r\n"
              "z=3\r\n");
    EXPECT_EQ(p.Find("main", "KEY"), "new");
    EXPECT_EQ(p.Find("main", "added"), "v");
    EXPECT_EQ(p.Find("fresh", "z"), "3");
    // Writing again replaces the first write.
    p.WriteString("fresh", "Z", "4");
    p.WriteString("main", "added", "w");
    EXPECT_EQ(p.Find("fresh", "z"), "4");
    EXPECT_NE(p.Text().find("added=w\r\n\r\n[other]"), std::string::npos);
    EXPECT_EQ(p.Text().find("z=3"), std::string::npos);
}

TEST(ProfileFile, EveryValueWrittenReadsBackUnchanged) {
    TProfileFile p;
    const std::string values[] = {" ", " lead", "trail\t", "\"both\"", "'single'", "\"",
                                  "'", "a\"b",  "",        "=;[x]",    "\x95\x5C"};
    int i = 0;
    for (const std::string& v : values)
        p.WriteString("s", "k" + std::to_string(i++), v);
    p.WriteString("s", "lines", "a\r\nb\nc");
    const TProfileFile back = Parsed(p.Text());
    i = 0;
    for (const std::string& v : values)
        EXPECT_EQ(back.Find("s", "k" + std::to_string(i++)), v) << "value [" << v << "]";
    EXPECT_EQ(back.Find("s", "lines"), "a  b c");
    // Only the values that need it are quoted.
    EXPECT_NE(p.Text().find("k0=\" \"\r\n"), std::string::npos);
    EXPECT_NE(p.Text().find("k7=a\"b\r\n"), std::string::npos);
}

TEST(ProfileFile, SaveReplacesTheFileAndKeepsItsPermissions) {
    TTempDir dir;
    const std::string path = dir.File("a.ini");
    WriteFileBytes(path, "[s]\r\nk=1\r\n");
    ::chmod(path.c_str(), 0640);
    TProfileFile p;
    ASSERT_EQ(p.Load(path), TProfileOpenResult::Opened);
    p.WriteString("s", "k", "2");
    ASSERT_TRUE(p.Save(path));
    EXPECT_EQ(ReadFileBytes(path), "[s]\r\nk=2\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    // No temporary file is left beside it.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 1);

    // A symbolic link is followed: the file it names is replaced, the link stays.
    const std::string link = dir.File("link.ini");
    std::filesystem::create_symlink(path, link);
    p.WriteString("s", "k", "3");
    ASSERT_TRUE(p.Save(link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(path), "[s]\r\nk=3\r\n");
}

TEST(ProfileFile, AFailedSaveLeavesTheOldFileWhole) {
    TTempDir dir;
    const std::string path = dir.File("a.ini");
    const std::string old = "[s]\r\nk=old\r\n";
    WriteFileBytes(path, old);
    TProfileFile p;
    p.Parse(old);
    p.WriteString("s", "k", std::string(10000, 'n'));
    // The disk fills after 100 bytes.
    const TWriteChunk halfWay = [](int fd, std::string_view bytes) {
        const ssize_t written = ::write(fd, bytes.data(), 100);
        return written < 0 && false;
    };
    EXPECT_FALSE(p.Save(path, halfWay));
    EXPECT_EQ(ReadFileBytes(path), old);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 1);

    // Refused: a read-only file (also for root), a missing folder, a folder in the way.
    ::chmod(path.c_str(), 0444);
    EXPECT_FALSE(p.Save(path));
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_FALSE(p.Save(dir.File("missing/a.ini")));
    std::filesystem::create_directory(dir.File("folder"));
    EXPECT_FALSE(p.Save(dir.File("folder")));
}

TEST(ProfileFile, LoadTellsMissingFromUnreadable) {
    TTempDir dir;
    TProfileFile p;
    EXPECT_EQ(p.Load(dir.File("none.ini")), TProfileOpenResult::Missing);
    EXPECT_EQ(p.Load(dir.File("none/none.ini")), TProfileOpenResult::Missing);
    EXPECT_EQ(p.Load(dir.Path()), TProfileOpenResult::Unreadable);
    EXPECT_EQ(p.Load("/dev/zero"), TProfileOpenResult::Unreadable);
    const std::string big = dir.File("big.ini");
    WriteFileBytes(big, "");
    ASSERT_EQ(::truncate(big.c_str(), kProfileFileSizeLimit + 1), 0);
    EXPECT_EQ(p.Load(big), TProfileOpenResult::Unreadable);
    ASSERT_EQ(::truncate(big.c_str(), kProfileFileSizeLimit), 0);
    EXPECT_EQ(p.Load(big), TProfileOpenResult::Opened);
}

TEST(ProfileFile, HostileFilesParseOnceInBoundedTime) {
    // One 10 MB line, binary bytes and thousands of sections, then every key looked up.
    std::string hostile = "[main]\r\nHeader=" + std::string(10 << 20, 'x') + "\r\n";
    for (int i = 0; i < 256; ++i)
        hostile.push_back(static_cast<char>(i));
    hostile += "\r\n";
    for (int i = 0; i < 20000; ++i)
        hostile += "[s" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
    const auto start = std::chrono::steady_clock::now();
    TProfileFile p = Parsed(hostile);
    EXPECT_EQ(p.Find("main", "Header")->size(), kProfileValueLimit);
    for (int i = 0; i < 20000; ++i)
        ASSERT_EQ(p.ReadInteger("s" + std::to_string(i), "k", -1), i);
    p.WriteString("s19999", "k", "last");
    p.WriteString("main", "added", "1");
    const std::string text = p.Text();
    // "19999" became "last", and one line was added.
    EXPECT_EQ(text.size(), hostile.size() - 1 + std::string_view("added=1\r\n").size());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 5.0);
}
