// The folder questions of the menu on a folder of many files, each beside a bare listing
// of the same folder (readdir collecting the names) measured in the same run.
//   folder_bench [--benchmark_filter=...]

#include "app/ModMain.h"
#include "check/Recorders.h"
#include "menu/FormMain.h"
#include "platform/posix/PathResolver.h"
#include "platform/posix/PosixEnvironment.h"
#include "platform/posix/PosixFileSystem.h"

#include <benchmark/benchmark.h>

#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace discmenu;

namespace {

// A disc root with n files and its module, made once per size.
struct Disc {
    explicit Disc(int n) {
        root = std::filesystem::temp_directory_path() / ("discmenu-bench-" + std::to_string(n));
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root / "autorun");
        for (int i = 0; i < n; ++i)
            std::ofstream(root / ("Sensor Data " + std::to_string(i) + ".hex")) << "x";
        posix::DriveMap drives;
        drives.add('D', root.string());
        paths = std::make_unique<posix::PathResolver>(drives);
        fs = std::make_unique<posix::PosixFileSystem>(*paths);
        env =
            std::make_unique<posix::PosixEnvironment>(paths->drives(), (root / "autorun").string());
        mod = std::make_unique<ModMain>(Ports{*fs, launcher, messages, desktop, *env}, trace);
        mod->Main();
    }
    ~Disc() { std::filesystem::remove_all(root); }

    std::filesystem::path root;
    std::unique_ptr<posix::PathResolver> paths;
    std::unique_ptr<posix::PosixFileSystem> fs;
    check::RecordingLauncher launcher;
    check::RecordingMessageBoxes messages;
    check::QuietDesktop desktop;
    std::unique_ptr<posix::PosixEnvironment> env;
    Trace trace;
    std::unique_ptr<ModMain> mod;
};

Disc& disc(int n) {
    static std::map<int, std::unique_ptr<Disc>> discs;
    auto& d = discs[n];
    if (!d)
        d = std::make_unique<Disc>(n);
    return *d;
}

void BareListing(benchmark::State& state) {
    Disc& d = disc(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<std::string> names;
        DIR* dir = ::opendir(d.root.c_str());
        while (dirent* e = ::readdir(dir))
            names.emplace_back(e->d_name);
        ::closedir(dir);
        benchmark::DoNotOptimize(names);
    }
}

void FolderContainsName(benchmark::State& state) {
    Disc& d = disc(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(d.mod->FolderContainsName(".cal")); // no hit: the whole walk
}

void FindFileByPrefix(benchmark::State& state) {
    Disc& d = disc(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(d.mod->FindFileByPrefix("sensor data 1", "hex", ""));
}

void InstrumentDocsPage(benchmark::State& state) {
    Disc& d = disc(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(d.mod->formMain().ShowInstrumentDocsMenu());
}

void FileExists(benchmark::State& state) {
    Disc& d = disc(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(d.fs->fileExists("D:\\Sensor Data 5.hex")); // as written
        benchmark::DoNotOptimize(d.fs->fileExists("D:\\SENSOR DATA 5.HEX")); // other case
    }
}

} // namespace

BENCHMARK(BareListing)->Arg(1000)->Arg(10000)->Arg(40000)->Unit(benchmark::kMicrosecond);
BENCHMARK(FolderContainsName)->Arg(1000)->Arg(10000)->Arg(40000)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindFileByPrefix)->Arg(1000)->Arg(10000)->Arg(40000)->Unit(benchmark::kMicrosecond);
BENCHMARK(InstrumentDocsPage)->Arg(1000)->Arg(10000)->Arg(40000)->Unit(benchmark::kMicrosecond);
BENCHMARK(FileExists)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
