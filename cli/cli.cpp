#include "cli/cli.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <system_error>

#include "cli/file_watch.h"
#include "cli/help_text.h"
#include "cli/temp_file.h"
#include "cli/terminal_platform.h"
#include "cli/tree_report.h"
#include "cli/watch_report.h"
#include "commands/page_conversion.h"
#include "commands/text_box_conversion.h"
#include "engine/base/file_paths.h"
#include "engine/base/identity.h"
#include "engine/base/main_window_controls.h"
#include "engine/batch/batch_run.h"
#include "engine/batch/text_tree.h"
#include "engine/page/conversion_messages.h"
#include "engine/page/converter.h"
#include "engine/text/encoding.h"
#include "engine/text/file_failure.h"
#include "settings/option_dialog_controls.h"
#include "settings/options_folder.h"
#include "settings/output_path.h"
#include "settings/rule_line_count_check.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "settings/settings_messages.h"
#include "settings/untIniOption.h"

namespace {

// One --set: the key as the file names it and the value in Shift_JIS.
struct TSettingsAssignment {
    std::string Section;
    std::string Key;
    std::string Value;
};

struct TCliOptions {
    std::vector<std::string> Files;
    std::optional<std::string> SettingsFile;
    std::vector<TSettingsAssignment> Assignments;
    std::optional<std::string> SaveSettings;
    std::optional<std::string> Output;
    bool TextBox = false;
    bool Quiet = false;
    bool Watch = false;
    // -r: Files are folders whose trees are converted by Jobs jobs at once.
    bool Recursive = false;
    std::optional<int> Jobs;
    std::optional<std::string> OutDir;
    std::vector<std::string> Globs;
};

// Parses the argument of --set into o; false with the message for bad usage.
bool ParseAssignment(const std::string& text, TCliOptions& o, std::ostream& err) {
    const std::size_t eq = text.find('=');
    const std::size_t dot = text.find('.');
    if (eq == std::string::npos || dot == std::string::npos || dot > eq) {
        err << "porukano-cli: --set needs SECTION.KEY=VALUE, not " << text << '\n';
        return false;
    }
    TSettingsAssignment a;
    const std::string name = text.substr(0, eq);
    if (!FindSettingsKey(name.substr(0, dot), name.substr(dot + 1), a.Section, a.Key)) {
        err << "porukano-cli: --set: " << name
            << " is no settings-file key (see porukano-cli --help)\n";
        return false;
    }
    const std::string value = text.substr(eq + 1);
    if (value.find_first_of("\r\n") != std::string::npos) {
        err << "porukano-cli: --set " << name << ": a value is one line\n";
        return false;
    }
    std::optional<std::string> sjis = Utf8ToSjis(value);
    if (!sjis) {
        err << "porukano-cli: --set " << name
            << ": the value holds a character without a Shift_JIS (CP932) form\n";
        return false;
    }
    a.Value = *std::move(sjis);
    o.Assignments.push_back(std::move(a));
    return true;
}

// The number an encoding name stands for in the settings file's key (main.InputEncoding or
// main.OutputEncoding), letter case ignored; std::nullopt for an unknown name.
std::optional<int> EncodingNumber(std::string name, bool input) {
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name == "shift_jis" || name == "sjis" || name == "cp932")
        return 1;
    if (name == "utf-8")
        return 2;
    if (name == "euc-jp")
        return 3;
    if (input && name == "auto")
        return 0;
    if (input && name == "iso-2022-jp")
        return 4;
    if (!input && name == "input")
        return 0;
    return std::nullopt;
}

// The most jobs -j takes: far more threads than any machine has cores would only cost memory.
constexpr int kMostJobs = 256;

