#include "base/file_system.h"
#include "records/log_record.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

// Appending one log record to a file that already holds `range(0)` records: the cost must not
// grow with the logbook.
void LogAppend(benchmark::State& state) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("brisomar-bench-" + std::to_string(state.range(0)) + ".LOG");
    std::filesystem::remove(path);
    brisomar::StdFileSystem files;
    std::string error;
    files.touch(path.string(), error);
    std::filesystem::resize_file(path, state.range(0) * brisomar::logRecordSize); // sparse
    const auto record = brisomar::encodeLogRecord({"Under way", {}, {}, {}, {}, 46000.5});
    const brisomar::Bytes bytes(record.begin(), record.end());
    for (auto _ : state)
        benchmark::DoNotOptimize(
            brisomar::appendWhole(files, path.string(), bytes, brisomar::logRecordSize, error));
    std::filesystem::remove(path);
}
BENCHMARK(LogAppend)->Arg(1)->Arg(1000000);

} // namespace
