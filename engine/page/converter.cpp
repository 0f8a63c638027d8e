#include "engine/page/converter.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "engine/base/file_paths.h"
#include "engine/encodings/input_decoder.h"
#include "engine/encodings/line_reader.h"
#include "engine/encodings/lost_text_warnings.h"
#include "engine/encodings/output_file.h"
#include "engine/encodings/sjis_bridge.h"
#include "engine/encodings/threaded_line_source.h"
#include "engine/line/emphasis.h"
#include "engine/line/line_assembly.h"
#include "engine/line/prepared_emphasis.h"
#include "engine/line/regex_emphasis.h"
#include "engine/page/aozora_layout.h"
#include "engine/page/conversion_messages.h"
#include "engine/page/parallel_line_stages.h"
#include "engine/page/progress_display.h"
#include "engine/page/stylesheet.h"
#include "engine/text/encoding.h"
#include "engine/text/escaper.h"
#include "engine/text/file_failure.h"

namespace {

// Releases the compiled regular expressions and the prepared rules however the conversion ends.
class TRegexRulesGuard {
  public:
    explicit TRegexRulesGuard(std::array<TStrong, 5>& rules) : rules_(rules) {}
    ~TRegexRulesGuard() {
        ReleaseRegexRules(rules_);
        ReleaseEmphasisRules(rules_);
    }
    TRegexRulesGuard(const TRegexRulesGuard&) = delete;
    TRegexRulesGuard& operator=(const TRegexRulesGuard&) = delete;