std::optional<int> JobCount(const std::string& text) {
    if (text.empty() || text.size() > 3 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int jobs = std::stoi(text);
    if (jobs < 1 || jobs > kMostJobs)
        return std::nullopt;
    return jobs;
}

// Parses args; returns an exit code when the run ends here (help, version, bad usage).
std::optional<int> ParseArgs(const std::vector<std::string>& args, TCliOptions& o,
                             std::ostream& out, std::ostream& err) {
    bool onlyFiles = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (onlyFiles || a == "-" || a.empty() || a[0] != '-') {
            o.Files.push_back(a);
        } else if (a == "--") {
            onlyFiles = true;
        } else if (a == "-h" || a == "--help") {
            out << HelpText(IsJapaneseLocale());
            return 0;
        } else if (a == "--version") {
            out << kIdentityUtf8 << '\n';
            return 0;
        } else if (a == "-q" || a == "--quiet") {
            o.Quiet = true;
        } else if (a == "--text-box") {
            o.TextBox = true;
        } else if (a == "-w" || a == "--watch") {
            o.Watch = true;
        } else if (a == "-r" || a == "--recursive") {
            o.Recursive = true;
        } else if (a == "-j" || a == "--jobs") {
            const std::optional<int> jobs =
                i + 1 < args.size() ? JobCount(args[i + 1]) : std::nullopt;
            if (!jobs) {
                err << "porukano-cli: " << a << " needs a number of jobs from 1 to " << kMostJobs
                    << '\n';
                return 2;
            }
            ++i;
            o.Jobs = jobs;
        } else if (a == "--out-dir" || a == "--glob") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                err << "porukano-cli: " << a
                    << (a == "--glob" ? " needs a pattern\n" : " needs a path\n");
                return 2;
            }
            if (a == "--glob")
                o.Globs.push_back(args[++i]);
            else
                o.OutDir = args[++i];
        } else if (a == "--input-encoding" || a == "--output-encoding") {
            const bool input = a == "--input-encoding";
            const std::optional<int> number =
                i + 1 < args.size() ? EncodingNumber(args[i + 1], input) : std::nullopt;
            if (!number) {
                err << "porukano-cli: " << a
                    << (input ? " needs auto, shift_jis, utf-8, euc-jp or iso-2022-jp\n"
                              : " needs input, shift_jis, utf-8 or euc-jp\n");
                return 2;
            }
            ++i;
            o.Assignments.push_back(
                {"main", input ? "InputEncoding" : "OutputEncoding", std::to_string(*number)});
        } else if (a == "-o" || a == "--output" || a == "-s" || a == "--settings" ||
                   a == "--save-settings" || a == "--set") {
            if (i + 1 >= args.size()) {
                err << "porukano-cli: " << a
                    << (a == "--set" ? " needs SECTION.KEY=VALUE\n" : " needs a path\n");
                return 2;
            }
            const std::string& value = args[++i];
            if (a == "--set") {
                if (!ParseAssignment(value, o, err))
                    return 2;
            } else if (a == "-s" || a == "--settings") {
                o.SettingsFile = value;
            } else if (a == "--save-settings") {
                o.SaveSettings = value;
            } else {
                o.Output = value;
            }
        } else {
            err << "porukano-cli: unknown option " << a << "\nTry 'porukano-cli --help'.\n";
            return 2;
        }
    }
    if (o.Files.empty() && !o.SaveSettings) {
        err << "porukano-cli: no input file\nTry 'porukano-cli --help'.\n";
        return 2;
    }
    if (o.Watch &&
        (o.Files.empty() || std::find(o.Files.begin(), o.Files.end(), "-") != o.Files.end())) {
        err << "porukano-cli: --watch needs files (not standard input)\n";
        return 2;
    }
    if (!o.Recursive && (o.Jobs || o.OutDir || !o.Globs.empty())) {
        err << "porukano-cli: --jobs, --out-dir and --glob go with -r\n";
        return 2;
    }
    if (o.Recursive && (o.Watch || o.TextBox || o.Output ||
                        std::find(o.Files.begin(), o.Files.end(), "-") != o.Files.end())) {
        err << "porukano-cli: -r takes folders; not with --watch, --text-box, -o or \"-\"\n";
        return 2;
    }
    if (o.Output && o.Files.size() > 1) {
        err << "porukano-cli: -o takes a single input file\n";
        return 2;
    }
    return std::nullopt;
}

class TCliRun {
  public:
    TCliRun(const TCliOptions& o, std::istream& in, std::ostream& out, std::ostream& err,
            bool progress)
        : cli_(o),
          in_(in),
          out_(out),
          err_(err),
          form_(MakeHeadlessMainWindow()),
          platform_(err, *form_, progress && !o.Quiet && !o.TextBox),
          env_{*form_, platform_, state_},
          settingsEnv_{*form_, platform_, state_, history_, {}} {
        state_.OptionsFolder = FindOptionsFolder();
        ConnectRuleLineCountChecks(*form_, platform_);
    }

