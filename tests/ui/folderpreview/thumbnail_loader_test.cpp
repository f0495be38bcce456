#include "ui/folderpreview/thumbnail_loader.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>

#include <chrono>
#include <fstream>

#include "platform/sim/sim_desktop.hpp"
#include "tests/folderpreview/temp_tree.hpp"
#include "tests/ui/folderpreview/ui_test_support.hpp"
#include "ui/folderpreview/thumbnail_generator.hpp"

namespace tavorin::ui {
namespace {

using tavorin::testing::RecordingGenerator;
using tavorin::testing::TempTree;

class ThumbnailLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { tavorin::testing::offscreenApplication(); }

  // What a completion was handed, if it ran.
  struct Answer {
    bool arrived = false;
    QPixmap thumbnail;
  };
  ThumbnailLoader::Completion into(Answer& answer) {
    return [&answer](const QPixmap& thumbnail) {
      answer.arrived = true;
      answer.thumbnail = thumbnail;
    };
  }

  sim::SimDesktop desktop;
  std::shared_ptr<RecordingGenerator> generator = std::make_shared<RecordingGenerator>();
  ThumbnailLoader loader{desktop.runLoop, desktop.executor, generator};
};

TEST_F(ThumbnailLoaderTest, KeysNameThePathAndTheWholePointSize) {
  EXPECT_EQ(ThumbnailLoader::key("/data/a b.png", 72), "/data/a b.png#72");
  EXPECT_EQ(ThumbnailLoader::key("/data/a b.png", 20.9), "/data/a b.png#20");
}

TEST_F(ThumbnailLoaderTest, EachFileAndSizeGoesToTheGeneratorOnceAndFailuresAreRemembered) {
  // Two cells wait for the same picture: it is made once and both get it.
  Answer first, second;
  auto waitFirst = loader.thumbnail("/data/photo.png", 72, 2, into(first));
  auto waitSecond = loader.thumbnail("/data/photo.png", 72, 2, into(second));
  EXPECT_FALSE(first.arrived);
  desktop.settle();
  ASSERT_TRUE(first.arrived && second.arrived);
  EXPECT_EQ(first.thumbnail.size(), QSize(144, 96));
  EXPECT_EQ(first.thumbnail.devicePixelRatio(), 2.0);
  EXPECT_EQ(generator->requests("/data/photo.png#72"), 1);

  // Once made, it is answered at once from the cache.
  Answer cached;
  auto none = loader.thumbnail("/data/photo.png", 72, 2, into(cached));
  EXPECT_TRUE(cached.arrived);
  EXPECT_FALSE(none.isPending());
  ASSERT_TRUE(loader.cachedThumbnail("/data/photo.png", 72).has_value());

  // Another size is another picture.
  Answer small;
  auto waitSmall = loader.thumbnail("/data/photo.png", 20, 2, into(small));
  desktop.settle();
  EXPECT_EQ(generator->requests("/data/photo.png#20"), 1);
  EXPECT_EQ(small.thumbnail.size(), QSize(40, 26));

  // A file the generator has nothing for is not sent again: the answer is known.
  Answer failed, again;
  auto waitFailed = loader.thumbnail("/data/notes.xyz", 72, 1, into(failed));
  desktop.settle();
  ASSERT_TRUE(failed.arrived);
  EXPECT_TRUE(failed.thumbnail.isNull());
  auto waitAgain = loader.thumbnail("/data/notes.xyz", 72, 1, into(again));
  EXPECT_TRUE(again.arrived);
  EXPECT_TRUE(again.thumbnail.isNull());
  desktop.settle();
  EXPECT_EQ(generator->requests("/data/notes.xyz#72"), 1);
  EXPECT_EQ(generator->total(), 3);
}

TEST_F(ThumbnailLoaderTest, AWithdrawnWaitIsNotWorkedOnAndNotTakenForAFailure) {
  Answer dropped;
  {
    auto wait = loader.thumbnail("/data/photo.png", 72, 1, into(dropped));
    EXPECT_TRUE(wait.isPending());
  }
  desktop.settle();
  EXPECT_FALSE(dropped.arrived);
  EXPECT_EQ(generator->total(), 0);

  // One of two waits withdrawn: the other still gets the picture.
  Answer kept;
  auto keep = loader.thumbnail("/data/photo.png", 72, 1, into(kept));
  {
    Answer gone;
    auto withdrawn = loader.thumbnail("/data/photo.png", 72, 1, into(gone));
  }
  desktop.settle();
  EXPECT_TRUE(kept.arrived);
  EXPECT_FALSE(kept.thumbnail.isNull());
  EXPECT_EQ(generator->total(), 1);
}

TEST_F(ThumbnailLoaderTest, WorkEndingAfterTheLoaderIsGoneReportsNothing) {
  Answer answer;
  ThumbnailLoader::Request wait;
  {
    ThumbnailLoader shortLived(desktop.runLoop, desktop.executor, generator);
    wait = shortLived.thumbnail("/data/photo.png", 72, 1, into(answer));
  }
  desktop.settle();
  EXPECT_FALSE(answer.arrived);
  EXPECT_FALSE(wait.isPending());
}

TEST_F(ThumbnailLoaderTest, ThumbnailsAreCachedUpToTheirLimitAndIconsOncePerPath) {
  std::vector<ThumbnailLoader::Request> waits;
  for (int i = 0; i <= ThumbnailLoader::thumbnailCacheLimit; ++i)
    waits.push_back(loader.thumbnail("/data/" + std::to_string(i) + ".png", 20, 1, nullptr));
  desktop.settle();
  EXPECT_FALSE(loader.cachedThumbnail("/data/0.png", 20).has_value());
  EXPECT_TRUE(loader.cachedThumbnail("/data/600.png", 20).has_value());

  int lookups = 0;
  ThumbnailLoader counting(desktop.runLoop, desktop.executor, generator,
                           [&lookups](const std::filesystem::path&) {
                             ++lookups;
                             return QIcon();
                           });
  counting.icon("/data/a.txt");
  counting.icon("/data/a.txt");
  counting.icon("/data/b.txt");
  EXPECT_EQ(lookups, 2);
}

// --- The desktop's generator ---

class DesktopThumbnailGeneratorTest : public ::testing::Test {
 protected:
  void SetUp() override { tavorin::testing::offscreenApplication(); }

