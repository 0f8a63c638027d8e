#include "engine/encodings/line_feeds.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Sixteen bytes at a time where the processor allows, with byte-wide counters
// summed every 255 rounds, rather than a call per line.
long long CountLineFeeds(const char* p, const char* e) {
    long long count = 0;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    while (e - p >= 16) {
        __m128i counters = _mm_setzero_si128();
        for (int round = 0; round < 255 && e - p >= 16; ++round, p += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            counters = _mm_sub_epi8(counters, _mm_cmpeq_epi8(bytes, lf));
        }
        const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
        count += _mm_cvtsi128_si64(sums) + _mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums));
    }
#endif
    return count + std::count(p, e, '\n');
}
