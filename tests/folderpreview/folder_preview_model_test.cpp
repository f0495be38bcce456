#include "folderpreview/folder_preview_model.hpp"

#include <gtest/gtest.h>

#include "localization/localizer.hpp"
#include "platform/native/system_clock.hpp"
#include "platform/native/thread_pool_executor.hpp"
#include "platform/sim/sim_desktop.hpp"
#include "tests/folderpreview/temp_tree.hpp"

namespace tavorin {
namespace {

using testing::PermissionsEnforced;
using testing::TempTree;
using Model = FolderPreviewModel;
using Names = std::vector<std::string>;

Names names(const std::vector<FolderItem>& items) {
  Names result;
  for (const auto& item : items)
    result.push_back(item.name);
  return result;
}

class FolderPreviewModelTest : public ::testing::Test {
 protected:
  void TearDown() override { Localizer::setShared(nullptr); }

  std::shared_ptr<Model> open(const std::filesystem::path& folder) {
    return Model::make(desktop.platform(), folder, desktop.suiteDefaults);
  }
  std::shared_ptr<Model> loaded(const std::filesystem::path& folder) {
    auto model = open(folder);
    model->load();
    desktop.settle();
    return model;
  }

  sim::SimDesktop desktop;
  TempTree tree;
};

TEST_F(FolderPreviewModelTest, OptionsAreReadTolerantlyAndNotWrittenBack) {
  struct Case {
    const char* what;
    std::optional<PreferenceValue> layout, sortKey, ascending, showHidden;
    Model::Layout expectedLayout;
    Model::SortKey expectedKey;
    bool expectedAscending, expectedHidden;
  };
  using L = Model::Layout;
  using K = Model::SortKey;
  const Case cases[] = {
      {"absent", {}, {}, {}, {}, L::list, K::name, true, false},
      {"stored", "grid", "size", false, true, L::grid, K::size, false, true},
      {"other spelling", "Grid", "Size", {}, {}, L::list, K::name, true, false},
      {"wrong types", std::int64_t{1}, true, "false", std::int64_t{1}, L::list, K::name, true,
       false},
      {"unknown", "table", "date", {}, {}, L::list, K::name, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sim::SimDesktop fresh;
    const std::pair<std::string_view, const std::optional<PreferenceValue>&> stored[] = {
        {"FolderPreview.layout", c.layout},
        {"FolderPreview.sortKey", c.sortKey},
        {"FolderPreview.ascending", c.ascending},
        {"FolderPreview.showHidden", c.showHidden}};
    for (const auto& [key, value] : stored) {
      if (value) fresh.suiteDefaults.set(key, *value);
    }
    auto model = Model::make(fresh.platform(), tree.root(), fresh.suiteDefaults);
    EXPECT_EQ(model->layout(), c.expectedLayout);
    EXPECT_EQ(model->sortKey(), c.expectedKey);
    EXPECT_EQ(model->ascending(), c.expectedAscending);
    EXPECT_EQ(model->showHidden(), c.expectedHidden);
    for (const auto& [key, value] : stored)
      EXPECT_EQ(fresh.suiteDefaults.value(key), value) << key;
  }
}

TEST_F(FolderPreviewModelTest, AssignmentsAreStoredAndTakeEffect) {
  tree.file("a.txt", 1);
  tree.file(".hidden", 1);
  auto model = loaded(tree.root());
  EXPECT_EQ(names(model->items()), (Names{"a.txt"}));

  model->setLayout(Model::Layout::grid);
  EXPECT_EQ(desktop.suiteDefaults.getString("FolderPreview.layout"), "grid");
  EXPECT_EQ(model->content().kind, Model::Content::Kind::grid);

  model->toggleSort(Model::SortKey::size);
  model->toggleSort(Model::SortKey::size);
  EXPECT_EQ(model->sortKey(), Model::SortKey::size);
  EXPECT_FALSE(model->ascending());
  EXPECT_EQ(desktop.suiteDefaults.getString("FolderPreview.sortKey"), "size");
  EXPECT_EQ(desktop.suiteDefaults.getBool("FolderPreview.ascending"), false);

  model->setShowHidden(true);
  EXPECT_EQ(desktop.suiteDefaults.getBool("FolderPreview.showHidden"), true);
  EXPECT_TRUE(model->isLoading());
  desktop.settle();
  EXPECT_EQ(names(model->items()), (Names{".hidden", "a.txt"}));

  // The next preview starts with what was stored.
  auto next = open(tree.root());
  EXPECT_EQ(next->layout(), Model::Layout::grid);
  EXPECT_EQ(next->sortKey(), Model::SortKey::size);
  EXPECT_FALSE(next->ascending());
  EXPECT_TRUE(next->showHidden());
}

TEST_F(FolderPreviewModelTest, LoadingListsCountsAndDescribesTheFolder) {
  tree.folder("Projects");
  tree.folder("Music");
  tree.file("b.txt", 2);
  tree.file("a.txt", 1);
  tree.file("Tool.app/Contents/tool", 9);
  tree.file(".hidden", 1);

  auto model = open(tree / "");
  EXPECT_EQ(model->folderName(), tree.root().filename().string());
  EXPECT_TRUE(model->isLoading());
  EXPECT_EQ(model->countLine(), "");
  EXPECT_EQ(model->content(), (Model::Content{Model::Content::Kind::loading, "", "Loading…"}));

  model->load();
  EXPECT_EQ(desktop.executor.lastQuality(), QualityOfService::userInitiated);
  EXPECT_TRUE(model->items().empty());  // nothing arrives before the main loop runs
  desktop.settle();

  EXPECT_FALSE(model->isLoading());
  EXPECT_EQ(names(model->items()), (Names{"Music", "Projects", "a.txt", "b.txt", "Tool.app"}));
  EXPECT_EQ(model->allItems().size(), 5u);
  EXPECT_EQ(model->totalCount(), 5);
  EXPECT_EQ(model->folderCount(), 2);
  EXPECT_EQ(model->fileCount(), 3);
  EXPECT_EQ(model->countLine(), "2 folders, 3 files");
  EXPECT_EQ(model->content().kind, Model::Content::Kind::list);
  EXPECT_FALSE(model->isTruncated());
  EXPECT_EQ(model->truncationNote(), std::nullopt);

  TempTree empty;
  EXPECT_EQ(loaded(empty.root())->content(),
            (Model::Content{Model::Content::Kind::message, "folder", "This folder is empty."}));
}

TEST_F(FolderPreviewModelTest, SortOrders) {
  const auto at = [](int seconds) { return std::chrono::seconds(seconds); };
  tree.file("File 9.txt", 5);
  tree.file("File 10.txt", 100);
  tree.file("apple.png", 0);
  tree.file("Banana.pdf", 50);
  tree.file("Tool.app/Contents/tool", 7);
  tree.folder("beta");
  tree.folder("Alpha");
  for (const auto& [name, time] : {std::pair{"File 9.txt", 1000},
                                   {"File 10.txt", 3000},
                                   {"apple.png", 1000},
                                   {"Banana.pdf", 2000},
                                   {"Tool.app", 1000},
                                   {"beta", 5000},
                                   {"Alpha", 500}})
    tree.touch(name, at(time));

  struct Case {
    Model::SortKey key;
    bool ascending;
    Names expected;
  };
  using K = Model::SortKey;
  const Case cases[] = {
      {K::name,
       true,
       {"Alpha", "beta", "apple.png", "Banana.pdf", "File 9.txt", "File 10.txt", "Tool.app"}},
      {K::name,
       false,
       {"beta", "Alpha", "Tool.app", "File 10.txt", "File 9.txt", "Banana.pdf", "apple.png"}},
      // Folders have no size and tie; the package counts as -1, below the empty file.
      {K::size,
       true,
       {"Alpha", "beta", "Tool.app", "apple.png", "File 9.txt", "Banana.pdf", "File 10.txt"}},
      {K::size,
       false,
       {"Alpha", "beta", "File 10.txt", "Banana.pdf", "File 9.txt", "apple.png", "Tool.app"}},
      {K::modified,
       true,
       {"Alpha", "beta", "apple.png", "File 9.txt", "Tool.app", "Banana.pdf", "File 10.txt"}},
      // Equal dates go by name, ascending, whatever the direction.
      {K::modified,
       false,
       {"beta", "Alpha", "File 10.txt", "Banana.pdf", "apple.png", "File 9.txt", "Tool.app"}},
      {K::kind,
       true,
       {"Alpha", "beta", "Tool.app", "Banana.pdf", "File 9.txt", "File 10.txt", "apple.png"}},
      {K::kind,
       false,
       {"Alpha", "beta", "apple.png", "File 9.txt", "File 10.txt", "Banana.pdf", "Tool.app"}},
  };
  auto model = loaded(tree.root());
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(Model::rawValue(c.key)) +
                 (c.ascending ? " ascending" : " descending"));
    model->setSortKey(c.key);
    model->setAscending(c.ascending);
    EXPECT_EQ(names(model->items()), c.expected);
  }
}

TEST_F(FolderPreviewModelTest, LongListsAreCutToTheDisplayLimitWithFoldersKept) {
  for (int i = 0; i < 10; ++i)
    tree.folder("zz folder " + std::to_string(i));
  for (int i = 0; i < 3490; ++i)
    tree.file("file " + std::to_string(i));
  auto model = loaded(tree.root());
  model->setAscending(false);

  ASSERT_EQ(model->items().size(), Model::displayLimit);
  for (int i = 0; i < 10; ++i)
    EXPECT_TRUE(model->items()[i].isDirectory) << i;
  EXPECT_EQ(model->items()[10].name, "file 3489");
  EXPECT_EQ(model->items().back().name, "file 500");
  EXPECT_EQ(model->totalCount(), 3500);
  EXPECT_EQ(model->folderCount(), 10);
  EXPECT_TRUE(model->isTruncated());
  EXPECT_EQ(model->truncationNote(), "Showing the first 3,000 items (3,500 in total).");
  EXPECT_EQ(model->countLine(), "10 folders, 3,490 files");
}

TEST_F(FolderPreviewModelTest, FailedLoadsShowTheirMessage) {
  auto missing = loaded(tree / "missing");
  EXPECT_EQ(missing->errorMessage(), "No such file or directory");
  EXPECT_FALSE(missing->isLoading());
  EXPECT_EQ(missing->content(),
            (Model::Content{Model::Content::Kind::message, "lock", "No such file or directory"}));

  tree.file("locked/inside.txt", 10);
  tree.chmod("locked", 0);
  PermissionsEnforced enforced;
  if (!enforced.works(tree / "locked"))
    GTEST_SKIP() << "file permissions cannot be enforced for this process";
  auto locked = open(tree / "locked");
  locked->load();
  locked->startMeasuring();
  desktop.settle();
  EXPECT_EQ(locked->errorMessage(), "No permission to read this folder.");
  EXPECT_EQ(locked->content().symbol, "lock");
  EXPECT_EQ(locked->content().text, "No permission to read this folder.");
  EXPECT_EQ(locked->countLine(), "");
  EXPECT_EQ(locked->totalCount(), 0);
  EXPECT_TRUE(locked->sizeSummary().has_value());
  EXPECT_EQ(locked->sizeLabel(), Model::SizeLabel{});
}

TEST_F(FolderPreviewModelTest, MeasuresTheFolderInTheBackground) {
  tree.file("a", 1000);
  tree.file("sub/b", 500);
  auto model = open(tree.root());
  model->startMeasuring();
  EXPECT_EQ(desktop.executor.lastQuality(), QualityOfService::utility);
  EXPECT_TRUE(model->isMeasuring());
  EXPECT_EQ(model->sizeLabel(),
            (Model::SizeLabel{Model::SizeLabel::Form::measuring, "calculating size…", ""}));

  desktop.settle();
  EXPECT_FALSE(model->isMeasuring());
  EXPECT_EQ(model->sizeSummary(), (SizeSummary{1500, 2, true}));
  EXPECT_EQ(model->sizeLabel(),
            (Model::SizeLabel{Model::SizeLabel::Form::summary, "· 2 kB", "Total size (2 files)"}));

  // A new measurement forgets the old result until its own arrives.
  model->startMeasuring();
  EXPECT_EQ(model->sizeSummary(), std::nullopt);

  EXPECT_EQ(Model::sizeLabel(false, SizeSummary{1'500'000, 12'345, false}, false),
            (Model::SizeLabel{Model::SizeLabel::Form::summary, "· 1.5 MB+",
                              "The folder is very large; at least this much (12,345 files "
                              "counted)"}));
  EXPECT_EQ(Model::sizeLabel(false, std::nullopt, false), Model::SizeLabel{});
}

TEST_F(FolderPreviewModelTest, StaleResultsNeverReachTheModel) {
  tree.file("a.txt", 1);
  auto model = open(tree.root());
  std::vector<std::int64_t> publishedCounts;
  auto subscription = model->observe([&] { publishedCounts.push_back(model->totalCount()); });

  // A listing that finished but had not reached the main loop when a reload replaced it.
  model->load();
  desktop.executor.drain();
  tree.file("b.txt", 1);
  model->load();
  desktop.runLoop.runPending();
  EXPECT_TRUE(model->isLoading());
  EXPECT_EQ(model->totalCount(), 0);
  desktop.settle();
  EXPECT_EQ(model->totalCount(), 2);
  EXPECT_EQ(std::count(publishedCounts.begin(), publishedCounts.end(), 1), 0);

  // Showing hidden files while a listing runs: only the new listing is applied.
  tree.file(".c", 1);
  model->load();
  model->setShowHidden(true);
  desktop.settle();
  EXPECT_EQ(model->totalCount(), 3);

  // A measurement stopped after it finished leaves nothing behind.
  model->startMeasuring();
  desktop.executor.drain();
  model->stop();
  EXPECT_FALSE(model->isMeasuring());
  EXPECT_FALSE(model->isLoading());
  desktop.runLoop.runPending();
  EXPECT_EQ(model->sizeSummary(), std::nullopt);

  // A model that is gone receives nothing.
  model->load();
  model->startMeasuring();
  subscription.reset();
  model.reset();
  desktop.settle();
}

TEST_F(FolderPreviewModelTest, WorksWithRealThreadsAndTheRealClock) {
  tree.file("a", 10);
  tree.file("sub/b", 20);
  native::SystemClock clock;
  auto executor = std::make_unique<native::ThreadPoolExecutor>(2);
  Platform platform{desktop.runLoop,       *executor,       clock,
                    desktop.notifications, desktop.process, desktop.standardDefaults};
  platform.fileKinds = &desktop.fileKinds;
  auto model = Model::make(platform, tree.root(), desktop.suiteDefaults);
  model->load();
  model->startMeasuring();
  for (int i = 0; i < 500 && (model->isLoading() || model->isMeasuring()); ++i)
    desktop.runLoop.waitAndRunPending(std::chrono::milliseconds(20));
  EXPECT_EQ(names(model->items()), (Names{"sub", "a"}));
  EXPECT_EQ(model->sizeSummary(), (SizeSummary{30, 2, true}));

  // Work that is still running when the model goes reports to nobody.
  model->load();
  model->startMeasuring();
  model.reset();
  executor.reset();
  desktop.runLoop.runPending();
}

}  // namespace
}  // namespace tavorin
