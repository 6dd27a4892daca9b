// The table search over a module without a table, beside memmem on the same
// buffer. Both must agree on the first match; the figures are bytes per second.

#include "tables/CGdiTableHandler.h"
#include "tools/SampleGenerator.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

constexpr std::size_t kSlack = 4096;

const samples::Bytes& Buffer(std::size_t size)
{
    static samples::Bytes small;
    static samples::Bytes large;
    samples::Bytes& bytes = size <= (1u << 20) ? small : large;
    if (bytes.size() != size + kSlack) {
        bytes = samples::Filler(size, 42);
        bytes.resize(size + kSlack, 0);
    }
    return bytes;
}

std::int32_t MemmemBase(const samples::Bytes& bytes, std::size_t size)
{
    const void* found = ::memmem(bytes.data() + 384, size - 384, CGdiTableHandler::kSignature,
                                 sizeof CGdiTableHandler::kSignature);
    return found == nullptr ? 0
                            : static_cast<std::int32_t>(static_cast<const std::uint8_t*>(found) - bytes.data()) - 384;
}

void BM_LocateTable(benchmark::State& state)
{
    auto size = static_cast<std::size_t>(state.range(0));
    const samples::Bytes& bytes = Buffer(size);
    CGdiTableHandler handler;
    samples::Bytes planted = bytes;
    std::memcpy(planted.data() + size - 1000, CGdiTableHandler::kSignature, sizeof CGdiTableHandler::kSignature);
    if (handler.LocateTable(bytes.data(), static_cast<std::int32_t>(size)) != MemmemBase(bytes, size)
        || handler.LocateTable(planted.data(), static_cast<std::int32_t>(size)) != MemmemBase(planted, size)
        || MemmemBase(planted, size) == 0) {
        state.SkipWithError("LocateTable and memmem disagree on the first match");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(handler.LocateTable(bytes.data(), static_cast<std::int32_t>(size)));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void BM_Memmem(benchmark::State& state)
{
    auto size = static_cast<std::size_t>(state.range(0));
    const samples::Bytes& bytes = Buffer(size);
    for (auto _ : state) {
        benchmark::DoNotOptimize(MemmemBase(bytes, size));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

} // namespace

BENCHMARK(BM_LocateTable)->Arg(1 << 20)->Arg(16 << 20);
BENCHMARK(BM_Memmem)->Arg(1 << 20)->Arg(16 << 20);
