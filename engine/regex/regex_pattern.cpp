#include "engine/regex/regex_pattern.h"

#include "engine/text/text_helpers.h"

std::string BuildMatchPattern(std::string_view k) {
    const auto bare = [k] { return "m/" + std::string(k) + "/"; };
    if (k.empty())
        return bare();
    const char b1 = k.front();
    const char bz = k.back();
    if (b1 == '/')
        return std::string(k);
    if (k.size() >= 2 && k[1] == '/')
        return b1 == '\\' || b1 == 'm' ? std::string(k) : bare();
    if (b1 != 'm' || k.size() < 2)
        return bare();
    const char b2 = k[1];
    const char by = k[k.size() - 2];
    if (b2 == bz || (b2 == by && bz == 'g'))
        return std::string(k);
    return bare();
}

std::string WrapEntityQuantifiers(std::string_view pattern) {
    std::string t(pattern);
    std::size_t from = 0;  // 0-based
    for (;;) {
        const std::size_t q = t.find_first_of("*+?", from);
        if (q == std::string::npos)
            return t;
        const std::size_t amp = q > from ? t.rfind('&', q - 1) : std::string::npos;
        if (q > 0 && t[q - 1] == ';' && amp != std::string::npos && amp >= from) {
            t.insert(q, ")");
            t.insert(amp, "(");
            from = q + 3;
        } else {
            from = q + 1;
        }
    }
}

TPatternForm ParsePatternForm(std::string_view pattern) {
    TPatternForm form;
    std::size_t open = 0;  // index of the opening delimiter
    if (pattern.size() >= 2 && pattern[0] == 'm') {
        open = 1;
    } else if (!pattern.empty() && pattern[0] == '/') {
        open = 0;
    } else {
        form.Expression = pattern;
        return form;
    }
    const char delimiter = pattern[open];
    if (IsLeadByte(static_cast<unsigned char>(delimiter))) {
        form.Error = "delimiter is not a single-byte character";
        return form;
    }
    // The last delimiter that stands on a character boundary of the expression.
    std::size_t close = std::string_view::npos;
    for (std::size_t i = open + 1; i < pattern.size();) {
        if (pattern[i] == delimiter)
            close = i;
        i += IsLeadByte(static_cast<unsigned char>(pattern[i])) ? 2 : 1;
    }
    if (close == std::string_view::npos) {
        form.Error = std::string("end delimiter ") + delimiter + " not found";
        return form;
    }
    form.Expression = pattern.substr(open + 1, close - open - 1);
    for (const char flag : pattern.substr(close + 1)) {
        switch (flag) {
            case 'i':
                form.IgnoreCase = true;
                break;
            case 'x':
                form.Extended = true;
                break;
            case 's':
                form.DotAll = true;
                break;
            case 'm':
                form.MultiLine = true;
                break;
            case 'g':
                break;
            default:
                form.Error = "unknown flag in \"" + std::string(pattern.substr(close + 1)) + "\"";
                return form;
        }
    }
    return form;
}
