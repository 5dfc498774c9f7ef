#include "app/single_instance.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QWidget>

#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

namespace app {

namespace {
constexpr char kActivate[] = "activate\n";
constexpr char kAnswer[] = "ok\n";

int Remaining(const QDeadlineTimer& deadline) { return static_cast<int>(deadline.remainingTime()); }
}  // namespace

QString DefaultInstanceName() {
  QByteArray forced = qgetenv("QX_INSTANCE_NAME");
  if (!forced.isEmpty()) return QString::fromLocal8Bit(forced);
  QString user;
  if (const passwd* pw = getpwuid(getuid())) user = QString::fromLocal8Bit(pw->pw_name);
  if (user.isEmpty()) user = QString::number(getuid());
  return QStringLiteral("quildexan-") + user;
}

SingleInstance::SingleInstance(QString name, QString lockPath, int answerMs, QObject* parent)
    : QObject(parent), name_(std::move(name)), lockPath_(std::move(lockPath)), answerMs_(answerMs) {}

SingleInstance::~SingleInstance() { Release(); }

SingleInstance::Claim SingleInstance::TryClaim() {
  const Lock lock = TakeLock();
  if (lock == Lock::Taken) {
    StartAnswering();
    return Claim::Running;
  }
  if (HandOver()) return Claim::HandedOver;
  if (lock == Lock::Busy) return Claim::Refused;
  // A folder that cannot hold a lock file leaves the socket as the only sign of another copy.
  StartAnswering();
  return Claim::Running;
}

SingleInstance::Lock SingleInstance::TakeLock() {
  QDir().mkpath(QFileInfo(lockPath_).absolutePath());
  const QByteArray path = QFile::encodeName(lockPath_);
  int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Lock::Unavailable;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    lockFd_ = fd;
    return Lock::Taken;
  }
  const bool busy = errno == EWOULDBLOCK;
  ::close(fd);
  return busy ? Lock::Busy : Lock::Unavailable;
}

// Asks the running copy to come to the front; true once it has answered.
bool SingleInstance::HandOver() {
  const QDeadlineTimer deadline(answerMs_);
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(Remaining(deadline))) return false;
  socket.write(kActivate);
  if (!socket.waitForBytesWritten(Remaining(deadline))) return false;
  QByteArray answer;
  while (!answer.contains('\n')) {
    if (deadline.hasExpired() || !socket.waitForReadyRead(Remaining(deadline))) return false;
    answer += socket.readAll();
  }
  return answer.startsWith(kAnswer);
}

// The socket is served from a thread of its own, so that a later start has its answer even
// while this copy's window is busy.
void SingleInstance::StartAnswering() {
  thread_ = new QThread;
  answerer_ = new QObject;
  answerer_->moveToThread(thread_);
  connect(thread_, &QThread::finished, answerer_, &QObject::deleteLater);
  thread_->start();
  QMetaObject::invokeMethod(
      answerer_,
      [this, answerer = answerer_] {
        auto* server = new QLocalServer(answerer);
        server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(server, &QLocalServer::newConnection, answerer, [this, server] {
          while (QLocalSocket* socket = server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            auto answer = [this, socket] {
              if (!socket->canReadLine()) return;
              if (socket->readLine().startsWith("activate")) {
                socket->write(kAnswer);
                socket->flush();
                QMetaObject::invokeMethod(this, [this] { emit activationRequested(); }, Qt::QueuedConnection);
              }
              socket->disconnectFromServer();
            };
            connect(socket, &QLocalSocket::readyRead, socket, answer);
            answer();
          }
        });
        // This copy holds the lock, so whatever has the name is left over from a copy that
        // ended abruptly (or is no copy at all): the name is taken over.
        if (!server->listen(name_)) {
          QLocalServer::removeServer(name_);
          server->listen(name_);
        }
        listening_ = server->isListening();
      },
      Qt::BlockingQueuedConnection);
}

void SingleInstance::Release() {
  if (thread_) {
    thread_->quit();
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    answerer_ = nullptr;
    listening_ = false;
  }
  if (lockFd_ >= 0) ::close(lockFd_);  // closing lets the lock go
  lockFd_ = -1;
}

void BringToFront(QWidget* mainWindow) {
  QWidget* target = QApplication::activeModalWidget();
  if (!target) target = mainWindow;
  if (!target) return;
  if (target->isMinimized()) target->showNormal();
  if (mainWindow && mainWindow != target && mainWindow->isMinimized()) mainWindow->showNormal();
  target->raise();
  target->activateWindow();
}

}  // namespace app
