#include "commands/page_conversion.h"

#include "engine/page/converter.h"
#include "settings/output_path.h"

TPageResult ConvertToPage(TEngineEnv& env, const std::string& input, const TOption& options,
                          std::optional<std::string> output) {
    TPageResult result;
    result.Page = output ? *std::move(output) : MakeOutputPath(input, options);
    result.Converted = ConvertTextFile(env, input, result.Page, result.UsesLocalImages);
    return result;
}

void ShowPage(TPlatform& platform, const TOption& options, const std::string& page,
              bool browserTicked) {
    if (browserTicked && !options.BrowserPath.empty()) {
        platform.RunCommandLine(MakeBrowserCommand(page, options));
    } else {
        platform.OpenWithAssociatedProgram(page);
    }
}
