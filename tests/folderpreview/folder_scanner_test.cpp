#include "folderpreview/folder_scanner.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <map>

#include "localization/localizer.hpp"
#include "platform/sim/sim_desktop.hpp"
#include "platform/sim/sim_file_kinds.hpp"
#include "platform/sim/virtual_clock.hpp"
#include "tests/folderpreview/temp_tree.hpp"

namespace tavorin {
namespace {

using testing::PermissionsEnforced;
using testing::TempTree;

constexpr std::int64_t noLimit = 1'000'000'000;

std::map<std::string, FolderItem> byName(const std::vector<FolderItem>& items) {
  std::map<std::string, FolderItem> named;
  for (const auto& item : items)
    named.emplace(item.name, item);
  return named;
}

int openDescriptors() {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                        std::filesystem::directory_iterator()));
}

class FolderScannerTest : public ::testing::Test {
 protected:
  void TearDown() override { Localizer::setShared(nullptr); }

  SizeSummary measure(const std::filesystem::path& folder, std::int64_t maxItems = noLimit,
                      bool deadlinePassed = false, std::function<bool()> isCancelled = {}) {
    const Deadline deadline(clock, clock.uptime() + (deadlinePassed ? -1.0 : 1000.0));
    return FolderScanner::measure(folder, deadline, maxItems, isCancelled);
  }

  TempTree tree;
  sim::VirtualClock clock;
  sim::SimFileKindProvider kinds;
};

