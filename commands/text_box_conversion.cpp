#include "commands/text_box_conversion.h"

#include "engine/converter.h"
#include "engine/input_decoder.h"
#include "engine/sjis_bridge.h"
#include "engine/text_helpers.h"

bool ConvertTextBoxUtf8(TEngineEnv& env, std::string_view utf8Text, std::vector<std::string>& out) {
    out.clear();
    TSjisBridge bridge;
    TInputDecoder decoder(TTextEncoding::Utf8, bridge);
    std::string engineText;
    decoder.Decode(utf8Text, true, engineText);
    std::vector<std::string> lines;
    SplitLines(engineText, [&lines](std::string_view line) { lines.emplace_back(line); });
    std::vector<std::string> converted;
    if (!ConvertTextBoxText(env, converted, lines))
        return false;
    out.reserve(converted.size());
    for (const std::string& entry : converted) {
        std::string utf8;
        bridge.Encode(entry, TPageEncoding::Utf8, utf8);
        out.push_back(std::move(utf8));
    }
    return true;
}
