#include "ui/option_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QTabWidget>
#include <QVBoxLayout>

#include "settings/untFrmOption.h"
#include "ui/sjis_input_guard.h"
#include "ui/widget_factory.h"

TfrmOption::TfrmOption(TPlatform& platform, TOption& options, const TProgramState& state,
                       QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      platform_(platform),
      options_(options),
      state_(state),
      form_(*this),
      guard_(new TSjisInputGuard(platform, this)) {
    setObjectName("frmOption");
    setWindowTitle("ポルカノＨＴＭＬ変換-オプション");
    auto* layout = new QVBoxLayout(this);
    auto* pages = new QTabWidget(this);
    pages->setObjectName("pctlOption");
    pages->addTab(BuildStartPage(), "起動時");
    pages->addTab(BuildSavePage(), "保存");
    pages->addTab(BuildBrowserPage(), "ブラウザ");
    layout->addWidget(pages);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* ok = NewButton(this, "btnOK", "OK");
    ok->setDefault(true);
    QPushButton* cancel = NewButton(this, "btnCancel", "キャンセル");
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, [this] { OkClick(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    guard_->WatchAll(*this);
}

QWidget* TfrmOption::BuildStartPage() {
    auto* page = new QWidget;
    page->setObjectName("tbsStart");
    auto* grid = new QGridLayout(page);
    QLineEdit* path = NewEdit(page, "edtStartRknPath");
    path->setMinimumWidth(360);
    grid->addWidget(NewCaption(page, "起動時に読み込む変換設定ファイルのパス", path), 0, 0, 1, 2);
    grid->addWidget(path, 1, 0);
    QPushButton* browse = NewButton(page, "btnRknRef", "参照");
    grid->addWidget(browse, 1, 1);
    grid->addWidget(
        NewCheck(page, "chkSCnvDialogUnvisible",
                 "EXEアイコンにテキストファイルをＤ＆Ｄ時、ダイアログを表示しない。", false),
        2, 0, 1, 2);
    grid->addWidget(NewCheck(page, "chkRememberSettings", "終了時の設定を次回の起動時に使う", true),
                    3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    connect(browse, &QPushButton::clicked, this, [this] { btnRknRefClick(form_, platform_); });
    return page;
}

QWidget* TfrmOption::BuildSavePage() {
    auto* page = new QWidget;
    page->setObjectName("tbsSave");
    auto* grid = new QGridLayout(page);
    QComboBox* extension = NewCombo(page, "cmbExtension", {"htm", "html"});
    grid->addWidget(NewCaption(page, "変換後のファイルの拡張子", extension), 0, 0);
    grid->addWidget(extension, 0, 1, Qt::AlignLeft);
    grid->addWidget(NewCheck(page, "chkOverWrite", "上書き確認しない(強制上書き)", false), 1, 0, 1,
                    2);
    grid->addWidget(NewCheck(page, "chkNoDialog", "変換終了後、ダイアログを表示しない。", false), 2,
                    0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* TfrmOption::BuildBrowserPage() {
    auto* page = new QWidget;
    page->setObjectName("tnsBrows");
    auto* grid = new QGridLayout(page);
    QLineEdit* path = NewEdit(page, "edtBrowserPath");
    path->setToolTip("関連付けされているものとは別のブラウザを使用するときだけ入力します。");
    auto* caption = NewCaption(
        page, "「変換後ブラウザ表示」で関連付け以外のブラウザを使うの時のブラウザのパス", path);
    caption->setWordWrap(true);
    grid->addWidget(caption, 0, 0, 1, 2);
    grid->addWidget(path, 1, 0);
    QPushButton* browse = NewButton(page, "btnBrowserRef", "参照");
    grid->addWidget(browse, 1, 1);
    grid->setRowStretch(2, 1);
    connect(browse, &QPushButton::clicked, this, [this] { btnBrowserRefClick(form_, platform_); });
    return page;
}

void TfrmOption::OkClick() {
    if (btnOKClick(form_, options_, state_.OptionsFolder, platform_))
        accept();
}

void TfrmOption::reject() {
    btnCancelClick(form_, options_, state_.OptionsFolder, platform_);
    QDialog::reject();
}
