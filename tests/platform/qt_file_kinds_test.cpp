#include "platform/x11/qt/qt_file_kinds.hpp"

#include <gtest/gtest.h>

#include "tests/platform/qt_test_application.hpp"

namespace tavorin::qt {
namespace {

TEST(QtFileKindProviderTest, NamesKindsFromTheMimeDatabaseByName) {
  testing::qtTestApplication();
  QtFileKindProvider::followInterfaceLanguage("en");
  const QtFileKindProvider kinds;
  EXPECT_NE(kinds.kind("/nowhere/photo.png", FileEntryType::regularFile, "en").find("PNG"),
            std::string::npos);
  EXPECT_FALSE(kinds.kind("/nowhere/folder", FileEntryType::folder, "en").empty());
  EXPECT_EQ(kinds.kind("/nowhere/no-extension-here", FileEntryType::regularFile, "en"), "");
  EXPECT_FALSE(kinds.isPackage("/nowhere/Some.app"));
}

}  // namespace
}  // namespace tavorin::qt
