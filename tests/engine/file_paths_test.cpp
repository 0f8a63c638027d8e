#include <gtest/gtest.h>

#include "engine/base/file_paths.h"
#include "engine/text/encoding.h"

TEST(FilePaths, PartsOfANativePath) {
    EXPECT_EQ(ExtensionOf("/doc/a.txt"), ".txt");
    EXPECT_EQ(ExtensionOf("/doc/x.y.txt"), ".txt");
    EXPECT_EQ(ExtensionOf("/d.ir/readme"), "");
    EXPECT_EQ(ExtensionOf("set.PRKN"), ".PRKN");
    EXPECT_EQ(ExtensionOf("/doc/a."), ".");
    EXPECT_EQ(ExtensionOf("/doc.d/"), "");
    EXPECT_EQ(FileNamePartOf("/doc/a.txt"), "a.txt");
    EXPECT_EQ(FileNamePartOf("a.txt"), "a.txt");
    EXPECT_EQ(FileNamePartOf("/doc/"), "");
    EXPECT_EQ(FolderPartOf("/doc/a.txt"), "/doc/");
    EXPECT_EQ(FolderPartOf("a.txt"), "");
}

TEST(FilePaths, ShiftJisFormsOfAPath) {
    EXPECT_EQ(PathForMessage("/doc/\xE8\xA1\xA8.txt"), Sjis("/doc/表.txt"));
    // A character without a CP932 form becomes one "?".
    EXPECT_EQ(PathForMessage("/doc/\xF0\x9F\x98\x80.txt"), "/doc/?.txt");
    EXPECT_EQ(SjisPathToNative(Sjis("/doc/表.txt")), "/doc/\xE8\xA1\xA8.txt");
}
