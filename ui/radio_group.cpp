#include "ui/radio_group.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

TRadioGroup::TRadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent) {
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        buttons_.addButton(button, i);
        layout->addWidget(button);
    }
    connect(&buttons_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            emit itemIndexChanged();
    });
}

int TRadioGroup::Count() const {
    return static_cast<int>(buttons_.buttons().size());
}

int TRadioGroup::ItemIndex() const {
    return buttons_.checkedId();
}

void TRadioGroup::SetItemIndex(int index) {
    index = std::min(index, Count() - 1);
    if (index == ItemIndex())
        return;
    if (index < 0) {
        // An exclusive group cannot uncheck its last button directly.
        buttons_.setExclusive(false);
        buttons_.checkedButton()->setChecked(false);
        buttons_.setExclusive(true);
        emit itemIndexChanged();
        return;
    }
    buttons_.button(index)->setChecked(true);
}
