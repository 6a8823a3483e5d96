// How fast MakeFileList walks a large tree, against find(1) on the same tree
// in the same run: the scan may have to walk a whole drive.
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/FakeWindow.h"
#include "platform/posix/PosixFileSystem.h"
#include "system/ShortcutScan.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kFolders = 5000;
constexpr int kFilesPerFolder = 10;
constexpr int kShortcuts = 100;
constexpr int kRounds = 9;

void Touch(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + path);
    ::close(fd);
}

// Folder i hangs below folder (i - 1) / 10, which gives a tree five levels
// deep; every folder holds the same number of files, and the shortcuts are
// spread evenly, half of them spelled ".LNK".
void BuildTree(const std::string& tree) {
    std::vector<std::string> folders(kFolders);
    folders[0] = tree;
    ::mkdir(tree.c_str(), 0755);
    for (int i = 1; i < kFolders; ++i) {
        folders[i] = folders[(i - 1) / 10] + "/d" + std::to_string(i);
        if (::mkdir(folders[i].c_str(), 0755) != 0) throw std::runtime_error("mkdir failed");
    }
    const int total = kFolders * kFilesPerFolder;
    const int every = total / kShortcuts;
    for (int n = 0; n < total; ++n) {
        const std::string& folder = folders[n / kFilesPerFolder];
        std::string name = "f" + std::to_string(n);
        if (n % every == every / 2) {
            name += (n / every) % 2 ? ".LNK" : ".lnk";
        } else {
            name += (n % 3 == 0) ? ".txt" : (n % 3 == 1) ? ".dat" : ".lnk.bak";
        }
        Touch(folder + "/" + name);
    }
}

// Runs find; its output goes to out (a file descriptor) or /dev/null.
void RunFind(const std::string& tree, int out) {
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    if (out >= 0) {
        ::posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    } else {
        ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }
    std::vector<std::string> args = {"find", tree, "-iname", "*.lnk"};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawnp(&pid, "find", &actions, nullptr, argv.data(), environ) != 0) {
        throw std::runtime_error("cannot start find");
    }
    ::posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("find failed");
}

size_t CountFindResults(const std::string& tree) {
    char name[] = "/tmp/pellinor-find-XXXXXX";
    const int fd = ::mkstemp(name);
    ::unlink(name);
    RunFind(tree, fd);
    ::lseek(fd, 0, SEEK_SET);
    size_t lines = 0;
    char buffer[65536];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        lines += std::count(buffer, buffer + n, '\n');
    ::close(fd);
    return lines;
}

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

}  // namespace

int main() {
    char pattern[] = "/tmp/pellinor-scan-bench-XXXXXX";
    if (!::mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string base = pattern;
    const std::string tree = base + "/C/Tree";
    int status = 0;
    try {
        fs::create_directories(base + "/C");
        BuildTree(tree);
        pellinor::PosixFileSystem files(base + "/C");
        pellinor::FakeWindow window;

        const size_t ours = pellinor::MakeFileList(files, window, "C:\\Tree", ".lnk").size();
        const size_t theirs = CountFindResults(tree);
        std::printf("tree: %d folders, %d files; found %zu (MakeFileList), %zu (find)\n", kFolders,
                    kFolders * kFilesPerFolder, ours, theirs);
        if (ours != theirs || ours != static_cast<size_t>(kShortcuts)) {
            std::printf("FAIL: the counts differ\n");
            status = 1;
        }

        std::vector<double> oursTimes, findTimes, ratios;
        for (int round = 0; round < kRounds; ++round) {
            const auto t0 = Clock::now();
            const size_t n = pellinor::MakeFileList(files, window, "C:\\Tree", ".lnk").size();
            const auto t1 = Clock::now();
            RunFind(tree, -1);
            const auto t2 = Clock::now();
            if (n != ours) status = 1;
            oursTimes.push_back(Seconds(t1 - t0));
            findTimes.push_back(Seconds(t2 - t1));
            ratios.push_back(oursTimes.back() / findTimes.back());
        }
        std::printf("median over %d rounds: MakeFileList %.1f ms, find %.1f ms\n", kRounds,
                    Median(oursTimes) * 1000, Median(findTimes) * 1000);
        std::printf("median ratio MakeFileList/find: %.2f (target: at most 1.50)\n",
                    Median(ratios));
    } catch (const std::exception& e) {
        std::printf("FAIL: %s\n", e.what());
        status = 1;
    }
    fs::remove_all(base);
    return status;
}
