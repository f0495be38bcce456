#include "platform/native/file_preference_store.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/file_io.hpp"
#include "platform/sim/sim_run_loop.hpp"

extern char** environ;

namespace tavorin::native {
namespace {

namespace fs = std::filesystem;

class FilePreferenceStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tavorin-prefs-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    file = folder / "org.example.json";
  }
  void TearDown() override { fs::remove_all(folder); }

  std::unique_ptr<FilePreferenceStore> open() {
    return std::make_unique<FilePreferenceStore>(file, notifications, loop);
  }

  pid_t spawnWriter(const std::string& prefix, int count) {
    std::vector<std::string> args{PREFS_WRITER_PATH, file.string(), prefix, std::to_string(count)};
    std::vector<char*> argv;
    for (auto& arg : args)
      argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    EXPECT_EQ(::posix_spawn(&pid, PREFS_WRITER_PATH, nullptr, nullptr, argv.data(), environ), 0);
    return pid;
  }
  static int waitFor(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  fs::path folder;
  fs::path file;
  sim::VirtualClock clock;
  sim::SimRunLoop loop{clock};
  NotificationCenter notifications;
};

TEST_F(FilePreferenceStoreTest, ValuesKeepTheirTypesAcrossProcesses) {
  {
    auto store = open();
    store->setBool("flag", false);
    store->setInt("count", 42);
    store->setDouble("ratio", 1.0);
    store->setString("name", "Türkçe");
    store->setStringList("languages", {"de", "tr"});
    store->setBytes("blob", {0, 1, 254, 255, 10});
  }
  auto store = open();
  EXPECT_EQ(store->getBool("flag"), false);
  EXPECT_EQ(store->getInt("count"), 42);
  EXPECT_EQ(store->getDouble("count"), 42.0);  // whole numbers read as numbers too
  EXPECT_EQ(store->getDouble("ratio"), 1.0);
  EXPECT_EQ(store->getInt("ratio"), std::nullopt);  // stays a double
  EXPECT_EQ(store->getString("name"), "Türkçe");
  EXPECT_EQ(store->getStringList("languages"), (StringList{"de", "tr"}));
  EXPECT_EQ(store->getBytes("blob"), (Bytes{0, 1, 254, 255, 10}));

  // Another type than the stored one reads as nothing, and nothing is rewritten.
  const auto before = readFile(file);
  EXPECT_EQ(store->getBool("name"), std::nullopt);
  EXPECT_EQ(store->getString("flag"), std::nullopt);
  EXPECT_EQ(readFile(file), before);
}

TEST_F(FilePreferenceStoreTest, WriteReplacesTheFileWholeAndKeepsForeignEntries) {
  writeFileAtomically(file, R"({"nested": {"a": 1}, "mixed": [1, "x"], "keep": "me"})");
  auto store = open();
  EXPECT_EQ(store->value("nested"), std::nullopt);

  const int oldFile = ::open(file.c_str(), O_RDONLY);
  ASSERT_GE(oldFile, 0);
  store->setString("new", "value");

  // Readers of the old file still see it complete: the new one was renamed over it.
  char buffer[256] = {};
  ASSERT_GT(::read(oldFile, buffer, sizeof buffer - 1), 0);
  ::close(oldFile);
  EXPECT_EQ(std::string(buffer).find("new"), std::string::npos);

  const auto text = readFile(file).value_or("");
  EXPECT_NE(text.find("\"nested\""), std::string::npos);
  EXPECT_NE(text.find("\"mixed\""), std::string::npos);
  EXPECT_NE(text.find("\"new\""), std::string::npos);
  for (const auto& entry : fs::directory_iterator(folder)) {
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
  }
}

TEST_F(FilePreferenceStoreTest, UnreadableFileReadsAsEmptyAndIsKeptAsideBeforeTheFirstWrite) {
  const std::string garbage = "{\"tavorin.tilingEnabled\": fal";
  writeFileAtomically(file, garbage);
  auto store = open();
  EXPECT_EQ(store->getBool("tavorin.tilingEnabled"), std::nullopt);
  EXPECT_EQ(readFile(file), garbage);  // reading alone changes nothing

  store->setBool("tavorin.smartDockEnabled", false);
  EXPECT_EQ(readFile(fs::path(file.string() + ".corrupt")), garbage);
  EXPECT_EQ(open()->getBool("tavorin.smartDockEnabled"), false);

  // A second broken file does not replace the first one kept aside.
  writeFileAtomically(file, "[1, 2]");
  store->setBool("x", true);
  EXPECT_EQ(readFile(fs::path(file.string() + ".corrupt")), garbage);
  EXPECT_EQ(readFile(fs::path(file.string() + ".corrupt.1")), "[1, 2]");
}

TEST_F(FilePreferenceStoreTest, ChangeWrittenByAnotherProcessIsAnnounced) {
  auto store = open();
  int announced = 0;
  auto token = notifications.addObserver(std::string(PreferenceStore::didChangeNotification),
                                         store.get(), [&](const Notification&) { ++announced; });
  store->setBool("local", true);
  EXPECT_EQ(announced, 1);  // a local write is announced at once

  ASSERT_EQ(waitFor(spawnWriter("remote", 1)), 0);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!store->getInt("remote0") && std::chrono::steady_clock::now() < deadline) {
    loop.waitAndRunPending(std::chrono::milliseconds(100));
  }
  EXPECT_EQ(store->getInt("remote0"), 0);
  EXPECT_EQ(announced, 2);
  EXPECT_EQ(store->getBool("local"), true);
}

TEST_F(FilePreferenceStoreTest, ConcurrentWritersLoseNothing) {
  auto store = open();
  const pid_t first = spawnWriter("a", 40);
  const pid_t second = spawnWriter("b", 40);
  for (int i = 0; i < 40; ++i)
    store->setInt("c" + std::to_string(i), i);
  ASSERT_EQ(waitFor(first), 0);
  ASSERT_EQ(waitFor(second), 0);

  auto reopened = open();
  for (const char* prefix : {"a", "b", "c"}) {
    for (int i = 0; i < 40; ++i) {
      EXPECT_EQ(reopened->getInt(prefix + std::to_string(i)), i) << prefix << i;
    }
  }
}

}  // namespace
}  // namespace tavorin::native
