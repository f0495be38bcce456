#pragma once

#include <QApplication>

namespace tavorin::testing {

// The one Qt application object a test program may have, made on first use. It draws
// off screen, so the tests need no display.
inline QApplication& qtTestApplication() {
  static int argc = 1;
  static char name[] = "tavorin-test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}

}  // namespace tavorin::testing
