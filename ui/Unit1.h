// TfrmMain: the main window. Its controls hold every conversion setting (engine/
// main_window_controls.cpp names them); its commands convert the chosen text file, load and save
// settings files, run the batch conversion of files given on the command line, and end the
// program.
#pragma once

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

#include "commands/command_env.h"
#include "commands/preview_files.h"
#include "commands/style_editors.h"
#include "engine/base/engine_env.h"
#include "engine/base/platform.h"
#include "settings/settings_env.h"
#include "settings/untIniOption.h"
#include "ui/qt_form.h"

class QTabWidget;
class TColorLabel;
class TdlgVerInf;
class TfrmColorSelectHex;
class TfrmOption;
class TfrmText;
class TSjisInputGuard;

class TfrmMain : public QMainWindow, private TStyleView {
  public:
    // endProgram asks the event loop to stop; it closes no window, so the close steps run only
    // for the close box.
    TfrmMain(TPlatform& platform, std::function<void()> endProgram);

    // The windows created after this one, which its commands show.
    void ConnectWindows(TdlgVerInf& about, TfrmText& textBox, TfrmOption& options,
                        TfrmColorSelectHex& hex);
    // The arguments after the program's name (native paths), for the batch conversion.
    void SetCommandLine(std::vector<std::string> arguments);
    // The preview's rebuild, run after a settings file was loaded while its page is showing.
    void SetPreviewBuilder(std::function<bool()> build);
    // Called whenever the input file is set, chosen again included.
    void SetInputPathHandler(std::function<void()> changed);

    TQtForm& Form() { return form_; }
    TEngineEnv& Env() { return env_; }
    TSettingsEnv& SettingsEnv() { return settingsEnv_; }
    TProgramState& State() { return state_; }
    TOption& Options() { return options_; }
    const std::string& OptionsPath() const { return optionsPath_; }
    // The private folder of this run's preview files; the close steps remove it, and so does
    // the end of the window.
    TPreviewFolder& PreviewFolder() { return previewFolder_; }
    // The page "プレビュー", empty until the preview fills it.
    QWidget* PreviewPage() const { return previewPage_; }
    QTabWidget* Pages() const { return pages_; }

    // The input file as the label shows it (a native path).
    QString InputPath() const;
    void SetInputPath(const QString& path);

    // The commands.
    void StartUp();  // runs once, when the window is first shown
    void ConvertCommand();
    void ConvertFolderCommand();
    void ChooseInputFile();
    void DropFiles(const QStringList& paths);
    void ExitCommand();
    // True once the program was asked to end.
    bool Ending() const { return ending_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildMenus();
    QWidget* BuildInputRow(QWidget* parent);
    QWidget* BuildConvertRow(QWidget* parent);
    void BuildPages(QWidget* parent);
    void ConnectStyleClicks();
    void WatchEdits();

    void CloseSteps();
    void EndProgram();
    void ShowTextBox();
    void ShowOptions();
    void ShowAbout();
    void OnlineHelp();

    void SetFontStyle(std::string_view label, bool bold, bool italic) override;
    void SetTransparent(std::string_view label, bool transparent) override;
    void SetHint(std::string_view control, std::string_view hint, bool show) override;
    void SetFocus(std::string_view control) override;
    std::optional<TColor> PickColor(std::string_view caption, TColor color) override;

    TPlatform& platform_;
    std::function<void()> endProgram_;
    TQtForm form_;
    TProgramState state_;
    TOption options_;
    TSettingsHistory history_;
    std::string optionsPath_;
    TPreviewFolder previewFolder_;
    TEngineEnv env_;
    TSettingsEnv settingsEnv_;
    TCommandEnv commands_;
    TStyleEditors editors_;

    TdlgVerInf* about_ = nullptr;
    TfrmText* textBox_ = nullptr;
    TfrmOption* optionDialog_ = nullptr;
    TfrmColorSelectHex* hex_ = nullptr;

    TSjisInputGuard* guard_;
    QTabWidget* pages_ = nullptr;
    QWidget* previewPage_ = nullptr;
    TColorLabel* inputPath_ = nullptr;
    std::function<void()> inputPathChanged_;
    bool started_ = false;
    bool ending_ = false;
};
