// TForm over the real widgets of one window: each name is the objectName of a widget (or a menu
// action) of that window, text crosses into Shift_JIS here, and change handlers run on the
// widgets' own change signals, so a value set by code raises them exactly as user input does.
#pragma once

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <map>
#include <string>

#include "engine/base/form.h"

class TQtForm : public TForm {
  public:
    explicit TQtForm(QWidget& window);

    // The widget or action of that name in this window (not in a dialog it owns); nullptr when
    // there is none.
    QObject* Find(std::string_view name) const;
    template <typename T>
    T* FindAs(std::string_view name) const {
        return qobject_cast<T*>(Find(name));
    }

    bool HasControl(std::string_view name) const override;
    std::string Text(std::string_view name) const override;
    void SetText(std::string_view name, std::string_view text) override;
    bool Checked(std::string_view name) const override;
    void SetChecked(std::string_view name, bool checked) override;
    int ItemIndex(std::string_view name) const override;
    void SetItemIndex(std::string_view name, int index) override;
    int Position(std::string_view name) const override;
    void SetPosition(std::string_view name, int position) override;
    TColor FontColor(std::string_view name) const override;
    void SetFontColor(std::string_view name, TColor color) override;
    TColor Color(std::string_view name) const override;
    void SetColor(std::string_view name, TColor color) override;
    bool Enabled(std::string_view name) const override;
    void SetEnabled(std::string_view name, bool enabled) override;
    bool Visible(std::string_view name) const override;
    void SetVisible(std::string_view name, bool visible) override;
    void SetChangeHandler(std::string_view name, std::function<void()> handler) override;

  private:
    void RunChangeHandler(const std::string& name);

    QWidget& window_;
    mutable QHash<QString, QPointer<QObject>> cache_;
    std::map<std::string, std::function<void()>, std::less<>> handlers_;
};
