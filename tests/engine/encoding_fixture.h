// Text in the encodings a file may be read in, and a conversion that names them.
#pragma once

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/page/converter.h"
#include "tests/engine/engine_fixture.h"

// text converted with iconv from the encoding from names into the one to names; nothing when
// it is not valid in from or has no form in to.
inline std::optional<std::string> Converted(std::string_view text, const char* from,
                                            const char* to) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string(from) + " -> " + to);
    std::string out(text.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t left = text.size();
    char* dst = out.data();
    std::size_t room = out.size();
    const bool ok = iconv(cd, &in, &left, &dst, &room) != static_cast<std::size_t>(-1) &&
                    iconv(cd, nullptr, nullptr, &dst, &room) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    out.resize(out.size() - room);
    return out;
}

// utf8 converted with iconv into the encoding iconvName names; throws when it has no form there.
inline std::string InEncoding(std::string_view utf8, const char* iconvName) {
    std::optional<std::string> converted = Converted(utf8, "UTF-8", iconvName);
    if (!converted)
        throw std::runtime_error(std::string("no form in ") + iconvName);
    return *converted;
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
