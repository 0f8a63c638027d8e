#include <sys/stat.h>

#include <gtest/gtest.h>

#include "engine/base/main_window_controls.h"
#include "engine/text/encoding.h"
#include "settings/option_dialog_controls.h"
#include "settings/output_path.h"
#include "settings/untFrmOption.h"
#include "settings/untIniOption.h"
#include "settings/user_guide.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_dir.h"

namespace {

struct TOptionsFixture {
    TTempDir Folder;
    std::string Ini = OptionsFilePath(Folder.Path());
    std::unique_ptr<THeadlessForm> Dialog = MakeHeadlessOptionDialog();
    std::unique_ptr<THeadlessForm> Main = MakeHeadlessMainWindow();
    TScriptedPlatform Platform;
    TOption Options;
};

}  // namespace

TEST(Options, NoOptionsFileReadsAsDefaults) {
    TOptionsFixture f;
    f.Dialog->SetText("edtBrowserPath", "leftover");
    f.Dialog->SetChecked("chkRememberSettings", false);
    f.Main->SetChecked("chkbxPreview", true);
    ASSERT_TRUE(ReadOptions(f.Ini, *f.Dialog, f.Options, f.Platform));
    ASSERT_TRUE(ReadBrowserView(f.Ini, *f.Main, f.Platform));
    const TOption& o = ApplyOptionDialog(*f.Dialog, f.Options);
    EXPECT_EQ(o.StartRknFile, "");
    EXPECT_FALSE(o.CnvDialogUnvisible);
    EXPECT_TRUE(o.RememberSettings);
    EXPECT_EQ(o.Extension, 0);
    EXPECT_FALSE(o.OverWrite);
    EXPECT_FALSE(o.NoDialog);
    EXPECT_EQ(o.BrowserPath, "");
    EXPECT_EQ(o.Url, DefaultHelpUrl());
    EXPECT_FALSE(f.Main->Checked("chkbxPreview"));
    EXPECT_FALSE(FileExists(f.Ini));
    EXPECT_TRUE(f.Platform.Messages.empty());
}

TEST(Options, OkWritesTheKeysAndCancelRestoresTheFile) {
    TOptionsFixture f;
    WriteFileBytes(f.Ini, "[FileHistory]\r\nHistory1=/a.prkn\r\n[Help]\r\nUrl=http://h/\r\n");
    ReadOptions(f.Ini, *f.Dialog, f.Options, f.Platform);
    EXPECT_EQ(f.Options.Url, "http://h/");
    f.Dialog->SetText("edtStartRknPath", Sjis(" /s/始.prkn "));
    f.Dialog->SetChecked("chkSCnvDialogUnvisible", true);
    f.Dialog->SetChecked("chkRememberSettings", false);
    f.Dialog->SetItemIndex("cmbExtension", 1);
    f.Dialog->SetChecked("chkNoDialog", true);
    f.Dialog->SetText("edtBrowserPath", "/usr/bin/firefox");
    ASSERT_TRUE(btnOKClick(*f.Dialog, f.Options, f.Folder.Path(), f.Platform));
    EXPECT_EQ(ReadFileBytes(f.Ini),
              "[FileHistory]\r\nHistory1=/a.prkn\r\n[Help]\r\nUrl=http://h/\r\n"
              "[main]\r\nAppVer=0.731\r\n[Start]\r\nStartRknFile=\"" +
                  Sjis(" /s/始.prkn ") +
                  "\"\r\nCnvDialogUnvisible=1\r\nRememberSettings=0\r\n[Save]\r\nExtension="
                  "1\r\nOverWrite=0\r\n"
                  "NoDialog=1\r\n[Browser]\r\nBrowserPath=/usr/bin/firefox\r\n");
    EXPECT_EQ(f.Options.StartRknFile, Sjis(" /s/始.prkn "));
    EXPECT_FALSE(f.Options.RememberSettings);

    // Changes, then Cancel: the dialog shows the file again; only Url of TOption is reread.
    f.Dialog->SetItemIndex("cmbExtension", 0);
    f.Dialog->SetText("edtBrowserPath", "");
    f.Dialog->SetChecked("chkRememberSettings", true);
    f.Options.NoDialog = false;
    f.Options.Url = "changed";
    btnCancelClick(*f.Dialog, f.Options, f.Folder.Path(), f.Platform);
    EXPECT_EQ(f.Dialog->ItemIndex("cmbExtension"), 1);
    EXPECT_EQ(f.Dialog->Text("edtBrowserPath"), "/usr/bin/firefox");
    EXPECT_EQ(f.Dialog->Text("edtStartRknPath"), Sjis(" /s/始.prkn "));
    EXPECT_FALSE(f.Dialog->Checked("chkRememberSettings"));
    EXPECT_FALSE(f.Options.NoDialog);
    EXPECT_EQ(f.Options.Url, "http://h/");

    // Closing: AppVer, BrowserView and Url, the rest untouched.
    f.Main->SetChecked("chkbxPreview", true);
    ASSERT_TRUE(WriteClosingOptions(f.Ini, *f.Main, f.Options, f.Platform));
    const std::string text = ReadFileBytes(f.Ini);
    EXPECT_NE(text.find("[main]\r\nAppVer=0.731\r\nBrowserView=1\r\n[Start]"), std::string::npos);
    f.Main->SetChecked("chkbxPreview", false);
    ReadBrowserView(f.Ini, *f.Main, f.Platform);
    EXPECT_TRUE(f.Main->Checked("chkbxPreview"));
    EXPECT_TRUE(f.Platform.Messages.empty());
}

