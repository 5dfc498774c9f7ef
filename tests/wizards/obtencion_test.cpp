// The download dialog: the download options appear with a surname, each choice sets the Continue
// button, a download reaches the server set in the profile (a local server of the test, on
// 127.0.0.1 only) with the address of the choice and leaves the file in the base folder; step 2
// accepts only a file of the member's NIF.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QFile>
#include <QRadioButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <memory>

#include "support/ui_helpers.h"
#include "ui/controls/profile_store.h"
#include "ui/edit_ex.h"
#include "ui/owner_draw_button.h"
#include "wizards/fiscal_helpers.h"
#include "wizards/obtencion_datos_fiscales_dlg.h"

using Dlg = CObtencionDatosFiscalesDlg;

namespace {

// A one-answer-per-request HTTP server on the loopback address.
class LocalServer : public QObject {
 public:
  LocalServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* s = server_.nextPendingConnection()) {
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(s, &QTcpSocket::readyRead, s, [this, s, buffer] {
          buffer->append(s->readAll());
          if (!buffer->contains("\r\n\r\n")) return;
          const QByteArray line = buffer->left(buffer->indexOf("\r\n"));
          targets.push_back(QString::fromLatin1(line.split(' ').value(1)));
          QByteArray answer = "HTTP/1.1 " + status + "\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                              QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
          s->write(answer);
          s->disconnectFromHost();
        });
        QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
      }
    });
  }
  QString Address() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }
  std::vector<QString> targets;  // decoded request targets
  QByteArray status = "200 OK";
  QByteArray body;

 private:
  QTcpServer server_;
};

QByteArray Sample(const char* name) {
  QFile f(QStringLiteral(QX_SOURCE_DIR "/resources/examples/") + QLatin1String(name));
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

// The dialog with its file dialog answered by the test.
class TestDlg : public Dlg {
 public:
  QString answer;

 protected:
  QString AskForFile() override { return answer; }
};

class DownloadDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetLanguage('e');
    before_ = &ui::controls::ActiveProfile();
    profile_.SetString(QStringLiteral("DatosFiscales"), QStringLiteral("Servidor"), server_.Address() + "/");
    profile_.SetString(QStringLiteral("Directorios"), QStringLiteral("DirBase"), dir_.path());
    ui::controls::SetActiveProfile(&profile_);
    plainBoxes.observePlain = [this](const PlainMessage& m) { stringMessages.push_back(m.stringId); };
    dlg.nif = QStringLiteral("12345678Z");
    dlg.productVersion = QStringLiteral("1.00");
    dlg.show();
    QCoreApplication::processEvents();
  }
  void TearDown() override {
    ui::controls::SetActiveProfile(before_);
  }
  void Click(int id) {
    QTest::mouseClick(dlg.GetDlgItem(id), Qt::LeftButton);
    QCoreApplication::processEvents();
  }
  void TypeSurname(const QString& text) {
    dlg.Edit(Dlg::kIdSurnameEdit)->setFocus();
    QTest::keyClicks(dlg.Edit(Dlg::kIdSurnameEdit), text);
  }
  bool WaitForDownload() {
    QEventLoop loop;
    bool ok = false;
    QObject::connect(&dlg, &Dlg::downloadFinished, &loop, [&](bool result) {
      ok = result;
      loop.quit();
    });
    QTimer guard;  // a failing network ends the wait too
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    guard.start(20000);
    loop.exec();
    return ok;
  }
  QString ContinueText() { return dlg.GetDlgItem(Dlg::kIdContinue)->property("text").toString(); }

  LocalServer server_;
  QTemporaryDir dir_;
  ui::controls::MemoryProfileStore profile_;
  ui::controls::ProfileStore* before_ = nullptr;
  std::vector<int> stringMessages;
  qxtest::ScriptedMessages plainBoxes;
  TestDlg dlg;
};

}  // namespace

TEST_F(DownloadDialog, OptionsAppearWithASurname) {
  EXPECT_EQ(dlg.GetDlgItem(Dlg::kIdNif)->property("text").toString(), QStringLiteral("12345678Z"));
  EXPECT_EQ(dlg.GetDlgItem(Dlg::kIdMemberLabel)->property("text").toString(), QStringLiteral("DECLARANTE"));
  EXPECT_FALSE(dlg.GetDlgItem(Dlg::kIdContinue)->isEnabled());
  EXPECT_FALSE(dlg.GetDlgItem(Dlg::kIdCertificate)->isVisible());
  EXPECT_TRUE(dlg.GetDlgItem(Dlg::kIdFile)->isVisible());
  TypeSurname(QStringLiteral("   "));
  EXPECT_FALSE(dlg.GetDlgItem(Dlg::kIdCertificate)->isVisible());  // blanks only
  TypeSurname(QStringLiteral("martinez"));
  EXPECT_TRUE(dlg.GetDlgItem(Dlg::kIdCertificate)->isVisible());
  EXPECT_TRUE(dlg.GetDlgItem(Dlg::kIdReference)->isVisible());
  EXPECT_FALSE(dlg.GetDlgItem(Dlg::kIdReferenceEdit)->isVisible());
}

