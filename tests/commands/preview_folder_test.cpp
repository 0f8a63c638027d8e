// The preview's private folder: made when first asked for, one per run, and gone with its files
// at the end.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "commands/preview_files.h"
#include "tests/commands/command_window.h"
#include "tests/support/environment.h"
#include "tests/support/temp_dir.h"

namespace {

class TPreviewFolderTest : public ::testing::Test {
  protected:
    TTempDir runtime_;
    TEnvironmentVariable variable_{"XDG_RUNTIME_DIR", runtime_.Path()};
};

TEST_F(TPreviewFolderTest, IsMadeOnFirstUseForItsUserAlone) {
    TPreviewFolder preview;
    EXPECT_TRUE(std::filesystem::is_empty(runtime_.Path()));
    const std::string folder = preview.Path();
    ASSERT_EQ(folder.rfind(runtime_.File("porukano-preview-"), 0), 0u) << folder;
    struct stat s {};
    ASSERT_EQ(::stat(folder.c_str(), &s), 0);
    EXPECT_TRUE(S_ISDIR(s.st_mode));
    EXPECT_EQ(s.st_mode & 07777, 0700u);
    EXPECT_EQ(s.st_uid, ::geteuid());
    // Asked again, the same folder.
    EXPECT_EQ(preview.Path(), folder);
    const TPreviewFiles files = PreviewFilesIn(folder);
    EXPECT_EQ(files.Source, folder + "pretmp.txt");
    EXPECT_EQ(files.Page, folder + "pretmp.htm");
}

TEST_F(TPreviewFolderTest, TwoRunsNeverShareAFolder) {
    TPreviewFolder one;
    TPreviewFolder other;
    EXPECT_NE(one.Path(), other.Path());
    WriteFileBytes(PreviewFilesIn(one.Path()).Page, "one");
    EXPECT_FALSE(FileExists(PreviewFilesIn(other.Path()).Page));
}

TEST_F(TPreviewFolderTest, GoesWithItsFilesWhenRemovedOrAtTheEnd) {
    std::string folder;
    {
        TPreviewFolder preview;
        folder = preview.Path();
        WriteFileBytes(PreviewFilesIn(folder).Source, "x");
        WriteFileBytes(folder + "default.css", "y");
        preview.Remove();
        EXPECT_FALSE(FileExists(folder));
        // Asked once more, a new folder; the end of the run takes it too.
        folder = preview.Path();
        WriteFileBytes(PreviewFilesIn(folder).Page, "z");
    }
    EXPECT_FALSE(FileExists(folder));
    EXPECT_TRUE(std::filesystem::is_empty(runtime_.Path()));
    // Never made, nothing to remove.
    TPreviewFolder unused;
    unused.Remove();
}

TEST_F(TPreviewFolderTest, AFolderTakenAwayMeanwhileIsMadeAgain) {
    TPreviewFolder preview;
    const std::string folder = preview.Path();
    std::filesystem::remove_all(folder);
    const std::string again = preview.Path();
    ASSERT_FALSE(again.empty());
    EXPECT_TRUE(std::filesystem::is_directory(again));
}

TEST_F(TPreviewFolderTest, TheSampleTextsSeparateStyleSheetIsServedFromThePreviewFolder) {
    // No input file: the page of the sample links "./default.css", which the preview serves
    // only from its own folder; the program's folder gets nothing.
    TCommandWindow w;
    w.Form->SetChecked("chkOutputCSSDef", true);
    TPreviewFolder preview;
    const std::string folder = preview.Path();
    TConversionEncodings encodings;
    ASSERT_TRUE(WritePreviewFiles(w.Engine, "", PreviewFilesIn(folder), encodings));
    EXPECT_NE(ReadFileBytes(PreviewFilesIn(folder).Page).find("href=\"./default.css\""),
              std::string::npos);
    EXPECT_TRUE(ReadFileBytes(folder + "default.css").starts_with("body\t\t{"));
    EXPECT_FALSE(FileExists(w.Folder.File("default.css")));
    EXPECT_TRUE(w.Platform.Messages.empty());
}

}  // namespace
