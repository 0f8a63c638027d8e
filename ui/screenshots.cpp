#include "screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QTabWidget>

#include <cstdio>

#include "Unit1.h"
#include "UntVerInf.h"
#include "desktop_program.h"
#include "encoding.h"
#include "option_window.h"
#include "untFrmColorSelectHex.h"
#include "untFrmOutputText.h"
#include "untFrmText.h"

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

void ShootMainWindow(TfrmMain& main, TShooter& shooter) {
    main.show();
    QTabWidget* pages = main.Pages();
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
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
    pages->setCurrentIndex(0);
}

}  // namespace

int SaveScreenshots(TDesktopProgram& program, const QString& folder) {
    TShooter shooter(folder);
    ShootMainWindow(program.Main(), shooter);

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
