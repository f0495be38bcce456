#include "platform/notification_center.hpp"

namespace tavorin {

Subscription NotificationCenter::addObserver(std::string name, const void* object,
                                             Observer observer) {
  return posted_.connect(
      [name = std::move(name), object, observer = std::move(observer)](const Notification& note) {
        if (note.name != name) return;
        if (object != nullptr && note.object != object) return;
        observer(note);
      });
}

void NotificationCenter::post(std::string_view name, const void* object) const {
  posted_.emit(Notification{name, object});
}

}  // namespace tavorin
