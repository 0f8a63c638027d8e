#include "ui/qt_form.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabWidget>

#include "ui/color_label.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"

namespace {

// True when object lies inside window and not inside another window (a dialog) that has window
// as its parent. Menus are pop-up windows of their own but belong to the window of their bar.
bool BelongsTo(const QObject* object, const QWidget* window) {
    for (const QObject* o = object; o != nullptr; o = o->parent()) {
        if (o == window)
            return true;
        const auto* widget = qobject_cast<const QWidget*>(o);
        if (widget != nullptr && widget->isWindow() &&
            qobject_cast<const QMenu*>(widget) == nullptr)
            return false;
    }
    return false;
}

// A menu caption shows "&" as a mnemonic; a caption set through the form (a path in the history)
// is shown as written.
QString EscapeMnemonic(QString text) {
    return text.replace('&', "&&");
}

QString UnescapeMnemonic(QString text) {
    return text.replace("&&", "&");
}

QString MemoText(std::string_view sjis) {
    return FromSjis(sjis).replace("\r\n", "\n").replace('\r', '\n');
}

}  // namespace

TQtForm::TQtForm(QWidget& window) : window_(window) {}

QObject* TQtForm::Find(std::string_view name) const {
    const QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    if (const auto it = cache_.constFind(key); it != cache_.constEnd() && !it->isNull())
        return it->data();
    // The window itself answers to its own name ("frmMain" holds the caption).
    if (window_.objectName() == key)
        return &window_;
    for (QObject* candidate : window_.findChildren<QObject*>(key)) {
        if (BelongsTo(candidate, &window_)) {
            cache_.insert(key, candidate);
            return candidate;
        }
    }
    return nullptr;
}

bool TQtForm::HasControl(std::string_view name) const {
    return Find(name) != nullptr;
}

std::string TQtForm::Text(std::string_view name) const {
    QObject* o = Find(name);
    if (auto* label = qobject_cast<TColorLabel*>(o))
        return ToSjis(label->Caption());
    if (auto* label = qobject_cast<QLabel*>(o))
        return ToSjis(label->text());
    if (auto* edit = qobject_cast<QLineEdit*>(o))
        return ToSjis(edit->text());
    if (auto* memo = qobject_cast<QPlainTextEdit*>(o))
        return ToSjis(memo->toPlainText().replace('\n', "\r\n"));
    if (auto* combo = qobject_cast<QComboBox*>(o))
        return ToSjis(combo->currentText());
    if (auto* button = qobject_cast<QAbstractButton*>(o))
        return ToSjis(button->text());
    if (auto* group = qobject_cast<QGroupBox*>(o))
        return ToSjis(group->title());
    if (auto* tabs = qobject_cast<QTabWidget*>(o))
        return ToSjis(tabs->tabText(tabs->currentIndex()));
    if (auto* action = qobject_cast<QAction*>(o))
        return ToSjis(UnescapeMnemonic(action->text()));
    if (auto* widget = qobject_cast<QWidget*>(o))
        return ToSjis(widget->windowTitle());
    return {};
}

void TQtForm::SetText(std::string_view name, std::string_view text) {
    QObject* o = Find(name);
    const QString value = FromSjis(text);
    if (auto* label = qobject_cast<TColorLabel*>(o)) {
        label->SetCaption(value);
    } else if (auto* label = qobject_cast<QLabel*>(o)) {
        label->setText(value);
    } else if (auto* edit = qobject_cast<QLineEdit*>(o)) {
        if (edit->text() != value)
            edit->setText(value);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(o)) {
        const QString lines = MemoText(text);
        if (memo->toPlainText() != lines)
            memo->setPlainText(lines);
    } else if (auto* combo = qobject_cast<QComboBox*>(o)) {
        if (combo->isEditable())
            combo->setEditText(value);
    } else if (auto* button = qobject_cast<QAbstractButton*>(o)) {
        button->setText(value);
    } else if (auto* group = qobject_cast<QGroupBox*>(o)) {
        group->setTitle(value);
    } else if (auto* action = qobject_cast<QAction*>(o)) {
        action->setText(EscapeMnemonic(value));
    } else if (qobject_cast<QTabWidget*>(o) != nullptr) {
        // The page captions are fixed; the text of the page control is the active page's.
    } else if (auto* widget = qobject_cast<QWidget*>(o)) {
        widget->setWindowTitle(value);
    }
}

bool TQtForm::Checked(std::string_view name) const {
    QObject* o = Find(name);
    if (auto* button = qobject_cast<QAbstractButton*>(o))
        return button->isChecked();
    if (auto* action = qobject_cast<QAction*>(o))
        return action->isChecked();
    return false;
}

void TQtForm::SetChecked(std::string_view name, bool checked) {
    QObject* o = Find(name);
    if (auto* button = qobject_cast<QAbstractButton*>(o)) {
        button->setChecked(checked);
    } else if (auto* action = qobject_cast<QAction*>(o)) {
        action->setChecked(checked);
    }
}

int TQtForm::ItemIndex(std::string_view name) const {
    QObject* o = Find(name);
    if (auto* combo = qobject_cast<QComboBox*>(o))
        return combo->currentIndex();
    if (auto* group = qobject_cast<TRadioGroup*>(o))
        return group->ItemIndex();
    if (auto* tabs = qobject_cast<QTabWidget*>(o))
        return tabs->currentIndex();
    return -1;
}

