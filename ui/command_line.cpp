#include "ui/command_line.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// Characters a backslash protects inside double quotes.
bool IsEscapableInQuotes(char c) {
    return c == '"' || c == '\\' || c == '$' || c == '`' || c == '\n';
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (IsBlank(c)) {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '\\' && i + 1 < line.size()) {
            word.push_back(line[++i]);
        } else if (c == '\'') {
            const std::size_t end = line.find('\'', i + 1);
            const std::size_t stop = end == std::string_view::npos ? line.size() : end;
            word.append(line.substr(i + 1, stop - i - 1));
            i = stop;
        } else if (c == '"') {
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\' && i + 1 < line.size() && IsEscapableInQuotes(line[i + 1]))
                    ++i;
                word.push_back(line[i]);
            }
        } else {
            word.push_back(c);
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}
