#include "platform/x11/qt/single_instance.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

namespace tavorin::qt {

namespace {
constexpr int kHandOverMilliseconds = 3000;
const QByteArray kAcknowledgement = "ok\n";
}  // namespace

SingleInstance::SingleInstance(QString lockPath)
    : lockPath_(std::move(lockPath)), socketPath_(lockPath_ + ".socket") {}

SingleInstance::~SingleInstance() {
  release();
}

bool SingleInstance::lock() {
  lockFd_ = ::open(lockPath_.toLocal8Bit().constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (lockFd_ < 0) return false;
  if (::flock(lockFd_, LOCK_EX | LOCK_NB) == 0) return true;
  ::close(lockFd_);
  lockFd_ = -1;
  return false;
}

bool SingleInstance::listen() {
  // A socket left by a copy that crashed would block the name; the lock proves it is stale.
  QLocalServer::removeServer(socketPath_);
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(socketPath_)) return false;
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
    while (QLocalSocket* connection = server_->nextPendingConnection()) {
      QObject::connect(connection, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
      QObject::connect(connection, &QLocalSocket::readyRead, connection, [this, connection] {
        if (!connection->canReadLine()) return;
        const QByteArray request = connection->readLine().trimmed();
        connection->write(kAcknowledgement);
        connection->flush();
        if (onRequest) onRequest(request);
      });
    }
  });
  return true;
}

SingleInstance::Claim SingleInstance::claim(const QByteArray& request) {
  if (lock()) {
    listen();
    return Claim::primary;
  }
  // The running copy may still be starting: keep trying for a moment.
  QDeadlineTimer deadline(kHandOverMilliseconds);
  while (!deadline.hasExpired()) {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
      socket.write(request + "\n");
      socket.flush();
      while (socket.bytesAvailable() < kAcknowledgement.size() &&
             socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
      }
      if (socket.readAll().startsWith(kAcknowledgement.trimmed())) return Claim::handedOver;
    }
    if (lock()) {  // the other copy ended meanwhile
      listen();
      return Claim::primary;
    }
    QThread::msleep(50);
  }
  return Claim::unreachable;
}

void SingleInstance::release() {
  if (server_) {
    server_->close();
    server_.reset();
  }
  if (lockFd_ >= 0) {
    ::close(lockFd_);
    lockFd_ = -1;
  }
}

bool SingleInstance::reclaim() {
  if (lockFd_ >= 0) return true;
  return lock() && listen();
}

}  // namespace tavorin::qt
