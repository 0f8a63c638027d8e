#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "engine/base/main_window_controls.h"
#include "ui/main_tabs.h"
#include "ui/widget_factory.h"

namespace {

const char* const kFullWidthDigits[] = {"１", "２", "３", "４", "５"};

QGroupBox* BuildKeywordGroup(QWidget* page, int n) {
    auto* group = new QGroupBox("キーワード", page);
    auto* grid = new QGridLayout(group);
    const QString keywords = n == 1 ? "○,◎" : n == 2 ? "・" : "";
    QLineEdit* keyword = NewEdit(group, NumberedName("edtKeyword", n), 0, keywords);
    grid->addWidget(NewCaption(group, "キーワード", keyword), 0, 0);
    grid->addWidget(keyword, 0, 1, 1, 3);
    QLineEdit* separator = NewEdit(group, NumberedName("edtKeyDiv", n), 4);
    grid->addWidget(NewCaption(group, "区切り文字", separator), 0, 4);
    grid->addWidget(separator, 0, 5);

    QComboBox* kind = NewCombo(group, NumberedName("cmbKeyKbn", n), KeywordKindItems());
    grid->addWidget(NewCaption(group, "種類", kind), 1, 0);
    grid->addWidget(kind, 1, 1, Qt::AlignLeft);
    QComboBox* action = NewCombo(group, NumberedName("cmbKeyWhat", n), KeywordActionItems());
    grid->addWidget(NewCaption(group, "キーワードは", action), 1, 2, Qt::AlignRight);
    grid->addWidget(action, 1, 3, Qt::AlignLeft);
    grid->addWidget(NewCheck(group, NumberedName("chkSpaceDisenable", n),
                             "(行の先頭の)スペース、タブは無視する", true),
                    2, 1, 1, 5);

    auto* annai = new QLabel("置換する画像のパス(ここは参照ボタンで選んでください)", group);
    annai->setObjectName(NumberedName("lblImagePathAnnai", n));
    grid->addWidget(annai, 3, 0, 1, 6);
    grid->addWidget(NewPathLabel(group, NumberedName("lblReplaceImagePath", n)), 4, 0, 1, 5);
    grid->addWidget(NewButton(group, NumberedName("btnImagePath", n), "参照"), 4, 5);
    grid->setColumnStretch(3, 1);
    return group;
}

// The sample: lblStrongN on the page background lblBackColorN, with its underline shpUnderLineN.
TColorLabel* BuildSample(QWidget* parent, int n) {
    TColorLabel* back = NewColorLabel(parent, NumberedName("lblBackColor", n), {}, 0, 0xFFFFFF);
    back->setToolTip("ここをクリックしても何も変わりません（＾＾；");
    back->setCursor(Qt::ArrowCursor);
    back->setFocusPolicy(Qt::NoFocus);
    back->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    back->setMinimumSize(210, 64);

    static const TColor fontColors[] = {RgbToColor(0xFF, 0, 0), RgbToColor(0, 0x80, 0),
                                        kWindowTextColor, kWindowTextColor, kWindowTextColor};
    auto* sample = new QWidget(back);
    auto* column = new QVBoxLayout(sample);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    TColorLabel* strong = NewColorLabel(sample, NumberedName("lblStrong", n),
                                        QString("強調") + kFullWidthDigits[n - 1] + "の文字列の色",
                                        fontColors[n - 1], RgbToColor(0xFF, 0xFF, 0));
    strong->setFrameShape(QFrame::NoFrame);
    column->addWidget(strong);
    auto* underline = new TLineShape(sample);
    underline->setObjectName(NumberedName("shpUnderLine", n));
    underline->SetPenColor(fontColors[n - 1]);
    underline->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    column->addWidget(underline);

    auto* centre = new QVBoxLayout(back);
    centre->addStretch();
    centre->addWidget(sample, 0, Qt::AlignHCenter);
    centre->addStretch();
    return back;
}

QGroupBox* BuildLookGroup(QWidget* page, int n) {
    auto* group = new QGroupBox("文字の書式", page);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(BuildSample(group, n));

    auto* grid = new QGridLayout;
    grid->addWidget(NewCheck(group, NumberedName("chkFontColor", n), "文字色を指定する", true), 0,
                    0);
    auto* info = new QLabel("文字の場所をクリックすると文字色を変えることができます。", group);
    info->setObjectName(NumberedName("lblFontColorInfo", n));
    info->setWordWrap(true);
    grid->addWidget(info, 0, 1, 1, 3);
    grid->addWidget(NewCheck(group, NumberedName("chkBackColor", n), "背景色を指定する", false), 1,
                    0);
    grid->addWidget(NewButton(group, NumberedName("btnBGColorChange", n), "文字の背景色を変更"), 1,
                    1, 1, 2);
    grid->addWidget(NewCheck(group, NumberedName("chkBack100p", n), "横１００％", false), 1, 3);
    grid->addWidget(NewCheck(group, NumberedName("chkBold", n), "太字", true), 2, 0);
    grid->addWidget(NewCheck(group, NumberedName("chkItalic", n), "斜体", false), 2, 1);
    grid->addWidget(NewCheck(group, NumberedName("chkUnderLine", n), "下線", false), 2, 2);

    auto* size = new QHBoxLayout;
    QLineEdit* fontSize = NewEdit(group, NumberedName("edtFontSize", n), 4, n == 2 ? "12" : "14");
    size->addWidget(NewCaption(group, "大きさ", fontSize));
    size->addWidget(fontSize);
    size->addWidget(NewCombo(group, NumberedName("cmbFontSizeUnit", n), UnitItems()));
    QComboBox* family = NewCombo(group, NumberedName("cmbFontStyle", n), FontFamilyItems());
    size->addSpacing(8);
    size->addWidget(NewCaption(group, "書体", family));
    size->addWidget(family);
    size->addStretch();
    grid->addLayout(size, 3, 0, 1, 4);
    layout->addLayout(grid, 1);
    return group;
}

QGroupBox* BuildFrameGroup(QWidget* page, int n) {
    auto* group = new QGroupBox("枠線とタグ", page);
    auto* grid = new QGridLayout(group);
    QComboBox* style = NewCombo(group, NumberedName("cmbBorderStyle", n), BorderStyleItems());
    grid->addWidget(NewCaption(group, "枠線", style), 0, 0);
    grid->addWidget(style, 0, 1);
    QLineEdit* width = NewEdit(group, NumberedName("edtBorderSize", n), 4);
    grid->addWidget(NewCaption(group, "太さ", width), 0, 2, Qt::AlignRight);
    grid->addWidget(width, 0, 3);
    grid->addWidget(NewCombo(group, NumberedName("cmbBorderSizeUnit", n), UnitItems()), 0, 4);
    TColorLabel* color = NewColorLabel(group, NumberedName("lblBorderColor", n), "枠線の色",
                                       kWindowTextColor, kWindowFaceColor);
    // The colour label comes and goes with the border style; the row keeps its place.
    QSizePolicy policy = color->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    color->setSizePolicy(policy);
    grid->addWidget(color, 0, 5);

    QLineEdit* tag = NewEdit(group, NumberedName("edtTag", n));
    grid->addWidget(NewCaption(group, "タグ", tag), 1, 0);
    grid->addWidget(tag, 1, 1);
    QLineEdit* cls = NewEdit(group, NumberedName("edtClass", n));
    grid->addWidget(NewCaption(group, "クラス", cls), 1, 2, Qt::AlignRight);
    grid->addWidget(cls, 1, 3, 1, 3);
    grid->setColumnStretch(6, 1);
    return group;
}

}  // namespace

QWidget* BuildEmphasisTab(int n) {
    auto* page = new QWidget;
    page->setObjectName(NumberedName("tbshtStoring", n));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(BuildKeywordGroup(page, n));
    layout->addWidget(BuildLookGroup(page, n));
    layout->addWidget(BuildFrameGroup(page, n));
    layout->addStretch();
    return page;
}
