#include "engine/base/headless_form.h"

#include <algorithm>

THeadlessControl& THeadlessForm::Add(std::string name, TControlKind kind) {
    THeadlessControl& control = controls_[std::move(name)];
    control = THeadlessControl{};
    control.Kind = kind;
    return control;
}

THeadlessControl* THeadlessForm::Find(std::string_view name) {
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : &it->second;
}

const THeadlessControl* THeadlessForm::Find(std::string_view name) const {
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : &it->second;
}

std::vector<std::string> THeadlessForm::ControlNames() const {
    std::vector<std::string> names;
    names.reserve(controls_.size());
    for (const auto& [name, control] : controls_)
        names.push_back(name);
    return names;
}

bool THeadlessForm::HasControl(std::string_view name) const {
    return Find(name) != nullptr;
}

std::string THeadlessForm::Text(std::string_view name) const {
    const THeadlessControl* c = Find(name);
    return c ? c->Text : std::string();
}

void THeadlessForm::SetText(std::string_view name, std::string_view text) {
    THeadlessControl* c = Find(name);
    if (!c || c->Text == text)
        return;
    c->Text = text;
    // Edits and memos report a change of text; labels and buttons have no change behaviour.
    if ((c->Kind == TControlKind::Edit || c->Kind == TControlKind::Memo) && c->OnChange)
        c->OnChange();
}

bool THeadlessForm::Checked(std::string_view name) const {
    const THeadlessControl* c = Find(name);
    return c && c->Checked;
}

void THeadlessForm::SetChecked(std::string_view name, bool checked) {
    THeadlessControl* c = Find(name);
    if (!c || c->Checked == checked)
        return;
    c->Checked = checked;
    if (c->OnChange)
        c->OnChange();
}

int THeadlessForm::ItemIndex(std::string_view name) const {
    const THeadlessControl* c = Find(name);
    return c ? c->ItemIndex : -1;
}

void THeadlessForm::SetItemIndex(std::string_view name, int index) {
    THeadlessControl* c = Find(name);
    if (!c)
        return;
    if (c->Kind == TControlKind::RadioGroup) {
        index = std::clamp(index, -1, c->ItemCount - 1);
    } else if (index < -1 || index >= c->ItemCount) {
        index = -1;
    }
    if (c->ItemIndex == index)
        return;
    c->ItemIndex = index;
    if (c->OnChange)
        c->OnChange();
}

int THeadlessForm::Position(std::string_view name) const {
    const THeadlessControl* c = Find(name);
    return c ? c->Position : 0;
}

void THeadlessForm::SetPosition(std::string_view name, int position) {
    if (THeadlessControl* c = Find(name))
        c->Position = position;
}

TColor THeadlessForm::FontColor(std::string_view name) const {
    const THeadlessControl* c = Find(name);
    return c ? c->FontColor : 0;
}

void THeadlessForm::SetFontColor(std::string_view name, TColor color) {
    if (THeadlessControl* c = Find(name))
        c->FontColor = color;
}

TColor THeadlessForm::Color(std::string_view name) const {
    const THeadlessControl* c = Find(name);
    return c ? c->Color : 0;
}

void THeadlessForm::SetColor(std::string_view name, TColor color) {
    if (THeadlessControl* c = Find(name))
        c->Color = color;
}

bool THeadlessForm::Enabled(std::string_view name) const {
    const THeadlessControl* c = Find(name);
    return c && c->Enabled;
}

void THeadlessForm::SetEnabled(std::string_view name, bool enabled) {
    if (THeadlessControl* c = Find(name))
        c->Enabled = enabled;
}

bool THeadlessForm::Visible(std::string_view name) const {
    const THeadlessControl* c = Find(name);
    return c && c->Visible;
}

void THeadlessForm::SetVisible(std::string_view name, bool visible) {
    if (THeadlessControl* c = Find(name))
        c->Visible = visible;
}

void THeadlessForm::SetChangeHandler(std::string_view name, std::function<void()> handler) {
    if (THeadlessControl* c = Find(name))
        c->OnChange = std::move(handler);
}
