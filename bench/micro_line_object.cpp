// Micro benchmarks of the line object's tag operations: adding tags before and after others,
// deleting a run with its tags, wrapping the line, and reading the tagged text. Each one renews
// and escapes the line first, as the driver does: BM_LineObjectRenewAndEscape is that part alone.
#include <benchmark/benchmark.h>

#include "bench/micro_fixture.h"
#include "engine/line/untClsHtmlCnv.h"

namespace {

// The line object renewed for raw and escaped, as the driver hands it to the stages.
void EscapedLine(THtmlCnv& line, const std::string& raw) {
    line.P_Renew(raw);
    line.P_CnvTextToHtmlDangerStr(4, false);
}

void BM_LineObjectRenewAndEscape(benchmark::State& state) {
    const std::string& raw = ProseLine();
    THtmlCnv line(raw);
    for (auto _ : state) {
        EscapedLine(line, raw);
        benchmark::DoNotOptimize(line.F_strGetIncTag().data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(raw.size()));
}
BENCHMARK(BM_LineObjectRenewAndEscape);

// n pairs of tags, each pair around a word, left to right, as the emphasis of kind 2 adds them.
void BM_LineObjectAddTagPairs(benchmark::State& state) {
    const std::string& raw = state.range(1) == 0 ? ProseLine() : LongLine();
    const int pairs = static_cast<int>(state.range(0));
    THtmlCnv line(raw);
    for (auto _ : state) {
        EscapedLine(line, raw);
        const int length = static_cast<int>(line.strHtml.size());
        const int step = length / (pairs + 1);
        for (int i = 1; i <= pairs; ++i) {
            line.P_AddTag("<span class=\"strong3\">", i * step, false);
            line.P_AddTag("</span>", i * step + 4, true);
        }
        benchmark::DoNotOptimize(line.F_strGetIncTag().data());
    }
    state.SetItemsProcessed(state.iterations() * pairs * 2);
}
BENCHMARK(BM_LineObjectAddTagPairs)
    ->ArgNames({"pairs", "prose0_long1"})
    ->Args({1, 0})
    ->Args({8, 0})
    ->Args({64, 1});

// The closing tags of the paragraph logic at the end of a line that already holds tags.
void BM_LineObjectAddTagAtEnd(benchmark::State& state) {
    const std::string& raw = ProseLine();
    THtmlCnv line(raw);
    for (auto _ : state) {
        EscapedLine(line, raw);
        const int end = static_cast<int>(line.strHtml.size()) + 1;
        line.P_AddTag("<p>", 1, false);
        line.P_AddTag("<br>", end, true);
        benchmark::DoNotOptimize(line.F_strGetIncTag().data());
    }
}
BENCHMARK(BM_LineObjectAddTagAtEnd);

// Wrapping a line with two leading blanks, as a whole-line emphasis does.
void BM_LineObjectAddTagLine(benchmark::State& state) {
    const std::string raw = "  " + ProseLine();
    THtmlCnv line(raw);
    for (auto _ : state) {
        EscapedLine(line, raw);
        line.P_AddTagLine("<span class=\"strong1\">", "</span>");
        benchmark::DoNotOptimize(line.F_strGetIncTag().data());
    }
}
BENCHMARK(BM_LineObjectAddTagLine);

// Deleting the leading blanks of an indented line that holds tags further on, as indentation
// does.
void BM_LineObjectDeleteWord(benchmark::State& state) {
    const std::string raw = "    " + ProseLine();
    THtmlCnv line(raw);
    for (auto _ : state) {
        EscapedLine(line, raw);
        line.P_AddTag("<span class=\"strong3\">", 40, false);
        line.P_AddTag("</span>", 50, true);
        line.P_DeleteWord(1, 24);
        benchmark::DoNotOptimize(line.F_strGetIncTag().data());
    }
}
BENCHMARK(BM_LineObjectDeleteWord);

}  // namespace