void TQtForm::SetItemIndex(std::string_view name, int index) {
    QObject* o = Find(name);
    if (auto* combo = qobject_cast<QComboBox*>(o)) {
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    } else if (auto* group = qobject_cast<TRadioGroup*>(o)) {
        group->SetItemIndex(index);
    } else if (auto* tabs = qobject_cast<QTabWidget*>(o)) {
        tabs->setCurrentIndex(index);
    }
}

int TQtForm::Position(std::string_view name) const {
    if (auto* bar = FindAs<QProgressBar>(name))
        return bar->value();
    return 0;
}

void TQtForm::SetPosition(std::string_view name, int position) {
    if (auto* bar = FindAs<QProgressBar>(name)) {
        // setValue paints the bar there and then; with updates held back it is painted with the
        // rest of the window, when the platform repaints.
        bar->setUpdatesEnabled(false);
        bar->setValue(position);
        bar->setUpdatesEnabled(true);
    }
}

TColor TQtForm::FontColor(std::string_view name) const {
    QObject* o = Find(name);
    if (auto* label = qobject_cast<TColorLabel*>(o))
        return label->FontColor();
    if (auto* shape = dynamic_cast<TLineShape*>(o))
        return shape->PenColor();
    if (auto* widget = qobject_cast<QWidget*>(o))
        return FromQColor(widget->palette().color(QPalette::Active, QPalette::WindowText));
    return 0;
}

void TQtForm::SetFontColor(std::string_view name, TColor color) {
    QObject* o = Find(name);
    if (auto* label = qobject_cast<TColorLabel*>(o)) {
        label->SetFontColor(color);
    } else if (auto* shape = dynamic_cast<TLineShape*>(o)) {
        shape->SetPenColor(color);
    } else if (auto* widget = qobject_cast<QWidget*>(o)) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, ToQColor(color));
        widget->setPalette(palette);
    }
}

TColor TQtForm::Color(std::string_view name) const {
    QObject* o = Find(name);
    if (auto* label = qobject_cast<TColorLabel*>(o))
        return label->OwnColor();
    if (auto* shape = dynamic_cast<TLineShape*>(o))
        return shape->PenColor();
    if (auto* widget = qobject_cast<QWidget*>(o))
        return FromQColor(widget->palette().color(QPalette::Active, QPalette::Window));
    return 0;
}

void TQtForm::SetColor(std::string_view name, TColor color) {
    QObject* o = Find(name);
    if (auto* label = qobject_cast<TColorLabel*>(o)) {
        label->SetOwnColor(color);
    } else if (auto* shape = dynamic_cast<TLineShape*>(o)) {
        shape->SetPenColor(color);
    } else if (auto* widget = qobject_cast<QWidget*>(o)) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, ToQColor(color));
        widget->setPalette(palette);
    }
}

bool TQtForm::Enabled(std::string_view name) const {
    QObject* o = Find(name);
    if (auto* widget = qobject_cast<QWidget*>(o))
        return !widget->testAttribute(Qt::WA_ForceDisabled);
    // A hidden action reports itself disabled; its own flag is what the program set, and the
    // program never disables a menu item.
    if (auto* action = qobject_cast<QAction*>(o))
        return action->isEnabled() || !action->isVisible();
    return false;
}

void TQtForm::SetEnabled(std::string_view name, bool enabled) {
    QObject* o = Find(name);
    if (auto* widget = qobject_cast<QWidget*>(o)) {
        widget->setEnabled(enabled);
    } else if (auto* action = qobject_cast<QAction*>(o)) {
        action->setEnabled(enabled);
    }
}

bool TQtForm::Visible(std::string_view name) const {
    QObject* o = Find(name);
    if (auto* widget = qobject_cast<QWidget*>(o))
        return !widget->isHidden();
    if (auto* action = qobject_cast<QAction*>(o))
        return action->isVisible();
    return false;
}

void TQtForm::SetVisible(std::string_view name, bool visible) {
    QObject* o = Find(name);
    if (auto* widget = qobject_cast<QWidget*>(o)) {
        widget->setVisible(visible);
    } else if (auto* action = qobject_cast<QAction*>(o)) {
        action->setVisible(visible);
    }
}

void TQtForm::SetChangeHandler(std::string_view name, std::function<void()> handler) {
    QObject* o = Find(name);
    if (o == nullptr)
        return;
    const std::string key(name);
    const bool connected = handlers_.count(key) != 0;
    handlers_[key] = std::move(handler);
    if (connected)
        return;
    const auto run = [this, key] { RunChangeHandler(key); };
    if (auto* edit = qobject_cast<QLineEdit*>(o)) {
        QObject::connect(edit, &QLineEdit::textChanged, edit, run);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(o)) {
        QObject::connect(memo, &QPlainTextEdit::textChanged, memo, run);
    } else if (auto* combo = qobject_cast<QComboBox*>(o)) {
        QObject::connect(combo, &QComboBox::currentIndexChanged, combo, run);
    } else if (auto* group = qobject_cast<TRadioGroup*>(o)) {
        QObject::connect(group, &TRadioGroup::itemIndexChanged, group, run);
    } else if (auto* button = qobject_cast<QAbstractButton*>(o)) {
        QObject::connect(button, &QAbstractButton::toggled, button, run);
    } else if (auto* tabs = qobject_cast<QTabWidget*>(o)) {
        QObject::connect(tabs, &QTabWidget::currentChanged, tabs, run);
    }
}

void TQtForm::RunChangeHandler(const std::string& name) {
    const auto it = handlers_.find(name);
    if (it == handlers_.end() || !it->second)
        return;
    // The handler may replace itself; run a copy.
    const std::function<void()> handler = it->second;
    handler();
}
