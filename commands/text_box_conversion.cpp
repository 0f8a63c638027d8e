#include "commands/text_box_conversion.h"

#include <optional>

#include "engine/encodings/input_decoder.h"
#include "engine/encodings/line_reader.h"
#include "engine/encodings/lost_text_warnings.h"
#include "engine/encodings/sjis_bridge.h"
#include "engine/page/conversion_messages.h"
#include "engine/page/converter.h"
#include "engine/text/file_failure.h"
#include "engine/text/text_helpers.h"

namespace {

// The text box's conversion of lines in the engine's bytes, into entries in the page's encoding
// through bridge (which gave the lines their stand-ins).
bool ConvertEngineLines(TEngineEnv& env, const std::vector<std::string>& lines, TSjisBridge& bridge,
                        TPageEncoding page, std::vector<std::string>& out) {
    std::vector<std::string> converted;
    if (!ConvertTextBoxText(env, converted, lines))
        return false;
    out.reserve(converted.size());
    for (const std::string& entry : converted) {
        std::string encoded;
        bridge.Encode(entry, page, encoded);
        out.push_back(std::move(encoded));
    }
    return true;
}

}  // namespace

bool ConvertTextBoxUtf8(TEngineEnv& env, std::string_view utf8Text, std::vector<std::string>& out) {
    out.clear();
    TSjisBridge bridge;
    TInputDecoder decoder(TTextEncoding::Utf8, bridge);
    std::string engineText;
    decoder.Decode(utf8Text, true, engineText);
    std::vector<std::string> lines;
    SplitLines(engineText, [&lines](std::string_view line) { lines.emplace_back(line); });
    if (!ConvertEngineLines(env, lines, bridge, TPageEncoding::Utf8, out))
        return false;
    WarnAboutLostText(env.Platform, &decoder, &bridge, TTextEncoding::Utf8);
    return true;
}

bool ConvertTextBoxFile(TEngineEnv& env, const std::string& path, std::vector<std::string>& out) {
    out.clear();
    const TInputScan scan =
        ScanInput(path, InputEncodingOf(env.Form.ItemIndex("cmbInputEncoding")));
    TSjisBridge bridge;
    std::optional<TInputDecoder> decoder;
    if (scan.Ok && scan.Encoding != TTextEncoding::ShiftJis)
        decoder.emplace(scan.Encoding, bridge);
    TLineReader reader(path, decoder ? &*decoder : nullptr);
    std::vector<std::string> lines;
    std::string line;
    while (scan.Ok && reader.Next(line))
        lines.push_back(line);
    if (!scan.Ok || !reader.Ok()) {
        ShowOpenFailure(
            env.Platform, path,
            FileFailureReason(scan.Ok ? reader.Error() : scan.Error, TFileUse::Read, path));
        return false;
    }
    const TPageEncoding page = ResolvePageEncoding(
        OutputEncodingOf(env.Form.ItemIndex("cmbOutputEncoding")), scan.Encoding);
    if (!ConvertEngineLines(env, lines, bridge, page, out))
        return false;
    WarnAboutLostText(env.Platform, decoder ? &*decoder : nullptr, &bridge, scan.Encoding);
    return true;
}
