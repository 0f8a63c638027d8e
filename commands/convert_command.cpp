#include "commands/convert_command.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "commands/page_conversion.h"
#include "engine/base/file_paths.h"
#include "engine/text/encoding.h"
#include "settings/output_path.h"

namespace {

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// The page to write for input: MakeOutputPath's, or, when that exists and the user declines to
// overwrite it, the one the save dialog gives. std::nullopt (with its message) when cancelled.
std::optional<std::string> ChoosePage(TCommandEnv& env, const std::string& input) {
    TPlatform& platform = env.Engine.Platform;
    const std::string output = MakeOutputPath(input, env.Options);
    if (!FileExists(output) || env.Options.OverWrite ||
        platform.ShowMessage(
            TMessageKind::Confirmation,
            PathForMessage(output) + "\r\n" + Sjis("がすでに存在します。上書きしますか？"),
            mbYes | mbNo) != mbNo) {
        return output;
    }
    TFileDialogRequest request;
    request.Filter = Sjis("htmlファイル(*.htm)|*.htm");
    request.AskBeforeOverwrite = true;
    std::optional<std::string> chosen = platform.SaveFileDialog(request);
    if (!chosen)
        ShowOk(platform, TMessageKind::Confirmation, Sjis("出力ファイルが指定されていません！"));
    return chosen;
}

}  // namespace

void ConvertCommand(TCommandEnv& env) {
    TPlatform& platform = env.Engine.Platform;
    const std::string input = env.InputPath();
    if (input.empty()) {
        ShowOk(platform, TMessageKind::Confirmation, Sjis("入力ファイルが指定されていません！"));
        return;
    }
    ReadOptions(env.OptionsPath, *env.OptionDialog, env.Options, platform);
    ApplyOptionDialog(*env.OptionDialog, env.Options);
    const std::optional<std::string> output = ChoosePage(env, input);
    if (!output)
        return;
    const TPageResult page = ConvertToPage(env.Engine, input, env.Options, *output);
    if (!page.Converted)
        return;
    if (!env.Options.NoDialog) {
        std::string text = Sjis("変換したファイルを\r\n") + PathForMessage(page.Page) + "\r\n" +
                           Sjis("に出力しました。");
        if (page.UsesLocalImages) {
            text += "\r\n" + Sjis("画像のパスは設置するＷｅｂサーバーのパスに") + "\r\n" +
                    Sjis("合うように各自で修正してください。") + "\r\n" +
                    Sjis("注)今のままではこのＰＣ上でしか表示できません。");
        }
        ShowOk(platform, TMessageKind::Information, text);
    }
    if (env.Engine.Form.Checked("chkbxPreview"))
        ShowPage(platform, env.Options, page.Page, true);
}