TEST(Options, FailuresAreReportedAndTheDialogStaysOpenOnARefusedWrite) {
    TOptionsFixture f;
    WriteFileBytes(f.Ini, "[Save]\r\nExtension=0\r\n");
    ::chmod(f.Ini.c_str(), 0444);
    f.Dialog->SetItemIndex("cmbExtension", 1);
    EXPECT_FALSE(btnOKClick(*f.Dialog, f.Options, f.Folder.Path(), f.Platform));
    EXPECT_EQ(f.Options.Extension, 1);
    EXPECT_EQ(ReadFileBytes(f.Ini), "[Save]\r\nExtension=0\r\n");
    ASSERT_EQ(f.Platform.Messages.size(), 1u);
    EXPECT_EQ(f.Platform.Messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(f.Platform.Messages[0].Text, f.Ini + Sjis(" に書き込めません"));

    // An options "file" that cannot be read: both messages, and the dialog closes.
    TOptionsFixture g;
    ::mkdir(g.Ini.c_str(), 0755);
    EXPECT_TRUE(btnOKClick(*g.Dialog, g.Options, g.Folder.Path(), g.Platform));
    ASSERT_EQ(g.Platform.Messages.size(), 2u);
    EXPECT_EQ(g.Platform.Messages[0].Text,
              Sjis("設定ファイル：\r\n\t") + g.Ini + Sjis("\r\nが開けません。"));
    EXPECT_EQ(g.Platform.Messages[1].Text, Sjis("設定の保存に失敗しました。"));
    EXPECT_FALSE(ReadOptions(g.Ini, *g.Dialog, g.Options, g.Platform));
    EXPECT_FALSE(WriteClosingOptions(g.Ini, *g.Main, g.Options, g.Platform));
}

TEST(Options, ReferenceButtonsOpenInTheEditsFolder) {
    TOptionsFixture f;
    f.Dialog->SetText("edtStartRknPath", f.Folder.File("s.prkn"));
    f.Platform.FileDialogAnswers = {f.Folder.File("\xE8\xA1\xA8.prkn"), std::nullopt,
                                    "/usr/bin/\xF0\x9F\x98\x80"};
    btnRknRefClick(*f.Dialog, f.Platform);
    EXPECT_EQ(f.Platform.FileDialogs[0].InitialFolder, f.Folder.Path());
    EXPECT_EQ(f.Platform.FileDialogs[0].Filter,
              Sjis("変換設定ファイル(*.prkn,*.rkn)|*.prkn;*.rkn"));
    EXPECT_EQ(f.Dialog->Text("edtStartRknPath"), f.Folder.File("\x95\x5C.prkn"));
    // A bare name or a missing folder opens the dialog without a folder; a cancel keeps the text.
    f.Dialog->SetText("edtBrowserPath", "firefox");
    btnBrowserRefClick(*f.Dialog, f.Platform);
    EXPECT_EQ(f.Platform.FileDialogs[1].InitialFolder, "");
    EXPECT_EQ(f.Dialog->Text("edtBrowserPath"), "firefox");
    // A chosen path without a Shift_JIS form is refused with a message.
    btnBrowserRefClick(*f.Dialog, f.Platform);
    EXPECT_EQ(f.Dialog->Text("edtBrowserPath"), "firefox");
    ASSERT_EQ(f.Platform.Messages.size(), 1u);
    EXPECT_EQ(f.Platform.Messages[0].Kind, TMessageKind::Error);
}

TEST(Options, OutputPathAndBrowserCommand) {
    TOption o;
    EXPECT_EQ(MakeOutputPath("/doc/a.txt", o), "/doc/a.htm");
    EXPECT_EQ(MakeOutputPath("/doc/readme", o), "/doc/readme.htm");
    EXPECT_EQ(MakeOutputPath("/doc/x.y.txt", o), "/doc/x.y.htm");
    EXPECT_EQ(MakeOutputPath("/d.ir/readme", o), "/d.ir/readme.htm");
    o.Extension = 1;
    EXPECT_EQ(MakeOutputPath("/doc/a.txt", o), "/doc/a.html");
    o.Extension = -1;
    EXPECT_EQ(MakeOutputPath("a.txt", o), "a.html");

    EXPECT_EQ(MakeBrowserCommand("/doc/a.htm", o), "/doc/a.htm");
    o.BrowserPath = "/opt/B b/b";
    EXPECT_EQ(MakeBrowserCommand("/doc/a.htm", o), "\"/opt/B b/b\" \"/doc/a.htm\"");
    EXPECT_EQ(MakeBrowserCommand("/d/$(x)`y`\"\\.htm", o),
              "\"/opt/B b/b\" \"/d/\\$(x)\\`y\\`\\\"\\\\.htm\"");
    o.BrowserPath = Sjis("/opt/表/b");
    EXPECT_EQ(MakeBrowserCommand("/a.htm", o), "\"/opt/\xE8\xA1\xA8/b\" \"/a.htm\"");
}
