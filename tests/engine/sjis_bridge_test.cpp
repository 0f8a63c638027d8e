// Pages as a browser reads them: every character the engine carries, written into each page
// encoding by the bridge, decoded with the decoders of the Encoding Standard (node's TextDecoder,
// when node is there), gives the character back, a character reference counting as the
// character it refers to.
#include "engine/encodings/sjis_bridge.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace {

// Reads a page with a browser's decoder and resolves its character references; one line of
// hexadecimal code points (separated by spaces) for each line of the page.
constexpr const char* kDecodeScript = R"(
const fs = require("fs");
const [input, label, output] = process.argv.slice(2);
const text = new TextDecoder(label).decode(fs.readFileSync(input));
const lines = text.split("\n").map((line) =>
  Array.from(line.replace(/&#x([0-9A-Fa-f]+);/g, (_, hex) => String.fromCodePoint(parseInt(hex, 16))),
             (ch) => ch.codePointAt(0).toString(16)).join(" "));
fs.writeFileSync(output, lines.join("\n"));
)";

bool HasNode() {
    return std::system("node --version > /dev/null 2>&1") == 0;
}

// The character one CP932 code decodes to with iconv; 0 when it is none.
char32_t Cp932Character(iconv_t cd, std::string_view code) {
    char32_t c = 0;
    char* in = const_cast<char*>(code.data());
    std::size_t left = code.size();
    char* out = reinterpret_cast<char*>(&c);
    std::size_t room = sizeof c;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &in, &left, &out, &room) == static_cast<std::size_t>(-1) || left != 0 ||
        room != 0)
        return 0;
    return c;
}

std::string Hex(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(c));
    return text;
}

struct TCharacters {
    std::string Engine;  // one character a line
    std::vector<char32_t> Expected;
    std::vector<std::string> Names;  // what each line is, for the failure message
};

// Every CP932 character as the engine's bytes of a Shift_JIS text, the line feed excepted (it
// parts the lines): all single bytes, and every double-byte code, the user-defined area included
// (U+E000..U+E757). The bytes below 0x80 are ASCII (glibc's CP932 swaps three controls); of the
// control characters only tab and carriage return are there, the ones a page holds (node's
// Shift_JIS decoder, ICU's, swaps three controls too, as the Encoding Standard's does not).
TCharacters EveryCp932Character() {
    TCharacters all;
    iconv_t cd = iconv_open("UTF-32LE", "CP932");
    const auto add = [&](std::string_view code) {
        const auto first = static_cast<unsigned char>(code[0]);
        const char32_t c = first < 0x80 ? first : Cp932Character(cd, code);
        if (c == 0 || (first < 0x20 && first != '\t' && first != '\r') || first == 0x7F)
            return;
        all.Engine.append(code);
        all.Engine += '\n';
        all.Expected.push_back(c);
        std::string name = "code";
        for (const char b : code)
            name += " " + Hex(static_cast<unsigned char>(b));
        all.Names.push_back(name);
    };
    for (unsigned b = 0; b < 0x100; ++b)
        add(std::string(1, static_cast<char>(b)));
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
            add(std::string{static_cast<char>(lead), static_cast<char>(trail)});
    }
    iconv_close(cd);
    return all;
}

// Characters beyond CP932, and some it has under other code points or only in one of its
// duplicate forms, as a decoded text gives them to the engine (through the bridge).
TCharacters CharactersBeyond(TSjisBridge& bridge) {
    TCharacters some;
    const char32_t sample[] = {0x1F600, 0x20BB7, 0x2661, 0xA5,   0x203E,  0x301C, 0xFF5E, 0x2212,
                               0xFF0D,  0x2014,  0x2015, 0x2016, 0x2225,  0xA2,   0xA3,   0xAC,
                               0xFFE2,  0xA6,    0xFFE4, 0xA0,   0xE000,  0xE757, 0xE758, 0xF8F0,
                               0xFFFD,  0x9AD9,  0x2252, 0x2235, 0x2160,  0x2170, 0x3231, 0x2116,
                               0xFA11,  0x7E,    0x5C,   0xFF3C, 0x10FFFF};
    for (const char32_t c : sample) {
        char bytes[2];
        some.Engine.append(bytes, bridge.Put(c, bytes) - bytes);
        some.Engine += '\n';
        some.Expected.push_back(c);
        some.Names.push_back("U+" + Hex(c));
    }
    return some;
}

// The lines where the page, read by the browser's decoder named label, differs from what the
// engine text held.
std::vector<std::string> Misread(TSjisBridge& bridge, const TCharacters& characters,
                                 TPageEncoding page, const char* label) {
    TTempDir dir;
    WriteFileBytes(dir.File("decode.js"), kDecodeScript);
    std::string written;
    bridge.Encode(characters.Engine, page, written);
    WriteFileBytes(dir.File("page"), written);
    const std::string command = "node " + dir.File("decode.js") + " " + dir.File("page") + " " +
                                label + " " + dir.File("read");
    if (std::system(command.c_str()) != 0)
        return {"node failed"};
    std::istringstream read(ReadFileBytes(dir.File("read")));
    std::vector<std::string> misread;
    std::string line;
    for (std::size_t k = 0; k < characters.Expected.size(); ++k) {
        std::getline(read, line);
        if (line != Hex(characters.Expected[k]))
            misread.push_back(characters.Names[k] + " (" + Hex(characters.Expected[k]) +
                              ") read as " + line);
    }
    return misread;
}

}  // namespace

TEST(SjisBridge, EveryCharacterReadsBackWithABrowsersDecoderInEachPageEncoding) {
    if (!HasNode())
        GTEST_SKIP() << "node is not installed";
    const struct {
        TPageEncoding Page;
        const char* Label;
    } pages[] = {{TPageEncoding::ShiftJis, "shift_jis"},
                 {TPageEncoding::Utf8, "utf-8"},
                 {TPageEncoding::EucJp, "euc-jp"}};
    const TCharacters cp932 = EveryCp932Character();
    ASSERT_GT(cp932.Expected.size(), 7000u);
    TSjisBridge beyondBridge;
    const TCharacters beyond = CharactersBeyond(beyondBridge);
    for (const auto& page : pages) {
        TSjisBridge bridge;
        std::vector<std::string> misread = Misread(bridge, cp932, page.Page, page.Label);
        const std::vector<std::string> more = Misread(beyondBridge, beyond, page.Page, page.Label);
        misread.insert(misread.end(), more.begin(), more.end());
        std::string shown;
        for (std::size_t k = 0; k < misread.size() && k < 20; ++k)
            shown += "\n  " + misread[k];
        EXPECT_TRUE(misread.empty())
            << page.Label << ": " << misread.size() << " characters misread" << shown;
    }
}