  private:
    std::array<TStrong, 5>& rules_;
};

bool UsesLocalImages(const TStrInfo& s) {
    for (const TStrong& rule : s.Strong) {
        if (rule.KeywordAction == TKeywordAction::ReplaceByImage)
            return true;
    }
    return s.BackgroundImageOn;
}

// Truncating the output must never destroy the input it is made from.
bool IsSameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

// A page that a conversion can begin again: a regular file, or none yet. A pipe or a device keeps
// what was written to it.
bool CanBeginAgain(const std::string& path) {
    std::error_code ec;
    const std::filesystem::file_type type = std::filesystem::status(path, ec).type();
    return type == std::filesystem::file_type::regular ||
           type == std::filesystem::file_type::not_found;
}

// Prepares the emphasis rules: their prepared forms, then the compiled regular expressions
// (PrepareRegexRules, with the write-failure error when that fails).
// The tags a rule cannot use are worth a warning only where the emphasis reaches the page: the
// "<br>"-only mode applies no rule.
bool PrepareRules(TStrInfo& s, TPlatform& platform) {
    if (IsDocumentMode(s.AddTagMode))
        WarnUnusableEmphasisTags(s.Strong, platform);
    PrepareEmphasisRules(s.Strong);
    if (PrepareRegexRules(s.Strong, platform))
        return true;
    ShowWriteFailure(platform);
    return false;
}

enum class TLineResult { Written, TooLong, WriteFailed };

void ShowLineTooLong(TPlatform& platform) {
    ShowOk(platform, TMessageKind::Error, Sjis("長すぎて変換できない行があります。終了します"));
}

// Converts one line through a line object made afresh for it and hands the tagged text to emit.
// One object is renewed for every line of a conversion, so its storage serves them all. A line
// too long for the line object's positions is refused with its message. Inlined into the loops
// over the lines: as a call of its own it cost 1 % of a conversion's instructions.
template <typename Emit>
[[gnu::always_inline]] inline TLineResult ConvertLine(THtmlCnv& line, std::string_view raw,
                                                      const TStrInfo& s, TParaState& state,
                                                      TPlatform& platform,
                                                      const TSjisBridge* bridge, Emit&& emit) {
    if (!FitsLinePositions(raw, s.TabWidth)) {
        ShowLineTooLong(platform);
        return TLineResult::TooLong;
    }
    line.P_Renew(raw);
    AssembleLine(line, raw, s, state, platform, bridge);
    return emit(line.F_strGetIncTag()) ? TLineResult::Written : TLineResult::WriteFailed;
}

// ConvertLine for a line whose stages ran on another thread.
template <typename Emit>
[[gnu::always_inline]] inline TLineResult FinishStagedLine(THtmlCnv& line,
                                                           const TParallelLineStages::TLine& about,
                                                           const TStrInfo& s, TParaState& state,
                                                           TPlatform& platform, Emit&& emit) {
    if (about.TooLong) {
        ShowLineTooLong(platform);
        return TLineResult::TooLong;
    }
    if (about.ToFinish)
        FinishLine(line, about.Blank, s, state);
    return emit(line.F_strGetIncTag()) ? TLineResult::Written : TLineResult::WriteFailed;
}

// The input file read in one encoding and the page written from it.
struct TPass {
    TTextEncoding Encoding = TTextEncoding::ShiftJis;
    TPageEncoding Page = TPageEncoding::ShiftJis;
    // Carries the characters of input other than Shift_JIS, and of pages other than Shift_JIS.
    std::optional<TSjisBridge> Bridge;
    std::optional<TInputDecoder> Decoder;
    std::optional<TLineReader> Reader;
    std::optional<TOutputFile> Out;
    // The control characters the page got stand-ins for, and the line of the text that held the
    // first (0 when only the settings' text held any).
    long long ControlCharacters = 0;
    long long FirstControlLine = 0;
};

// Opens the input to be read in encoding (Shift_JIS byte for byte, any other through a decoder
// that gives up on an invalid byte when the encoding is provisional) and creates or truncates
// the page, dropping what an earlier pass left; shows the open failure of either.
bool OpenPass(TPass& pass, TTextEncoding encoding, bool provisional, const std::string& inputPath,
              const std::string& outputPath, TPlatform& platform) {
    pass.Out.reset();
    pass.Reader.reset();
    pass.Decoder.reset();
    pass.Bridge.reset();
    pass.Encoding = encoding;
    if (encoding != TTextEncoding::ShiftJis) {
        pass.Bridge.emplace();
        pass.Decoder.emplace(encoding, *pass.Bridge,
                             provisional ? TOnInvalidByte::GiveUp : TOnInvalidByte::Replace);
    }
    pass.Reader.emplace(inputPath, pass.Decoder ? &*pass.Decoder : nullptr);
    if (!pass.Reader->Ok()) {
        ShowOpenFailure(platform, inputPath,
                        FileFailureReason(pass.Reader->Error(), TFileUse::Read, inputPath));
        return false;
    }
    pass.Out.emplace(outputPath);
    if (!pass.Out->Ok()) {
        ShowOpenFailure(platform, outputPath,
                        FileFailureReason(pass.Out->Error(), TFileUse::Write, outputPath));
        return false;
    }
    return true;
}

// Keeps the user-defined characters of the settings' own text that reaches the page or is
// matched against the text meaning what they mean in the settings.
void ReserveSettingsText(TSjisBridge& bridge, const TStrInfo& s) {
    for (const auto* lines : {&s.HeaderLines, &s.FooterLines}) {
        for (const std::string& line : *lines)
            bridge.Reserve(line);
    }
    bridge.Reserve(s.Title);
    for (const TStrong& rule : s.Strong) {
        bridge.Reserve(rule.Keywords);
        bridge.Reserve(rule.Separator);
    }
    for (const THolLine& line : s.HolLine)
        bridge.Reserve(line.Pattern);
}

// Whether the input file is big enough for reading it, or staging its lines, on threads of their
// own to pay off.
bool ReadsAhead(const std::string& inputPath, const TEngineEnv& env) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(inputPath, ec);
    return !ec && size >= env.ReadAheadFrom;
}

enum class TPassResult {
    Written,
    Failed,     // the message is shown
    Disproved,  // the provisional encoding proved wrong; nothing is shown
};

