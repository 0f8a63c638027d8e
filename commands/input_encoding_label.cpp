#include "commands/input_encoding_label.h"

#include <optional>
#include <string>

#include "engine/encoding.h"
#include "engine/settings_model.h"
#include "engine/text_encoding.h"

namespace {

// The encoding a chosen item names; std::nullopt for Auto.
std::optional<TTextEncoding> NamedEncoding(TInputEncoding chosen) {
    switch (chosen) {
        case TInputEncoding::Auto:
            return std::nullopt;
        case TInputEncoding::ShiftJis:
            return TTextEncoding::ShiftJis;
        case TInputEncoding::Utf8:
            return TTextEncoding::Utf8;
        case TInputEncoding::EucJp:
            return TTextEncoding::EucJp;
        case TInputEncoding::Iso2022Jp:
            return TTextEncoding::Iso2022Jp;
    }
    return std::nullopt;
}

}  // namespace

void ShowInputEncoding(TCommandEnv& env) {
    TForm& window = env.Engine.Form;
    const std::string input = env.InputPath();
    const std::optional<TTextEncoding> named =
        NamedEncoding(InputEncodingOf(window.ItemIndex("cmbInputEncoding")));
    std::string text;
    if (input.empty()) {
        text.clear();
    } else if (named) {
        text = Sjis("文字コード: ") + EncodingDisplayName(*named) + Sjis("（指定）");
    } else if (const std::optional<TTextEncoding> detected = DetectFileEncoding(input)) {
        text = Sjis("文字コード: ") + EncodingDisplayName(*detected) + Sjis("（自動判別）");
    }
    window.SetText("lblInputEncoding", text);
}

void ConnectInputEncodingLabel(TCommandEnv& env) {
    env.Engine.Form.SetChangeHandler("cmbInputEncoding", [&env] { ShowInputEncoding(env); });
}
