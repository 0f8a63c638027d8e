// The controls of one window, looked up by their names ("edtKeyword3", "lblStrong1",
// "rdgrpAddTag" ...). The engine and the settings layer read and set every setting through this
// port; a headless implementation serves the command line and the tests, the Qt one maps the
// same names onto real widgets. All text is Shift_JIS.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "engine/text/text_helpers.h"

class TForm {
  public:
    virtual ~TForm() = default;

    virtual bool HasControl(std::string_view name) const = 0;

    // Caption of a label or button, text of an edit or drop-down, whole text of a memo (lines
    // joined by CR LF). Empty for a missing control; setting a missing control does nothing.
    virtual std::string Text(std::string_view name) const = 0;
    virtual void SetText(std::string_view name, std::string_view text) = 0;

    virtual bool Checked(std::string_view name) const = 0;
    virtual void SetChecked(std::string_view name, bool checked) = 0;

    // Selected item of a drop-down (-1 for none; an index out of range selects none) or radio
    // group (clamped to its last button).
    virtual int ItemIndex(std::string_view name) const = 0;
    virtual void SetItemIndex(std::string_view name, int index) = 0;

    // Position of a progress bar.
    virtual int Position(std::string_view name) const = 0;
    virtual void SetPosition(std::string_view name, int position) = 0;

    // Font colour and own colour of labels (the settings' colours live there).
    virtual TColor FontColor(std::string_view name) const = 0;
    virtual void SetFontColor(std::string_view name, TColor color) = 0;
    virtual TColor Color(std::string_view name) const = 0;
    virtual void SetColor(std::string_view name, TColor color) = 0;

    virtual bool Enabled(std::string_view name) const = 0;
    virtual void SetEnabled(std::string_view name, bool enabled) = 0;
    virtual bool Visible(std::string_view name) const = 0;
    virtual void SetVisible(std::string_view name, bool visible) = 0;

    // The control's change behaviour: run after its text, check state or selection changed,
    // whether by the user or by one of the setters above, exactly where a real control would.
    virtual void SetChangeHandler(std::string_view name, std::function<void()> handler) = 0;
};
