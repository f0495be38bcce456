#include "ui/folderpreview/folder_preview_view.hpp"

#include <gtest/gtest.h>

#include <QTest>
#include <chrono>

#include "localization/localizer.hpp"
#include "platform/sim/sim_desktop.hpp"
#include "tests/folderpreview/temp_tree.hpp"
#include "tests/ui/folderpreview/ui_test_support.hpp"
#include "ui/folderpreview/file_icons.hpp"

namespace tavorin::ui {
namespace {

using tavorin::testing::PermissionsEnforced;
using tavorin::testing::RecordingGenerator;
using tavorin::testing::saveScreenshot;
using tavorin::testing::TempTree;
using Model = FolderPreviewModel;
using Kind = Model::SortKey;

std::size_t indexOf(const std::vector<FolderItem>& items, const std::string& name) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].name == name) return i;
  }
  ADD_FAILURE() << name << " is not shown";
  return 0;
}

std::vector<std::string> names(const std::vector<FolderItem>& items) {
  std::vector<std::string> result;
  for (const auto& item : items)
    result.push_back(item.name);
  return result;
}

class FolderPreviewViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tavorin::testing::offscreenApplication();
    useInstalledIconThemeIfNeeded();
  }
  void TearDown() override { Localizer::setShared(nullptr); }

  std::unique_ptr<FolderPreviewView> preview(const std::filesystem::path& folder,
                                             QSize size = {760, 520}) {
    auto model = Model::make(desktop.platform(), folder, desktop.suiteDefaults);
    model->load();
    model->startMeasuring();
    auto view = std::make_unique<FolderPreviewView>(model, desktop.platform(), loader);
    view->resize(size);
    view->show();
    return view;
  }

  // Finishes the background work and lets the cells on screen draw what it brought.
  void settle(QWidget& view) {
    for (int round = 0; round < 3; ++round) {
      QApplication::processEvents();
      view.grab();
      desktop.settle();
    }
    QApplication::processEvents();
  }

  sim::SimDesktop desktop;
  TempTree tree;
  std::shared_ptr<RecordingGenerator> generator = std::make_shared<RecordingGenerator>();
  ThumbnailLoader loader{desktop.runLoop, desktop.executor, generator};
};

