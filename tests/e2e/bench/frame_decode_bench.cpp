// What decoding adds to an upgrade once the bytes have arrived, on the real
// file system under Wine: the program written from the download's scratch
// file (what a full download does) against the compressed file and a patch
// decoded from theirs and written (the patch's reference read from disk
// first, as the upgrade reads the installed program). Prints the median
// of the rounds and the process's peak memory after each; asserts nothing.
//   frame_decode_bench PROGRAM ZST PATCH REFERENCE FOLDER [ROUNDS]
#include <windows.h>
// After windows.h, whose types it uses.
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "commands/FileDownload.h"
#include "platform/win32/Utf.h"
#include "platform/win32/Win32FileSystem.h"
#include "transfer/Download.h"

using namespace pellinor;
using Clock = std::chrono::steady_clock;

namespace {

// A download's body as it stands once it has arrived: all of it in the
// scratch file.
struct Arrived {
    std::unique_ptr<ScratchFile> scratch;
    HttpResponse response;
};

Arrived Load(Win32FileSystem& files, const std::string& path) {
    Arrived arrived{files.OpenScratchFile(), HttpResponse()};
    const std::string bytes = files.ReadFile(path, size_t{1} << 30);
    arrived.scratch->Append(bytes.data(), bytes.size());
    arrived.response.spilled = bytes.size();
    return arrived;
}

double MedianMs(int rounds, Win32FileSystem& files, const std::string& dest,
                const std::function<void()>& step) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        files.Remove(dest);
        const Clock::time_point start = Clock::now();
        step();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double PeakMiB() {
    PROCESS_MEMORY_COUNTERS counters = {};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1 << 20);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 6) {
        std::fprintf(stderr,
                     "usage: frame_decode_bench PROGRAM ZST PATCH REFERENCE FOLDER [ROUNDS]\n");
        return 2;
    }
    Win32FileSystem files;
    const std::string reference = Narrow(argv[4]);
    const std::string dest = Narrow(argv[5]) + "\\Tessaron.tmp";
    const int rounds = argc > 6 ? _wtoi(argv[6]) : 5;
    const Arrived program = Load(files, Narrow(argv[1]));
    const Arrived zst = Load(files, Narrow(argv[2]));
    const Arrived patch = Load(files, Narrow(argv[3]));
    std::printf("program %llu bytes, .zst %llu, patch %llu; idle peak %.1f MiB\n",
                static_cast<unsigned long long>(program.response.spilled),
                static_cast<unsigned long long>(zst.response.spilled),
                static_cast<unsigned long long>(patch.response.spilled), PeakMiB());
    const double copy = MedianMs(rounds, files, dest, [&] {
        WriteWholeBody(files, dest, program.response, program.scratch.get());
    });
    std::printf("copy:   %8.1f ms, peak %.1f MiB\n", copy, PeakMiB());
    const double fromZst = MedianMs(rounds, files, dest, [&] {
        DecodeBody(files, zst.response, zst.scratch.get(), std::string(), dest);
    });
    std::printf(".zst:   %8.1f ms (+%.1f ms), peak %.1f MiB\n", fromZst, fromZst - copy, PeakMiB());
    const double fromPatch = MedianMs(rounds, files, dest, [&] {
        const std::string bytes = files.ReadFile(reference, size_t{1} << 30);
        if (DecodeBody(files, patch.response, patch.scratch.get(), bytes, dest) != FrameFault::None)
            std::fprintf(stderr, "the patch did not decode\n");
    });
    std::printf("patch:  %8.1f ms (+%.1f ms), peak %.1f MiB\n", fromPatch, fromPatch - copy,
                PeakMiB());
    files.Remove(dest);
    return 0;
}
