#include <chrono>
#include <string>

#include <gtest/gtest.h>

#include "engine/text/encoding.h"
#include "settings/rule_line_count_check.h"
#include "settings/settings_file.h"
#include "tests/settings/settings_compare.h"
#include "tests/settings/settings_window.h"

namespace {

constexpr TColor kRed = 0x0000FF;  // red in the lowest byte

// Changes every kind of control away from its fresh state, keeping the window consistent (a rule
// without its own colour shows the normal text colour).
void ChangeEverything(THeadlessForm& f) {
    f.SetFontColor("lblNormalStr", 0x123456);
    f.SetFontColor("lblLinkstr", 0x010203);
    f.SetColor("lblBg0", 0xABCDEF);
    f.SetText("edtNormalStrSize", "1.5");
    f.SetItemIndex("cmbNormalStrSizeUnit", 6);
    f.SetItemIndex("cmbNormalFontStyle", 3);
    f.SetText("edtLineHeight", "120");
    f.SetItemIndex("cmbLineHeightUnit", 1);
    f.SetChecked("chkbxLink", false);
    f.SetItemIndex("rdgrpAddTag", 2);
    f.SetText("edtPageTitle", Sjis("題名 \"引用\" 'q'"));
    f.SetItemIndex("rdgTabSpace", 1);
    f.SetChecked("chkKanaChange", true);
    f.SetChecked("chkSpcCss", false);
    f.SetText("edtPagePaddingTop", "1");
    f.SetItemIndex("cmbPagePaddingRightUnit", 7);
    f.SetChecked("chkBgImage", true);
    f.SetText("lblBgImagePath", Sjis("/home/u/画像/表.gif"));
    f.SetChecked("chkOutputCSSDef", true);
    f.SetChecked("chkbxPreview", true);
    f.SetChecked("chkPreviewFromCnvFile", false);
    f.SetText("memHeader", Sjis("見出し\r\n\r\n  二行目\r\n"));
    f.SetText("memFotter", "end");
    f.SetText("edtTag1", "em");
    f.SetText("edtClass2", "two");
    f.SetChecked("chkFontColor3", false);
    f.SetFontColor("lblStrong3", 0x123456);
    f.SetColor("lblStrong4", 0x00FF00);
    f.SetChecked("chkBackColor4", true);
    f.SetChecked("chkBack100p4", true);
    f.SetItemIndex("cmbBorderStyle5", 8);
    f.SetText("edtBorderSize5", "2");
    f.SetItemIndex("cmbBorderSizeUnit5", 2);
    f.SetColor("lblBorderColor5", 0x0000FF);
    f.SetChecked("chkBold1", false);
    f.SetChecked("chkItalic2", true);
    f.SetChecked("chkUnderLine3", true);
    f.SetText("edtFontSize4", "9");
    f.SetItemIndex("cmbFontSizeUnit4", 5);
    f.SetItemIndex("cmbFontStyle5", 5);
    f.SetText("edtKeyword1", "\"A\",&amp;, x ");
    f.SetText("edtKeyDiv1", " ");
    f.SetItemIndex("cmbKeyKbn1", 4);
    f.SetChecked("chkSpaceDisenable2", false);
    f.SetItemIndex("cmbKeyWhat3", 2);
    f.SetText("lblReplaceImagePath3", "img/a.gif");
    f.SetText("edtHolMark1", "-");
    f.SetText("edtHolMarkCnt1", "3");
    f.SetText("edtHolSize1", "2");
    f.SetItemIndex("cmbHolSizeUnit1", 2);
    f.SetChecked("chkHol100p2", true);
    f.SetColor("lblHolColor3", 0x808080);
    f.SetChecked("chkHolColor3", true);
}

std::string Saved(TSettingsWindow& w, const std::string& name) {
    const std::string path = w.Folder.File(name);
    EXPECT_TRUE(SaveSettingsFile(w.Env, path, w.Gather()));
    return path;
}

}  // namespace

