#include "cli/cli.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/temp_file.h"
#include "cli/terminal_platform.h"
#include "commands/page_conversion.h"
#include "commands/text_box_conversion.h"
#include "engine/base/file_paths.h"
#include "engine/base/identity.h"
#include "engine/base/main_window_controls.h"
#include "engine/page/conversion_messages.h"
#include "engine/page/converter.h"
#include "engine/text/encoding.h"
#include "settings/option_dialog_controls.h"
#include "settings/options_folder.h"
#include "settings/output_path.h"
#include "settings/rule_line_count_check.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "settings/settings_messages.h"
#include "settings/untIniOption.h"

namespace {

constexpr const char* kUsage =
    "Usage: porukano-cli [OPTIONS] FILE...\n"
    "Converts Japanese text files into HTML pages, with the settings of a freshly opened main\n"
    "window: HTML 4.01 Transitional, or HTML5 with --set main.DocType=1 or with the ruby\n"
    "notation on (--set main.RubyNotation=1, or Aozora Bunko's annotations with\n"
    "--set main.AozoraNotation=1). The text's encoding is detected (a byte order\n"
    "mark, then UTF-8, then Shift_JIS, EUC-JP or ISO-2022-JP; Shift_JIS when in doubt) unless\n"
    "named; the page keeps Shift_JIS and EUC-JP and is UTF-8 for every other text unless named.\n"
    "\n"
    "Each FILE is written beside itself with its extension replaced by \".htm\" (\".html\" when\n"
    "porukano.ini says Extension=1); an existing page is overwritten. porukano.ini is read from\n"
    "$PORUKANO_HOME when set, else from the program's folder when it holds a writable one, else\n"
    "from $XDG_CONFIG_HOME/porukano (~/.config/porukano), as the desktop program does.\n"
    "\"-\" as FILE reads standard input and writes standard output.\n"
    "\n"
    "Options:\n"
    "  -s, --settings FILE\n"
    "                 load a settings file (.prkn, .rkn) before converting\n"
    "  --set SECTION.KEY=VALUE\n"
    "                 set one settings-file key as if the settings file held it (after\n"
    "                 --settings; repeatable), e.g. --set main.addtag=2 --set HolLine1.Mark=-\n"
    "  --save-settings FILE\n"
    "                 write the settings in force to FILE (a .prkn file); FILE... may be empty\n"
    "  --input-encoding auto|shift_jis|utf-8|euc-jp|iso-2022-jp\n"
    "                 the encoding of the text (default auto; UTF-16 is found by its byte\n"
    "                 order mark; sjis and cp932 also name Shift_JIS)\n"
    "  --output-encoding input|shift_jis|utf-8|euc-jp\n"
    "                 the encoding of the page (default input: as the text, UTF-8 for UTF-8,\n"
    "                 ISO-2022-JP and UTF-16 text); a character the page's encoding lacks is\n"
    "                 written as a character reference such as &#x1F600;\n"
    "  -o, --output PATH\n"
    "                 write the page of a single FILE to PATH (\"-\" for standard output)\n"
    "  --text-box     print the text-box conversion (stylesheet block, then the body lines,\n"
    "                 each ended by CR LF) instead of writing a page\n"
    "  -q, --quiet    no progress bar\n"
    "  -h, --help     show this help\n"
    "  --version      show the program's identity\n"
    "\n"
    "Messages go to standard error with their kind (警告, エラー, ...). The exit status is 0 when\n"
    "every file converted, 1 when any failed (the others are still converted) or the settings\n"
    "could not be loaded or saved, 2 for bad usage.\n"
    "\n"
    "Values of --set are UTF-8 and are stored in Shift_JIS as in the file; a character without a\n"
    "Shift_JIS form is refused. Booleans are 1 or 0, list positions count from 0, multi-line\n"
    "texts end each line with the four characters \\r\\n, a double quote in keywords is &quot;.\n"
    "Settings-file keys (strongN and HolLineN for N = 1 to 5):\n";

// The key list of the help, from the table the settings file is written by.
std::string KeyHelp() {
    std::string help;
    for (const TSettingsKeyInfo& key : SettingsFileKeys()) {
        std::string name = std::string(key.Section) + (key.Numbered ? "N." : ".") + key.Key;
        name.resize(std::max<std::size_t>(name.size() + 1, 30), ' ');
        help += "  " + name + key.Kind + "\n";
    }
    return help;
}

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
            out << kUsage << KeyHelp();
            return 0;
        } else if (a == "--version") {
            out << kIdentityUtf8 << '\n';
            return 0;
        } else if (a == "-q" || a == "--quiet") {
            o.Quiet = true;
        } else if (a == "--text-box") {
            o.TextBox = true;
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
        bool allOk = true;
        for (const std::string& file : cli_.Files) {
            allOk = (cli_.TextBox ? ConvertTextBox(file) : ConvertPage(file)) && allOk;
            platform_.EndProgress();
        }
        return allOk ? 0 : 1;
    }

  private:
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
        if (page.CopyTo(out_))
            return true;
        ShowWriteFailure(platform_);
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
        if (cli_.Output && *cli_.Output != "-") {
            file_out = std::make_unique<std::ofstream>(*cli_.Output, std::ios::binary);
            target = file_out.get();
        }
        for (const std::string& entry : converted)
            *target << entry << "\r\n";
        target->flush();
        if (!target->good()) {
            ShowWriteFailure(platform_);
            return false;
        }
        return true;
    }

    const TCliOptions& cli_;
    std::istream& in_;
    std::ostream& out_;
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
