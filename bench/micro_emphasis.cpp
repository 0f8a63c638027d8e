// Micro benchmarks of one emphasis rule of each keyword kind on one line, the rule being rule 3
// of an otherwise untouched main window.
#include <benchmark/benchmark.h>

#include "bench/micro_fixture.h"
#include "engine/line/emphasis.h"
#include "engine/text/escaper.h"

namespace {

void RunRule(benchmark::State& state, const std::vector<std::string>& controls) {
    TBenchSettings bench(controls);
    const TStrong& rule = bench.Settings().Strong[2];
    const std::string& raw = state.range(0) == 0 ? ProseLine() : LongLine();
    const std::string plain = EscapeHtmlText(raw, 4, false);
    THtmlCnv line(raw);
    for (auto _ : state) {
        line.P_Renew(raw);
        line.strHtml.assign(plain);
        ApplyEmphasisRules(line, rule, bench.Platform());
        benchmark::DoNotOptimize(line.F_strGetIncTag().data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(raw.size()));
}

void LineArgs(benchmark::internal::Benchmark* b) {
    b->ArgName("prose0_long1")->Arg(0)->Arg(1);
}

void BM_EmphasisLineStartsWith(benchmark::State& state) {
    RunRule(state, {"strong3.keyword=○,◎,Debian", "strong3.keykbn=0"});
}
BENCHMARK(BM_EmphasisLineStartsWith)->Apply(LineArgs);

void BM_EmphasisLineContains(benchmark::State& state) {
    RunRule(state, {"strong3.keyword=注意,重要,番号", "strong3.keykbn=1", "strong3.keywhat=1"});
}
BENCHMARK(BM_EmphasisLineContains)->Apply(LineArgs);

void BM_EmphasisCharactersOnly(benchmark::State& state) {
    RunRule(state, {"strong3.keyword=パッケージ,Debian", "strong3.keykbn=2", "strong3.trim=0"});
}
BENCHMARK(BM_EmphasisCharactersOnly)->Apply(LineArgs);

void BM_EmphasisEnclosed(benchmark::State& state) {
    RunRule(state, {"strong3.keyword=「*」,（*）", "strong3.keykbn=3"});
}
BENCHMARK(BM_EmphasisEnclosed)->Apply(LineArgs);

void BM_EmphasisRegexGlobal(benchmark::State& state) {
    RunRule(state, {"strong3.keyword=m/[0-9]+/g", "strong3.keykbn=4"});
}
BENCHMARK(BM_EmphasisRegexGlobal)->Apply(LineArgs);

}  // namespace
