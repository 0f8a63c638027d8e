#include "commands/input_encoding_label.h"

#include <optional>
#include <string>

#include "engine/base/settings_model.h"
#include "engine/encodings/text_encoding.h"
#include "engine/text/encoding.h"

void ShowInputEncoding(TCommandEnv& env) {
    TForm& window = env.Engine.Form;
    const std::string input = env.InputPath();
    const std::optional<TTextEncoding> named =
        NamedTextEncoding(InputEncodingOf(window.ItemIndex("cmbInputEncoding")));
    std::string text;
    if (!input.empty() && named) {
        text = Sjis("文字コード: ") + EncodingDisplayName(*named) + Sjis("（指定）");
    } else if (!input.empty()) {
        // A file that cannot be read shows nothing; converting it reports why.
        if (const std::optional<TTextEncoding> detected = DetectFileEncoding(input))
            text = Sjis("文字コード: ") + EncodingDisplayName(*detected) + Sjis("（自動判別）");
    }
    window.SetText("lblInputEncoding", text);
}

void ConnectInputEncodingLabel(TCommandEnv& env) {
    env.Engine.Form.SetChangeHandler("cmbInputEncoding", [&env] { ShowInputEncoding(env); });
}
