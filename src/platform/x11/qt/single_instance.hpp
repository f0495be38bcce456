#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QString>
#include <functional>
#include <memory>

namespace tavorin::qt {

// One running copy per user session. The first copy holds an advisory lock and listens on a
// local socket beside it; a later copy finds the lock taken and hands its request to the first
// one over the socket instead of starting.
class SingleInstance {
 public:
  enum class Claim { primary, handedOver, unreachable };

  // `lockPath` names the lock file; the socket is the same path with ".socket".
  explicit SingleInstance(QString lockPath);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // Becomes the running copy, or gives `request` to the running one.
  Claim claim(const QByteArray& request);
  // Lets a new copy take over (before a relaunch); `reclaim` takes the place back if none did.
  void release();
  bool reclaim();

  // Requests handed over by later copies.
  std::function<void(const QByteArray&)> onRequest;

 private:
  bool lock();
  bool listen();

  QString lockPath_;
  QString socketPath_;
  int lockFd_ = -1;
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace tavorin::qt
