// Codec throughput against memcpy and LZ4, on the same bytes in the same run.
//
//   codec_bench [benchmark flags] [--synthetic] [FOLDER...]
//
// Each folder is one input: all files below it, each compressed on its own as a
// stored-file set does. Without a folder (or with --synthetic) a made-up set of
// Windows-like program files of the installer's payload size is measured.
// The run ends with one "summary:" line per input.
#include <benchmark/benchmark.h>
#include <lz4.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_input.h"
#include "codec/rlecodec.h"

namespace {

constexpr std::size_t kPayloadSize = 21184673;  // decoded size of the installer's payload

// An input with its files compressed by both codecs, checked to round-trip.
struct PreparedInput {
  BenchInput input;
  std::vector<std::size_t> fileOffsets;
  std::vector<std::uint8_t> rle;  // the framed streams, each in a CompressBound slot
  std::vector<std::size_t> rleOffsets, rleSizes;
  std::vector<char> lz4;  // the LZ4 blocks, each in an LZ4_compressBound slot
  std::vector<std::size_t> lz4Offsets, lz4Sizes;
  std::vector<std::uint8_t> output;  // where every decoder writes
  std::size_t positionListBlocks = 0, escapeBlocks = 0;

  std::size_t Files() const { return input.fileSizes.size(); }
  std::size_t RleBytes() const { return Sum(rleSizes); }
  std::size_t Lz4Bytes() const { return Sum(lz4Sizes); }
  static std::size_t Sum(const std::vector<std::size_t>& sizes) {
    std::size_t total = 0;
    for (const std::size_t size : sizes) total += size;
    return total;
  }
};

PreparedInput Prepare(BenchInput input) {
  PreparedInput prepared;
  prepared.input = std::move(input);
  const auto& sizes = prepared.input.fileSizes;
  std::size_t rleTotal = 0, lz4Total = 0, offset = 0;
  for (const std::size_t size : sizes) {
    prepared.fileOffsets.push_back(offset);
    prepared.rleOffsets.push_back(rleTotal);
    prepared.lz4Offsets.push_back(lz4Total);
    offset += size;
    rleTotal += CompressBound(size);
    lz4Total += static_cast<std::size_t>(LZ4_compressBound(static_cast<int>(size)));
  }
  prepared.rle.resize(rleTotal);
  prepared.lz4.resize(lz4Total);
  prepared.output.resize(offset);

  const std::uint8_t* const bytes = prepared.input.bytes.data();
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const std::uint8_t* const file = bytes + prepared.fileOffsets[i];
    std::uint8_t* const framed = prepared.rle.data() + prepared.rleOffsets[i];
    const std::size_t rleSize = CompressBuffer(file, framed, sizes[i]);
    prepared.rleSizes.push_back(rleSize);
    const RleBlockModes modes = CountBlockModes(framed + 4, rleSize - 4);
    prepared.positionListBlocks += modes.positionList;
    prepared.escapeBlocks += modes.escape;
    const std::ptrdiff_t decoded = DecompressBuffer(
        framed + 4, prepared.output.data() + prepared.fileOffsets[i], rleSize - 4, sizes[i]);
    if (decoded != static_cast<std::ptrdiff_t>(sizes[i]) ||
        std::memcmp(prepared.output.data() + prepared.fileOffsets[i], file, sizes[i]) != 0) {
      throw std::runtime_error("round trip failed on " + prepared.input.name);
    }
    const int lz4Size = LZ4_compress_default(
        reinterpret_cast<const char*>(file), prepared.lz4.data() + prepared.lz4Offsets[i],
        static_cast<int>(sizes[i]), LZ4_compressBound(static_cast<int>(sizes[i])));
    if (lz4Size <= 0) throw std::runtime_error("LZ4 failed on " + prepared.input.name);
    prepared.lz4Sizes.push_back(static_cast<std::size_t>(lz4Size));
  }
  return prepared;
}

void Encode(benchmark::State& state, PreparedInput* in) {
  for (auto _ : state) {
    for (std::size_t i = 0; i < in->Files(); ++i) {
      benchmark::DoNotOptimize(CompressBuffer(in->input.bytes.data() + in->fileOffsets[i],
                                              in->rle.data() + in->rleOffsets[i],
                                              in->input.fileSizes[i]));
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in->input.bytes.size()));
}

void Decode(benchmark::State& state, PreparedInput* in) {
  for (auto _ : state) {
    for (std::size_t i = 0; i < in->Files(); ++i) {
      benchmark::DoNotOptimize(DecompressBuffer(in->rle.data() + in->rleOffsets[i] + 4,
                                                in->output.data() + in->fileOffsets[i],
                                                in->rleSizes[i] - 4, in->input.fileSizes[i]));
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in->input.bytes.size()));
}

void Memcpy(benchmark::State& state, PreparedInput* in) {
  for (auto _ : state) {
    for (std::size_t i = 0; i < in->Files(); ++i) {
      std::memcpy(in->output.data() + in->fileOffsets[i],
                  in->input.bytes.data() + in->fileOffsets[i], in->input.fileSizes[i]);
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in->input.bytes.size()));
}

