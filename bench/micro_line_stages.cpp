// Micro benchmarks of the per-line stages that work on text: escaping with tab expansion,
// katakana widening, the double-byte-aware search, links, and a whole line through every stage.
#include <benchmark/benchmark.h>

#include "bench/micro_fixture.h"
#include "engine/line/autolink.h"
#include "engine/line/line_assembly.h"
#include "engine/text/encoding.h"
#include "engine/text/escaper.h"
#include "engine/text/katakana.h"
#include "engine/text/text_helpers.h"

namespace {

const std::string& LineOf(int which) {
    switch (which) {
        case 0:
            return ProseLine();
        case 1:
            return MixedLine();
        default:
            return LongLine();
    }
}

void LineArgs(benchmark::internal::Benchmark* b) {
    b->ArgName("prose0_mixed1_long2")->Arg(0)->Arg(1)->Arg(2);
}

void BM_EscapeHtmlText(benchmark::State& state) {
    const std::string& line = LineOf(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(EscapeHtmlText(line, 4, false));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(line.size()));
}
BENCHMARK(BM_EscapeHtmlText)->Apply(LineArgs);

void BM_EscapeHtmlTextWithKana(benchmark::State& state) {
    const std::string& line = LineOf(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(EscapeHtmlText(line, 4, true));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(line.size()));
}
BENCHMARK(BM_EscapeHtmlTextWithKana)->Apply(LineArgs);

void BM_WidenKatakana(benchmark::State& state) {
    const std::string& line = LineOf(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(WidenKatakana(line));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(line.size()));
}
BENCHMARK(BM_WidenKatakana)->Apply(LineArgs);

// The search that every stage uses: a keyword that is absent, and one that stands at the end.
void BM_InStr(benchmark::State& state) {
    const std::string& line = LongLine();
    const std::string sought = state.range(0) == 0 ? Sjis("◎") : Sjis("。　");
    for (auto _ : state)
        benchmark::DoNotOptimize(InStr(1, line, sought));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(line.size()));
}
BENCHMARK(BM_InStr)->ArgName("absent0_present1")->Arg(0)->Arg(1);

void BM_AutoLinkLine(benchmark::State& state) {
    const std::string& raw = LineOf(static_cast<int>(state.range(0)));
    const std::string plain = EscapeHtmlText(raw, 4, false);
    THtmlCnv line(raw);
    for (auto _ : state) {
        line.P_Renew(raw);
        line.strHtml.assign(plain);
        AutoLinkLine(line);
        benchmark::DoNotOptimize(line.F_strGetIncTag().data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(raw.size()));
}
BENCHMARK(BM_AutoLinkLine)->Apply(LineArgs);

// One line through every stage, as the conversion driver runs it.
void AssembleLines(benchmark::State& state, TBenchSettings& bench) {
    const std::string& raw = LineOf(static_cast<int>(state.range(0)));
    TParaState para;
    THtmlCnv line(raw);
    for (auto _ : state) {
        line.P_Renew(raw);
        AssembleLine(line, raw, bench.Settings(), para, bench.Platform());
        benchmark::DoNotOptimize(line.F_strGetIncTag().data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(raw.size()));
}

void BM_AssembleLineInitialSettings(benchmark::State& state) {
    TBenchSettings bench;
    AssembleLines(state, bench);
}
BENCHMARK(BM_AssembleLineInitialSettings)->Apply(LineArgs);

void BM_AssembleLineAllStages(benchmark::State& state) {
    TBenchSettings bench({}, AllStagesFile());
    AssembleLines(state, bench);
}
BENCHMARK(BM_AssembleLineAllStages)->Apply(LineArgs);

}  // namespace
