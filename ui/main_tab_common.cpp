#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "engine/base/main_window_controls.h"
#include "ui/main_tabs.h"
#include "ui/radio_group.h"
#include "ui/widget_factory.h"

namespace {

QGroupBox* BuildColourGroup(QWidget* page) {
    auto* group = new QGroupBox("ページの色（クリックで変更）", page);
    auto* grid = new QGridLayout(group);
    const TColor face = kWindowFaceColor;
    grid->addWidget(NewColorLabel(group, "lblBg0", "背景色", kWindowTextColor, 0xFFFFFF), 0, 0);
    grid->addWidget(NewColorLabel(group, "lblNormalStr", "通常の文字の色", kWindowTextColor, face),
                    0, 1);
    grid->addWidget(NewColorLabel(group, "lblLinkstr", "リンクの色", RgbToColor(0, 0, 0xFF), face),
                    1, 0);
    grid->addWidget(
        NewColorLabel(group, "lblVlink", "訪問済みリンクの色", RgbToColor(0x80, 0, 0x80), face), 1,
        1);
    grid->addWidget(
        NewColorLabel(group, "lblAlink", "アクティブリンクの色", RgbToColor(0xFF, 0, 0), face), 1,
        2);
    return group;
}

QGroupBox* BuildFontGroup(QWidget* page) {
    auto* group = new QGroupBox("文字", page);
    auto* grid = new QGridLayout(group);
    QLineEdit* size = NewEdit(group, "edtNormalStrSize", 4, "10");
    grid->addWidget(NewCaption(group, "大きさ", size), 0, 0);
    grid->addWidget(size, 0, 1);
    grid->addWidget(NewCombo(group, "cmbNormalStrSizeUnit", UnitItems()), 0, 2);
    QLineEdit* height = NewEdit(group, "edtLineHeight", 4);
    grid->addWidget(NewCaption(group, "行の高さ", height), 0, 3);
    grid->addWidget(height, 0, 4);
    grid->addWidget(NewCombo(group, "cmbLineHeightUnit", UnitItems()), 0, 5);
    grid->setColumnStretch(6, 1);
    QComboBox* family = NewCombo(group, "cmbNormalFontStyle", FontFamilyItems());
    grid->addWidget(NewCaption(group, "書体", family), 1, 0);
    grid->addWidget(family, 1, 1, 1, 6, Qt::AlignLeft);
    QLineEdit* title = NewEdit(group, "edtPageTitle");
    grid->addWidget(NewCaption(group, "タイトル", title), 2, 0);
    grid->addWidget(title, 2, 1, 1, 6);
    return group;
}

QWidget* BuildOptionsRow(QWidget* page) {
    auto* row = new QWidget(page);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* addTag = new TRadioGroup(
        "タグの追加方法",
        {"改行<br>タグのみ(全て無効)", "ＨＴＭＬタグ全て", "ＨＴＭＬタグ全て（<br>抜き)"}, row);
    addTag->setObjectName("rdgrpAddTag");
    addTag->SetItemIndex(1);
    layout->addWidget(addTag);
    auto* tabs = new TRadioGroup("タブの幅", {"４文字", "８文字"}, row);
    tabs->setObjectName("rdgTabSpace");
    tabs->SetItemIndex(0);
    layout->addWidget(tabs, 0, Qt::AlignTop);
    auto* checks = new QVBoxLayout;
    auto* link = new QHBoxLayout;
    link->addWidget(NewCheck(row, "chkbxLink", "ポルカノリンク", true));
    // The item order is the number the settings file stores (TLinkStyle).
    QComboBox* linkStyle = NewCombo(row, "cmbLinkStyle", {"従来どおり", "https・句読点に対応"});
    linkStyle->setToolTip(
        "https・句読点に対応では、https:// のアドレスもリンクにし、アドレスの後に続く日本語や"
        "文末の句読点・閉じ括弧はリンクに含めません。メールアドレスはドメインのあるものだけです。");
    link->addWidget(linkStyle);
    link->addStretch();
    checks->addLayout(link);
    auto* notation = new QHBoxLayout;
    notation->addWidget(NewCheck(row, "chkRubyNotation", "ルビ・傍点記法", false));
    QCheckBox* aozora = NewCheck(row, "chkAozoraNotation", "青空文庫注記", false);
    aozora->setToolTip(
        "［＃…］の注記（字下げ、見出し、傍点・傍線、改ページ、外字など）を読みます。"
        "ルビ・傍点記法も働き、ページは HTML5 になります。");
    notation->addWidget(aozora);
    notation->addStretch();
    checks->addLayout(notation);
    auto* vertical = new QHBoxLayout;
    vertical->addWidget(NewCheck(row, "chkVerticalWriting", "縦書き", false));
    QCheckBox* threeMarks = NewCheck(row, "chkUprightThreeMarks", "!?三つも縦中横", false);
    threeMarks->setToolTip(
        "縦書きでは !? や !! の二つを一文字分に立てて組みます。"
        "これをオンにすると !!! や !?! の三つも立てます。");
    vertical->addWidget(threeMarks);
    vertical->addStretch();
    checks->addLayout(vertical);
    checks->addWidget(NewCheck(row, "chkKanaChange", "ポルカノ半角カナ変換", false));
    checks->addWidget(NewCheck(row, "chkSpcCss", "先頭のｽﾍﾟｰｽはｽﾀｲﾙｼｰﾄで表現", true));
    checks->addStretch();
    layout->addLayout(checks);
    return row;
}

}  // namespace

