#include "platform/x11/qt/single_instance.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/platform/qt_test_application.hpp"

namespace tavorin::qt {
namespace {

TEST(SingleInstanceTest, ReleasedPlaceCanBeTakenByANewCopyAndReclaimedAfterwards) {
  testing::qtTestApplication();

  std::string pattern = (std::filesystem::temp_directory_path() / "tavorin-single-XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  const QString lock = QString::fromStdString(pattern + "/tavorin.lock");

  SingleInstance running(lock);
  ASSERT_EQ(running.claim("reopen"), SingleInstance::Claim::primary);

  // Before a relaunch the running copy gives its place up; the new copy takes it.
  running.release();
  {
    SingleInstance relaunched(lock);
    EXPECT_EQ(relaunched.claim("reopen"), SingleInstance::Claim::primary);
    EXPECT_FALSE(running.reclaim()) << "the place is taken";
  }
  // The new copy went away (or never started): the old one takes its place back.
  EXPECT_TRUE(running.reclaim());
  std::filesystem::remove_all(pattern);
}

}  // namespace
}  // namespace tavorin::qt
