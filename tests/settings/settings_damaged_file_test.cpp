// Settings files damaged by hand or by another program: what they give must survive a save and
// a load unchanged, so that saving never spreads the damage further.
#include <gtest/gtest.h>

#include "engine/text/encoding.h"
#include "settings/settings_file.h"
#include "tests/settings/settings_window.h"

TEST(SettingsDamagedFile, AHeaderLineEndingInALeadByteKeepsItsLineBreak) {
    TSettingsWindow w;
    // A lead byte with nothing after it, at the end of the first line; the second ends in 表,
    // whose second byte is "\".
    w.Form->SetText("memHeader", "a\x81\r\n" + Sjis("表") + "\r\nc\r\n");
    const std::string path = w.Folder.File("h.prkn");
    ASSERT_TRUE(SaveSettingsFile(w.Env, path, w.Gather()));
    EXPECT_NE(ReadFileBytes(path).find("\r\nHeader=a\\r\\n\x95\\\\r\\nc\\r\\n\r\n"),
              std::string::npos);

    TSettingsWindow other;
    ASSERT_EQ(LoadSettingsFile(other.Env, path), TLoadResult::Loaded);
    EXPECT_EQ(other.Gather().HeaderLines, (std::vector<std::string>{"a", Sjis("表"), "c"}));
    // Saved again, the file is the same.
    const std::string again = other.Folder.File("again.prkn");
    ASSERT_TRUE(SaveSettingsFile(other.Env, again, other.Gather()));
    EXPECT_EQ(ReadFileBytes(again), ReadFileBytes(path));
}
