// The tray program: builds the real desktop, hands it to the application controller and runs
// the event loop. A second start hands its request to the running copy and ends.
#include <QApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "app/app_delegate.hpp"
#include "app/desktop_entries.hpp"
#include "feature_adapters.hpp"
#include "localization/localizer.hpp"
#include "platform/build_info.hpp"
#include "platform/native/native_process_info.hpp"
#include "platform/x11/qt/qt_desktop.hpp"
#include "platform/x11/qt/single_instance.hpp"
#include "platform/xdg_paths.hpp"

namespace {

constexpr std::string_view kUsage =
    "Usage: tavorin [--open-settings]\n"
    "\n"
    "Tavorin lives in the system tray and brings Window Layout, Cut & Paste,\n"
    "Pointer Locator and Smart Dock Hiding to your X11 desktop.\n"
    "\n"
    "  --open-settings  open the settings window (also when Tavorin already runs)\n"
    "  --help           show this help and exit\n"
    "  --version        show the version and exit\n"
    "\n"
    "Starting tavorin while it runs opens its settings; this is how to reach them\n"
    "while the tray icon is hidden.\n";

// The folder previewer ships beside the tray program (in a build tree, in its own folder).
std::filesystem::path previewerProgram() {
  const std::filesystem::path here = QCoreApplication::applicationDirPath().toStdString();
  for (const auto& candidate : {here / "quillon", here / ".." / "quillon" / "quillon"}) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec)) {
      return std::filesystem::weakly_canonical(candidate, ec);
    }
  }
  return here / "quillon";
}

bool hasArgument(int argc, char** argv, std::string_view argument) {
  for (int i = 1; i < argc; ++i) {
    if (argument == argv[i]) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tavorin;
  if (hasArgument(argc, argv, "--help") || hasArgument(argc, argv, "-h")) {
    std::fputs(kUsage.data(), stdout);
    return 0;
  }
  if (hasArgument(argc, argv, "--version")) {
    std::printf("Tavorin %s\n", build::version.data());
    return 0;
  }
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') {
    std::fputs(
        "tavorin: no X11 display (DISPLAY is not set).\n"
        "Start Tavorin from a terminal inside your desktop session, or on a virtual display\n"
        "with: xvfb-run -a tavorin\n",
        stderr);
    return 1;
  }
  // The desktop services talk to the X server; Qt must use it too, also under XWayland.
  qputenv("QT_QPA_PLATFORM", "xcb");

  QApplication app(argc, argv);
  QApplication::setApplicationName("Tavorin");
  QApplication::setApplicationVersion(QString::fromUtf8(build::version.data()));
  QApplication::setQuitOnLastWindowClosed(false);

  const native::NativeProcessInfo process(argc, argv);
  const auto runtime = xdgRuntimeDir(process);
  qt::SingleInstance instance(QString::fromStdString((runtime / "tavorin.lock").string()));
  const bool openSettings = hasArgument(argc, argv, AppDelegate::openSettingsArgument);
  switch (instance.claim(openSettings ? "reopen --open-settings" : "reopen")) {
    case qt::SingleInstance::Claim::primary:
      break;
    case qt::SingleInstance::Claim::handedOver:
      return 0;
    case qt::SingleInstance::Claim::unreachable:
      std::fputs("tavorin: another Tavorin runs but does not answer; try again shortly.\n", stderr);
      return 1;
  }

  qt::QtDesktop desktop(app, argc, argv, &instance);
  auto& localizer = Localizer::install(desktop.platform());
  // File kinds are named in the interface language too.
  qt::QtFileKindProvider::followInterfaceLanguage(localizer.language().code);
  auto languageObserver = localizer.observe(
      [&localizer] { qt::QtFileKindProvider::followInterfaceLanguage(localizer.language().code); });
  AppDelegate::Parts parts;
  auto tiling = TilingManager::create(desktop.platform());
  parts.features.tiling = std::make_shared<TilingFeatureAdapter>(tiling);
  parts.features.pointer =
      std::make_shared<PointerFeatureAdapter>(PointerLocator::create(desktop.platform()));
  // The folder previewer is offered to file managers through a desktop entry of the user's.
  const auto registration = std::make_shared<FolderPreviewRegistration>(
      xdgDataHome(process) / "applications", previewerProgram());
  parts.checkFolderPreviewStatus = [registration] { return registration->current(); };
  parts.setFolderPreviewEnabled = [registration](bool on) { registration->setEnabled(on); };
  auto delegate = AppDelegate::install(desktop.platform(), std::move(parts));
  instance.onRequest = [&desktop](const QByteArray&) { desktop.application().reopen(); };
  desktop.application().terminateOnSignals();
  return desktop.application().run();
}
