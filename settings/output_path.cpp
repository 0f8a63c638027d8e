#include "settings/output_path.h"

#include "engine/engine_env.h"

namespace {

// A text in double quotes that a POSIX shell reads back exactly.
std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\' || c == '$' || c == '`')
            out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

}  // namespace

std::string MakeOutputPath(std::string_view path, const TOption& options) {
    const std::size_t nameStart = path.rfind('/') + 1;  // npos + 1 is 0
    std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < nameStart)
        dot = path.size();
    return std::string(path.substr(0, dot)) + (options.Extension == 0 ? ".htm" : ".html");
}

std::string MakeBrowserCommand(std::string_view path, const TOption& options) {
    if (options.BrowserPath.empty())
        return std::string(path);
    return Quoted(SjisPathToNative(options.BrowserPath)) + " " + Quoted(path);
}
