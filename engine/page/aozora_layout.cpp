#include "engine/page/aozora_layout.h"

#include "engine/text/encoding.h"
#include "engine/text/text_helpers.h"

bool IsHyphenRule(std::string_view raw) {
    const std::string_view line = Trim(raw);
    return line.size() >= 10 && line.find_first_not_of('-') == std::string_view::npos;
}

std::string AozoraTitle(std::string_view firstLine) {
    // The full-width space is no blank to Trim; a title line may be set off with it.
    constexpr std::string_view kWideSpace = "\x81\x40";
    std::string_view title = Trim(firstLine);
    while (title.starts_with(kWideSpace))
        title = Trim(title.substr(kWideSpace.size()));
    std::size_t end = 0;  // past the last character that is no blank
    for (std::size_t i = 0; i < title.size();) {
        const std::size_t next = NextCharStart(title, i);
        if (title.substr(i, next - i) != kWideSpace && static_cast<unsigned char>(title[i]) > ' ')
            end = next;
        i = next;
    }
    return std::string(title.substr(0, end));
}

bool TAozoraExplanationFilter::BeginsExplanation(std::string_view raw) {
    static const std::string heading = Sjis("【テキスト中に現れる記号について】");
    return Trim(raw).starts_with(heading);
}
