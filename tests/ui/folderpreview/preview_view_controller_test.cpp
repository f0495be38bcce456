#include "ui/folderpreview/preview_view_controller.hpp"

#include <gtest/gtest.h>

#include <QTest>

#include "localization/localizer.hpp"
#include "platform/sim/sim_desktop.hpp"
#include "tests/folderpreview/temp_tree.hpp"
#include "tests/ui/folderpreview/ui_test_support.hpp"
#include "ui/folderpreview/preview_window.hpp"

namespace tavorin::ui {
namespace {

using tavorin::testing::RecordingGenerator;
using tavorin::testing::saveScreenshot;
using tavorin::testing::TempTree;

class PreviewViewControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tavorin::testing::offscreenApplication();
    Localizer::install(desktop.platform());
  }
  void TearDown() override { Localizer::setShared(nullptr); }

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
  ThumbnailLoader loader{desktop.runLoop, desktop.executor, std::make_shared<RecordingGenerator>()};
  PreviewViewController controller{desktop.platform(), loader};
};

TEST_F(PreviewViewControllerTest, ReportsReadyAtOnceWithTheFolderStillLoading) {
  tree.file("a.txt", 1);
  QWidget* root = controller.loadView();
  EXPECT_EQ(root->size(), QSize(760, 520));
  bool ready = false;
  controller.preparePreviewOfFile(tree.root(), [&] {
    ready = true;
    // Nothing is listed yet when the preview says it is ready.
    EXPECT_TRUE(controller.model()->isLoading());
    EXPECT_TRUE(controller.model()->isMeasuring());
  });
  EXPECT_TRUE(ready);
  ASSERT_NE(controller.hostingView(), nullptr);
  EXPECT_EQ(controller.hostingView()->parentWidget(), root);
  EXPECT_EQ(controller.hostingView()->content(), &controller.hostingView()->loadingView());
  desktop.settle();
  EXPECT_EQ(controller.model()->items().size(), 1u);
}

TEST_F(PreviewViewControllerTest, ASecondFolderStopsTheFirstAndNoneOfItsResultsArrive) {
  tree.file("First/one.txt", 1);
  tree.file("First/two.txt", 1);
  tree.file("Second/three.txt", 1);
  controller.loadView();
  controller.preparePreviewOfFile(tree / "First", nullptr);
  const auto first = controller.model();
  QPointer<FolderPreviewView> firstView = controller.hostingView();

  controller.preparePreviewOfFile(tree / "Second", nullptr);
  EXPECT_FALSE(first->isLoading());
  EXPECT_FALSE(first->isMeasuring());
  settle(*controller.view());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  EXPECT_TRUE(first->items().empty());
  EXPECT_FALSE(first->sizeSummary().has_value());
  EXPECT_TRUE(firstView.isNull()) << "the first folder's view is gone";
  ASSERT_EQ(controller.hostingView()->model(), controller.model());
  const auto& shown = controller.hostingView()->listView().area().items();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].name, "three.txt");
}

TEST_F(PreviewViewControllerTest, ClosingThePreviewCancelsTheMeasurement) {
  tree.file("big/a.bin", 1000);
  controller.preparePreviewOfFile(tree.root(), nullptr);
  EXPECT_TRUE(controller.model()->isMeasuring());
  controller.viewWillDisappear();
  EXPECT_FALSE(controller.model()->isMeasuring());
  desktop.settle();
  EXPECT_FALSE(controller.model()->sizeSummary().has_value());
}

TEST_F(PreviewViewControllerTest, EveryPreviewReadsTheLanguageAndTheOptionsAgain) {
  tree.file("notes.txt", 1);
  controller.preparePreviewOfFile(tree.root(), nullptr);
  settle(*controller.view());
  EXPECT_EQ(controller.hostingView()->header().countText(), "0 folders, 1 files");

  // The menu-bar program changes the language and the layout in the shared suite.
  desktop.suiteDefaults.setString("tavorin.language", "de");
  desktop.suiteDefaults.setString("FolderPreview.layout", "grid");
  controller.preparePreviewOfFile(tree.root(), nullptr);
  controller.view()->resize(760, 520);
  settle(*controller.view());
  FolderPreviewView& view = *controller.hostingView();
  EXPECT_EQ(view.header().countText(), "0 Ordner, 1 Dateien");
  EXPECT_EQ(view.header().sortPicker().itemText(2), "Größe");
  EXPECT_EQ(view.content(), &view.gridView());
  saveScreenshot(*controller.view(), "grid-german");

  view.model()->setLayout(FolderPreviewModel::Layout::list);
  settle(*controller.view());
  const std::string today = view.listView().area().rowTexts(0).modified;
  EXPECT_EQ(today.rfind("Heute, ", 0), 0u) << today;
  EXPECT_EQ(view.listView().headerButton(FolderPreviewModel::SortKey::modified).text(),
            "Änderungsdatum");
  saveScreenshot(*controller.view(), "list-german");
}

TEST_F(PreviewViewControllerTest, TheWindowIsTitledWithTheFolderAndClosesOnEscapeOrSpace) {
  for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Space}) {
    SCOPED_TRACE(key == Qt::Key_Escape ? "Escape" : "Space");
    tree.file("Holiday/photo.png", 1);
    PreviewWindow window(desktop.platform(), loader);
    window.preview(tree / "Holiday");
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(window.windowTitle(), "Holiday");
    EXPECT_TRUE(window.controller().model()->isMeasuring());

    // The list has the keyboard focus, as it has when the window opens.
    window.controller().hostingView()->listView().area().setFocus();
    QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.controller().model()->isMeasuring());
  }
}

}  // namespace
}  // namespace tavorin::ui