QWidget* BuildCommonTab() {
    auto* page = new QWidget;
    page->setObjectName("tbshtCommon");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(BuildColourGroup(page));
    layout->addWidget(BuildFontGroup(page));
    layout->addWidget(BuildOptionsRow(page));
    layout->addStretch();
    return page;
}

QWidget* BuildPageStyleTab() {
    auto* page = new QWidget;
    page->setObjectName("tbshtPageStyle");
    auto* layout = new QVBoxLayout(page);

    auto* margins = new QGroupBox("ページの余白", page);
    auto* grid = new QGridLayout(margins);
    struct TSide {
        const char* Name;
        const char* Caption;
        int Row, Column;
    };
    const TSide sides[] = {
        {"Top", "上", 0, 0}, {"Bottom", "下", 0, 3}, {"Left", "左", 1, 0}, {"Right", "右", 1, 3}};
    for (const TSide& side : sides) {
        QLineEdit* edit = NewEdit(margins, QString("edtPagePadding") + side.Name, 4);
        grid->addWidget(NewCaption(margins, side.Caption, edit), side.Row, side.Column);
        grid->addWidget(edit, side.Row, side.Column + 1);
        grid->addWidget(
            NewCombo(margins, QString("cmbPagePadding") + side.Name + "Unit", UnitItems()),
            side.Row, side.Column + 2);
    }
    grid->setColumnMinimumWidth(3, 40);
    grid->setColumnStretch(6, 1);
    layout->addWidget(margins);

    auto* image = new QGroupBox("背景画像", page);
    auto* imageGrid = new QGridLayout(image);
    imageGrid->addWidget(NewCheck(image, "chkBgImage", "背景に画像を表示する", false), 0, 0, 1, 2);
    imageGrid->addWidget(NewPathLabel(image, "lblBgImagePath"), 1, 0);
    imageGrid->addWidget(NewButton(image, "btnChangeBgImagePath", "参照"), 1, 1);
    layout->addWidget(image);

    auto* css = new QGroupBox("スタイルシート", page);
    auto* cssLayout = new QVBoxLayout(css);
    cssLayout->addWidget(
        NewCheck(css, "chkOutputCSSDef", "スタイルシートを別のファイル（.css）に出力する", false));
    layout->addWidget(css);

    // The item order is the number the settings file stores (TInputEncoding, TOutputEncoding).
    auto* encodings = new QGroupBox("文字コード", page);
    auto* encodingGrid = new QGridLayout(encodings);
    QComboBox* input = NewCombo(encodings, "cmbInputEncoding",
                                {"自動判別", "Shift_JIS", "UTF-8", "EUC-JP", "ISO-2022-JP"});
    input->setToolTip(
        "変換するテキストファイルの文字コードです。自動判別では BOM、UTF-8、"
        "Shift_JIS・EUC-JP・ISO-2022-JP の順に調べ、迷ったときは Shift_JIS とします。");
    encodingGrid->addWidget(NewCaption(encodings, "テキスト", input), 0, 0);
    encodingGrid->addWidget(input, 0, 1);
    QComboBox* output =
        NewCombo(encodings, "cmbOutputEncoding", {"入力と同じ", "Shift_JIS", "UTF-8", "EUC-JP"});
    output->setToolTip(
        "出力するＨＴＭＬの文字コードです。入力と同じでは、Shift_JIS と EUC-JP "
        "のテキストはそのまま、ほかは UTF-8 になります。");
    encodingGrid->addWidget(NewCaption(encodings, "ＨＴＭＬ", output), 0, 2);
    encodingGrid->addWidget(output, 0, 3);
    encodingGrid->setColumnStretch(4, 1);
    layout->addWidget(encodings);

    // The item order is the number the settings file stores (TDocType).
    auto* docType = new QGroupBox("文書型", page);
    auto* docTypeLayout = new QHBoxLayout(docType);
    QComboBox* type = NewCombo(docType, "cmbDocType", {"HTML 4.01 Transitional", "HTML5"});
    type->setToolTip(
        "出力するＨＴＭＬの文書型です。HTML5 のページは、短い文書型宣言と、head の最初での"
        "文字コードの宣言で始まります。HTML5 のページは、文字コードの選択にかかわらず UTF-8 "
        "で書き出します。"
        "タイトルが空のときは「無題」とします。");
    docTypeLayout->addWidget(type);
    auto* note = new QLabel(
        "ルビ・傍点記法か青空文庫注記を使うページは常に HTML5（UTF-8）になります", docType);
    note->setObjectName("lblDocTypeNote");
    note->setVisible(false);
    docTypeLayout->addWidget(note);
    docTypeLayout->addStretch();
    layout->addWidget(docType);
    layout->addStretch();
    return page;
}
