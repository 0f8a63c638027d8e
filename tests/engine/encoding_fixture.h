// Text in the encodings a file may be read in, and a conversion that names them.
#pragma once

#include <gtest/gtest.h>
#include <iconv.h>

#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/page/converter.h"
#include "tests/engine/engine_fixture.h"

// utf8 converted with iconv into the encoding iconvName names; throws when it has no form there.
inline std::string InEncoding(std::string_view utf8, const char* iconvName) {
    iconv_t cd = iconv_open(iconvName, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(iconvName);
    std::string out(utf8.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t left = utf8.size();
    char* dst = out.data();
    std::size_t room = out.size();
    const bool ok = iconv(cd, &in, &left, &dst, &room) != static_cast<std::size_t>(-1) &&
                    iconv(cd, nullptr, nullptr, &dst, &room) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    if (!ok)
        throw std::runtime_error(std::string("no form in ") + iconvName);
    out.resize(out.size() - room);
    return out;
}

struct TEncodedConversion : TEngineFixture {
    // Converts bytes as the input file with the input and output encoding choices (the indexes
    // of cmbInputEncoding and cmbOutputEncoding); the page, or "" on failure.
    std::string Convert(std::string_view input, int inputChoice = 0, int outputChoice = 0) {
        Form->SetItemIndex("cmbInputEncoding", inputChoice);
        Form->SetItemIndex("cmbOutputEncoding", outputChoice);
        WriteFileBytes(Dir.File("in.txt"), input);
        bool images = false;
        if (!ConvertTextFile(Env, Dir.File("in.txt"), Dir.File("out.htm"), images, Used))
            return "";
        return ReadFileBytes(Dir.File("out.htm"));
    }
    TConversionEncodings Used;
};
