// Object-stream throughput: writing and reading a record of mixed primitives, against a plain
// copy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>

#include "objects/object_stream.h"

namespace {

constexpr int kRecords = 10000;

void WriteRecords(hx::TObjectStream& s) {
  for (int i = 0; i < kRecords; ++i) {
    s.WriteInt32(i);
    s.WriteCompact(i & 0x7FFF);
    s.WriteReal48(i * 0.25);
    s.WriteDouble(i * 1.5);
    s.WriteStr("Radiator panel 22/600/1000");
  }
}

std::vector<uint8_t> Sample() {
  hx::TObjectStream s;
  WriteRecords(s);
  return s.MemoryData();
}

void BM_ObjectStreamWrite(benchmark::State& state) {
  const size_t bytes = Sample().size();
  for (auto _ : state) {
    hx::TObjectStream s;
    WriteRecords(s);
    benchmark::DoNotOptimize(s.MemoryData().data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ObjectStreamWrite);

void BM_ObjectStreamRead(benchmark::State& state) {
  const std::vector<uint8_t> data = Sample();
  for (auto _ : state) {
    hx::TObjectStream s(std::make_unique<hx::TMemoryStream>(data));
    int64_t sum = 0;
    for (int i = 0; i < kRecords; ++i) {
      sum += s.ReadInt32();
      sum += s.ReadCompact();
      sum += static_cast<int64_t>(s.ReadReal48());
      sum += static_cast<int64_t>(s.ReadDouble());
      sum += static_cast<int64_t>(s.ReadStr().size());
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
}
BENCHMARK(BM_ObjectStreamRead);

void BM_Memcpy(benchmark::State& state) {
  const std::vector<uint8_t> data = Sample();
  std::vector<uint8_t> target(data.size());
  for (auto _ : state) {
    std::memcpy(target.data(), data.data(), data.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
}
BENCHMARK(BM_Memcpy);

}  // namespace

BENCHMARK_MAIN();
