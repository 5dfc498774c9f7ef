#include "app/single_instance.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

#include <unistd.h>
#include <pwd.h>

namespace app {

namespace {
constexpr char kActivate[] = "activate\n";
constexpr int kConnectMs = 500;
}  // namespace

QString DefaultInstanceName() {
  QByteArray forced = qgetenv("QX_INSTANCE_NAME");
  if (!forced.isEmpty()) return QString::fromLocal8Bit(forced);
  QString user;
  if (const passwd* pw = getpwuid(getuid())) user = QString::fromLocal8Bit(pw->pw_name);
  if (user.isEmpty()) user = QString::number(getuid());
  return QStringLiteral("quildexan-") + user;
}

SingleInstance::SingleInstance(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {}

SingleInstance::~SingleInstance() { Release(); }

bool SingleInstance::Claim() {
  {
    QLocalSocket probe;
    probe.connectToServer(name_);
    if (probe.waitForConnected(kConnectMs)) {
      probe.write(kActivate);
      probe.waitForBytesWritten(kConnectMs);
      probe.disconnectFromServer();
      return false;
    }
  }
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(name_)) {
    // Nobody answered, so the name is left over from a copy that ended abruptly.
    QLocalServer::removeServer(name_);
    server_->listen(name_);
  }
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
  return true;
}

void SingleInstance::Release() {
  if (server_) {
    server_->close();
    delete server_;
    server_ = nullptr;
  }
}

bool SingleInstance::Listening() const { return server_ && server_->isListening(); }

void SingleInstance::OnConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (socket->readAll().startsWith("activate")) emit activationRequested();
    });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (socket->bytesAvailable() > 0 && socket->readAll().startsWith("activate")) emit activationRequested();
  }
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
