// One running copy per store. The guard is a lock file in the declarations folder, held for the
// whole run (the kernel lets it go when the process ends, however it ends). The copy holding it
// also listens on a local socket named after the program and the user; a later start that finds
// the lock taken asks the running copy, through that socket, to come to the front and ends once
// it has answered. A running copy that cannot be reached is said so: the later start does not
// open the store beside it.
#pragma once

#include <QObject>
#include <QString>

class QThread;

namespace app {

// "quildexan-<user>", or $QX_INSTANCE_NAME when set (tests run copies side by side).
QString DefaultInstanceName();

class SingleInstance : public QObject {
  Q_OBJECT
 public:
  static constexpr int kDefaultAnswerMs = 3000;
  static constexpr const char* kLockFileName = "quildexan.lock";

  // `lockPath`: the lock file; `answerMs`: how long a later start waits for the running copy to
  // accept and answer its request.
  SingleInstance(QString name, QString lockPath, int answerMs = kDefaultAnswerMs, QObject* parent = nullptr);
  ~SingleInstance() override;

  enum class Claim {
    Running,     // this is the only copy: it holds the lock (and listens when it can)
    HandedOver,  // the running copy answered and comes to the front
    Refused,     // a copy holds the lock but did not answer
  };
  Claim TryClaim();
  void Release();
  bool Listening() const { return listening_; }
  const QString& Name() const { return name_; }

 signals:
  // A later start asked this copy to come to the front.
  void activationRequested();

 private:
  enum class Lock { Taken, Busy, Unavailable };
  Lock TakeLock();
  bool HandOver();
  void StartAnswering();

  QString name_;
  QString lockPath_;
  int answerMs_;
  int lockFd_ = -1;
  bool listening_ = false;
  QThread* thread_ = nullptr;
  QObject* answerer_ = nullptr;
};

// Brings the running copy to the front: its modal dialog (such as the introduction) when one is
// up, else the main window, restored when minimised.
void BringToFront(QWidget* mainWindow);

}  // namespace app