TEST(SettingsFile, SavedSettingsLoadBackIntoAnyWindow) {
    // A fresh window's settings loaded into a changed window, and a changed window's settings
    // loaded into a fresh one, give the snapshot that was saved.
    TSettingsWindow fresh, changed;
    ChangeEverything(*changed.Form);
    const TStrInfo freshSettings = fresh.Gather();
    const TStrInfo changedSettings = changed.Gather();
    ASSERT_FALSE(SameSettings(freshSettings, changedSettings));
    const std::string freshFile = Saved(fresh, "fresh.prkn");
    const std::string changedFile = Saved(changed, "changed.prkn");

    EXPECT_EQ(LoadSettingsFile(changed.Env, freshFile), TLoadResult::Loaded);
    EXPECT_TRUE(SameSettings(changed.Gather(), freshSettings));
    EXPECT_EQ(LoadSettingsFile(fresh.Env, changedFile), TLoadResult::Loaded);
    EXPECT_TRUE(SameSettings(fresh.Gather(), changedSettings));
    EXPECT_TRUE(fresh.Platform.Messages.empty());
    EXPECT_TRUE(changed.Platform.Messages.empty());

    // Saving the loaded window again writes the same file.
    const std::string again = Saved(fresh, "again.prkn");
    EXPECT_EQ(ReadFileBytes(again), ReadFileBytes(changedFile));
}

