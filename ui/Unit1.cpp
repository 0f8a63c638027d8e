#include "ui/Unit1.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "commands/settings_commands.h"
#include "engine/base/identity.h"
#include "settings/options_folder.h"
#include "ui/UntVerInf.h"
#include "ui/batch_progress.h"
#include "ui/color_label.h"
#include "ui/dropped_files.h"
#include "ui/main_tabs.h"
#include "ui/option_window.h"
#include "ui/program_icon.h"
#include "ui/qt_text.h"
#include "ui/sjis_input_guard.h"
#include "ui/untFrmColorSelectHex.h"
#include "ui/widget_factory.h"

namespace {

constexpr int kRules = 5;

QSizePolicy KeepingPlace(QSizePolicy policy) {
    policy.setRetainSizeWhenHidden(true);
    return policy;
}

}  // namespace

TfrmMain::TfrmMain(TPlatform& platform, std::function<void()> endProgram)
    : platform_(platform),
      endProgram_(std::move(endProgram)),
      form_(*this),
      env_{form_, platform_, state_},
      settingsEnv_{form_, platform_, state_, history_, {}},
      commands_{env_,
                settingsEnv_,
                options_,
                optionsPath_,
                nullptr,
                {},
                [this] { EndProgram(); },
                [this] { return ToNative(InputPath()); },
                [this](const std::string& path) { SetInputPath(FromNative(path)); },
                [this](TBatchRun& run, const auto& done) { FollowBatchInDialog(this, run, done); }},
      editors_{form_, platform_, *this},
      guard_(new TSjisInputGuard(platform, this)) {
    setObjectName("frmMain");
    // A fixed single border with the system menu and the minimise box, no maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle("ポルカノＨＴＭＬ変換");
    setWindowIcon(ProgramIcon());
    state_.OptionsFolder = FindOptionsFolder();
    optionsPath_ = OptionsFilePath(state_.OptionsFolder);
    commands_.PreviewFolder = &previewFolder_;

    BuildMenus();
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* captionRow = new QHBoxLayout;
    auto* caption = new QLabel("HTMLへ変換するファイル（ドラッグアンドドロップで入力）", central);
    caption->setObjectName("Label1");
    captionRow->addWidget(caption);
    captionRow->addStretch();
    // The encoding the chosen file is read in, filled by the commands.
    auto* encoding = new QLabel(central);
    encoding->setObjectName("lblInputEncoding");
    captionRow->addWidget(encoding);
    layout->addLayout(captionRow);
    layout->addWidget(BuildInputRow(central));
    BuildPages(central);
    layout->addWidget(pages_);
    layout->addWidget(BuildConvertRow(central));
    setCentralWidget(central);

    ApplyAllStyleRules(editors_);
    ConnectStyleEditors(editors_);
    ConnectStyleClicks();
    WatchEdits();
    setAcceptDrops(true);

    // Not resizable: the size the content needs at the desktop's font.
    layout->activate();
    setFixedSize(sizeHint());
}

void TfrmMain::BuildMenus() {
    QMenuBar* bar = menuBar();
    const auto addMenu = [bar](const char* name, const char* caption) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(name);
        return menu;
    };
    const auto addItem = [](QMenu* menu, const char* name, const char* caption,
                            const char* shortcut = nullptr) {
        QAction* item = menu->addAction(caption);
        item->setObjectName(name);
        if (shortcut != nullptr)
            item->setShortcut(QKeySequence(shortcut));
        return item;
    };

    QMenu* file = addMenu("mitmFile", "ファイル(&F)");
    connect(addItem(file, "mitmRead", "変換設定を読み込む(&O)", "Ctrl+O"), &QAction::triggered,
            this, [this] { OpenSettingsCommand(settingsEnv_); });
    connect(addItem(file, "mitmSave", "この変換設定を保存(&S)", "Ctrl+S"), &QAction::triggered,
            this, [this] { SaveSettingsCommand(settingsEnv_); });
    file->addSeparator();
    connect(addItem(file, "mitmConvertFolder", "フォルダを変換(&D)..."), &QAction::triggered, this,
            [this] { ConvertFolderCommand(); });
    file->addSeparator();
    for (int k = 1; k <= kSettingsHistorySize; ++k) {
        QAction* item = file->addAction(QString());
        item->setObjectName(NumberedName("mitmPrknHis", k));
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [this, k] { OpenFromHistory(settingsEnv_, k); });
    }
    file->addSeparator();
    connect(addItem(file, "mitmAppEnd", "終了"), &QAction::triggered, this,
            [this] { ExitCommand(); });

    QMenu* view = addMenu("mitmView", "表示(&V)");
    connect(addItem(view, "mitmTextBox", "テキストボックス(&T)", "Ctrl+T"), &QAction::triggered,
            this, [this] { ShowTextBox(); });
    QMenu* tool = addMenu("mitmTool", "ツール(&T)");
    connect(addItem(tool, "mitmOption", "オプション(&O)"), &QAction::triggered, this,
            [this] { ShowOptions(); });
    QMenu* help = addMenu("mitmHelp", "ヘルプ(&H)");
    connect(addItem(help, "mitmOnlineHelp", "オンラインヘルプ(&H)"), &QAction::triggered, this,
            [this] { OnlineHelp(); });
    connect(addItem(help, "About1", "バージョン情報"), &QAction::triggered, this,
            [this] { ShowAbout(); });
}

