#include "engine/text/file_failure.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "engine/text/encoding.h"
#include "tests/support/temp_dir.h"

// Each cause a user can act on has its own words; the system's description covers the rest.
// The errno values are given directly here, so that the causes root never meets are covered too.
TEST(FileFailureReason, EachCauseHasItsOwnWords) {
    TTempDir dir;
    WriteFileBytes(dir.File("page.htm"), "old");
    const std::string missing = dir.File("missing.txt");
    const auto read = [](int error, const std::string& path) {
        return SjisToUtf8(FileFailureReason(error, TFileUse::Read, path));
    };
    const auto write = [](int error, const std::string& path) {
        return SjisToUtf8(FileFailureReason(error, TFileUse::Write, path));
    };
    EXPECT_EQ(read(ENOENT, missing), "ファイルが存在しません。");
    EXPECT_EQ(read(ENOTDIR, dir.File("page.htm/x.txt")), "ファイルが存在しません。");
    EXPECT_EQ(read(EISDIR, dir.Path()), "ファイルではなくフォルダーです。");
    // A folder opened for reading may fail only at its first read, with another errno.
    EXPECT_EQ(read(EINVAL, dir.Path()), "ファイルではなくフォルダーです。");
    EXPECT_EQ(read(EACCES, dir.File("page.htm")), "ファイルを読み込む権限がありません。");
    EXPECT_EQ(read(EPERM, dir.File("page.htm")), "ファイルを読み込む権限がありません。");

    EXPECT_EQ(write(ENOENT, dir.File("no/page.htm")), "書き込み先のフォルダーが存在しません。");
    EXPECT_EQ(write(ENOTDIR, dir.File("page.htm/x.htm")), "書き込み先のフォルダーが存在しません。");
    EXPECT_EQ(write(EISDIR, dir.Path()), "同じ名前のフォルダーがあります。");
    // A page that is there refuses itself; a new one is refused by its folder.
    EXPECT_EQ(write(EACCES, dir.File("page.htm")), "ファイルに書き込む権限がありません。");
    EXPECT_EQ(write(EACCES, dir.File("new.htm")),
              "書き込み先のフォルダーに書き込む権限がありません。");
    EXPECT_EQ(write(EROFS, dir.File("new.htm")),
              "書き込み先のフォルダーに書き込む権限がありません。");
    EXPECT_EQ(write(ENOSPC, dir.File("page.htm")), "ディスクの空き容量が足りません。");
    EXPECT_EQ(write(EDQUOT, dir.File("page.htm")), "ディスクの空き容量が足りません。");

    // Any other cause: the system's description, which names it.
    const std::string io = write(EIO, dir.File("page.htm"));
    EXPECT_TRUE(io.starts_with("システムの理由: ")) << io;
    EXPECT_NE(io.find(std::generic_category().message(EIO)), std::string::npos) << io;
    EXPECT_EQ(read(EIO, missing), io);
    // Nothing known, nothing said.
    EXPECT_EQ(FileFailureReason(0, TFileUse::Write, missing), "");
}