TEST(SettingsFile, WritesTheKeysInTheirEncodings) {
    TSettingsWindow w;
    w.Form->SetText("memHeader", "A\r\nB");
    w.Form->SetText("edtKeyword2", "\"A\"");
    w.Form->SetText("edtHolMarkCnt2", "0");
    w.Form->SetText("lblReplaceImagePath1", "C:\\s\\\x95\x5C.gif");
    const std::string text = ReadFileBytes(Saved(w, "a.prkn"));
    EXPECT_EQ(text.rfind("[main]\r\nSoftVer=0.731\r\nnormalcolr=000000\r\nlinkcolor=0000FF\r\n", 0),
              0u);
    EXPECT_NE(text.find("\r\nHeader=A\\r\\nB\\r\\n\r\nFotter=\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nkeyword=&quot;A&quot;\r\n"), std::string::npos);
    EXPECT_NE(text.find("[HolLine2]\r\nMark=\r\nMarkCnt=\r\nSize=\r\nSizeUnit=0\r\n"),
              std::string::npos);
    // The image path holds "/" between folders; the second byte of 表 stays.
    EXPECT_NE(text.find("\r\nimagepath=C:/s/\x95\x5C.gif\r\n"), std::string::npos);
    EXPECT_NE(text.find("[strong1]\r\nTag=span\r\nclass=strong1\r\nFontColorChk=1\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\ntabspace=4\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 11), "Hol100p=0\r\n");
    EXPECT_EQ(w.Form->Text("frmMain"), Sjis("ポルカノＨＴＭＬ変換 ver0.732 - a.prkn"));

    // The text "&quot;" typed into a keyword is not told apart from a stored double quote.
    w.Form->SetText("edtKeyword3", "&quot;");
    const std::string path = Saved(w, "b.prkn");
    EXPECT_NE(ReadFileBytes(path).find("\r\nkeyword=&quot;\r\n"), std::string::npos);
    ASSERT_EQ(LoadSettingsFile(w.Env, path), TLoadResult::Loaded);
    EXPECT_EQ(w.Form->Text("edtKeyword3"), "\"");
}

TEST(SettingsFile, SavingOverAHandEditedFileKeepsItsOtherLines) {
    TSettingsWindow w;
    const std::string path = w.Folder.File("hand.prkn");
    WriteFileBytes(path,
                   "; my settings\r\n"
                   "[main]\r\n"
                   "fixstr=1\r\n"
                   "fontstyle=2\r\n"
                   "\r\n"
                   "[mine]\r\n"
                   "note=keep me\r\n");
    ASSERT_TRUE(SaveSettingsFile(w.Env, path, w.Gather()));
    const std::string text = ReadFileBytes(path);
    EXPECT_EQ(
        text.rfind("; my settings\r\n[main]\r\nfixstr=1\r\nfontstyle=0\r\nSoftVer=0.731\r\n", 0),
        0u);
    EXPECT_NE(text.find("OutputCSSDef=0\r\nInputEncoding=0\r\nOutputEncoding=0\r\nDocType=0\r\n\r\n"
                        "[mine]\r\nnote=keep me\r\n[HeadFot]\r\n"),
              std::string::npos);
    // fixstr no longer counts: the file is read the current way.
    TSettingsWindow other;
    ASSERT_EQ(LoadSettingsFile(other.Env, path), TLoadResult::Loaded);
    EXPECT_EQ(other.Form->ItemIndex("cmbNormalFontStyle"), 0);
}

TEST(SettingsFile, TheNewerChoicesRoundTripAndReadAsTheirDefaultsWhenMissingOrUnknown) {
    TSettingsWindow w;
    w.Form->SetItemIndex("cmbInputEncoding", 4);
    w.Form->SetItemIndex("cmbOutputEncoding", 3);
    w.Form->SetItemIndex("cmbLinkStyle", 1);
    w.Form->SetItemIndex("cmbDocType", 1);
    const std::string path = w.Folder.File("enc.prkn");
    ASSERT_TRUE(SaveSettingsFile(w.Env, path, w.Gather()));
    const std::string text = ReadFileBytes(path);
    EXPECT_NE(text.find("InputEncoding=4\r\nOutputEncoding=3\r\nDocType=1\r\n"), std::string::npos);
    EXPECT_NE(text.find("autolink=1\r\nLinkStyle=1\r\n"), std::string::npos);
    TSettingsWindow loaded;
    ASSERT_EQ(LoadSettingsFile(loaded.Env, path), TLoadResult::Loaded);
    EXPECT_EQ(loaded.Gather().InputEncoding, TInputEncoding::Iso2022Jp);
    EXPECT_EQ(loaded.Gather().OutputEncoding, TOutputEncoding::EucJp);
    EXPECT_EQ(loaded.Gather().LinkStyle, TLinkStyle::Modern);
    EXPECT_EQ(loaded.Gather().DocType, TDocType::Html5);

    // A file without the keys (every older one), and one with numbers outside the lists, set
    // the drop-downs back to the automatic choices, the classic links and HTML 4.01.
    for (const char* main : {"[main]\r\nfontsize=12\r\n",
                             "[main]\r\nInputEncoding=9\r\nOutputEncoding=-1\r\nLinkStyle=2\r\n"
                             "DocType=2\r\n"}) {
        WriteFileBytes(path, main);
        ASSERT_EQ(LoadSettingsFile(loaded.Env, path), TLoadResult::Loaded);
        EXPECT_EQ(loaded.Form->ItemIndex("cmbInputEncoding"), 0) << main;
        EXPECT_EQ(loaded.Form->ItemIndex("cmbOutputEncoding"), 0) << main;
        EXPECT_EQ(loaded.Form->ItemIndex("cmbLinkStyle"), 0) << main;
        EXPECT_EQ(loaded.Form->ItemIndex("cmbDocType"), 0) << main;
    }
}

TEST(SettingsFile, OldFilesAreReadTheOldWay) {
    TSettingsWindow w;
    const std::string path = w.Folder.File("old.rkn");
    auto load = [&](const std::string& text) {
        WriteFileBytes(path, text);
        return LoadSettingsFile(w.Env, path);
    };
    // No SoftVer: integer font sizes, fixstr and br instead of fontstyle and addtag.
    ASSERT_EQ(load("[main]\r\nfontsize=12\r\nfontstyle=3\r\naddtag=2\r\n"
                   "[strong1]\r\nfontsize=10.5\r\n"),
              TLoadResult::Loaded);
    EXPECT_EQ(w.Form->Text("edtNormalStrSize"), "12");
    EXPECT_EQ(w.Form->ItemIndex("cmbNormalFontStyle"), 0);
    EXPECT_EQ(w.Form->ItemIndex("rdgrpAddTag"), 1);
    EXPECT_EQ(w.Form->Text("edtFontSize1"), "14");
    load("[main]\r\nSoftVer=0.3\r\nfontsize=10.5\r\nfixstr=1\r\nbr=1\r\n");
    EXPECT_EQ(w.Form->Text("edtNormalStrSize"), "10");
    EXPECT_EQ(w.Form->ItemIndex("cmbNormalFontStyle"), 5);
    EXPECT_EQ(w.Form->ItemIndex("rdgrpAddTag"), 0);
    load("[main]\r\nSoftVer=abc\r\nfontsize=x\r\nfixstr=1\r\n");
    EXPECT_EQ(w.Form->Text("edtNormalStrSize"), "10");
    EXPECT_EQ(w.Form->ItemIndex("cmbNormalFontStyle"), 5);
    // From 0.31 on: text sizes, fontstyle and addtag.
    load(
        "[main]\r\nSoftVer=0.31\r\nfontsize=10.5\r\nfontstyle=3\r\nfixstr=1\r\naddtag=2\r\n"
        "[strong1]\r\nfontsize=1.5\r\n");
    EXPECT_EQ(w.Form->Text("edtNormalStrSize"), "10.5");
    EXPECT_EQ(w.Form->ItemIndex("cmbNormalFontStyle"), 3);
    EXPECT_EQ(w.Form->ItemIndex("rdgrpAddTag"), 2);
    EXPECT_EQ(w.Form->Text("edtFontSize1"), "1.5");
    EXPECT_TRUE(w.Platform.Messages.empty());
}

TEST(SettingsFile, ReadsEncodedValuesAndListPositions) {
    TSettingsWindow w;
    ConnectRuleLineCountChecks(*w.Form, w.Platform);
    const std::string path = w.Folder.File("v.prkn");
    WriteFileBytes(
        path,
        "[main]\r\nSoftVer=0.731\r\nFontSizeUnit=99\r\naddtag=7\r\ntabspace=2\r\n"
        "[HeadFot]\r\nHeader=A\\r\\nB\\r\\n\r\nFotter=x\\r\\ny\r\n"
        "[strong1]\r\nkeyword=&quot;A&quot;,&amp;quot;\r\nKeyDiv=&quot;\r\n"
        "BorderStyle=3\r\nkeywhat=2\r\nimagepath=img/a.gif\r\n"
        "[strong2]\r\nBorderStyle=0\r\nkeywhat=1\r\n"
        "[HolLine1]\r\nMarkCnt=abc\r\n[HolLine2]\r\nMarkCnt=\r\n[HolLine3]\r\nMarkCnt=7\r\n");
    ASSERT_EQ(LoadSettingsFile(w.Env, path), TLoadResult::Loaded);
    THeadlessForm& f = *w.Form;
    EXPECT_EQ(f.ItemIndex("cmbNormalStrSizeUnit"), -1);
    EXPECT_EQ(f.ItemIndex("rdgrpAddTag"), 2);
    EXPECT_EQ(f.ItemIndex("rdgTabSpace"), 1);
    EXPECT_EQ(f.Text("memHeader"), "A\r\nB\r\n");
    EXPECT_EQ(f.Text("memFotter"), "x\r\ny");
    EXPECT_EQ(f.Text("edtKeyword1"), "\"A\",&amp;quot;");
    EXPECT_EQ(f.Text("edtKeyDiv1"), "\"");
    EXPECT_TRUE(f.Enabled("edtBorderSize1"));
    EXPECT_TRUE(f.Enabled("cmbBorderSizeUnit1"));
    EXPECT_TRUE(f.Visible("lblBorderColor1"));
    EXPECT_FALSE(f.Enabled("edtBorderSize2"));
    EXPECT_FALSE(f.Enabled("cmbBorderSizeUnit2"));
    EXPECT_FALSE(f.Visible("lblBorderColor2"));
    EXPECT_EQ(f.Text("lblReplaceImagePath1"), "img/a.gif");
    for (const char* control : {"lblReplaceImagePath", "lblImagePathAnnai", "btnImagePath"}) {
        EXPECT_TRUE(f.Enabled(std::string(control) + "1")) << control;
        EXPECT_FALSE(f.Enabled(std::string(control) + "2")) << control;
    }
    // The count check ran on the loaded counts: only "abc" was refused and emptied.
    EXPECT_EQ(f.Text("edtHolMarkCnt1"), "");
    EXPECT_EQ(f.Text("edtHolMarkCnt3"), "7");
    const auto messages = w.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, Sjis("ここには、1～99までの整数を入力してください。"));
    EXPECT_EQ(messages[0].Kind, TMessageKind::Information);

    // A tabspace of 4 or none selects the first button; a saved count of "0" comes back empty.
    WriteFileBytes(path, "[main]\r\nSoftVer=0.731\r\ntabspace=8\r\n");
    LoadSettingsFile(w.Env, path);
    EXPECT_EQ(f.ItemIndex("rdgTabSpace"), 1);
    WriteFileBytes(path, "[main]\r\nSoftVer=0.731\r\n");
    LoadSettingsFile(w.Env, path);
    EXPECT_EQ(f.ItemIndex("rdgTabSpace"), 0);
}

TEST(SettingsFile, ColoursAndTheLoadThatStopsOnABadOne) {
    EXPECT_EQ(HexTextToColor("FF0000"), kRed);
    EXPECT_EQ(HexTextToColor("0000FF"), 0xFF0000u);
    EXPECT_EQ(HexTextToColor("FF"), kRed);
    EXPECT_EQ(HexTextToColor(""), 0u);
    EXPECT_EQ(HexTextToColor("12345678"), 0x563412u);
    EXPECT_EQ(HexTextToColor("abcdef"), 0xEFCDABu);
    EXPECT_EQ(HexTextToColor("GG0000"), std::nullopt);
    EXPECT_EQ(HexTextToColor("#FFFFF"), std::nullopt);
    EXPECT_EQ(HexColorNumberText("GG0000"), "$000000GG");

    TSettingsWindow w;
    w.Form->SetText("frmMain", "before");
    const std::string path = w.Folder.File("c.prkn");
    WriteFileBytes(path,
                   "[main]\r\nSoftVer=0.731\r\nnormalcolr=FF\r\nlinkcolor=GG0000\r\n"
                   "vlinkcolor=000000\r\nfontsize=99\r\n");
    EXPECT_EQ(LoadSettingsFile(w.Env, path), TLoadResult::Stopped);
    EXPECT_EQ(w.Form->FontColor("lblNormalStr"), kRed);
    EXPECT_EQ(w.Form->FontColor("lblVlink"), 0x800080u);  // after the bad key: untouched
    EXPECT_EQ(w.Form->Text("edtNormalStrSize"), "10");
    EXPECT_EQ(w.Form->Text("frmMain"), "before");
    const auto messages = w.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(messages[0].Text, Sjis("'$000000GG' は整数ではありません"));

    // The background reaches every sample; a rule without its own colour shows the normal one.
    WriteFileBytes(path,
                   "[main]\r\nSoftVer=0.731\r\nnormalcolr=102030\r\nbackcolor=0000FF\r\n"
                   "[strong2]\r\nFontColorChk=0\r\nfontcolor=FF0000\r\n"
                   "[strong3]\r\nfontcolor=00FF00\r\n");
    ASSERT_EQ(LoadSettingsFile(w.Env, path), TLoadResult::Loaded);
    EXPECT_EQ(w.Form->Color("lblBackColor5"), 0xFF0000u);
    EXPECT_EQ(w.Form->Color("lblHolBackColor"), 0xFF0000u);
    EXPECT_EQ(w.Form->FontColor("lblStrong2"), 0x302010u);
    EXPECT_EQ(w.Form->FontColor("shpUnderLine2"), 0x302010u);
    EXPECT_FALSE(w.Form->Enabled("lblFontColorInfo2"));
    EXPECT_EQ(w.Form->FontColor("lblStrong3"), 0x00FF00u);
    EXPECT_EQ(w.Form->FontColor("shpUnderLine3"), 0x00FF00u);
    EXPECT_TRUE(w.Form->Enabled("lblFontColorInfo3"));
}

TEST(SettingsFile, LongValuesAreCutAndAMissingFileChangesNothing) {
    TSettingsWindow w;
    const std::string path = w.Folder.File("long.prkn");
    w.Form->SetText("memHeader", std::string(3000, 'h'));
    ASSERT_TRUE(SaveSettingsFile(w.Env, path, w.Gather()));
    TSettingsWindow other;
    ASSERT_EQ(LoadSettingsFile(other.Env, path), TLoadResult::Loaded);
    EXPECT_EQ(other.Form->Text("memHeader"), std::string(2047, 'h'));

    const std::string missing = w.Folder.File("none.prkn");
    EXPECT_EQ(LoadSettingsFile(other.Env, missing), TLoadResult::NotOpened);
    const auto messages = other.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Kind, TMessageKind::Warning);
    EXPECT_EQ(messages[0].Text,
              Sjis("設定ファイル：\r\n\t") + missing + Sjis("\r\nが開けません。"));
    EXPECT_EQ(other.Form->Text("memHeader"), std::string(2047, 'h'));
    EXPECT_EQ(other.Form->Text("frmMain"), Sjis("ポルカノＨＴＭＬ変換 ver0.732 - long.prkn"));
}

