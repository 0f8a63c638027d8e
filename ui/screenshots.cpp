#include "ui/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <cstdio>
#include <functional>

#include "engine/text/encoding.h"
#include "ui/Unit1.h"
#include "ui/UntVerInf.h"
#include "ui/desktop_program.h"
#include "ui/option_window.h"
#include "ui/preview.h"
#include "ui/untFrmColorSelectHex.h"
#include "ui/untFrmOutputText.h"
#include "ui/untFrmText.h"

namespace {

class TShooter {
  public:
    explicit TShooter(const QString& folder) : folder_(folder) { QDir().mkpath(folder); }

    void Shoot(QWidget& window, const QString& name) {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        const QString path = QDir(folder_).filePath(name + ".png");
        const bool saved = window.grab().save(path);
        std::printf("%s %s\n", saved ? "saved" : "FAILED", path.toUtf8().constData());
        ok_ = ok_ && saved;
    }
    bool Ok() const { return ok_; }

  private:
    QString folder_;
    bool ok_ = true;
};

// Runs change, which starts a load of the preview, and waits until the page is drawn.
void WaitForPreview(TPreview& preview, const std::function<void()>& change) {
    QEventLoop loop;
    QObject::connect(&preview, &TPreview::loadFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    change();
    loop.exec();
    // The engine paints a moment after the load.
    QTimer::singleShot(500, &loop, &QEventLoop::quit);
    loop.exec();
}

// The preview's page scrolled to its end, where the rule lines are.
void ScrollPreviewToEnd(TPreview& preview) {
    QEventLoop loop;
    preview.WebView()->page()->runJavaScript("window.scrollTo(0, document.body.scrollHeight)",
                                             [&loop](const QVariant&) { loop.quit(); });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    QTimer::singleShot(500, &loop, &QEventLoop::quit);
    loop.exec();
}

// Every emphasis rule with keywords of its own kind and look, and two rule lines.
void SetEveryEmphasisAndTwoRuleLines(TForm& form) {
    form.SetText("edtKeyword3", Sjis("重要"));
    form.SetItemIndex("cmbKeyKbn3", 1);
    form.SetFontColor("lblStrong3", RgbToColor(0, 0, 0xFF));
    form.SetText("edtKeyword4", Sjis("注意"));
    form.SetItemIndex("cmbKeyKbn4", 2);
    form.SetChecked("chkBackColor4", true);
    form.SetText("edtKeyword5", Sjis("【*】"));
    form.SetItemIndex("cmbKeyKbn5", 3);
    form.SetFontColor("lblStrong5", RgbToColor(0x80, 0, 0x80));
    form.SetChecked("chkUnderLine5", true);
    form.SetItemIndex("cmbBorderStyle5", 1);
    form.SetText("edtHolMark1", "-");
    form.SetText("edtHolMarkCnt1", "3");
    form.SetText("edtHolSize1", "2");
    form.SetChecked("chkHolColor1", true);
    form.SetColor("lblHolColor1", RgbToColor(0xFF, 0, 0));
    form.SetText("edtHolMark2", Sjis("＝"));
    form.SetText("edtHolMarkCnt2", "4");
    form.SetText("edtHolSize2", "4");
    form.SetChecked("chkHolColor2", true);
    form.SetColor("lblHolColor2", RgbToColor(0, 0x80, 0));
}

void ShootMainWindow(TDesktopProgram& program, TShooter& shooter) {
    TfrmMain& main = program.Main();
    main.show();
    QTabWidget* pages = main.Pages();
    for (int i = 0; i < pages->count(); ++i) {
        const auto show = [pages, i] { pages->setCurrentIndex(i); };
        if (pages->widget(i) == main.PreviewPage()) {
            WaitForPreview(program.Preview(), show);
        } else {
            show();
        }
        shooter.Shoot(main, QString("main-%1-%2")
                                .arg(i + 1, 2, 10, QChar('0'))
                                .arg(pages->widget(i)->objectName()));
    }
    // The first emphasis page with its dependent controls switched on.
    TForm& form = main.Form();
    form.SetChecked("chkBackColor1", true);
    form.SetChecked("chkUnderLine1", true);
    form.SetChecked("chkItalic1", true);
    form.SetItemIndex("cmbKeyWhat1", 2);
    form.SetItemIndex("cmbBorderStyle1", 1);
    form.SetText("lblReplaceImagePath1", "/home/user/images/mark.png");
    pages->setCurrentIndex(2);
    shooter.Shoot(main, "main-03-tbshtStoring1-switched-on");
    form.SetChecked("chkHolColor1", true);
    form.SetChecked("chkHolColor2", true);
    form.SetText("edtHolMark1", "-");
    form.SetText("edtHolMarkCnt1", "3");
    pages->setCurrentIndex(8);
    shooter.Shoot(main, "main-09-tbshtHorizon-colours-on");

    // The preview of every emphasis rule and two rule lines, from a fresh window's first rule.
    form.SetChecked("chkBackColor1", false);
    form.SetChecked("chkUnderLine1", false);
    form.SetChecked("chkItalic1", false);
    form.SetItemIndex("cmbKeyWhat1", 0);
    form.SetItemIndex("cmbBorderStyle1", 0);
    SetEveryEmphasisAndTwoRuleLines(form);
    const int preview = pages->indexOf(main.PreviewPage());
    WaitForPreview(program.Preview(), [pages, preview] { pages->setCurrentIndex(preview); });
    shooter.Shoot(main, "main-10-tbshtPreview-every-rule");
    ScrollPreviewToEnd(program.Preview());
    shooter.Shoot(main, "main-10-tbshtPreview-every-rule-end");

    // A UTF-8 text dropped on the window: its encoding beside the path, the preview of it.
    const QTemporaryDir samples(QDir::tempPath() + "/porukano-screenshots-XXXXXX");
    const auto previewDropped = [&](const char* name, const char* text, const char* shot) {
        const QString path = QDir(samples.path()).filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
        file.close();
        main.DropFiles({path});
        WaitForPreview(program.Preview(), [pages, preview] {
            pages->setCurrentIndex(0);
            pages->setCurrentIndex(preview);
        });
        shooter.Shoot(main, shot);
    };
    previewDropped("utf8-sample.txt",
                   "○UTF-8 のテキスト\n"
                   "Shift_JIS にない文字も、そのまま：〜 − — ‖ ¢ £ ¬ ♡ 𠮷 😀\n"
                   "・箇条書きの行\n"
                   "ﾊﾝｶｸｶﾀｶﾅ と ① ～ もそのまま。\n",
                   "main-10-tbshtPreview-utf8");

    // A story with ruby, emphasis dots, upright digits and a https link, on a vertical page.
    form.SetChecked("chkRubyNotation", true);
    form.SetChecked("chkVerticalWriting", true);
    form.SetItemIndex("cmbLinkStyle", 1);
    form.SetText("edtNormalStrSize", "16");
    previewDropped("story.txt",
                   "第12話　｜吾輩《わがはい》は猫である\n"
                   "\n"
                   "　名前《なまえ》は《《まだ》》無い。\n"
                   "　どこで生れたかとんと見当《けんとう》がつかぬ。\n"
                   "　10月31日、午後3時のことであった。\n"
                   "\n"
                   "詳しくはhttps://example.com/novel?id=12を見よ。\n",
                   "main-10-tbshtPreview-vertical-ruby");
    form.SetChecked("chkRubyNotation", false);
    form.SetChecked("chkVerticalWriting", false);
    form.SetItemIndex("cmbLinkStyle", 0);
    form.SetText("edtNormalStrSize", "10");
    pages->setCurrentIndex(0);
}

}  // namespace

int SaveScreenshots(TDesktopProgram& program, const QString& folder) {
    TShooter shooter(folder);
    ShootMainWindow(program, shooter);

    TfrmColorSelectHex& hex = program.Hex();
    hex.setWindowTitle("強調１の文字列の色");
    hex.SetColor(RgbToColor(0xFF, 0, 0));
    hex.show();
    shooter.Shoot(hex, "hex-colour-dialog");
    hex.hide();

    TfrmOption& options = program.Options();
    options.show();
    auto* pages = options.findChild<QTabWidget*>("pctlOption");
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        shooter.Shoot(options,
                      QString("options-%1-%2").arg(i + 1).arg(pages->widget(i)->objectName()));
    }
    options.hide();

    TfrmText& textBox = program.TextBox();
    textBox.show();
    textBox.Memo()->setPlainText(
        "○見出しの行\nふつうの行です。\n\n・箇条書き\nhttp://www.example.com/ へリンク");
    shooter.Shoot(textBox, "text-box-input");
    textBox.ConvertClick();
    shooter.Shoot(program.OutputText(), "text-box-output");
    program.OutputText().hide();
    textBox.hide();

    TdlgVerInf& about = program.About();
    about.show();
    shooter.Shoot(about, "about-box");
    about.hide();
    return shooter.Ok() ? 0 : 1;
}
