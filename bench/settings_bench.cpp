// Decoding and encoding a settings file of the largest savable list (29,881
// lines) with its "hkey.dat", against the floor of splitting the same bytes
// into lines. Prints the three and each direction's ratio to the floor beside its goal.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "bench/Ratio.h"
#include "data/SettingsFile.h"

namespace {

constexpr int ListLines = 29881;

DecodedSettings MakeLines() {
    const char* samples[] = {
        "はじめまして、クウィブラ開発チームです。",
        " + 表示と入力される文字を別にする : ここが、入力される内容",
        "改行は\\n、日付は%%d、時刻は%%tをいれます",
        " * メモ帳 (&N) : C:\\Windows\\notepad.exe",
        "---",
        "（＾＿＾）",
        " * https://kwibra.example.jp/download/",
        "ソフトウェアの表示",
    };
    DecodedSettings lines;
    for (int i = 0; i < ListLines; ++i) {
        const HotkeyRecord hotkey =
            i % 97 == 0 ? HotkeyRecord{static_cast<std::uint8_t>(0x30 + i % 10), 3} : HotkeyRecord{};
        lines.Add(samples[i % 8] + (i % 5 == 0 ? std::to_string(i) : std::string()), hotkey);
    }
    return lines;
}

const EncodedSettings& Files() {
    static const EncodedSettings files =
        EncodeSettings({}, {HotkeyRecord{0, 0}, {0, 0}, {0x41, 3}}, MakeLines().lines);
    return files;
}

void DecodeFiles(benchmark::State& state) {
    const EncodedSettings& files = Files();
    for (auto _ : state) {
        AppSettings options;
        DecodedSettings settings = DecodeSettings(files.settingsBytes, files.hkeyBytes, options);
        benchmark::DoNotOptimize(settings);
    }
}

void EncodeFiles(benchmark::State& state) {
    AppSettings options;
    const DecodedSettings settings = DecodeSettings(Files().settingsBytes, Files().hkeyBytes, options);
    for (auto _ : state) {
        EncodedSettings files = EncodeSettings(options, settings.menuHotkeys, settings.lines);
        benchmark::DoNotOptimize(files);
    }
}

void SplitLinesFloor(benchmark::State& state) {
    const std::string_view text = Files().settingsBytes;
    for (auto _ : state) {
        std::vector<std::string_view> lines;
        for (std::size_t start = 0, lf; (lf = text.find('\n', start)) != std::string_view::npos;
             start = lf + 1)
            lines.push_back(text.substr(start, lf - start));
        benchmark::DoNotOptimize(lines);
    }
}

BENCHMARK(DecodeFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(EncodeFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(SplitLinesFloor)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration (the median when repeated) for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                milliseconds[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> milliseconds;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double decode = reporter.milliseconds["DecodeFiles"];
    const double encode = reporter.milliseconds["EncodeFiles"];
    const double floor = reporter.milliseconds["SplitLinesFloor"];
    std::printf("\n%d list lines, settings file %zu bytes, hkey.dat %zu bytes\n", ListLines,
                Files().settingsBytes.size(), Files().hkeyBytes.size());
    std::printf("decode %.3f ms, encode %.3f ms, floor (split into lines) %.3f ms\n", decode, encode, floor);
    std::printf("decode / floor %s\n", RatioToGoal(decode / floor, 5).c_str());
    std::printf("encode / floor %s\n", RatioToGoal(encode / floor, 5).c_str());
    return 0;
}
