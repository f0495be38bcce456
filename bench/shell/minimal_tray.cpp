// The floor for the tray program's start-up and memory: the least a Qt program needs to show a
// tray icon.
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  QPixmap pixmap(22, 22);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(3, 3, 16, 16, 3, 3);
  painter.end();
  QSystemTrayIcon tray{QIcon(pixmap)};
  tray.show();
  return QApplication::exec();
}
