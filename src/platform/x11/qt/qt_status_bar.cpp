#include "platform/x11/qt/qt_status_bar.hpp"

#include <QCursor>
#include <cstdio>

#include "platform/x11/qt/symbol_icons.hpp"

namespace tavorin::qt {

namespace {

void render(QMenu& target, Menu& model) {
  // Submenus of the last rendering belong to `target` but are not removed by `clear`.
  for (auto* old : target.findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
    old->deleteLater();
  }
  target.clear();
  target.setToolTipsVisible(true);
  for (const auto& item : model.items) {
    if (!item || item->isHidden) continue;
    if (item->isSeparator) {
      target.addSeparator();
      continue;
    }
    const QString title =
        QString(item->indentationLevel * 4, QChar(' ')) + QString::fromStdString(item->title);
    QAction* action = nullptr;
    if (item->submenu) {
      auto* submenu = new QMenu(title, &target);
      bindMenu(*submenu, item->submenu);
      action = submenu->menuAction();
      target.addAction(action);
    } else {
      action = target.addAction(title);
      if (item->action) {
        QObject::connect(action, &QAction::triggered, &target,
                         [callback = item->action] { callback(); });
      }
    }
    action->setEnabled(item->isEnabled());
    if (item->isChecked) {
      action->setCheckable(true);
      action->setChecked(true);
    }
    if (!item->toolTip.empty()) action->setToolTip(QString::fromStdString(item->toolTip));
    if (!item->symbol.empty()) action->setIcon(iconForSymbol(item->symbol, IconPlace::menu));
  }
}

}  // namespace

void bindMenu(QMenu& target, std::shared_ptr<Menu> model) {
  QObject::connect(&target, &QMenu::aboutToShow, &target, [&target, model] {
    model->prepareToOpen();
    render(target, *model);
  });
  render(target, *model);
}

QtStatusItem::QtStatusItem() {
  QObject::connect(&tray_, &QSystemTrayIcon::activated, &tray_,
                   [this](QSystemTrayIcon::ActivationReason reason) {
                     // The tray opens the context menu on a right click itself.
                     if (reason == QSystemTrayIcon::Trigger && qmenu_) {
                       qmenu_->popup(QCursor::pos());
                     }
                   });
  if (!QSystemTrayIcon::isSystemTrayAvailable()) {
    std::fprintf(stderr,
                 "tavorin: this desktop has no system tray, so Tavorin runs without its icon. "
                 "Start tavorin again to open its settings.\n");
  }
}

QtStatusItem::~QtStatusItem() = default;

void QtStatusItem::setVisible(bool visible) {
  visible_ = visible;
  updateVisibility();
}

void QtStatusItem::setSymbol(const std::string& symbolName) {
  if (symbolName == symbol_) return;
  symbol_ = symbolName;
  tray_.setIcon(iconForSymbol(symbolName, IconPlace::tray));
  updateVisibility();
}

void QtStatusItem::setAccessibilityDescription(const std::string& description) {
  tray_.setToolTip(QString::fromStdString(description));
}

void QtStatusItem::setMenu(std::shared_ptr<Menu> menu) {
  menu_ = std::move(menu);
  if (!menu_) {
    tray_.setContextMenu(nullptr);
    qmenu_.reset();
    return;
  }
  qmenu_ = std::make_unique<QMenu>();
  bindMenu(*qmenu_, menu_);
  tray_.setContextMenu(qmenu_.get());
}

void QtStatusItem::updateVisibility() {
  // A tray icon without an image would show as an empty slot.
  tray_.setVisible(visible_ && !symbol_.empty());
}

std::shared_ptr<StatusItem> QtStatusBar::createSquareItem() {
  return std::make_shared<QtStatusItem>();
}

}  // namespace tavorin::qt
