#include "cli.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

#include "converter.h"
#include "encoding.h"
#include "identity.h"
#include "line_reader.h"
#include "main_window_controls.h"
#include "program_folder.h"
#include "temp_file.h"
#include "terminal_platform.h"

namespace {

constexpr const char* kUsage =
    "Usage: porukano-cli [OPTIONS] FILE...\n"
    "Converts Shift_JIS text files into HTML 4.01 pages in Shift_JIS, with the settings of a\n"
    "freshly opened main window.\n"
    "\n"
    "Each FILE is written beside itself with its extension replaced by \".htm\"; an existing\n"
    "page is overwritten. \"-\" as FILE reads standard input and writes standard output.\n"
    "\n"
    "Options:\n"
    "  -o PATH        write the page of a single FILE to PATH (\"-\" for standard output)\n"
    "  --text-box     print the text-box conversion (stylesheet block, then the body lines,\n"
    "                 each ended by CR LF) instead of writing a page\n"
    "  -q, --quiet    no progress bar\n"
    "  -h, --help     show this help\n"
    "  --version      show the program's identity\n"
    "\n"
    "Messages go to standard error with their kind (警告, エラー, ...). The exit status is 0 when\n"
    "every file converted, 1 when any failed (the others are still converted), 2 for bad usage.\n";

struct TCliOptions {
    std::vector<std::string> Files;
    std::optional<std::string> Output;
    bool TextBox = false;
    bool Quiet = false;
};

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
            out << kUsage;
            return 0;
        } else if (a == "--version") {
            out << kIdentityUtf8 << '\n';
            return 0;
        } else if (a == "-q" || a == "--quiet") {
            o.Quiet = true;
        } else if (a == "--text-box") {
            o.TextBox = true;
        } else if (a == "-o" || a == "--output") {
            if (i + 1 >= args.size()) {
                err << "porukano-cli: " << a << " needs a path\n";
                return 2;
            }
            o.Output = args[++i];
        } else {
            err << "porukano-cli: unknown option " << a << "\nTry 'porukano-cli --help'.\n";
            return 2;
        }
    }
    if (o.Files.empty()) {
        err << "porukano-cli: no input file\nTry 'porukano-cli --help'.\n";
        return 2;
    }
    if (o.Output && o.Files.size() > 1) {
        err << "porukano-cli: -o takes a single input file\n";
        return 2;
    }
    return std::nullopt;
}

// The page beside the input: the extension (from the last "." of the file name) becomes ".htm".
std::string PageBesideInput(const std::string& input) {
    std::filesystem::path path(input);
    path.replace_extension(".htm");
    return path.string();
}

class TCliRun {
  public:
    TCliRun(const TCliOptions& o, std::istream& in, std::ostream& out, std::ostream& err,
            bool progress)
        : options_(o),
          in_(in),
          out_(out),
          form_(MakeHeadlessMainWindow()),
          platform_(err, *form_, progress && !o.Quiet && !o.TextBox),
          env_{*form_, platform_, state_} {
        state_.ProgramFolder = FindProgramFolder();
    }

    int Run() {
        bool allOk = true;
        for (const std::string& file : options_.Files) {
            allOk = (options_.TextBox ? ConvertTextBox(file) : ConvertPage(file)) && allOk;
            platform_.EndProgress();
        }
        return allOk ? 0 : 1;
    }

  private:
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
        return options_.Output ? *options_.Output == "-" : file == "-";
    }

    bool CopyToStandardOutput(const TTempFile& page) {
        if (page.CopyTo(out_))
            return true;
        ShowOk(platform_, TMessageKind::Error,
               Sjis("変換したファイルの書き込みに失敗しました。終了します"));
        return false;
    }

    bool ConvertPage(const std::string& file) {
        TTempFile stdinCopy, stdoutCopy;
        const std::optional<std::string> input = InputPath(file, stdinCopy);
        if (!input)
            return false;
        const bool toStdout = ToStandardOutput(file);
        const std::string output = toStdout          ? stdoutCopy.Path()
                                   : options_.Output ? *options_.Output
                                                     : PageBesideInput(file);
        // The separate stylesheet is placed by the input-path field: put it beside the page.
        const std::string pageFolderAnchor =
            toStdout ? (std::filesystem::current_path() / "stdin").string() : output;
        form_->SetText("lblInputFilePath", PathForMessage(pageFolderAnchor));
        bool usesImages = false;
        if (!ConvertTextFile(env_, *input, output, usesImages))
            return false;
        return !toStdout || CopyToStandardOutput(stdoutCopy);
    }

    bool ConvertTextBox(const std::string& file) {
        TTempFile stdinCopy;
        const std::optional<std::string> input = InputPath(file, stdinCopy);
        if (!input)
            return false;
        TLineReader reader(*input);
        std::vector<std::string> lines;
        std::string line;
        while (reader.Next(line))
            lines.push_back(line);
        if (!reader.Ok()) {
            ShowOk(platform_, TMessageKind::Warning,
                   Sjis("以下のファイルのオープンに失敗しました。\r\n\t") + PathForMessage(*input) +
                       Sjis("\r\n現存するファイルか確認してください。"));
            return false;
        }
        std::vector<std::string> converted;
        if (!ConvertTextBoxText(env_, converted, lines))
            return false;
        std::unique_ptr<std::ofstream> file_out;
        std::ostream* target = &out_;
        if (options_.Output && *options_.Output != "-") {
            file_out = std::make_unique<std::ofstream>(*options_.Output, std::ios::binary);
            target = file_out.get();
        }
        for (const std::string& entry : converted)
            *target << entry << "\r\n";
        target->flush();
        if (!target->good()) {
            ShowOk(platform_, TMessageKind::Error,
                   Sjis("変換したファイルの書き込みに失敗しました。終了します"));
            return false;
        }
        return true;
    }

    const TCliOptions& options_;
    std::istream& in_;
    std::ostream& out_;
    std::unique_ptr<THeadlessForm> form_;
    TTerminalPlatform platform_;
    TProgramState state_;
    TEngineEnv env_;
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