TEST_F(DownloadDialog, CertificateDownloadReachesTheServerAndKeepsTheFile) {
  server_.body = Sample("trabajador.df");
  TypeSurname(QStringLiteral("martinez"));
  Click(Dlg::kIdCertificate);
  EXPECT_TRUE(dlg.GetDlgItem(Dlg::kIdContinue)->isEnabled());
  EXPECT_EQ(ContinueText(), platform::LoadString(71));
  Click(Dlg::kIdContinue);
  ASSERT_TRUE(WaitForDownload());
  ASSERT_EQ(server_.targets.size(), 1u);
  EXPECT_EQ(QUrl::fromPercentEncoding(server_.targets[0].toLatin1()),
            QStringLiteral("/vornes/acceso/servurl.htm?PRG=100&EJE=2003&VER=1.00&URL=DFC&EXT=?nif=12345678Z&ape=MARTINEZ       "));
  EXPECT_EQ(ContinueText(), platform::LoadString(144));
  QFile saved(dir_.filePath(QStringLiteral("12345678Z.df")));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), server_.body);
  EXPECT_EQ(dlg.DownloadedPath(), saved.fileName());
  EXPECT_TRUE(stringMessages.empty());
}

TEST_F(DownloadDialog, ReferenceDownloadNeedsAReferenceAndCertificateClearsIt) {
  server_.body = Sample("trabajador.df");
  TypeSurname(QStringLiteral("martinez"));
  Click(Dlg::kIdReference);
  EXPECT_TRUE(dlg.GetDlgItem(Dlg::kIdReferenceEdit)->isVisible());
  Click(Dlg::kIdContinue);  // no reference: nothing happens
  QCoreApplication::processEvents();
  EXPECT_TRUE(server_.targets.empty());
  dlg.Edit(Dlg::kIdReferenceEdit)->setFocus();
  QTest::keyClicks(dlg.Edit(Dlg::kIdReferenceEdit), QStringLiteral("a1b2c3"));
  Click(Dlg::kIdContinue);
  ASSERT_TRUE(WaitForDownload());
  ASSERT_EQ(server_.targets.size(), 1u);
  EXPECT_TRUE(QUrl::fromPercentEncoding(server_.targets[0].toLatin1())
                  .endsWith(QStringLiteral("URL=DFR&EXT=?nif=12345678Z&ape=MARTINEZ       &ref=A1B2C3") +
                            QString(13, QLatin1Char(' '))))  // both fields as the edits store them
      << server_.targets[0].toStdString();
  Click(Dlg::kIdCertificate);
  EXPECT_TRUE(dlg.Edit(Dlg::kIdReferenceEdit)->text().trimmed().isEmpty());
  EXPECT_FALSE(dlg.GetDlgItem(Dlg::kIdReferenceEdit)->isVisible());
}

TEST_F(DownloadDialog, AFailedDownloadSaysSoAndKeepsNothing) {
  server_.status = "404 Not Found";
  server_.body = "no";
  TypeSurname(QStringLiteral("martinez"));
  Click(Dlg::kIdCertificate);
  Click(Dlg::kIdContinue);
  EXPECT_FALSE(WaitForDownload());
  EXPECT_EQ(stringMessages, std::vector<int>{98043});
  EXPECT_FALSE(QFile::exists(dir_.filePath(QStringLiteral("12345678Z.df"))));
  EXPECT_TRUE(dlg.isVisible());
}

TEST_F(DownloadDialog, StepTwoAcceptsOnlyAFileOfTheMembersNif) {
  QFile::copy(QStringLiteral(QX_SOURCE_DIR "/resources/examples/trabajador.df"), dir_.filePath(QStringLiteral("MIO.DF")));
  QFile::copy(QStringLiteral(QX_SOURCE_DIR "/resources/examples/trabajador.df"), dir_.filePath(QStringLiteral("mio.txt")));
  {
    QFile one(dir_.filePath(QStringLiteral("corto.df")));
    one.open(QIODevice::WriteOnly);
    one.write("0DDFF2003\r\n");
  }
  qxtest::ScriptedMessages messages;
  Click(Dlg::kIdFile);
  EXPECT_EQ(ContinueText(), platform::LoadString(144));
  struct Case {
    QString file;
    int stringMessage;  // 0 none
    int result;         // 0 still open
  } cases[] = {
      {dir_.filePath(QStringLiteral("mio.txt")), 91, 0},
      {dir_.filePath(QStringLiteral("no_existe.df")), 91, 0},
  };
  for (const Case& c : cases) {
    dlg.answer = c.file;
    stringMessages.clear();
    Click(Dlg::kIdContinue);
    EXPECT_EQ(stringMessages, std::vector<int>{c.stringMessage});
    EXPECT_TRUE(dlg.isVisible());
  }
  EXPECT_TRUE(messages.shown.empty());
  dlg.answer = dir_.filePath(QStringLiteral("MIO.DF"));  // the extension in capitals
  Click(Dlg::kIdContinue);
  EXPECT_FALSE(dlg.isVisible());
  EXPECT_EQ(dlg.result(), Dlg::kFileChosen);
  EXPECT_EQ(dlg.GetFilePath(), dlg.answer);

  for (const char* other : {"matrimonio_hijos.df", "corto.df"}) {
    TestDlg again;
    again.nif = QStringLiteral("12345678Z");
    again.show();
    again.answer = QString::fromLatin1(other) == QLatin1String("corto.df")
                       ? dir_.filePath(QStringLiteral("corto.df"))
                       : QStringLiteral(QX_SOURCE_DIR "/resources/examples/") + QLatin1String(other);
    QTest::mouseClick(again.GetDlgItem(Dlg::kIdFile), Qt::LeftButton);
    QTest::mouseClick(again.GetDlgItem(Dlg::kIdContinue), Qt::LeftButton);
    EXPECT_EQ(again.result(), Dlg::kOtherNif) << other;
  }
  EXPECT_EQ(messages.Codes(), (std::vector<QString>{QStringLiteral("WIN048"), QStringLiteral("WIN048")}));
}
