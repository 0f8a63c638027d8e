#include "engine/text/jisx0213.h"

#include <array>
#include <string>
#include <vector>

#include "engine/text/iconv_stream.h"

namespace {

constexpr int kSide = 94;

std::size_t IndexOf(int plane, int row, int cell) {
    return (static_cast<std::size_t>(plane - 1) * kSide + (row - 1)) * kSide + (cell - 1);
}

// Every cell's EUC-JISX0213 bytes through iconv: plane 1 is two bytes 0xA1..0xFE, plane 2 the
// same after the single shift 0x8F. A cell iconv refuses stays empty.
std::vector<std::u32string> BuildTable() {
    std::vector<std::u32string> table(2 * kSide * kSide);
    TIconv cd("UTF-32LE", "EUC-JISX0213");
    std::string utf32;
    for (int plane = 1; plane <= 2; ++plane) {
        for (int row = 1; row <= kSide; ++row) {
            for (int cell = 1; cell <= kSide; ++cell) {
                std::string euc;
                if (plane == 2)
                    euc += '\x8F';
                euc += static_cast<char>(0xA0 + row);
                euc += static_cast<char>(0xA0 + cell);
                utf32.clear();
                if (!ConvertWhole(cd, euc, utf32))
                    continue;
                std::u32string& slot = table[IndexOf(plane, row, cell)];
                for (std::size_t k = 0; k + 4 <= utf32.size(); k += 4)
                    slot += CodePointAt(utf32.data() + k);
            }
        }
    }
    return table;
}

}  // namespace

std::u32string_view JisX0213Character(int plane, int row, int cell) {
    if (plane < 1 || plane > 2 || row < 1 || row > kSide || cell < 1 || cell > kSide)
        return {};
    static const std::vector<std::u32string> table = BuildTable();
    return table[IndexOf(plane, row, cell)];
}