TEST_F(FolderPreviewViewTest, ListRowsShowDatesSizesChildCountsAndPictures) {
  PermissionsEnforced permissions;
  for (const char* name : {"1.jpg", "2.jpg", "3.jpg", "4.jpg", "5.txt", ".DS_Store", ".keep"})
    tree.file(std::string("Photos/") + name, 10);
  tree.file("Locked/secret.txt", 10);
  tree.chmod("Locked", 0);
  if (!permissions.works(tree / "Locked")) GTEST_SKIP() << "permissions do not count here";
  tree.file("Tool.app/Contents/tool", 10);
  tree.file("notes.txt", 1200);
  tree.file("old.txt", 10);
  tree.touch("old.txt", std::chrono::seconds(1'000'000'000));
  tree.file("photo.png", 500);
  tree.file("Quarterly report with a very long name that will not fit the column.pdf", 2'400'000);

  auto view = preview(tree.root());
  settle(*view);
  ASSERT_EQ(view->content(), &view->listView());
  FolderListArea& list = view->listView().area();
  const auto& items = list.items();

  EXPECT_EQ(list.rowTexts(indexOf(items, "Photos")).size, "5 items");
  // An unreadable folder has no count, however long one waits.
  desktop.settle();
  EXPECT_EQ(list.rowTexts(indexOf(items, "Locked")).size, "…");
  EXPECT_EQ(list.rowTexts(indexOf(items, "Tool.app")).size, "—");
  EXPECT_EQ(list.rowTexts(indexOf(items, "notes.txt")).size, "1 kB");
  EXPECT_EQ(list.rowTexts(indexOf(items, "notes.txt")).kind, "Plain text document");

  const std::string today = list.rowTexts(indexOf(items, "notes.txt")).modified;
  EXPECT_EQ(today.rfind("Today, ", 0), 0u) << today;
  const std::string old = list.rowTexts(indexOf(items, "old.txt")).modified;
  EXPECT_NE(old.find("2001"), std::string::npos) << old;

  // Pictures get thumbnails; folders and packages keep their icons and are never sent to the
  // generator.
  EXPECT_TRUE(list.thumbnails().showsThumbnail(tree / "photo.png"));
  EXPECT_FALSE(list.thumbnails().showsThumbnail(tree / "Tool.app"));
  EXPECT_FALSE(list.thumbnails().showsThumbnail(tree / "notes.txt"));
  EXPECT_EQ(generator->requests(tree / "Tool.app", 20), 0);
  EXPECT_EQ(generator->requests(tree / "Photos", 20), 0);
  EXPECT_EQ(generator->requests(tree / "photo.png", 20), 1);

  EXPECT_EQ(view->header().folderName().toStdString(), tree.root().filename().string());
  EXPECT_EQ(view->header().countText(), "2 folders, 5 files");
  saveScreenshot(*view, "list");
}

TEST_F(FolderPreviewViewTest, HiddenItemsAreDimmedWhenShown) {
  tree.file(".profile", 10);
  tree.folder(".config");
  tree.file("visible.txt", 10);
  tree.file("picture.png", 10);
  desktop.suiteDefaults.setBool("FolderPreview.showHidden", true);

  auto view = preview(tree.root());
  settle(*view);
  EXPECT_EQ(view->header().hiddenFilesButton().toolTip(), "Hide hidden files");
  FolderListArea& list = view->listView().area();
  for (const char* name : {".profile", ".config"})
    EXPECT_TRUE(list.rowTexts(indexOf(list.items(), name)).dimmed) << name;
  EXPECT_FALSE(list.rowTexts(indexOf(list.items(), "visible.txt")).dimmed);
  saveScreenshot(*view, "list-hidden-items");

  view->model()->setLayout(Model::Layout::grid);
  settle(*view);
  FolderGridView& grid = view->gridView();
  ASSERT_EQ(view->content(), &grid);
  EXPECT_DOUBLE_EQ(grid.cellOpacity(indexOf(grid.items(), ".profile")), 0.6);
  EXPECT_DOUBLE_EQ(grid.cellOpacity(indexOf(grid.items(), "visible.txt")), 1.0);
  saveScreenshot(*view, "grid-hidden-items");

  // Hidden again: the dot-files are gone and the button offers to show them.
  QTest::mouseClick(&view->header().hiddenFilesButton(), Qt::LeftButton);
  settle(*view);
  EXPECT_EQ(names(grid.items()), (std::vector<std::string>{"picture.png", "visible.txt"}));
  EXPECT_EQ(view->header().hiddenFilesButton().toolTip(), "Show hidden files");
}

TEST_F(FolderPreviewViewTest, PressingAColumnTitleTwiceSortsByItThenReverses) {
  tree.folder("Archive");
  tree.file("small.txt", 10);
  tree.file("large.txt", 5000);
  tree.file("medium.txt", 900);
  auto view = preview(tree.root());
  settle(*view);
  FolderListView& list = view->listView();
  ColumnHeaderButton& size = list.headerButton(Kind::size);
  EXPECT_EQ(list.headerButton(Kind::name).indicatorSymbol(), "chevron.up");
  EXPECT_EQ(size.indicatorSymbol(), "");

  QTest::mouseClick(&size, Qt::LeftButton);
  EXPECT_EQ(view->model()->sortKey(), Kind::size);
  EXPECT_TRUE(view->model()->ascending());
  EXPECT_EQ(size.indicatorSymbol(), "chevron.up");
  EXPECT_EQ(list.headerButton(Kind::name).indicatorSymbol(), "");
  EXPECT_EQ(view->header().sortPicker().currentText(), "Size");
  EXPECT_EQ(names(list.area().items()),
            (std::vector<std::string>{"Archive", "small.txt", "medium.txt", "large.txt"}));

  QTest::mouseClick(&size, Qt::LeftButton);
  EXPECT_EQ(view->model()->sortKey(), Kind::size);
  EXPECT_FALSE(view->model()->ascending());
  EXPECT_EQ(size.indicatorSymbol(), "chevron.down");
  EXPECT_EQ(view->header().ascendingButton().toolTip(), "Descending");
  // Folders stay on top in either direction.
  EXPECT_EQ(names(list.area().items()),
            (std::vector<std::string>{"Archive", "large.txt", "medium.txt", "small.txt"}));
  saveScreenshot(*view, "list-sorted-by-size");
}

TEST_F(FolderPreviewViewTest, HeaderControlsChangeTheOptions) {
  tree.file("b.txt", 1);
  tree.file("a.txt", 2);
  auto view = preview(tree.root());
  settle(*view);
  HeaderView& header = view->header();

  // The sort picker lists the keys by title and sets the key.
  QComboBox& picker = header.sortPicker();
  ASSERT_EQ(picker.count(), 4);
  EXPECT_EQ(picker.itemText(1), "Date Modified");
  EXPECT_EQ(picker.toolTip(), "Sort by");
  picker.setCurrentIndex(3);
  Q_EMIT picker.activated(3);
  EXPECT_EQ(view->model()->sortKey(), Kind::kind);

  // The direction button flips the direction and its arrow.
  EXPECT_EQ(header.ascendingButton().toolTip(), "Ascending");
  QTest::mouseClick(&header.ascendingButton(), Qt::LeftButton);
  EXPECT_FALSE(view->model()->ascending());
  EXPECT_EQ(header.ascendingButton().toolTip(), "Descending");

  // The segments switch between list and grid.
  SegmentedControl& layout = header.layoutPicker();
  EXPECT_EQ(layout.toolTip(), "List / grid");
  QTest::mouseClick(&layout, Qt::LeftButton, {}, layout.segmentRect(1).center());
  EXPECT_EQ(view->model()->layout(), Model::Layout::grid);
  EXPECT_EQ(view->content(), &view->gridView());
  QTest::mouseClick(&layout, Qt::LeftButton, {}, layout.segmentRect(0).center());
  EXPECT_EQ(view->content(), &view->listView());
  EXPECT_EQ(desktop.suiteDefaults.getString("FolderPreview.layout"), "list");
}

TEST_F(FolderPreviewViewTest, HeaderAndContentFollowLoadingMeasuringAndErrors) {
  tree.folder("Drafts");
  tree.file("a.txt", 1000);
  tree.file("b.txt", 1500);
  tree.file("Drafts/c.txt", 500);

  auto view = preview(tree.root());
  QApplication::processEvents();
  EXPECT_EQ(view->content(), &view->loadingView());
  EXPECT_EQ(view->loadingView().text(), "Loading…");
  EXPECT_EQ(view->header().countText(), "");
  EXPECT_TRUE(view->header().showsMeasuring());
  EXPECT_EQ(view->header().sizeText(), "· calculating size…");
  saveScreenshot(*view, "loading");

  settle(*view);
  EXPECT_EQ(view->header().countText(), "1 folders, 2 files");
  EXPECT_FALSE(view->header().showsMeasuring());
  EXPECT_EQ(view->header().sizeText(), "· 3 kB");
  EXPECT_EQ(view->header().sizeToolTip(), "Total size (3 files)");

  // An empty folder and one that cannot be read show a message instead of the items.
  tree.folder("Empty");
  auto empty = preview(tree / "Empty");
  settle(*empty);
  ASSERT_EQ(empty->content(), &empty->messageView());
  EXPECT_EQ(empty->messageView().symbol(), "folder");
  EXPECT_EQ(empty->messageView().text(), "This folder is empty.");
  saveScreenshot(*empty, "message-empty");

  PermissionsEnforced permissions;
  tree.chmod("Drafts", 0);
  if (!permissions.works(tree / "Drafts")) GTEST_SKIP() << "permissions do not count here";
  auto locked = preview(tree / "Drafts");
  settle(*locked);
  ASSERT_EQ(locked->content(), &locked->messageView());
  EXPECT_EQ(locked->messageView().symbol(), "lock");
  EXPECT_EQ(locked->messageView().text(), "No permission to read this folder.");
  EXPECT_EQ(locked->header().countText(), "");
  EXPECT_EQ(locked->header().sizeText(), "");
  saveScreenshot(*locked, "message-no-permission");
}

TEST_F(FolderPreviewViewTest, AGridOfTenThousandFilesShowsThreeThousandCellsAndTheNote) {
  for (int i = 0; i < 10'000; ++i)
    tree.file("file " + std::to_string(i) + (i % 3 == 0 ? ".png" : ".txt"));
  desktop.suiteDefaults.setString("FolderPreview.layout", "grid");

  auto view = preview(tree.root());
  settle(*view);
  FolderGridView& grid = view->gridView();
  ASSERT_EQ(view->content(), &grid);
  EXPECT_EQ(grid.items().size(), 3000u);
  EXPECT_EQ(view->truncationNote(), "Showing the first 3,000 items (10,000 in total).");
  EXPECT_EQ(view->header().countText(), "0 folders, 10,000 files");

  // Only the cells on screen are built: the generator saw just those.
  const auto onScreen = grid.visibleIndexes();
  EXPECT_GT(onScreen.size(), 0u);
  EXPECT_LT(onScreen.size(), 60u);
  EXPECT_EQ(generator->total(), static_cast<int>(onScreen.size()));
  // 760 points leave room for six columns of at least 104 points.
  EXPECT_EQ(grid.columnCount(), 6);
  EXPECT_LE(grid.columnWidth(), FolderGridView::maximumColumnWidth);
  EXPECT_GE(grid.columnWidth(), FolderGridView::minimumColumnWidth);
  saveScreenshot(*view, "grid-truncated");

  // Scrolling to the end builds the last cells, and only those.
  grid.scrollToIndex(2999);
  settle(*view);
  const auto atEnd = grid.visibleIndexes();
  ASSERT_FALSE(atEnd.empty());
  EXPECT_EQ(atEnd.back(), 2999u);
  EXPECT_EQ(generator->total(), static_cast<int>(onScreen.size() + atEnd.size()));
}

TEST_F(FolderPreviewViewTest, AFileWithoutAThumbnailShowsItsIconAndIsAskedForOncePerSize) {
  const auto file = tree.file("data.bin", 100);
  desktop.suiteDefaults.setString("FolderPreview.layout", "grid");
  auto first = preview(tree.root());
  settle(*first);
  EXPECT_EQ(generator->requests(file, 72), 1);
  EXPECT_FALSE(first->gridView().thumbnails().showsThumbnail(file));
  EXPECT_FALSE(loader.icon(file).isNull());

  // A second preview of the same file at the same size does not ask again.
  auto second = preview(tree.root());
  settle(*second);
  EXPECT_EQ(generator->requests(file, 72), 1);

  // The list's size is another key and is asked for once too.
  second->model()->setLayout(Model::Layout::list);
  settle(*second);
  EXPECT_EQ(generator->requests(file, 20), 1);
  EXPECT_EQ(generator->requests(file, 72), 1);

  // Whatever the file, there is an icon to show.
  for (const char* name : {"data.bin", "missing.zzz", ""})
    EXPECT_FALSE(fileIcon(tree / name).isNull()) << name;
}

TEST_F(FolderPreviewViewTest, GridAndListScreenshots) {
  tree.folder("Beach");
  tree.folder("Mountains");
  tree.file("Beach/1.png", 10);
  tree.file("sunset over the bay, a panorama taken from the hill.png", 380'000);
  tree.file("notes.txt", 1200);
  tree.file("family.jpg", 2'100'000);
  tree.file("itinerary.pdf", 56'000);
  tree.file("Tool.app/Contents/tool", 10);
  tree.file(".hidden", 10);
  auto view = preview(tree.root());
  settle(*view);
  saveScreenshot(*view, "list-overview");
  view->model()->setLayout(Model::Layout::grid);
  settle(*view);
  saveScreenshot(*view, "grid-overview");

  // At the smallest size the list makes room for the names by leaving columns out.
  view->model()->setLayout(Model::Layout::list);
  view->resize(FolderPreviewView::minimumPreviewSize);
  settle(*view);
  const ListColumns columns = view->listView().area().columns();
  EXPECT_GE(columns.nameWidth, ListColumns::minimumNameWidth);
  EXPECT_FALSE(columns.kindX.has_value());
  EXPECT_FALSE(view->listView().headerButton(Kind::kind).isVisible());
  saveScreenshot(*view, "list-narrow");
}

}  // namespace
}  // namespace tavorin::ui
