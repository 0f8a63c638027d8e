// A window without a screen: named controls holding the same state a real window's controls
// would, for the command line and the tests.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/base/form.h"

enum class TControlKind {
    Label,
    Edit,
    Memo,
    CheckBox,
    ComboBox,
    RadioGroup,
    ProgressBar,
    Button,
    MenuItem
};

struct THeadlessControl {
    TControlKind Kind = TControlKind::Label;
    std::string Text;
    bool Checked = false;
    int ItemIndex = -1;
    int ItemCount = 0;  // drop-down items or radio buttons
    int Position = 0;
    TColor FontColor = 0;
    TColor Color = 0xFFFFFF;
    bool Enabled = true;
    bool Visible = true;
    std::function<void()> OnChange;
};

class THeadlessForm : public TForm {
  public:
    // Adds (or replaces) a control; returns it so the caller can set its initial state.
    THeadlessControl& Add(std::string name, TControlKind kind);
    // The control itself, for tests and setup; nullptr when there is none.
    THeadlessControl* Find(std::string_view name);
    const THeadlessControl* Find(std::string_view name) const;
    // The names of every control, in name order.
    std::vector<std::string> ControlNames() const;

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
    std::map<std::string, THeadlessControl, std::less<>> controls_;
};