void Lz4Compress(benchmark::State& state, PreparedInput* in) {
  for (auto _ : state) {
    for (std::size_t i = 0; i < in->Files(); ++i) {
      const int size = static_cast<int>(in->input.fileSizes[i]);
      benchmark::DoNotOptimize(LZ4_compress_default(
          reinterpret_cast<const char*>(in->input.bytes.data() + in->fileOffsets[i]),
          in->lz4.data() + in->lz4Offsets[i], size, LZ4_compressBound(size)));
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in->input.bytes.size()));
}

void Lz4Decompress(benchmark::State& state, PreparedInput* in) {
  for (auto _ : state) {
    for (std::size_t i = 0; i < in->Files(); ++i) {
      benchmark::DoNotOptimize(LZ4_decompress_safe(
          in->lz4.data() + in->lz4Offsets[i],
          reinterpret_cast<char*>(in->output.data() + in->fileOffsets[i]),
          static_cast<int>(in->lz4Sizes[i]), static_cast<int>(in->input.fileSizes[i])));
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in->input.bytes.size()));
}

// The console output as usual, plus each run's throughput kept by name.
class ThroughputReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal, so that logs stay plain text.
  ThroughputReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const auto rate = run.counters.find("bytes_per_second");
      if (run.run_type == Run::RT_Iteration && rate != run.counters.end()) {
        bytesPerSecond_[run.benchmark_name()] = rate->second.value;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  double Rate(const std::string& name) const {
    const auto found = bytesPerSecond_.find(name);
    return found == bytesPerSecond_.end() ? 0.0 : found->second;
  }

 private:
  std::map<std::string, double> bytesPerSecond_;
};

double MegabytesPerSecond(double bytesPerSecond) {
  return bytesPerSecond / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bool synthetic = false;
  std::vector<std::string> folders;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--synthetic") == 0) {
      synthetic = true;
    } else {
      folders.emplace_back(argv[i]);
    }
  }

  std::vector<PreparedInput> inputs;
  try {
    for (const auto& folder : folders) inputs.push_back(Prepare(LoadFolderInput(folder)));
    if (synthetic || folders.empty())
      inputs.push_back(Prepare(SyntheticBinaryInput(kPayloadSize, 20240601)));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "codec_bench: %s\n", error.what());
    return 1;
  }

  for (auto& in : inputs) {
    const std::string& name = in.input.name;
    benchmark::RegisterBenchmark(("encode/" + name).c_str(), Encode, &in);
    benchmark::RegisterBenchmark(("lz4_compress/" + name).c_str(), Lz4Compress, &in);
    benchmark::RegisterBenchmark(("decode/" + name).c_str(), Decode, &in);
    benchmark::RegisterBenchmark(("lz4_decompress/" + name).c_str(), Lz4Decompress, &in);
    benchmark::RegisterBenchmark(("memcpy/" + name).c_str(), Memcpy, &in);
  }
  ThroughputReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  for (const auto& in : inputs) {
    const std::string& name = in.input.name;
    const double encode = reporter.Rate("encode/" + name);
    const double decode = reporter.Rate("decode/" + name);
    const double copy = reporter.Rate("memcpy/" + name);
    const double lz4Encode = reporter.Rate("lz4_compress/" + name);
    const double lz4Decode = reporter.Rate("lz4_decompress/" + name);
    const double size = static_cast<double>(in.input.bytes.size());
    std::printf(
        "figures: input=%s bytes=%zu files=%zu blocks=%zu position_list=%zu escape=%zu "
        "encode=%.0fMB/s decode=%.0fMB/s memcpy=%.0fMB/s lz4_compress=%.0fMB/s "
        "lz4_decompress=%.0fMB/s lz4_ratio=%.4f\n",
        name.c_str(), in.input.bytes.size(), in.Files(), in.positionListBlocks + in.escapeBlocks,
        in.positionListBlocks, in.escapeBlocks, MegabytesPerSecond(encode),
        MegabytesPerSecond(decode), MegabytesPerSecond(copy), MegabytesPerSecond(lz4Encode),
        MegabytesPerSecond(lz4Decode), static_cast<double>(in.Lz4Bytes()) / size);
  }
  for (const auto& in : inputs) {
    const std::string& name = in.input.name;
    const auto ratio = [&](const std::string& a, const std::string& b) {
      const double denominator = reporter.Rate(b + "/" + name);
      return denominator > 0 ? reporter.Rate(a + "/" + name) / denominator : 0.0;
    };
    std::printf(
        "summary: decode_vs_memcpy=%.2f decode_vs_lz4=%.2f encode_vs_lz4=%.2f ratio=%.4f "
        "input=%s\n",
        ratio("decode", "memcpy"), ratio("decode", "lz4_decompress"),
        ratio("encode", "lz4_compress"),
        static_cast<double>(in.RleBytes()) / static_cast<double>(in.input.bytes.size()),
        name.c_str());
  }
  return 0;
}
