#include <QGridLayout>
#include <QVBoxLayout>

#include "engine/base/main_window_controls.h"
#include "ui/main_tabs.h"
#include "ui/widget_factory.h"

namespace {

constexpr int kColourColumn = 7;

void AddRow(QWidget* page, QGridLayout* grid, int n) {
    const int row = n;
    grid->addWidget(NewCaption(page, QString("水平線%1").arg(n)), row, 0);
    QLineEdit* mark = NewEdit(page, NumberedName("edtHolMark", n));
    mark->setMaximumWidth(120);
    grid->addWidget(mark, row, 1);
    grid->addWidget(NewEdit(page, NumberedName("edtHolMarkCnt", n), 4), row, 2);
    grid->addWidget(NewEdit(page, NumberedName("edtHolSize", n), 4), row, 3);
    grid->addWidget(NewCombo(page, NumberedName("cmbHolSizeUnit", n), UnitItems()), row, 4);
    grid->addWidget(NewCheck(page, NumberedName("chkHol100p", n), "横100%", false,
                             "このオプションはただ今効果を発しません。"),
                    row, 5);
    grid->addWidget(NewCheck(page, NumberedName("chkHolColor", n), "色を指定", false), row, 6);
    TColorLabel* colour = NewColorLabel(page, NumberedName("lblHolColor", n), "水平線の色",
                                        kWindowTextColor, kWindowFaceColor);
    QSizePolicy policy = colour->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    colour->setSizePolicy(policy);
    grid->addWidget(colour, row, kColourColumn, Qt::AlignCenter);
}

}  // namespace

QWidget* BuildHorizonTab() {
    auto* page = new QWidget;
    page->setObjectName("tbshtHorizon");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(NewCaption(page, "記号が並ぶ行を水平線に変換します。"));
    auto* grid = new QGridLayout;
    const char* const headings[] = {"", "記号", "回数", "高さ", "単位", "", "", "色"};
    for (int column = 0; column < 8; ++column)
        grid->addWidget(NewCaption(page, headings[column]), 0, column, Qt::AlignCenter);
    // The page background behind the five colour labels, as the page will show them.
    TColorLabel* back = NewColorLabel(page, "lblHolBackColor", {}, 0, 0xFFFFFF);
    back->setToolTip("ここをクリックしても何も変わりません（＾＾；");
    back->setCursor(Qt::ArrowCursor);
    back->setFocusPolicy(Qt::NoFocus);
    back->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    back->setMinimumWidth(110);
    grid->addWidget(back, 1, kColourColumn, 5, 1);
    for (int n = 1; n <= 5; ++n)
        AddRow(page, grid, n);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    layout->addStretch();
    return page;
}