TEST(SettingsFile, TheLoadRebuildsThePreviewOnlyWhileItShows) {
    TSettingsWindow w;
    const std::string path = Saved(w, "p.prkn");
    int builds = 0;
    bool result = true;
    w.Env.BuildPreview = [&] {
        ++builds;
        return result;
    };
    LoadSettingsFile(w.Env, path);
    EXPECT_EQ(builds, 0);
    w.Form->SetText("PageControl1", Sjis("プレビュー"));
    LoadSettingsFile(w.Env, path);
    EXPECT_EQ(builds, 1);
    EXPECT_TRUE(w.Platform.Messages.empty());
    result = false;
    LoadSettingsFile(w.Env, path);
    const auto messages = w.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, Sjis("プレビューが作成できません"));
}

TEST(SettingsFile, AnInterruptedSaveLeavesTheOldFileAndSaysSo) {
    TSettingsWindow w;
    const std::string path = w.Folder.File("keep.prkn");
    const std::string old = "[main]\r\nSoftVer=0.731\r\ntitle=old\r\n";
    WriteFileBytes(path, old);
    w.Form->SetText("frmMain", "before");
    w.Form->SetText("edtPageTitle", "new");
    int calls = 0;
    const TWriteChunk diskFullHalfWay = [&](int fd, std::string_view bytes) {
        ++calls;
        const ssize_t written = ::write(fd, bytes.data(), bytes.size() / 2);
        return written < 0 && false;
    };
    EXPECT_FALSE(SaveSettingsFile(w.Env, path, w.Gather(), diskFullHalfWay));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(w.Form->Text("frmMain"), "before");
    auto messages = w.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(messages[0].Text, path + Sjis(" に書き込めません"));

    // A file that exists but cannot be read is not overwritten.
    EXPECT_FALSE(SaveSettingsFile(w.Env, w.Folder.Path(), w.Gather()));
    messages = w.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Kind, TMessageKind::Warning);
    EXPECT_EQ(messages[0].Text,
              Sjis("変換設定ファイル：\r\n\t") + w.Folder.Path() + Sjis("\r\nが開けません。"));
}

