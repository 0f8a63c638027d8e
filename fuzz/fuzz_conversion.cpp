#include "fuzz/fuzz_conversion.h"

TFuzzConversion::TFuzzConversion(TForm& form, std::string_view text) : Env{form, Platform, State} {
    WriteBytes(InputPath, text);
    if (!GatherSettings(form, Platform, Settings))
        Fail("the settings cannot be gathered", "");
}

bool TFuzzConversion::Convert() {
    bool images = false;
    if (ConvertTextFile(Env, InputPath, OutputPath, images, Used))
        return true;
    if (Platform.Messages.empty())
        Fail("a conversion failed without a message", "");
    return false;
}
