// Builds a tree of 500,000 entries (25,000 folders holding 19 files each) in a temporary
// folder, times the size walk against `du -s -b` on it, both warm, and times the listing of a
// folder of 10,000 files. Everything it creates is removed at the end.
//
//   folder_scanner_bench [--runs N] [--keep-going] [PARENT_FOLDER]

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "folderpreview/folder_preview_model.hpp"
#include "folderpreview/folder_scanner.hpp"
#include "platform/native/system_clock.hpp"
#include "platform/sim/sim_file_kinds.hpp"

namespace {

using tavorin::FolderPreviewModel;
using tavorin::FolderScanner::listContents;
using tavorin::FolderScanner::measure;
namespace fs = std::filesystem;

constexpr int topFolders = 125;
constexpr int subfoldersEach = 199;  // 125 + 125 * 199 = 25,000 folders
constexpr int filesPerFolder = 19;   // 25,000 * 19 = 475,000 files
constexpr int listedFiles = 10'000;

// Wall time and processor time (user + system) of one piece of work.
struct Timing {
  double wall = 0;
  double cpu = 0;
};

double cpuSeconds(const rusage& usage) {
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Times `work` run on this thread.
Timing timeHere(const std::function<void()>& work) {
  rusage before{}, after{};
  ::getrusage(RUSAGE_THREAD, &before);
  const auto start = std::chrono::steady_clock::now();
  work();
  const auto end = std::chrono::steady_clock::now();
  ::getrusage(RUSAGE_THREAD, &after);
  return Timing{std::chrono::duration<double>(end - start).count(),
                cpuSeconds(after) - cpuSeconds(before)};
}

// The best and the median of several timings.
struct Summary {
  Timing best;
  Timing median;
};

Summary summarise(std::vector<Timing> timings) {
  Summary summary;
  for (auto field : {&Timing::wall, &Timing::cpu}) {
    std::sort(timings.begin(), timings.end(),
              [field](const Timing& a, const Timing& b) { return a.*field < b.*field; });
    summary.best.*field = timings.front().*field;
    summary.median.*field = timings[timings.size() / 2].*field;
  }
  return summary;
}

void makeFile(const fs::path& path, off_t size) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw std::runtime_error("cannot create " + path.string());
  if (size > 0 && ::ftruncate(fd, size) != 0) {
    ::close(fd);
    throw std::runtime_error("cannot size " + path.string());
  }
  ::close(fd);
}

void fillFolder(const fs::path& folder, int files, int& counter) {
  for (int i = 0; i < files; ++i, ++counter)
    makeFile(folder / ("file-" + std::to_string(i) + ".dat"), counter % 5000);
}

std::int64_t buildTree(const fs::path& root) {
  int counter = 0;
  for (int top = 0; top < topFolders; ++top) {
    const fs::path topFolder = root / ("group-" + std::to_string(top));
    fs::create_directory(topFolder);
    fillFolder(topFolder, filesPerFolder, counter);
    for (int sub = 0; sub < subfoldersEach; ++sub) {
      const fs::path folder = topFolder / ("folder-" + std::to_string(sub));
      fs::create_directory(folder);
      fillFolder(folder, filesPerFolder, counter);
    }
  }
  std::int64_t bytes = 0;
  for (int i = 0; i < counter; ++i)
    bytes += i % 5000;
  return bytes;
}

// Runs `du -s -b folder` with its output sent to a pipe; answers the bytes it printed and
// the time it took, its own processor time included.
std::int64_t runDu(const fs::path& folder, Timing& timing) {
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(pipeFds[1], STDOUT_FILENO);
    ::execlp("du", "du", "-s", "-b", folder.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  std::string output;
  char buffer[256];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
    output.append(buffer, static_cast<std::size_t>(n));
  ::close(pipeFds[0]);
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  timing.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  timing.cpu = cpuSeconds(usage);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("du failed");
  return std::stoll(output);
}

class TemporaryFolder {
 public:
  explicit TemporaryFolder(const fs::path& parent) {
    std::string pattern = (parent / "tavorin-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TemporaryFolder() {
    std::error_code error;
    fs::remove_all(path_, error);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  fs::path parent = fs::temp_directory_path();
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--runs" && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else {
      parent = argument;
    }
  }

  try {
    const TemporaryFolder temporary(parent);
    const fs::path tree = temporary.path() / "tree";
    fs::create_directory(tree);
    std::printf("building %d folders and %d files in %s ...\n", topFolders * (subfoldersEach + 1),
                topFolders * (subfoldersEach + 1) * filesPerFolder, temporary.path().c_str());
    std::fflush(stdout);
    std::int64_t expectedBytes = 0;
    const double built = timeHere([&] { expectedBytes = buildTree(tree); }).wall;
    std::printf("built in %.1f s\n", built);

    const tavorin::native::SystemClock clock;
    tavorin::SizeSummary summary;
    const auto walk = [&] {
      summary = measure(tree, tavorin::Deadline::in(clock, FolderPreviewModel::measureTimeLimit),
                        FolderPreviewModel::measureItemLimit, [] { return false; });
    };
    std::int64_t duBytes = 0;
    Timing ignored;
    // Both once untimed, so that both find the tree in the caches; then taking turns, so that
    // other load on the machine falls on both alike.
    walk();
    runDu(tree, ignored);
    std::vector<Timing> ourTimes, duTimes;
    for (int run = 0; run < runs; ++run) {
      ourTimes.push_back(timeHere(walk));
      duTimes.emplace_back();
      duBytes = runDu(tree, duTimes.back());
    }
    const Summary ours = summarise(ourTimes);
    const Summary du = summarise(duTimes);

    std::printf("\nsize of 500,000 entries, warm, %d runs each (wall time, processor time):\n",
                runs);
    std::printf("  measure   best %6.3f s (cpu %6.3f s)  median %6.3f s (cpu %6.3f s)\n",
                ours.best.wall, ours.best.cpu, ours.median.wall, ours.median.cpu);
    std::printf("  du -s -b  best %6.3f s (cpu %6.3f s)  median %6.3f s (cpu %6.3f s)\n",
                du.best.wall, du.best.cpu, du.median.wall, du.median.cpu);
    std::printf("  ratio measure / du: best %.2f, median %.2f, processor time %.2f\n",
                ours.best.wall / du.best.wall, ours.median.wall / du.median.wall,
                ours.median.cpu / du.median.cpu);
    std::printf("  measure found %lld bytes in %lld files, %s; du %lld bytes (folders included)\n",
                static_cast<long long>(summary.bytes), static_cast<long long>(summary.fileCount),
                summary.isComplete ? "complete" : "INCOMPLETE", static_cast<long long>(duBytes));

    const fs::path flat = temporary.path() / "flat";
    fs::create_directory(flat);
    int counter = 0;
    fillFolder(flat, listedFiles, counter);
    const tavorin::sim::SimFileKindProvider kinds;
    std::size_t listed = 0;
    std::vector<Timing> plainTimes, kindTimes;
    listContents(flat, true, &kinds);
    for (int run = 0; run < runs; ++run) {
      plainTimes.push_back(
          timeHere([&] { listed = listContents(flat, true, nullptr).items.size(); }));
      kindTimes.push_back(
          timeHere([&] { listed = listContents(flat, true, &kinds).items.size(); }));
    }
    const Summary plain = summarise(plainTimes);
    const Summary withKinds = summarise(kindTimes);
    std::printf("\nlistContents of %zu files, warm, %d runs each:\n", listed, runs);
    std::printf("  without kinds      best %7.2f ms  median %7.2f ms\n", plain.best.wall * 1000,
                plain.median.wall * 1000);
    std::printf("  with a kind table  best %7.2f ms  median %7.2f ms\n", withKinds.best.wall * 1000,
                withKinds.median.wall * 1000);

    const bool correct = summary.isComplete && summary.bytes == expectedBytes &&
                         summary.fileCount == topFolders * (subfoldersEach + 1) * filesPerFolder;
    std::printf("\nmeasure %s, %s the %.0f-second deadline, %s du\n", correct ? "correct" : "WRONG",
                ours.median.wall < FolderPreviewModel::measureTimeLimit ? "within" : "OVER",
                FolderPreviewModel::measureTimeLimit,
                ours.best.wall <= du.best.wall ? "not slower than" : "SLOWER than");
    std::printf("removing the tree ...\n");
    return correct ? 0 : 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "folder_scanner_bench: %s\n", error.what());
    return 2;
  }
}