TEST(SettingsFile, AHostileFileLoadsInBoundedTimeWithDefaults) {
    TSettingsWindow w;
    ChangeEverything(*w.Form);
    std::string text = "[HeadFot]\r\nHeader=" + std::string(10 << 20, 'x') + "\r\n";
    for (int i = 1; i < 256; ++i)
        text.push_back(i == '[' || i == '\r' || i == '\n' ? ' ' : static_cast<char>(i));
    text += "\r\n";
    for (int i = 0; i < 5000; ++i)
        text += "[strong1]\r\nTag=t" + std::to_string(i) + "\r\n[x" + std::to_string(i) + "]\r\n";
    const std::string path = w.Folder.File("hostile.prkn");
    WriteFileBytes(path, text);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(LoadSettingsFile(w.Env, path), TLoadResult::Loaded);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 5.0);
    EXPECT_EQ(w.Form->Text("memHeader"), std::string(2047, 'x'));
    EXPECT_EQ(w.Form->Text("edtTag1"), "t0");  // the first of the repeated sections
    // What the file does not hold takes the documented defaults.
    EXPECT_EQ(w.Form->Text("edtNormalStrSize"), "10");
    EXPECT_EQ(w.Form->FontColor("lblNormalStr"), 0u);
    EXPECT_EQ(w.Form->ItemIndex("rdgrpAddTag"), 1);
    EXPECT_EQ(w.Form->Color("lblBorderColor5"), 0xFFFFFFu);
    EXPECT_EQ(w.Form->FontColor("lblStrong2"), kRed);
    EXPECT_TRUE(w.Platform.Messages.empty());
}

