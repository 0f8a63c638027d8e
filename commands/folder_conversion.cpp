#include "commands/folder_conversion.h"

#include <utility>

#include "engine/base/file_paths.h"
#include "engine/text/encoding.h"
#include "settings/output_path.h"

namespace {

// The files of one kind in the summary, each with its messages, the first few only.
std::string FileList(const std::string& heading,
                     const std::vector<std::pair<std::string, std::vector<TBatchMessage>>>& files) {
    if (files.empty())
        return {};
    std::string text = "\r\n\r\n" + heading;
    for (std::size_t i = 0; i < files.size() && i < kMostFilesInSummary; ++i) {
        text += "\r\n" + PathForMessage(files[i].first);
        for (const TBatchMessage& message : files[i].second)
            text += "\r\n" + message.Text;
    }
    if (files.size() > kMostFilesInSummary) {
        text += "\r\n" + Sjis("ほか ") + std::to_string(files.size() - kMostFilesInSummary) +
                Sjis(" 個");
    }
    return text;
}

}  // namespace

TBatchCounts RunBatch(TCommandEnv& env, std::vector<TBatchFile> files,
                      const std::function<void(const TBatchFile&, const TBatchResult&)>& done) {
    TBatchRun run(std::move(files), env.Engine.Form, env.Engine.State, DefaultJobCount());
    if (env.FollowBatch) {
        env.FollowBatch(run, done);
    } else {
        while (run.Deliver(done, std::chrono::milliseconds(100))) {
        }
    }
    return run.Counts();
}

void ConvertFolderCommand(TCommandEnv& env) {
    TPlatform& platform = env.Engine.Platform;
    const std::string input = env.InputPath ? env.InputPath() : std::string();
    const std::optional<std::string> folder = platform.FolderDialog(
        Sjis("変換するフォルダを選んでください"), input.empty() ? input : FolderPartOf(input));
    if (!folder)
        return;
    TTreeRequest request;
    request.Folders = {*folder};
    request.Patterns = {"*.txt"};
    request.PageOf = [&env](const std::string& text) { return MakeOutputPath(text, env.Options); };
    std::vector<TBatchFile> files = ListTreeTexts(request);
    if (files.empty()) {
        ShowOk(platform, TMessageKind::Information,
               Sjis("以下のフォルダには変換するテキスト（*.txt）がありません。\r\n\t") +
                   PathForMessage(*folder));
        return;
    }
    if (!env.Options.CnvDialogUnvisible &&
        platform.ShowMessage(TMessageKind::Confirmation,
                             std::to_string(files.size()) +
                                 Sjis("個のテキストを変換します。\r\n"
                                      "設定した拡張子でファイルを出力します。\r\n"
                                      "同じファイル名があった場合強制的に上書きされます。\r\n"
                                      "処理を始めてもいいですか？"),
                             mbYes | mbNo) == mbNo) {
        return;
    }
    std::vector<std::pair<std::string, std::vector<TBatchMessage>>> failed, warned;
    const TBatchCounts counts =
        RunBatch(env, std::move(files), [&](const TBatchFile& file, const TBatchResult& result) {
            if (result.Outcome == TBatchOutcome::Failed)
                failed.emplace_back(file.Text, result.Messages);
            else if (result.Outcome == TBatchOutcome::Converted && !result.Messages.empty())
                warned.emplace_back(file.Text, result.Messages);
        });
    ShowOk(platform, counts.Failed == 0 ? TMessageKind::Information : TMessageKind::Warning,
           Sjis("フォルダの変換を終えました。\r\n変換したファイル: ") +
               std::to_string(counts.Converted) + Sjis(" 個\r\n変換できなかったファイル: ") +
               std::to_string(counts.Failed) + Sjis(" 個\r\nキャンセルしたファイル: ") +
               std::to_string(counts.Cancelled) + Sjis(" 個") +
               FileList(Sjis("変換できなかったファイル:"), failed) +
               FileList(Sjis("メッセージのあったファイル:"), warned));
}
