#include "ui/desktop_program.h"

#include <QApplication>

#include <exception>

#include "engine/base/identity.h"
#include "engine/text/encoding.h"
#include "ui/Unit1.h"
#include "ui/UntVerInf.h"
#include "ui/option_window.h"
#include "ui/preview.h"
#include "ui/qt_platform.h"
#include "ui/qt_translations.h"
#include "ui/quit_signals.h"
#include "ui/untFrmColorSelectHex.h"
#include "ui/untFrmOutputText.h"
#include "ui/untFrmText.h"
#include "ui/web_engine_setup.h"

TDesktopProgram::TDesktopProgram(TPlatform& platform, std::vector<std::string> arguments,
                                 std::function<void()> endProgram)
    : main_(std::make_unique<TfrmMain>(platform, std::move(endProgram))),
      preview_(std::make_unique<TPreview>(*main_)),
      about_(std::make_unique<TdlgVerInf>(main_->Form(), platform, main_.get())),
      textBox_(std::make_unique<TfrmText>(main_->Env(), main_.get())),
      outputText_(std::make_unique<TfrmOutPutText>()),
      options_(
          std::make_unique<TfrmOption>(platform, main_->Options(), main_->State(), main_.get())),
      hex_(std::make_unique<TfrmColorSelectHex>(platform, main_.get())) {
    textBox_->SetOutputWindow(*outputText_);
    main_->SetCommandLine(std::move(arguments));
    main_->ConnectWindows(*about_, *textBox_, *options_, *hex_);
}

TDesktopProgram::~TDesktopProgram() {
    hex_.reset();
    options_.reset();
    outputText_.reset();
    textBox_.reset();
    about_.reset();
    preview_.reset();
    main_.reset();
}

std::unique_ptr<TDesktopProgram> CreateDesktopProgram(TPlatform& platform,
                                                      std::vector<std::string> arguments,
                                                      std::function<void()> endProgram) {
    try {
        return std::make_unique<TDesktopProgram>(platform, std::move(arguments),
                                                 std::move(endProgram));
    } catch (const std::exception&) {
        ShowOk(platform, TMessageKind::Error,
               Sjis("フォーム作成エラー\r\n\tあなたのお使いの環境ではこのソフトは使えません。\r\n"
                    "\tＩＥのＶｅｒ４以上がインストールされている必要があります。"));
        return nullptr;
    }
}

int RunDesktopProgram(int argc, char** argv, const std::function<int(TDesktopProgram&)>& run) {
    PrepareWebEngine();
    QApplication application(argc, argv);
    // The program's title names its windows' class for the desktop; the desktop entry is found
    // by the executable's name.
    QApplication::setApplicationName(kApplicationTitleUtf8);
    QGuiApplication::setDesktopFileName("porukano");
    InstallQtJapaneseTranslations(application);
    QuitOnTerminationSignals();

    std::vector<std::string> arguments;
    const QStringList all = QApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i)
        arguments.push_back(all[i].toStdString());

    TQtPlatform platform;
    const std::unique_ptr<TDesktopProgram> program =
        CreateDesktopProgram(platform, std::move(arguments), [] { QCoreApplication::exit(0); });
    if (!program)
        return 1;
    platform.SetOwner(&program->Main());
    if (run)
        return run(*program);
    program->Main().show();
    return QApplication::exec();
}
