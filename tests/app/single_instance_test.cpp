// One running copy per store: the lock file is the guard; the socket only carries the request to
// come to the front. Whatever sits at the socket's name, a second copy never opens the store
// beside a running one, and never ends silently when the running copy cannot be reached.
#include <QLocalServer>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "app/app_texts.h"
#include "app/single_instance.h"
#include "app_fixture.h"

namespace {

using apptest::AppTest;
using apptest::TempDir;
using app::SingleInstance;
using Claim = SingleInstance::Claim;

constexpr int kShortAnswerMs = 100;

// The lock as a running copy holds it.
class HeldLock {
 public:
  explicit HeldLock(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    EXPECT_EQ(::flock(fd_, LOCK_EX | LOCK_NB), 0);
  }
  ~HeldLock() { ::close(fd_); }

 private:
  int fd_;
};

struct NameCase {
  const char* name;
  std::function<void(const QString& socket, std::unique_ptr<QLocalServer>& silent)> occupy;
};

const NameCase kOccupiedNames[] = {
    {"a directory", [](const QString& socket, auto&) { std::filesystem::create_directory(socket.toStdString()); }},
    {"a listener that never answers",
     [](const QString& socket, auto& silent) {
       silent = std::make_unique<QLocalServer>();
       ASSERT_TRUE(silent->listen(socket));
     }},
    {"a file left behind", [](const QString& socket, auto&) { std::ofstream(socket.toStdString()) << "x"; }},
};

// Whatever holds the name, a copy that finds the lock taken and gets no answer is refused; a copy
// that finds the lock free runs, and takes the name over where it can.
TEST(SingleInstance, TheLockDecidesWhateverHoldsTheSocketsName) {
  for (const NameCase& c : kOccupiedNames) {
    for (bool lockHeld : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (lockHeld ? ", lock held" : ", lock free"));
      TempDir dir;
      const QString socket = QString::fromStdString(dir.Str() + "sock");
      const std::string lock = dir.Str() + SingleInstance::kLockFileName;
      std::unique_ptr<QLocalServer> silent;
      c.occupy(socket, silent);
      std::optional<HeldLock> held;
      if (lockHeld) held.emplace(lock);

      SingleInstance copy(socket, QString::fromStdString(lock), kShortAnswerMs);
      if (lockHeld) {
        EXPECT_EQ(copy.TryClaim(), Claim::Refused);
        EXPECT_FALSE(copy.Listening());
        continue;
      }
      EXPECT_EQ(copy.TryClaim(), Claim::Running);
      // A directory is nothing to remove; anything else at the name is taken over.
      EXPECT_EQ(copy.Listening(), !std::filesystem::is_directory(socket.toStdString()));
      // The lock is held until the copy lets it go.
      SingleInstance later(QString::fromStdString(dir.Str() + "other"), QString::fromStdString(lock), kShortAnswerMs);
      EXPECT_EQ(later.TryClaim(), Claim::Refused);
      copy.Release();
      EXPECT_EQ(later.TryClaim(), Claim::Running);
    }
  }
}

// Through the program: beside a running copy that cannot be reached, a second start says so,
// does not open the store, and ends as a failed start (not as a quiet hand-over).
TEST_F(AppTest, ASecondStartThatCannotHandOverSaysSoAndLeavesTheStoreAlone) {
  WriteProfile("[Inicio]\nIntroduccion=FALSE\n");
  for (const NameCase& c : kOccupiedNames) {
    SCOPED_TRACE(c.name);
    TempDir sockets;
    app::AppOptions o = Options();
    o.instanceName = QString::fromStdString(sockets.Str() + "sock");
    o.handOverMs = kShortAnswerMs;
    app::CRentaApp& first = MakeApp(o);
    ASSERT_EQ(first.InitInstance(), app::CRentaApp::Start::Running);
    // The running copy's name goes to something that does not answer.
    QLocalServer::removeServer(o.instanceName);
    std::unique_ptr<QLocalServer> silent;
    c.occupy(o.instanceName, silent);

    messages.clear();
    app::CRentaApp& second = MakeApp(o);
    EXPECT_EQ(second.InitInstance(), app::CRentaApp::Start::Failed);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.front().text, app::Text(app::kStrNoHandOver, 'e'));
    EXPECT_EQ(messages.front().icon, app::kIconStop);
    EXPECT_FALSE(second.Databases().Declarations().IsOpen());
    EXPECT_EQ(second.MainFrame(), nullptr);
    for (auto& a : apps) a->ExitInstance(0);
    apps.clear();
  }
}

}  // namespace