QWidget* TfrmMain::BuildInputRow(QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    inputPath_ =
        NewPathLabel(row, "lblInputFilePath",
                     "ファイルをドラッグ＆ドロップするか、右の参照ボタンで入力してください。");
    layout->addWidget(inputPath_, 1);
    QPushButton* browse =
        NewButton(row, "btnChangeTextPath", "参照", "ここを押して変換するファイルを指定します。");
    layout->addWidget(browse);
    QPushButton* textBox =
        NewButton(row, "cmdCallTextBox", "テキストボックス入力",
                  "全ての設定を入力してからテキストボックスで入力してください。");
    layout->addWidget(textBox);
    connect(browse, &QPushButton::clicked, this, [this] { ChooseInputFile(); });
    connect(textBox, &QPushButton::clicked, this, [this] { ShowTextBox(); });
    return row;
}

QWidget* TfrmMain::BuildConvertRow(QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(
        NewCheck(row, "chkbxPreview", "変換後ブラウザで表示", false,
                 "ここにチェックすると変換後、ブラウザが立ち上がり結果を確認できます。"));
    auto* percent = new QLabel("0%", row);
    percent->setObjectName("lblProcess");
    percent->setMinimumWidth(percent->fontMetrics().horizontalAdvance("変換進捗率：100%") + 8);
    percent->setSizePolicy(KeepingPlace(percent->sizePolicy()));
    percent->hide();
    layout->addWidget(percent);
    auto* bar = new QProgressBar(row);
    bar->setObjectName("pbrProcess");
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setSizePolicy(KeepingPlace(bar->sizePolicy()));
    bar->hide();
    layout->addWidget(bar, 1);
    QPushButton* convert = NewButton(
        row, "cmdHtmlConv", "変換",
        "ここを押すとテキストファイルをHTMLファイルに変換します。元のファイル名+\".htm\"で保存。");
    convert->setMinimumWidth(96);
    layout->addWidget(convert);
    connect(convert, &QPushButton::clicked, this, [this] { ConvertCommand(); });
    return row;
}

void TfrmMain::BuildPages(QWidget* parent) {
    pages_ = new QTabWidget(parent);
    pages_->setObjectName("PageControl1");
    pages_->setUsesScrollButtons(false);
    pages_->addTab(BuildCommonTab(), "共通設定１");
    pages_->addTab(BuildPageStyleTab(), "共通設定２");
    const char* const rules[] = {"強調１", "強調２", "強調３", "強調４", "強調５"};
    for (int n = 1; n <= kRules; ++n)
        pages_->addTab(BuildEmphasisTab(n), rules[n - 1]);
    pages_->addTab(BuildHeadFootTab(), "ヘッダーフッター");
    pages_->addTab(BuildHorizonTab(), "水平線");
    previewPage_ = new QWidget;
    previewPage_->setObjectName("tbshtPreview");
    new QVBoxLayout(previewPage_);
    pages_->addTab(previewPage_, "プレビュー");
    pages_->setCurrentIndex(0);
}

