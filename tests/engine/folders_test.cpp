// The folders the program makes: a folder path made on a first write, and the private folder
// of one run.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/base/folders.h"
#include "tests/support/environment.h"
#include "tests/support/temp_dir.h"

namespace {

unsigned ModeOf(const std::string& path) {
    struct stat s {};
    return ::stat(path.c_str(), &s) == 0 ? (s.st_mode & 07777) : 0u;
}

TEST(MakeFolderPath, MakesEveryMissingFolderForItsUserAlone) {
    TTempDir dir;
    ASSERT_TRUE(MakeFolderPath(dir.File("a/b/c/")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("a/b/c")));
    for (const char* made : {"a", "a/b", "a/b/c"})
        EXPECT_EQ(ModeOf(dir.File(made)), 0700u) << made;
    // A folder that is there already is left as it is.
    ASSERT_EQ(::chmod(dir.File("a").c_str(), 0755), 0);
    EXPECT_TRUE(MakeFolderPath(dir.File("a/")));
    EXPECT_TRUE(MakeFolderPath(dir.File("a/b/d")));
    EXPECT_EQ(ModeOf(dir.File("a")), 0755u);
    // A file where a folder should be cannot become one.
    WriteFileBytes(dir.File("file"), "x");
    EXPECT_FALSE(MakeFolderPath(dir.File("file/sub/")));
    EXPECT_FALSE(MakeFolderPath(dir.File("file")));
}

TEST(MakePrivateFolder, MakesAFolderOfItsOwnInTheRuntimeFolder) {
    TTempDir runtime;
    TEnvironmentVariable variable("XDG_RUNTIME_DIR", runtime.Path());
    const std::string first = MakePrivateFolder("porukano-preview-");
    const std::string second = MakePrivateFolder("porukano-preview-");
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, second);
    for (const std::string& folder : {first, second}) {
        EXPECT_EQ(folder.rfind(runtime.File("porukano-preview-"), 0), 0u) << folder;
        EXPECT_EQ(folder.size(), runtime.File("porukano-preview-XXXXXX/").size()) << folder;
        EXPECT_TRUE(std::filesystem::is_directory(folder)) << folder;
        EXPECT_EQ(ModeOf(folder), 0700u) << folder;
    }
}

TEST(MakePrivateFolder, WithoutAUsableRuntimeFolderUsesTheTemporaryFolder) {
    TTempDir temp;
    TEnvironmentVariable tmpdir("TMPDIR", temp.Path());
    for (const std::optional<std::string>& runtime :
         {std::optional<std::string>(), std::optional<std::string>("relative/run"),
          std::optional<std::string>(temp.File("missing"))}) {
        TEnvironmentVariable variable("XDG_RUNTIME_DIR", runtime);
        const std::string folder = MakePrivateFolder("porukano-preview-");
        EXPECT_EQ(folder.rfind(temp.File("porukano-preview-"), 0), 0u) << folder;
        EXPECT_EQ(ModeOf(folder), 0700u) << folder;
    }
}

}  // namespace
