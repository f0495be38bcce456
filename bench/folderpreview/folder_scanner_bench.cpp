// Builds a tree of 500,000 entries (25,000 folders holding 19 files each) in a temporary
// folder, times the size walk against `du -s -b` on it, both warm, and times the listing of a
// folder of 10,000 files. Everything it creates is removed at the end.
//
//   folder_scanner_bench [--runs N] [--keep-going] [PARENT_FOLDER]

#include <fcntl.h>
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

double secondsOf(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The best of `runs` timings, after one untimed run that warms the caches.
double bestOf(int runs, const std::function<void()>& work) {
  work();
  double best = 1e300;
  for (int i = 0; i < runs; ++i)
    best = std::min(best, secondsOf(work));
  return best;
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

// Runs `du -s -b folder` with its output sent to a pipe; answers the bytes it printed.
std::int64_t runDu(const fs::path& folder) {
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
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
  ::waitpid(child, &status, 0);
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
    const double built = secondsOf([&] { expectedBytes = buildTree(tree); });
    std::printf("built in %.1f s\n", built);

    const tavorin::native::SystemClock clock;
    tavorin::SizeSummary summary;
    const double ours = bestOf(runs, [&] {
      summary = measure(tree, tavorin::Deadline::in(clock, FolderPreviewModel::measureTimeLimit),
                        FolderPreviewModel::measureItemLimit, [] { return false; });
    });
    std::int64_t duBytes = 0;
    const double du = bestOf(runs, [&] { duBytes = runDu(tree); });

    std::printf("\nsize of 500,000 entries, warm, best of %d:\n", runs);
    std::printf("  measure   %8.3f s  %lld bytes in %lld files, %s\n", ours,
                static_cast<long long>(summary.bytes), static_cast<long long>(summary.fileCount),
                summary.isComplete ? "complete" : "INCOMPLETE");
    std::printf("  du -s -b  %8.3f s  %lld bytes (folders included)\n", du,
                static_cast<long long>(duBytes));
    std::printf("  ratio measure / du = %.2f\n", ours / du);

    const fs::path flat = temporary.path() / "flat";
    fs::create_directory(flat);
    int counter = 0;
    fillFolder(flat, listedFiles, counter);
    const tavorin::sim::SimFileKindProvider kinds;
    std::size_t listed = 0;
    const double plain =
        bestOf(runs, [&] { listed = listContents(flat, true, nullptr).items.size(); });
    const double withKinds =
        bestOf(runs, [&] { listed = listContents(flat, true, &kinds).items.size(); });
    std::printf("\nlistContents of %zu files, warm, best of %d:\n", listed, runs);
    std::printf("  without kinds      %8.2f ms\n", plain * 1000);
    std::printf("  with a kind table  %8.2f ms\n", withKinds * 1000);

    const bool correct = summary.isComplete && summary.bytes == expectedBytes &&
                         summary.fileCount == topFolders * (subfoldersEach + 1) * filesPerFolder;
    std::printf("\nmeasure %s, %s the %.0f-second deadline, %s du\n", correct ? "correct" : "WRONG",
                ours < FolderPreviewModel::measureTimeLimit ? "within" : "OVER",
                FolderPreviewModel::measureTimeLimit,
                ours <= du ? "not slower than" : "SLOWER than");
    std::printf("removing the tree ...\n");
    return correct ? 0 : 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "folder_scanner_bench: %s\n", error.what());
    return 2;
  }
}