void TfrmMain::ConnectStyleClicks() {
    const auto onClick = [this](const QString& name, auto run) {
        if (auto* label = findChild<TColorLabel*>(name))
            connect(label, &TColorLabel::clicked, this, run);
    };
    const auto onButton = [this](const QString& name, auto run) {
        if (auto* button = findChild<QPushButton*>(name))
            connect(button, &QPushButton::clicked, this, run);
    };
    onClick("lblBg0", [this] { PickPageBackground(editors_); });
    onClick("lblNormalStr", [this] { PickNormalFontColor(editors_); });
    for (const char* link : {"lblLinkstr", "lblVlink", "lblAlink"}) {
        onClick(link, [this, link] { PickFontColor(editors_, link, true, {}); });
    }
    for (int n = 1; n <= kRules; ++n) {
        onClick(NumberedName("lblStrong", n), [this, n] { PickEmphasisFontColor(editors_, n); });
        onClick(NumberedName("lblBorderColor", n), [this, n] {
            PickBackColor(editors_, NumberedName("lblBorderColor", n).toStdString());
        });
        onClick(NumberedName("lblHolColor", n), [this, n] {
            PickBackColor(editors_, NumberedName("lblHolColor", n).toStdString());
        });
        onButton(NumberedName("btnBGColorChange", n), [this, n] {
            PickBackColor(editors_, NumberedName("lblStrong", n).toStdString());
        });
        onButton(NumberedName("btnImagePath", n), [this, n] {
            PickImageIntoLabel(editors_, NumberedName("lblReplaceImagePath", n).toStdString());
        });
        if (auto* keyword = findChild<QLineEdit*>(NumberedName("edtKeyword", n)))
            keyword->installEventFilter(this);
    }
    onButton("btnChangeBgImagePath", [this] { PickImageIntoLabel(editors_, "lblBgImagePath"); });
}

void TfrmMain::WatchEdits() {
    guard_->WatchAll(*this);
    // A file dropped anywhere on the window is the window's, also over an edit or a memo.
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        edit->installEventFilter(this);
    for (QPlainTextEdit* memo : findChildren<QPlainTextEdit*>())
        memo->viewport()->installEventFilter(this);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
            for (int n = 1; n <= kRules; ++n) {
                if (watched->objectName() == NumberedName("edtKeyword", n))
                    ShowEnclosingHint(editors_, n);
            }
            break;
        case QEvent::DragEnter: {
            auto* drag = static_cast<QDragEnterEvent*>(event);
            if (!DroppedLocalFiles(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
            break;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList paths = DroppedLocalFiles(drop->mimeData());
            if (!paths.isEmpty()) {
                drop->acceptProposedAction();
                DropFiles(paths);
                return true;
            }
            break;
        }
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedLocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event) {
    const QStringList paths = DroppedLocalFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    DropFiles(paths);
}

void TfrmMain::ConnectWindows(TdlgVerInf& about, TfrmText& textBox, TfrmOption& options,
                              TfrmColorSelectHex& hex) {
    about_ = &about;
    textBox_ = &textBox;
    optionDialog_ = &options;
    commands_.OptionDialog = &options.Form();
    hex_ = &hex;
}

void TfrmMain::SetCommandLine(std::vector<std::string> arguments) {
    commands_.Arguments = std::move(arguments);
}

void TfrmMain::SetPreviewBuilder(std::function<bool()> build) {
    settingsEnv_.BuildPreview = std::move(build);
}

QString TfrmMain::InputPath() const {
    return inputPath_->Caption();
}

void TfrmMain::SetInputPathHandler(std::function<void()> changed) {
    inputPathChanged_ = std::move(changed);
}

void TfrmMain::SetInputPath(const QString& path) {
    inputPath_->SetCaption(path);
    if (inputPathChanged_)
        inputPathChanged_();
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (started_)
        return;
    started_ = true;
    if (const QScreen* shown = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(shown->availableGeometry().center());
        move(frame.topLeft());
    }
    // Once the window is up and the event loop runs: the batch conversion's end of the
    // program is a request to that loop.
    QTimer::singleShot(0, this, [this] { StartUp(); });
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!ending_) {
        CloseSteps();
        EndProgram();
    }
    event->accept();
}

void TfrmMain::SetFontStyle(std::string_view label, bool bold, bool italic) {
    if (auto* widget = form_.FindAs<QWidget>(label)) {
        QFont font = widget->font();
        font.setBold(bold);
        font.setItalic(italic);
        widget->setFont(font);
        widget->updateGeometry();
    }
}

void TfrmMain::SetTransparent(std::string_view label, bool transparent) {
    if (auto* colour = form_.FindAs<TColorLabel>(label))
        colour->SetOpaque(!transparent);
}

void TfrmMain::SetHint(std::string_view control, std::string_view hint, bool show) {
    if (auto* widget = form_.FindAs<QWidget>(control))
        widget->setToolTip(show ? FromSjis(hint).replace("\r\n", "\n") : QString());
}

void TfrmMain::SetFocus(std::string_view control) {
    if (auto* widget = form_.FindAs<QWidget>(control))
        widget->setFocus();
}

std::optional<TColor> TfrmMain::PickColor(std::string_view caption, TColor color) {
    hex_->setWindowTitle(FromSjis(caption));
    hex_->SetColor(color);
    if (!hex_->PickColor())
        return std::nullopt;
    return hex_->Color();
}
