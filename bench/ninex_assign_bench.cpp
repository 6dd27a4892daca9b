// 9x Assign against the straightforward rebuild (a 64 KiB inverse map and a
// pass over all 65,536 values), on a table of ASCII and 128 Cyrillic values.

#include "tables/C9xCodePageHandler.h"
#include "tools/SampleGenerator.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

samples::Bytes RealisticFile()
{
    samples::Mapping forward;
    for (std::size_t byte = 0; byte < 256; ++byte) {
        forward[byte] = static_cast<std::uint16_t>(byte < 0x80 ? byte : 0x0410 + (byte - 0x80));
    }
    return samples::MakeNinexCodePageFile(forward, 17506, 1);
}

// Each iteration moves byte 0xC0 between two values, so no two calls in a row are alike.
constexpr std::uint16_t kValues[2] = {0x0401, 0x0490};

void BM_NinexAssign(benchmark::State& state)
{
    samples::Bytes file = RealisticFile();
    C9xCodePageHandler handler;
    handler.AllocateData(static_cast<std::int32_t>(file.size()));
    std::memcpy(handler.m_data, file.data(), file.size());
    std::size_t i = 0;
    for (auto _ : state) {
        handler.Assign(0xC0, kValues[i++ & 1]);
        benchmark::DoNotOptimize(handler.m_data);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_NinexAssign);

void BM_NinexAssignReference(benchmark::State& state)
{
    samples::Bytes image = RealisticFile();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(samples::ReferenceNinexAssign(image, 0xC0, kValues[i++ & 1]));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_NinexAssignReference);

} // namespace