// Writes the whole page of a pass: head, header, the input's lines, footer, end.
TPassResult WritePage(TPass& pass, const TStrInfo& s, long long total, TEngineEnv& env,
                      const std::string& inputPath, const std::string& outputPath) {
    pass.Page = ResolvePageEncoding(s, pass.Encoding);
    std::optional<TSjisBridge>& bridge = pass.Bridge;
    if (pass.Page != TPageEncoding::ShiftJis && !bridge)
        bridge.emplace();
    if (bridge)
        ReserveSettingsText(*bridge, s);
    // A control character of the title or a line becomes "〓", or U+FFFD in a UTF-8 page.
    const std::string_view standInBytes =
        pass.Page == TPageEncoding::Utf8 ? kReplacementCharacterCode : std::string_view("\x81\xAC");
    TControlCharacterStandIn standIn(standInBytes);
    TOutputFile& out = *pass.Out;
    // The page's bytes: the engine's as they are for a Shift_JIS page without stand-ins.
    const auto writeLine = [&](std::string_view text) {
        if (!bridge)
            return out.WriteLine(text);
        return out.WriteLineWith(
            [&](std::string& buffer) { bridge->Encode(text, pass.Page, buffer); });
    };

    const bool document = IsDocumentMode(s.AddTagMode);
    std::string_view raw;
    TLineReader& reader = *pass.Reader;
    TSjisBridge* const decoderBridge = pass.Decoder && bridge ? &*bridge : nullptr;
    // Where the file is big enough, its lines are converted over several threads: with cores to
    // spare, the line stages run on threads of their own, which also read the text. Otherwise a
    // text in another encoding than Shift_JIS is still read and decoded on a thread of its own;
    // Shift_JIS text is read here, as finding its lines costs less than handing them over between
    // two cores (measured 1.2 times slower over both cores). The Aozora notation's lines stay on
    // this thread: its annotations carry state from line to line, and its named characters take
    // stand-ins, which no other thread may hand out meanwhile.
    const bool threaded = !s.AozoraNotation && ReadsAhead(inputPath, env);
    std::unique_ptr<TParallelLineStages> staged;
    if (threaded && env.LineStageThreads >= 2)
        staged = TParallelLineStages::Start(reader, decoderBridge, s, env.LineStageThreads,
                                            standInBytes);
    const bool ahead = threaded && !staged && pass.Decoder;
    TThreadedLineSource lines(reader, decoderBridge, ahead);
    // An Aozora Bunko file names its work on its first line, read here ahead for the title.
    bool firstRead = false;
    std::optional<TStrInfo> titled;
    if (document && s.AozoraNotation && s.Title.empty() && lines.Next(raw)) {
        firstRead = true;
        titled.emplace(s);
        titled->Title = AozoraTitle(raw);
    }
    if (document) {
        std::string head;
        try {
            head = BuildDocumentHead(titled ? *titled : s, env, pass.Page, outputPath);
        } catch (const TFileError& error) {
            ShowOk(env.Platform, TMessageKind::Error, error.what());
            return TPassResult::Failed;
        }
        if (!writeLine(head) || !writeLine("<body>")) {
            ShowOk(env.Platform, TMessageKind::Error,
                   PathForMessage(outputPath) + Sjis(" に書き込めません"));
            return TPassResult::Failed;
        }
    }

    TParaState state;
    state.Bridge = bridge ? &*bridge : nullptr;
    TProgressDisplay progress(env.Form, env.Platform, total, env.ProgressInterval);
    const auto emit = [&](std::string_view tagged) {
        if (!writeLine(tagged))
            return false;
        progress.LineDone();
        return true;
    };
    TLineResult result = TLineResult::Written;
    // The stand-ins are in the text read through the bridge only: a Shift_JIS text's codes of the
    // user-defined area are its own characters, which no line stage may take for stand-ins.
    const TSjisBridge* const lineBridge = pass.Decoder && bridge ? &*bridge : nullptr;
    THtmlCnv line{std::string_view()};
    const auto convert = [&](std::string_view raw) {
        if (result == TLineResult::Written)
            result = ConvertLine(line, raw, s, state, env.Platform, lineBridge, emit);
    };
    for (const std::string& header : s.HeaderLines)
        convert(header);
    const auto nextLine = [&] { return std::exchange(firstRead, false) || lines.Next(raw); };
    if (s.AozoraNotation) {
        TAozoraExplanationFilter explanation;
        for (long long number = 1; result == TLineResult::Written && nextLine(); ++number) {
            standIn.AtLine(number);
            explanation.Line(raw, convert);
        }
        explanation.Finish(convert);
    } else if (staged) {
        TParallelLineStages::TLine about;
        std::string_view ready;
        while (result == TLineResult::Written &&
               staged->Next(line, about, ready, state, env.Platform)) {
            result = about.Ready ? (emit(ready) ? TLineResult::Written : TLineResult::WriteFailed)
                                 : FinishStagedLine(line, about, s, state, env.Platform, emit);
        }
    } else {
        // The common loop calls the line's conversion itself, so that it stays inlined here.
        for (long long number = 1; result == TLineResult::Written && nextLine(); ++number) {
            standIn.AtLine(number);
            result = ConvertLine(line, raw, s, state, env.Platform, lineBridge, emit);
        }
    }
    standIn.AtLine(0);
    // Ended early (a line too long, a write failure): the rest of the text is not read.
    lines.Stop();
    if (staged)
        staged->Stop();
    if (result == TLineResult::Written && pass.Decoder && pass.Decoder->GaveUp())
        return TPassResult::Disproved;
    if (result == TLineResult::Written && reader.Failed()) {
        ShowOpenFailure(env.Platform, inputPath,
                        FileFailureReason(reader.Error(), TFileUse::Read, inputPath));
        return TPassResult::Failed;
    }
    for (const std::string& footer : s.FooterLines)
        convert(footer);
    pass.ControlCharacters = standIn.Replaced();
    pass.FirstControlLine = standIn.FirstLine();
    if (staged) {
        // This thread escaped the header and footer alone, which have no line of the text.
        pass.ControlCharacters += staged->ControlCharacters();
        pass.FirstControlLine = staged->FirstControlLine();
    }
    if (result == TLineResult::TooLong)
        return TPassResult::Failed;
    bool written = result == TLineResult::Written;
    if (written && document) {
        std::string stillOpen;
        state.Nesting.CloseAll(stillOpen);
        if (!stillOpen.empty())
            written = out.WriteLine(stillOpen);
        written = written && out.WriteLine("</body>\r\n</html>");
    }
    if (!out.Close() || !written) {
        ShowWriteFailure(env.Platform, FileFailureReason(out.Error(), TFileUse::Write, outputPath));
        return TPassResult::Failed;
    }
    progress.Finish();
    return TPassResult::Written;
}

}  // namespace

