// porukano-encoding-bench: one conversion with the input and output encodings chosen, for
// timing the reader and writer of other encodings (bench/encodings runs it under hyperfine).
//
//   porukano-encoding-bench INPUT-CHOICE OUTPUT-CHOICE INPUT OUTPUT
//
// INPUT-CHOICE is the index of cmbInputEncoding (0 Auto, 1 Shift_JIS, 2 UTF-8, 3 EUC-JP,
// 4 ISO-2022-JP), OUTPUT-CHOICE that of cmbOutputEncoding (0 same as the input, 1 Shift_JIS,
// 2 UTF-8, 3 EUC-JP); the other settings are those of a freshly opened window. Prints the
// encodings read and written; exit status 1 when the conversion fails.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "cli/terminal_platform.h"
#include "engine/base/main_window_controls.h"
#include "engine/page/converter.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr,
                     "usage: porukano-encoding-bench INPUT-CHOICE OUTPUT-CHOICE INPUT "
                     "OUTPUT\n");
        return 2;
    }
    const auto form = MakeHeadlessMainWindow();
    form->SetItemIndex("cmbInputEncoding", std::atoi(argv[1]));
    form->SetItemIndex("cmbOutputEncoding", std::atoi(argv[2]));
    TTerminalPlatform platform(std::cerr, *form, false);
    TProgramState state{"", ""};
    TEngineEnv env{*form, platform, state};
    bool images = false;
    TConversionEncodings used;
    if (!ConvertTextFile(env, argv[3], argv[4], images, used))
        return 1;
    std::printf("%s -> %s\n", EncodingDisplayName(used.Input), EncodingDisplayName(used.Page));
    return 0;
}
