#pragma once

#include <QCoreApplication>

namespace tavorin::testing {

// The one Qt application object a test program may have, made on first use.
inline QCoreApplication& qtTestApplication() {
  static int argc = 1;
  static char name[] = "tavorin-test";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  return app;
}

}  // namespace tavorin::testing