bool ConvertTextFile(TEngineEnv& env, const std::string& inputPath, const std::string& outputPath,
                     bool& usesLocalImages) {
    TConversionEncodings encodings;
    return ConvertTextFile(env, inputPath, outputPath, usesLocalImages, encodings);
}

bool ConvertTextFile(TEngineEnv& env, const std::string& inputPath, const std::string& outputPath,
                     bool& usesLocalImages, TConversionEncodings& encodings) {
    // A page that cannot be begun again is written only from text known to be valid.
    const TInputScan scan =
        ScanInput(inputPath, InputEncodingOf(env.Form.ItemIndex("cmbInputEncoding")),
                  CanBeginAgain(outputPath) ? TScanCheck::SampleOnly : TScanCheck::WholeText,
                  env.LineStageThreads);
    if (!scan.Ok) {
        ShowOpenFailure(env.Platform, inputPath,
                        FileFailureReason(scan.Error, TFileUse::Read, inputPath));
        return false;
    }
    if (IsSameFile(inputPath, outputPath)) {
        ShowOpenFailure(env.Platform, inputPath, SameFileReason());
        return false;
    }
    TPass pass;
    if (!OpenPass(pass, scan.Encoding, scan.Provisional, inputPath, outputPath, env.Platform))
        return false;

    TStrInfo s;
    if (!GatherSettings(env.Form, env.Platform, s))
        return false;
    const long long total =
        scan.Lines + static_cast<long long>(s.HeaderLines.size() + s.FooterLines.size());
    TRegexRulesGuard release(s.Strong);
    if (!PrepareRules(s, env.Platform))
        return false;
    TPassResult result = WritePage(pass, s, total, env, inputPath, outputPath);
    if (result == TPassResult::Disproved) {
        // The text went on invalid in the encoding its start was taken for: all of it is read
        // as Shift_JIS, byte for byte, into the page begun afresh.
        if (!OpenPass(pass, TTextEncoding::ShiftJis, false, inputPath, outputPath, env.Platform))
            return false;
        result = WritePage(pass, s, total, env, inputPath, outputPath);
    }
    if (result != TPassResult::Written)
        return false;
    encodings = {pass.Encoding, pass.Page};
    usesLocalImages = UsesLocalImages(s);
    WarnAboutLostText(env.Platform, pass.Decoder ? &*pass.Decoder : nullptr,
                      pass.Bridge ? &*pass.Bridge : nullptr, pass.Encoding);
    WarnAboutControlCharacters(env.Platform, pass.ControlCharacters, pass.FirstControlLine,
                               pass.Page);
    return true;
}

