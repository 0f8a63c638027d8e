#include <filesystem>

#include <gtest/gtest.h>

#include "settings/option_dialog_controls.h"
#include "settings/untIniOption.h"
#include "settings/user_guide.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_dir.h"

namespace {

// A program installed in Root/prefix/bin/, and a source folder Root/src/, with or without their
// copies of the guide.
struct TGuideLayout {
    TTempDir Root;
    std::string Bin = Root.File("prefix/bin/");
    std::string Installed = Root.File("prefix/share/doc/porukano/index.html");
    std::string Source = Root.File("src/doc/guide/index.html");

    TGuideLayout() { std::filesystem::create_directories(Bin); }

    static void Place(const std::string& guide) {
        std::filesystem::create_directories(std::filesystem::path(guide).parent_path());
        WriteFileBytes(guide, "<!DOCTYPE html>");
    }
};

std::string PathOfFileUrl(const std::string& url) {
    EXPECT_TRUE(url.starts_with("file://")) << url;
    std::string path;
    for (std::size_t i = 7; i < url.size(); ++i) {
        if (url[i] == '%' && i + 2 < url.size()) {
            path.push_back(static_cast<char>(std::stoi(url.substr(i + 1, 2), nullptr, 16)));
            i += 2;
        } else {
            path.push_back(url[i]);
        }
    }
    return path;
}

}  // namespace

TEST(UserGuide, TheInstalledCopyComesFirstThenTheSourceCopy) {
    TGuideLayout layout;
    // Neither copy: the installed copy's address all the same, so the browser names it.
    EXPECT_EQ(UserGuideUrl(layout.Bin, layout.Source), FileUrl(layout.Installed));
    EXPECT_EQ(UserGuideUrl(layout.Bin, ""), FileUrl(layout.Installed));

    TGuideLayout::Place(layout.Source);
    EXPECT_EQ(UserGuideUrl(layout.Bin, layout.Source), FileUrl(layout.Source));
    EXPECT_EQ(UserGuideUrl(layout.Bin, ""), FileUrl(layout.Installed));

    TGuideLayout::Place(layout.Installed);
    EXPECT_EQ(UserGuideUrl(layout.Bin, layout.Source), FileUrl(layout.Installed));
    // The folder of the executable may come without its trailing separator.
    EXPECT_EQ(UserGuideUrl(layout.Bin.substr(0, layout.Bin.size() - 1), layout.Source),
              FileUrl(layout.Installed));
}

TEST(UserGuide, TheAddressNamesTheFileInPlainAscii) {
    EXPECT_EQ(FileUrl("/usr/share/doc/porukano/index.html"),
              "file:///usr/share/doc/porukano/index.html");
    EXPECT_EQ(FileUrl("/home/a b/日記#1/index.html"),
              "file:///home/a%20b/%E6%97%A5%E8%A8%98%231/index.html");

    // A folder with a space and non-ASCII letters, where the guide is found and named.
    TGuideLayout layout;
    const std::string bin = layout.Root.File("ポルカノ 1/bin/");
    const std::string guide = layout.Root.File("ポルカノ 1/share/doc/porukano/index.html");
    std::filesystem::create_directories(bin);
    TGuideLayout::Place(guide);
    const std::string url = UserGuideUrl(bin, "");
    EXPECT_EQ(url.find_first_of(" \x80\xE3"), std::string::npos) << url;
    EXPECT_EQ(PathOfFileUrl(url), guide);
}

TEST(UserGuide, TheRunningProgramFindsAGuideThatExists) {
    // The tests run from the build folder: the installed copy is missing, the source copy is used.
    const std::string url = DefaultHelpUrl();
    EXPECT_TRUE(FileExists(PathOfFileUrl(url))) << url;
    EXPECT_TRUE(IsProgramDefaultHelpUrl(url)) << url;
}

TEST(UserGuide, StoredDefaultsAreResolvedAfreshAndTheUsersAddressStays) {
    // Defaults this program or an earlier version stored, wherever it lay then.
    for (const std::string& stored :
         {std::string("https://porukano.example.org/help/"),
          std::string("file:///usr/share/doc/porukano/index.html"),
          std::string("file:///opt/old%20place/share/doc/porukano/index.html"),
          std::string("file:///home/me/porukano/doc/guide/index.html"), DefaultHelpUrl()}) {
        EXPECT_TRUE(IsProgramDefaultHelpUrl(stored)) << stored;
        EXPECT_EQ(HelpUrlFromOptionsFile(stored), DefaultHelpUrl()) << stored;
    }
    // Addresses the user wrote, and the empty one that opens nothing.
    for (const std::string& stored :
         {std::string(""), std::string("http://h/"), std::string("https://porukano.example.org/"),
          std::string("file:///home/me/notes.html"),
          std::string("/usr/share/doc/porukano/index.html"),
          std::string("https://h/share/doc/porukano/index.html"),
          std::string("file:///usr/share/doc/porukano/index.html#encodings")}) {
        EXPECT_FALSE(IsProgramDefaultHelpUrl(stored)) << stored;
        EXPECT_EQ(HelpUrlFromOptionsFile(stored), stored);
    }
}

TEST(UserGuide, TheOptionsFileHoldsAFormerDefaultOrTheUsersAddress) {
    TTempDir folder;
    const std::string ini = OptionsFilePath(folder.Path());
    auto dialog = MakeHeadlessOptionDialog();
    TScriptedPlatform platform;
    TOption options;
    EXPECT_EQ(options.Url, DefaultHelpUrl());

    WriteFileBytes(ini, "[Help]\r\nUrl=https://porukano.example.org/help/\r\n");
    options.Url = "x";
    ASSERT_TRUE(ReadOptions(ini, *dialog, options, platform));
    EXPECT_EQ(options.Url, DefaultHelpUrl());

    WriteFileBytes(ini, "[help]\r\nurl=file:///build/old/doc/guide/index.html\r\n");
    ASSERT_TRUE(ReadOptions(ini, *dialog, options, platform));
    EXPECT_EQ(options.Url, DefaultHelpUrl());

    WriteFileBytes(ini, "[Help]\r\nUrl=file:///home/me/my-guide.html\r\n");
    ASSERT_TRUE(ReadOptions(ini, *dialog, options, platform));
    EXPECT_EQ(options.Url, "file:///home/me/my-guide.html");

    WriteFileBytes(ini, "[Help]\r\nUrl=\r\n");
    ASSERT_TRUE(ReadOptions(ini, *dialog, options, platform));
    EXPECT_EQ(options.Url, "");
    EXPECT_TRUE(platform.Messages.empty());
}