TEST(SettingsFile, TheControlsProfileKeepsEmptyBoxesEmptyAndLoadsBackTheSameWindow) {
    TSettingsWindow w;
    w.Form->SetText("edtTag1", " em ");
    w.Form->SetText("edtClass3", "note");
    w.Form->SetText("edtKeyDiv4", ";");
    w.Form->SetChecked("chkBackColor2", true);
    w.Form->SetChecked("chkBack100p2", true);
    TProfileFile profile;
    ASSERT_TRUE(WriteControlsProfile(profile, *w.Form, w.Platform));
    EXPECT_EQ(profile.ReadString("strong1", "Tag", "?"), "em");
    EXPECT_EQ(profile.ReadString("strong2", "Tag", "?"), "");
    EXPECT_EQ(profile.ReadString("strong2", "class", "?"), "");
    EXPECT_EQ(profile.ReadString("strong3", "class", "?"), "note");
    EXPECT_EQ(profile.ReadString("strong2", "KeyDiv", "?"), "");
    EXPECT_EQ(profile.ReadString("strong4", "KeyDiv", "?"), ";");

    // Loaded into a fresh window, the boxes stay empty and the snapshot is the same; switching
    // the background off afterwards gives rule 2 the span it gives in the first window.
    TSettingsWindow v;
    ASSERT_EQ(LoadSettingsProfile(v.Env, profile, v.Folder.File("x.prkn")), TLoadResult::Loaded);
    EXPECT_EQ(v.Form->Text("edtTag2"), "");
    EXPECT_TRUE(SameSettings(v.Gather(), w.Gather()));
    EXPECT_EQ(v.Gather().Strong[1].Tag, "div");
    v.Form->SetChecked("chkBackColor2", false);
    EXPECT_EQ(v.Gather().Strong[1].Tag, "span");
    EXPECT_TRUE(v.Platform.Messages.empty());
}
