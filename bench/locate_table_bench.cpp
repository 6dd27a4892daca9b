// The table searches over a module without a table, beside memmem looking for
// the Cyrillic signature in the same buffer: the signature search (which must
// agree with memmem on the first match), the search for every table, and both
// together as a document load runs them. The figures are bytes per second.

#include "tables/CGdiTableHandler.h"
#include "tables/GdiTableSearch.h"
#include "tests/HandlerImage.h"
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

void BM_FindGdiTables(benchmark::State& state)
{
    auto size = static_cast<std::size_t>(state.range(0));
    const std::span<const std::uint8_t> module(Buffer(size).data(), size);
    samples::Bytes planted(module.begin(), module.end());
    const samples::Bytes tables = samples::MakeGdiModuleWithTables({.resourceTable = false});
    std::copy(tables.begin(), tables.end(), planted.end() - static_cast<std::ptrdiff_t>(tables.size()) - 1);
    if (!FindGdiTables(module).empty() || FindGdiTables(planted).size() != 3) {
        state.SkipWithError("FindGdiTables finds other tables than those planted");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindGdiTables(module));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void BM_FindTablesOnLoad(benchmark::State& state)
{
    auto size = static_cast<std::size_t>(state.range(0));
    CGdiTableHandler handler;
    if (!LoadImage(handler, samples::Bytes(Buffer(size).begin(), Buffer(size).begin() + static_cast<std::ptrdiff_t>(size)))) {
        state.SkipWithError("no memory for the module");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(handler.FindTables());
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
BENCHMARK(BM_FindGdiTables)->Arg(1 << 20)->Arg(16 << 20);
BENCHMARK(BM_FindTablesOnLoad)->Arg(1 << 20)->Arg(16 << 20);
BENCHMARK(BM_Memmem)->Arg(1 << 20)->Arg(16 << 20);