    int Run() {
        ReadProgramOptions();
        if (!LoadCommandLineSettings() || !SaveCommandLineSettings())
            return 1;
        if (cli_.Watch)
            return Watch();
        if (cli_.Recursive)
            return ConvertTrees();
        bool allOk = true;
        for (const std::string& file : cli_.Files)
            allOk = Convert(file) && allOk;
        return allOk ? 0 : 1;
    }

  private:
    bool Convert(const std::string& file) {
        const bool ok = cli_.TextBox ? ConvertTextBox(file) : ConvertPage(file);
        platform_.EndProgress();
        return ok;
    }

    // --watch: every file converted, then each again after it changed, until interrupted. The
    // watch begins before the first conversions so that no change is missed.
    int Watch() {
        const TInterruptSignals interrupt;
        std::string refused;
        const std::unique_ptr<TFileWatch> watch = MakeFileWatch(cli_.Files, interrupt, refused);
        if (!watch) {
            err_ << "porukano-cli: --watch: " << (refused.empty() ? "" : refused + ": ")
                 << std::generic_category().message(errno) << '\n';
            return 1;
        }
        TWatchReport report(err_, IsJapaneseLocale());
        for (const std::string& file : cli_.Files)
            report.Converted(file, Convert(file));
        while (const std::optional<std::vector<std::size_t>> changed = watch->Wait()) {
            for (const std::size_t i : *changed)
                report.Converted(cli_.Files[i], Convert(cli_.Files[i]));
        }
        report.Ended();
        return 0;
    }

    // -r: every text of the folders' trees, by several jobs at once. Each file's messages come
    // together and in the list's order; the files not converted are listed at the end with
    // theirs. Ctrl+C stops the run: no file starts after it, and a page cut short is removed.
    int ConvertTrees() {
        TTreeRequest request;
        request.Folders = cli_.Files;
        request.Patterns = cli_.Globs;
        request.OutFolder = cli_.OutDir.value_or("");
        request.PageOf = [this](const std::string& text) { return MakeOutputPath(text, options_); };
        const bool japanese = IsJapaneseLocale();
        const TInterruptSignals interrupt;
        TBatchRun run(ListTreeTexts(request), *form_, state_,
                      cli_.Jobs.value_or(DefaultJobCount()));
        std::vector<std::pair<std::string, std::vector<TBatchMessage>>> failed;
        const auto done = [&](const TBatchFile& file, const TBatchResult& result) {
            if (result.Outcome == TBatchOutcome::Failed) {
                failed.emplace_back(file.Text, result.Messages);
                return;
            }
            for (const TBatchMessage& message : result.Messages)
                ShowOk(platform_, message.Kind, message.Text);
        };
        const auto drawProgress = [&] {
            const TBatchProgress progress = run.Progress();
            const int percent = progress.Bytes == 0
                                    ? static_cast<int>(progress.FilesDone * 100 /
                                                       std::max<std::size_t>(progress.Files, 1))
                                    : static_cast<int>(progress.BytesDone * 100 / progress.Bytes);
            platform_.DrawProgress(percent, TreeProgressText(progress, japanese));
        };
        drawProgress();
        while (run.Deliver(done, std::chrono::milliseconds(100))) {
            if (interrupt.Interrupted())
                run.Cancel();
            drawProgress();
        }
        drawProgress();
        platform_.EndProgress();
        TTreeReport report(err_, japanese);
        report.ListBegins(run.Counts());
        for (const auto& [file, messages] : failed) {
            report.FailedFile(file);
            for (const TBatchMessage& message : messages)
                ShowOk(platform_, message.Kind, message.Text);
        }
        report.Interrupted(run.Counts().Cancelled);
        return run.Counts().Failed + run.Counts().Cancelled == 0 ? 0 : 1;
    }

    // The options of porukano.ini, read through the options dialog as the window does; a file
    // that cannot be read leaves the defaults (its warning is shown).
    void ReadProgramOptions() {
        const std::unique_ptr<THeadlessForm> dialog = MakeHeadlessOptionDialog();
        ReadOptions(OptionsFilePath(state_.OptionsFolder), *dialog, options_, platform_);
        ApplyOptionDialog(*dialog, options_);
    }