bool ConvertTextBoxText(TEngineEnv& env, std::vector<std::string>& out,
                        const std::vector<std::string>& inputLines) {
    out.clear();
    TStrInfo s;
    if (!GatherSettings(env.Form, env.Platform, s))
        return false;
    TRegexRulesGuard release(s.Strong);
    if (!PrepareRules(s, env.Platform))
        return false;
    TParaState state;
    const auto emit = [&](std::string_view tagged) {
        out.emplace_back(tagged);
        return true;
    };
    THtmlCnv lineObject{std::string_view()};
    TControlCharacterStandIn standIn;
    using TLines = const std::vector<std::string>;
    TLineResult result = TLineResult::Written;
    const auto convert = [&](std::string_view raw) {
        if (result == TLineResult::Written)
            result = ConvertLine(lineObject, raw, s, state, env.Platform, nullptr, emit);
    };
    TAozoraExplanationFilter explanation;
    for (TLines* lines :
         std::initializer_list<TLines*>{&s.HeaderLines, &inputLines, &s.FooterLines}) {
        for (std::size_t k = 0; k < lines->size() && result == TLineResult::Written; ++k) {
            standIn.AtLine(lines == &inputLines ? static_cast<long long>(k) + 1 : 0);
            if (lines == &inputLines && s.AozoraNotation)
                explanation.Line((*lines)[k], convert);
            else
                convert((*lines)[k]);
        }
        if (lines == &inputLines)
            explanation.Finish(convert);
    }
    if (result != TLineResult::Written) {
        out.clear();
        return false;
    }
    // The text box shows engine text, where the dakuten's characters are references.
    if (RubyNotationOn(s)) {
        for (std::string& line : out)
            WriteFixedCodesAsReferences(line);
    }
    // The text box shows engine text, where the stand-in is "〓".
    WarnAboutControlCharacters(env.Platform, standIn.Replaced(), standIn.FirstLine(),
                               TPageEncoding::ShiftJis);
    const bool document = IsDocumentMode(s.AddTagMode);
    if (document) {
        std::string stillOpen;
        state.Nesting.CloseAll(stillOpen);
        if (!stillOpen.empty())
            out.push_back(std::move(stillOpen));
    }
    // The block to paste into a page's head: the stylesheet inside its style element, so that
    // pasted as told it styles the page instead of showing as text.
    if (document) {
        out.insert(out.begin(),
                   Sjis("<!-- ここから下はＨｅａｄ部に追加してください-->\r\n") +
                       "<style type=\"text/css\">\r\n" + BuildStyleSheet(s) + "</style>\r\n" +
                       Sjis("<!-------------　ここまで  -------------------->") + "\r\n\r\n" +
                       Sjis("<!-- ここから下はＢｏｄｙ部の好きなところに貼り付けてください --->"));
    }
    return true;
}