  // Leaves a thumbnail of `file` in the cache folder `size` as a file manager would.
  void cacheThumbnail(const std::filesystem::path& file, const char* size, const std::string& uri,
                      long long modified) {
    const auto folder = cache.root() / size;
    std::filesystem::create_directories(folder);
    QImage thumbnail(128, 96, QImage::Format_ARGB32);
    thumbnail.fill(Qt::darkGreen);
    thumbnail.setText("Thumb::URI", QString::fromStdString(uri));
    thumbnail.setText("Thumb::MTime", QString::number(modified));
    const auto name =
        DesktopThumbnailGenerator::cacheFileName(DesktopThumbnailGenerator::fileURI(file));
    ASSERT_TRUE(thumbnail.save(QString::fromStdString((folder / name).string()), "PNG"));
  }

  TempTree files;
  TempTree cache;
  DesktopThumbnailGenerator generator{cache.root()};
};

TEST_F(DesktopThumbnailGeneratorTest, CacheNamesFollowTheThumbnailConvention) {
  // The convention's own example.
  EXPECT_EQ(DesktopThumbnailGenerator::cacheFileName("file:///home/jens/photos/me.png"),
            "c6ee772d9e49320e97ec29a7eb5b1697.png");
  EXPECT_EQ(DesktopThumbnailGenerator::fileURI("/tmp/Summer 2024/é#1 (copy).pdf"),
            "file:///tmp/Summer%202024/%C3%A9%231%20(copy).pdf");
}

TEST_F(DesktopThumbnailGeneratorTest, PicturesAreReadScaledDownIntoTheSquare) {
  struct Case {
    const char* name;
    QSize stored;
    double pointSize, scale;
    QSize expected;
  };
  const Case cases[] = {
      {"wide.png", {400, 200}, 72, 2, {144, 72}},
      {"tall.jpg", {90, 300}, 20, 1, {6, 20}},
      // Small pictures are not blown up; scales below 1 count as 1.
      {"small.png", {30, 20}, 72, 0.5, {30, 20}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QImage picture(c.stored, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString((files / c.name).string())));
    const QImage thumbnail = generator.generate(files / c.name, c.pointSize, c.scale);
    EXPECT_EQ(thumbnail.size(), c.expected);
    EXPECT_EQ(thumbnail.devicePixelRatio(), std::max(c.scale, 1.0));
  }
}

TEST_F(DesktopThumbnailGeneratorTest, OtherFilesUseTheCachedThumbnailOnlyWhileItIsUpToDate) {
  const auto file = files.file("report.pdf", 10);
  files.touch("report.pdf", std::chrono::seconds(1'700'000'000));
  const std::string uri = DesktopThumbnailGenerator::fileURI(file);

  EXPECT_TRUE(generator.generate(file, 72, 1).isNull()) << "nothing cached yet";

  cacheThumbnail(file, "normal", uri, 1'700'000'000);
  const QImage thumbnail = generator.generate(file, 72, 1);
  EXPECT_EQ(thumbnail.size(), QSize(72, 54));

  // The file changed after its thumbnail was made: the thumbnail is stale.
  files.touch("report.pdf", std::chrono::seconds(1'700'000'100));
  EXPECT_TRUE(generator.generate(file, 72, 1).isNull());

  // A thumbnail that names another file is not this one's.
  cacheThumbnail(file, "normal", uri + "x", 1'700'000'100);
  EXPECT_TRUE(generator.generate(file, 72, 1).isNull());

  // A larger size folder stands in when the normal one has nothing valid.
  cacheThumbnail(file, "large", uri, 1'700'000'100);
  EXPECT_EQ(generator.generate(file, 72, 2).size(), QSize(128, 96));
}

TEST_F(DesktopThumbnailGeneratorTest, PipesFoldersAndMissingFilesGiveNothingWithoutBlocking) {
  ASSERT_EQ(::mkfifo((files / "pipe.png").c_str(), 0644), 0);
  files.folder("Pictures.png");
  files.file("broken.png", 100);  // not a picture at all
  const auto start = std::chrono::steady_clock::now();
  for (const char* name : {"pipe.png", "Pictures.png", "missing.png", "broken.png"}) {
    EXPECT_TRUE(generator.generate(files / name, 72, 1).isNull()) << name;
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

}  // namespace
}  // namespace tavorin::ui
