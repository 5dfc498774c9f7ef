// One running copy per user: the first copy listens on a local socket named after the program and
// the user; a later start connects, asks the first to come to the front, and ends.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace app {

// "quildexan-<user>", or $QX_INSTANCE_NAME when set (tests run copies side by side).
QString DefaultInstanceName();

class SingleInstance : public QObject {
  Q_OBJECT
 public:
  explicit SingleInstance(QString name, QObject* parent = nullptr);
  ~SingleInstance() override;

  // True when no other copy answers; this copy then listens. False after handing over to the
  // running copy.
  bool Claim();
  void Release();
  bool Listening() const;
  const QString& Name() const { return name_; }

 signals:
  // A later start asked this copy to come to the front.
  void activationRequested();

 private:
  void OnConnection();
  QString name_;
  QLocalServer* server_ = nullptr;
};

// Brings the running copy to the front: its modal dialog (such as the introduction) when one is
// up, else the main window, restored when minimised.
void BringToFront(QWidget* mainWindow);

}  // namespace app