    // --settings and --set: the file (or the fresh window's controls as they stand) with every
    // --set applied, read into the window as a settings file is. The history is not touched.
    bool LoadCommandLineSettings() {
        if (!cli_.SettingsFile && cli_.Assignments.empty())
            return true;
        TProfileFile profile;
        std::string name = "porukano-cli";
        if (cli_.SettingsFile) {
            name = *cli_.SettingsFile;
            if (profile.Load(name) != TProfileOpenResult::Opened) {
                ShowCannotOpenSettings(platform_, name);
                return false;
            }
        } else if (!WriteControlsProfile(profile, *form_, platform_)) {
            return false;
        }
        for (const TSettingsAssignment& a : cli_.Assignments)
            profile.WriteString(a.Section, a.Key, a.Value);
        return LoadSettingsProfile(settingsEnv_, profile, name) == TLoadResult::Loaded;
    }

    bool SaveCommandLineSettings() {
        if (!cli_.SaveSettings)
            return true;
        TStrInfo settings;
        return GatherSettings(*form_, platform_, settings) &&
               SaveSettingsFile(settingsEnv_, *cli_.SaveSettings, settings);
    }

    // A native input path: the file itself, or standard input copied to a temporary file.
    std::optional<std::string> InputPath(const std::string& file, TTempFile& stdinCopy) {
        if (file != "-")
            return file;
        if (!stdinCopy.Ok() || !stdinCopy.Fill(in_)) {
            ShowOk(platform_, TMessageKind::Error, Sjis("標準入力を読み込めません"));
            return std::nullopt;
        }
        return stdinCopy.Path();
    }

    bool ToStandardOutput(const std::string& file) const {
        return cli_.Output ? *cli_.Output == "-" : file == "-";
    }

    bool CopyToStandardOutput(const TTempFile& page) {
        errno = 0;
        if (page.CopyTo(out_))
            return true;
        ShowWriteFailure(platform_, FileFailureReason(errno, TFileUse::Write, "-"));
        return false;
    }

    bool ConvertPage(const std::string& file) {
        TTempFile stdinCopy, stdoutCopy;
        const std::optional<std::string> input = InputPath(file, stdinCopy);
        if (!input)
            return false;
        const bool toStdout = ToStandardOutput(file);
        const std::string output = toStdout      ? stdoutCopy.Path()
                                   : cli_.Output ? *cli_.Output
                                                 : MakeOutputPath(file, options_);
        // The separate stylesheet is placed by the input-path field: put it beside the page.
        const std::string pageFolderAnchor =
            toStdout ? (std::filesystem::current_path() / "stdin").string() : output;
        form_->SetText("lblInputFilePath", PathForMessage(pageFolderAnchor));
        if (!ConvertToPage(env_, *input, options_, output).Converted)
            return false;
        return !toStdout || CopyToStandardOutput(stdoutCopy);
    }

    bool ConvertTextBox(const std::string& file) {
        TTempFile stdinCopy;
        const std::optional<std::string> input = InputPath(file, stdinCopy);
        if (!input)
            return false;
        std::vector<std::string> converted;
        if (!ConvertTextBoxFile(env_, *input, converted))
            return false;
        std::unique_ptr<std::ofstream> file_out;
        std::ostream* target = &out_;
        errno = 0;
        if (cli_.Output && *cli_.Output != "-") {
            file_out = std::make_unique<std::ofstream>(*cli_.Output, std::ios::binary);
            target = file_out.get();
        }
        for (const std::string& entry : converted)
            *target << entry << "\r\n";
        target->flush();
        if (!target->good()) {
            const std::string path = file_out ? *cli_.Output : "-";
            ShowWriteFailure(platform_, FileFailureReason(errno, TFileUse::Write, path));
            return false;
        }
        return true;
    }

    const TCliOptions& cli_;
    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    std::unique_ptr<THeadlessForm> form_;
    TTerminalPlatform platform_;
    TProgramState state_;
    TEngineEnv env_;
    TSettingsHistory history_;
    TSettingsEnv settingsEnv_;
    TOption options_;
};

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, bool progressAllowed) {
    TCliOptions options;
    if (const std::optional<int> code = ParseArgs(args, options, out, err))
        return *code;
    try {
        return TCliRun(options, in, out, err, progressAllowed).Run();
    } catch (const std::exception& e) {
        err << "porukano-cli: " << e.what() << '\n';
        return 1;
    }
}
