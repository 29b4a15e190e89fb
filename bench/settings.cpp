// SPDX-License-Identifier: MIT
// The settings file at start-up and at close, and the reader's speed on a large document.
#include "settings/config.h"
#include "settings/xmlparser.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace orvane;

TConfig typicalRecord()
{
    TConfig config;
    config.AutoRun = config.TempWarn = config.PopupNotification = config.PlaySound = true;
    config.Temp = "50";
    config.EmailAddr = "admin@example.com";
    config.SoundPath = "C:\\Program Files\\Orvane\\alert.wav";
    return config;
}

// A scratch folder for the benchmark's config.xml, removed at the end.
struct ScratchFile
{
    ScratchFile()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvane-bench-XXXXXX").string();
        dir = ::mkdtemp(pattern.data()) ? pattern : std::filesystem::temp_directory_path().string();
        path = dir / "config.xml";
    }
    ~ScratchFile() { std::filesystem::remove_all(dir); }
    std::filesystem::path dir, path;
};

void BM_LoadConfigFile(benchmark::State &state)
{
    ScratchFile file;
    writeConfigFile(typicalRecord(), file.path);
    for (auto _ : state) {
        TConfig config;
        readConfigFile(config, file.path);
        benchmark::DoNotOptimize(config);
    }
}
BENCHMARK(BM_LoadConfigFile);

// Includes the fsync that makes the save safe, so it measures the disk as much as the code.
void BM_SaveConfigFile(benchmark::State &state)
{
    ScratchFile file;
    const TConfig config = typicalRecord();
    for (auto _ : state) {
        writeConfigFile(config, file.path);
    }
}
BENCHMARK(BM_SaveConfigFile);

// 1 MiB of settings-like elements under one root, read from memory.
void BM_LoadFromText1MiB(benchmark::State &state)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<Orvane>";
    for (int i = 0; text.size() < (1u << 20) - 64; ++i) {
        text += "\r\n  <SoundPath" + std::to_string(i % 12) + ">C:\\Sounds\\alert &amp; more.wav</SoundPath"
            + std::to_string(i % 12) + ">";
    }
    text += "\r\n</Orvane>";
    TqomXMLParser2 document;
    for (auto _ : state) {
        document.LoadFromText(text);
        benchmark::DoNotOptimize(document.Nodes().Count());
    }
    if (!document.LastError().empty()) {
        state.SkipWithError("the document did not read cleanly");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LoadFromText1MiB)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
