#include "settings/output_path.h"

#include "engine/base/file_paths.h"

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
    const std::string_view base = path.substr(0, path.size() - ExtensionOf(path).size());
    return std::string(base) + (options.Extension == 0 ? ".htm" : ".html");
}

std::string MakeBrowserCommand(std::string_view path, const TOption& options) {
    if (options.BrowserPath.empty())
        return std::string(path);
    return Quoted(SjisPathToNative(options.BrowserPath)) + " " + Quoted(path);
}
