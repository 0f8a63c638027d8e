#include "ui/widget_factory.h"

QStringList UnitItems() {
    return {"pt", "%", "px", "mm", "cm", "in", "em", "ex"};
}

QStringList FontFamilyItems() {
    return {"指定なし",           "serif （明朝体）",    "san-serif （ゴシック体）",
            "cursive （筆記体）", "fantasy (装飾文字）", "monospace (等幅フォント・固定ピッチ）"};
}

QStringList KeywordKindItems() {
    return {"から始まる行", "を含む行", "の文字だけ", "で囲む文字", "正規表現"};
}

QStringList KeywordActionItems() {
    return {"残す", "削除する", "画像と置換"};
}

QStringList BorderStyleItems() {
    return {"なし",      "直線(solid)", "二重線(double)", "溝線(groove)", "稜線(ridge)",
            "凹(inset)", "凸(outset)",  "点線(dotted)",   "破線(dashed)"};
}

QLineEdit* NewEdit(QWidget* parent, const QString& name, int maxLength, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    if (maxLength > 0) {
        edit->setMaxLength(maxLength);
        // Room for the allowed characters and no more: a number field stays narrow.
        const int width = edit->fontMetrics().horizontalAdvance(QString(maxLength + 1, '0'));
        edit->setFixedWidth(width + 16);
    }
    return edit;
}

QComboBox* NewCombo(QWidget* parent, const QString& name, const QStringList& items, int index) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setCurrentIndex(index);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
}

QCheckBox* NewCheck(QWidget* parent, const QString& name, const QString& caption, bool checked,
                    const QString& hint) {
    auto* check = new QCheckBox(caption, parent);
    check->setObjectName(name);
    check->setChecked(checked);
    if (!hint.isEmpty())
        check->setToolTip(hint);
    return check;
}

QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption,
                       const QString& hint) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    if (!hint.isEmpty())
        button->setToolTip(hint);
    return button;
}

TColorLabel* NewColorLabel(QWidget* parent, const QString& name, const QString& caption,
                           TColor font, TColor own) {
    auto* label = new TColorLabel(caption, parent);
    label->setObjectName(name);
    label->SetFontColor(font);
    label->SetOwnColor(own);
    label->SetAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Box);
    label->setCursor(Qt::PointingHandCursor);
    // Reachable with the keyboard too: Tab to it, Space to pick the colour.
    label->setFocusPolicy(Qt::StrongFocus);
    return label;
}

TColorLabel* NewPathLabel(QWidget* parent, const QString& name, const QString& hint) {
    auto* label = new TColorLabel({}, parent);
    label->setObjectName(name);
    label->SetOwnColor(0xFFFFFF);
    label->SetElideMiddle(true);
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    if (!hint.isEmpty())
        label->setToolTip(hint);
    return label;
}

QLabel* NewCaption(QWidget* parent, const QString& caption, QWidget* buddy) {
    auto* label = new QLabel(caption, parent);
    if (buddy != nullptr)
        label->setBuddy(buddy);
    return label;
}

QString NumberedName(const char* base, int n) {
    return QString::fromUtf8(base) + QString::number(n);
}