TEST_F(FolderScannerTest, ListsEveryKindOfChildWithItsAttributes) {
  tree.file("notes.txt", 5);
  tree.touch("notes.txt", std::chrono::seconds(1'700'000'000));
  tree.file(".profile", 3);
  tree.folder("Photos");
  tree.file("Tool.app/Contents/tool", 400);
  tree.link("shortcut", "Photos");
  ::mkfifo((tree / "pipe").c_str(), 0644);

  const FolderListing all = FolderScanner::listContents(tree.root(), true, &kinds);
  ASSERT_TRUE(all.succeeded());
  auto items = byName(all.items);
  ASSERT_EQ(items.size(), 6u);

  const FolderItem& notes = items.at("notes.txt");
  EXPECT_EQ(notes.url, tree / "notes.txt");
  EXPECT_FALSE(notes.isDirectory || notes.isPackage || notes.isHidden);
  EXPECT_EQ(notes.size, 5);
  EXPECT_EQ(notes.modified, FileDate(std::chrono::seconds(1'700'000'000)));
  EXPECT_EQ(notes.kind, "Plain text document");
  EXPECT_EQ(FolderItem::fromURL(tree / "notes.txt", &kinds), notes);

  EXPECT_TRUE(items.at(".profile").isHidden);
  EXPECT_EQ(items.at(".profile").size, 3);

  const FolderItem& photos = items.at("Photos");
  EXPECT_TRUE(photos.isDirectory);
  EXPECT_FALSE(photos.isPackage);
  EXPECT_EQ(photos.size, std::nullopt);
  EXPECT_EQ(photos.kind, "Folder");

  // A package is one document: not a folder, and without a size.
  const FolderItem& tool = items.at("Tool.app");
  EXPECT_FALSE(tool.isDirectory);
  EXPECT_TRUE(tool.isPackage);
  EXPECT_EQ(tool.size, std::nullopt);
  EXPECT_EQ(tool.kind, "Application");

  // A link is described, never followed.
  const FolderItem& shortcut = items.at("shortcut");
  EXPECT_FALSE(shortcut.isDirectory);
  EXPECT_EQ(shortcut.size, 6);  // the length of "Photos"
  EXPECT_EQ(shortcut.kind, "Symbolic link");

  EXPECT_EQ(items.at("pipe").size, std::nullopt);
  EXPECT_TRUE(items.at("pipe").modified.has_value());

  // An entry that cannot be read at all still makes an item, from its name.
  const FolderItem gone = FolderItem::fromURL(tree / ".gone", &kinds);
  EXPECT_EQ(gone.name, ".gone");
  EXPECT_TRUE(gone.isHidden);
  EXPECT_FALSE(gone.isDirectory);
  EXPECT_EQ(gone.modified, std::nullopt);

  // Without hidden files the dot-file is left out; nothing else changes.
  const FolderListing visible = FolderScanner::listContents(tree.root(), false, &kinds);
  auto shown = byName(visible.items);
  EXPECT_EQ(shown.size(), 5u);
  EXPECT_FALSE(shown.contains(".profile"));
  EXPECT_EQ(shown.at("Tool.app"), tool);

  // Without a kind provider nothing is a package and no kind is named.
  auto plain = byName(FolderScanner::listContents(tree.root(), false, nullptr).items);
  EXPECT_TRUE(plain.at("Tool.app").isDirectory);
  EXPECT_FALSE(plain.at("Tool.app").isPackage);
  EXPECT_EQ(plain.at("notes.txt").kind, "");
}

TEST_F(FolderScannerTest, KindsFollowTheInterfaceLanguage) {
  tree.folder("Photos");
  sim::SimDesktop desktop;
  Localizer::install(desktop.platform()).setPreference("de");
  auto items = FolderScanner::listContents(tree.root(), false, &kinds).items;
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].kind, "Ordner");
}

TEST_F(FolderScannerTest, EmptyFolder) {
  const FolderListing listing = FolderScanner::listContents(tree.root(), true, &kinds);
  EXPECT_TRUE(listing.succeeded());
  EXPECT_TRUE(listing.items.empty());
  EXPECT_EQ(measure(tree.root()), (SizeSummary{0, 0, true}));
  EXPECT_EQ(FolderScanner::shallowCount(tree.root()), 0);
}

TEST_F(FolderScannerTest, FoldersThatCannotBeOpenedReportTheSystemError) {
  const std::filesystem::path missing = tree / "missing";
  const std::filesystem::path file = tree.file("file.txt", 4);
  for (const auto& [path, code] : {std::pair{missing, ENOENT}, std::pair{file, ENOTDIR}}) {
    SCOPED_TRACE(path.string());
    const FolderListing listing = FolderScanner::listContents(path, true, &kinds);
    ASSERT_FALSE(listing.succeeded());
    EXPECT_EQ(listing.error->code, code);
    EXPECT_FALSE(listing.error->isPermissionDenied());
    EXPECT_FALSE(listing.error->description.empty());
    EXPECT_EQ(FolderScanner::shallowCount(path), std::nullopt);
    EXPECT_EQ(measure(path), (SizeSummary{0, 0, false}));
  }
}

TEST_F(FolderScannerTest, NamesThatAreNotUtf8AreShownWithReplacementCharacters) {
  tree.file("bad\xff name.txt", 1);
  auto items = FolderScanner::listContents(tree.root(), false, &kinds).items;
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].name, "bad\uFFFD name.txt");
  EXPECT_EQ(items[0].url, tree / "bad\xff name.txt");  // the real name still reaches the file

  EXPECT_EQ(displayName("Grüße 📁"), "Grüße 📁");
  EXPECT_EQ(displayName("a\xc3"), "a\uFFFD");
  EXPECT_EQ(displayName("\xed\xa0\x80x"), "\uFFFD\uFFFD\uFFFDx");  // an encoded surrogate
}

TEST_F(FolderScannerTest, MeasuresEveryRegularFileBelowWithoutFollowingLinks) {
  tree.file("a.bin", 1000);
  tree.file(".hidden", 7);
  tree.file("sub/b", 20);
  tree.file("sub/deeper/c", 30);
  tree.file("Tool.app/Contents/tool", 400);  // package contents count
  tree.file("empty", 0);
  tree.link("to-file", "a.bin");
  tree.link("sub/loop", ".");
  tree.link("sub/deeper/up", "../..");
  tree.link("dangling", "nowhere");
  ::mkfifo((tree / "pipe").c_str(), 0644);

  EXPECT_EQ(measure(tree.root()), (SizeSummary{1457, 6, true}));
}

TEST_F(FolderScannerTest, MeasurementLimitsAreCheckedEvery256Entries) {
  struct Case {
    const char* what;
    int files;
    int emptyFolders;
    std::int64_t maxItems;
    bool deadlinePassed;
    SizeSummary expected;
  };
  const Case cases[] = {
      {"255 entries never reach a check", 255, 0, noLimit, true, {255 * 3, 255, true}},
      {"a passed deadline stops at the 256th entry", 256, 0, noLimit, true, {255 * 3, 255, false}},
      {"folders count as entries", 0, 256, noLimit, true, {0, 0, false}},
      {"maxItems 300 stops at the 512th entry", 600, 0, 300, false, {511 * 3, 511, false}},
      {"511 visited is not more than 511", 511, 0, 511, false, {511 * 3, 511, true}},
      {"512 visited is more than 511", 512, 0, 511, false, {511 * 3, 511, false}},
      {"512 visited is not more than 512", 513, 0, 512, false, {513 * 3, 513, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempTree flat;
    for (int i = 0; i < c.files; ++i)
      flat.file("f" + std::to_string(i), 3);
    for (int i = 0; i < c.emptyFolders; ++i)
      flat.folder("d" + std::to_string(i));
    EXPECT_EQ(measure(flat.root(), c.maxItems, c.deadlinePassed), c.expected);
  }
}

TEST_F(FolderScannerTest, CancellationIsAskedOnlyAtChecksAndAfterTheOtherLimits) {
  for (int i = 0; i < 600; ++i)
    tree.file("f" + std::to_string(i), 1);

  int asked = 0;
  EXPECT_EQ(measure(tree.root(), noLimit, false, [&] { return ++asked, false; }),
            (SizeSummary{600, 600, true}));
  EXPECT_EQ(asked, 2);  // at the 256th and the 512th entry

  asked = 0;
  EXPECT_EQ(measure(tree.root(), noLimit, false, [&] { return ++asked, true; }),
            (SizeSummary{255, 255, false}));
  EXPECT_EQ(asked, 1);

  asked = 0;
  EXPECT_FALSE(measure(tree.root(), noLimit, true, [&] { return ++asked, true; }).isComplete);
  EXPECT_EQ(asked, 0);  // the deadline is tested first
}

TEST_F(FolderScannerTest, DeepTreesAreWalkedWithFewDescriptors) {
  // Deeper than the walker keeps descriptors for, with side folders at every level that are
  // entered after the deep branch has been left.
  std::string path;
  for (int level = 0; level < 100; ++level) {
    path += "d" + std::to_string(level) + "/";
    tree.file(path + "f", 1);
    tree.file(path + "side-a/f", 1);
    tree.file(path + "side-b/f", 1);
  }
  const int before = openDescriptors();
  EXPECT_EQ(measure(tree.root()), (SizeSummary{300, 300, true}));
  EXPECT_FALSE(measure(tree.root(), noLimit, true).isComplete);
  EXPECT_EQ(openDescriptors(), before);
}

TEST_F(FolderScannerTest, ShallowCountLeavesOutDotFiles) {
  for (const char* name : {"a", "b", "c", ".x", ".y"})
    tree.file(name);
  tree.folder("d1");
  tree.folder(".git");
  tree.file("d2/inner");
  EXPECT_EQ(FolderScanner::shallowCount(tree.root()), 5);
}

TEST_F(FolderScannerTest, UnreadablePartsAreSkippedOrReported) {
  tree.file("a.txt", 10);
  tree.file("locked/inner.txt", 100);
  tree.file("open/b.txt", 20);
  tree.file("secret.txt", 30);
  tree.file("listable/c.txt", 40);
  tree.folder("listable/sub");
  tree.chmod("locked", 0);
  tree.chmod("secret.txt", 0);
  tree.chmod("listable", 0444);  // names readable, attributes not

  PermissionsEnforced enforced;
  if (!enforced.works(tree / "locked"))
    GTEST_SKIP() << "file permissions cannot be enforced for this process";

  const FolderListing locked = FolderScanner::listContents(tree / "locked", true, &kinds);
  ASSERT_FALSE(locked.succeeded());
  EXPECT_TRUE(locked.error->isPermissionDenied());
  EXPECT_EQ(FolderScanner::shallowCount(tree / "locked"), std::nullopt);

  // A file without permissions still has attributes, and its size counts.
  auto items = byName(FolderScanner::listContents(tree.root(), true, &kinds).items);
  EXPECT_EQ(items.at("secret.txt").size, 30);
  EXPECT_TRUE(items.at("locked").isDirectory);

  // Children whose attributes cannot be read are listed with what their names tell.
  auto bare = byName(FolderScanner::listContents(tree / "listable", true, &kinds).items);
  ASSERT_EQ(bare.size(), 2u);
  for (const auto& [name, item] : bare) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(item.isDirectory || item.isPackage || item.isHidden);
    EXPECT_EQ(item.size, std::nullopt);
    EXPECT_EQ(item.modified, std::nullopt);
    EXPECT_EQ(item.kind, "");
  }
  EXPECT_EQ(FolderScanner::shallowCount(tree / "listable"), 2);

  // The unreadable folder and the files that cannot be looked at are skipped; the walk is
  // still complete.
  EXPECT_EQ(measure(tree.root()), (SizeSummary{60, 3, true}));
}

}  // namespace
}  // namespace tavorin
