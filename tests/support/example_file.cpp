#include "tests/support/example_file.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "engine/text/encoding.h"

namespace {

std::string Restore(std::string text) {
    for (const auto& [mark, byte] : {std::pair<std::string, std::string>{"→", "\t"}, {"␣", " "}}) {
        for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at)) {
            text.replace(at, mark.size(), byte);
        }
    }
    return text;
}

TColor HexColor(const std::string& hex) {
    const unsigned long rgb = std::stoul(hex, nullptr, 16);
    return RgbToColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

std::vector<TExample> ReadExampleFile(const std::string& path) {
    std::ifstream file(path);
    if (!file)
        throw std::runtime_error("cannot read " + path);
    std::vector<TExample> examples;
    std::string line;
    int number = 0;
    int part = -1;  // -1 outside an example, then 0 controls, 1 input, 2 expected
    while (std::getline(file, line)) {
        ++number;
        if (part < 0) {
            if (line == "```example") {
                examples.emplace_back();
                examples.back().Line = number;
                examples.back().Where = path + ":" + std::to_string(number);
                part = 0;
            }
            continue;
        }
        TExample& e = examples.back();
        if (line == "```" && part == 2) {
            part = -1;
        } else if (line == ".") {
            ++part;
        } else if (part == 0) {
            const std::size_t eq = line.find('=');
            if (eq == std::string::npos)
                throw std::runtime_error(e.Where + ": control line without =");
            std::string value = line.substr(eq + 1);
            for (std::size_t at = value.find("\\n"); at != std::string::npos;
                 at = value.find("\\n", at)) {
                value.replace(at, 2, "\r\n");
            }
            e.Controls.emplace_back(line.substr(0, eq), Restore(value));
        } else {
            (part == 1 ? e.Input : e.Expected).push_back(Restore(line));
        }
    }
    if (part >= 0)
        throw std::runtime_error(path + ": example not closed");
    return examples;
}

bool ApplyExampleControl(THeadlessForm& form, const std::string& name, const std::string& value) {
    const std::size_t dot = name.find('.');
    THeadlessControl* c = form.Find(name.substr(0, dot));
    if (!c)
        return false;
    if (dot != std::string::npos) {
        const std::string property = name.substr(dot + 1);
        if (property == "FontColor") {
            form.SetFontColor(name.substr(0, dot), HexColor(value));
        } else if (property == "Color") {
            form.SetColor(name.substr(0, dot), HexColor(value));
        } else {
            return false;
        }
        return true;
    }
    const std::string control = name;
    switch (c->Kind) {
        case TControlKind::CheckBox:
            form.SetChecked(control, value == "1");
            break;
        case TControlKind::ComboBox:
        case TControlKind::RadioGroup:
            form.SetItemIndex(control, std::stoi(value));
            break;
        default:
            form.SetText(control, Sjis(value));
    }
    return true;
}

std::vector<std::string> BodyLines(const std::string& page) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < page.size()) {
        std::size_t end = page.find("\r\n", start);
        if (end == std::string::npos)
            end = page.size();
        lines.push_back(page.substr(start, end - start));
        start = end + 2;
    }
    const auto body = std::find(lines.begin(), lines.end(), "<body>");
    if (body == lines.end())
        return lines;
    const auto close = std::find(body, lines.end(), "</body>");
    return std::vector<std::string>(body + 1, close);
}
