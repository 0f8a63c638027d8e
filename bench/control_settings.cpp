#include "control_settings.h"

#include <fstream>

#include "encoding.h"

namespace {

TColor HexColor(const std::string& rrggbb) {
    const unsigned long v = std::stoul(rrggbb, nullptr, 16);
    return RgbToColor(static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                      static_cast<int>(v & 0xFF));
}

std::string WithMemoLines(const std::string& value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == 'n') {
            out += "\r\n";
            ++i;
        } else {
            out += value[i];
        }
    }
    return out;
}

}  // namespace

bool ApplyControlSetting(THeadlessForm& form, const std::string& line) {
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos)
        return false;
    const std::string name = line.substr(0, eq);
    const std::string value = line.substr(eq + 1);
    const std::size_t dot = name.find('.');
    const std::string control = name.substr(0, dot);
    const THeadlessControl* c = form.Find(control);
    if (!c)
        return false;
    if (dot != std::string::npos) {
        const std::string property = name.substr(dot + 1);
        if (property == "FontColor") {
            form.SetFontColor(control, HexColor(value));
        } else if (property == "Color") {
            form.SetColor(control, HexColor(value));
        } else {
            return false;
        }
        return true;
    }
    switch (c->Kind) {
        case TControlKind::CheckBox:
            form.SetChecked(control, value == "1");
            break;
        case TControlKind::ComboBox:
        case TControlKind::RadioGroup:
            form.SetItemIndex(control, std::stoi(value));
            break;
        default:
            form.SetText(control, Sjis(WithMemoLines(value)));
    }
    return true;
}

bool ApplyControlSettingsFile(THeadlessForm& form, const std::string& path, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        if (!ApplyControlSetting(form, line)) {
            error = path + ":" + std::to_string(number) + ": no such control setting: " + line;
            return false;
        }
    }
    return true;
}
