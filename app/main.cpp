// QUILDEXAN: preparation of the income-tax (form 100) and wealth-tax (form 714) returns.
#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>

#include <cstdio>

#include "app/application.h"
#include "app/command_line.h"
#include "app/intro_dialog.h"
#include "app/main_frame.h"

namespace {

void SaveScreen(const QString& path) {
  if (QScreen* s = QGuiApplication::primaryScreen()) s->grabWindow(0).save(path);
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  const app::CommandLine cl = app::ParseCommandLine(args);
  if (!cl.error.isEmpty()) {
    std::fprintf(stderr, "%s\n%s", qPrintable(cl.error), qPrintable(app::UsageText()));
    return 2;
  }
  if (cl.help) {
    std::fputs(qPrintable(app::UsageText()), stdout);
    return 0;
  }
  if (cl.version) {
    std::fputs(qPrintable(app::VersionText()), stdout);
    return 0;
  }

  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("QUILDEXAN"));
  QApplication::setQuitOnLastWindowClosed(true);

  app::AppOptions options = app::AppOptions::FromEnvironment();
  options.embedding = cl.embedding;
  if (!cl.introScreenshot.isEmpty()) {
    // The start-up introduction is captured and left with Continue.
    const QString shot = QString(cl.introScreenshot).replace(QStringLiteral(".png"), QStringLiteral("-startup.png"));
    options.runIntroduction = [shot](app::CIntroDlg& dlg) {
      QTimer::singleShot(700, &dlg, [&dlg, shot] {
        SaveScreen(shot);
        dlg.accept();
      });
      return dlg.exec() == QDialog::Accepted;
    };
  }
  app::CRentaApp theApp(options);
  const app::CRentaApp::Start start = theApp.InitInstance();
  if (start == app::CRentaApp::Start::HandedOver) return 0;
  if (start == app::CRentaApp::Start::Failed) {
    theApp.ExitInstance(1);
    return 1;
  }
  // QX_STARTUP_TIME=1: report the time from the process start to the declarations index, and end.
  if (qEnvironmentVariableIsSet("QX_STARTUP_TIME")) {
    std::fprintf(stderr, "start-up to the declarations index: %lld ms\n", static_cast<long long>(clock.elapsed()));
    return theApp.ExitInstance(0);
  }

  if (!cl.screenshot.isEmpty()) {
    QTimer::singleShot(700, &qapp, [&] {
      SaveScreen(cl.screenshot);
      if (cl.introScreenshot.isEmpty()) {
        QApplication::quit();
        return;
      }
      auto* intro = new app::CIntroDlg(theApp.MainFrame(), QString::fromStdString(theApp.Profile().values.dirBase),
                                       theApp.InterfaceLanguage(), theApp.Accessibility());
      intro->setAttribute(Qt::WA_DeleteOnClose);
      intro->show();
      QTimer::singleShot(700, &qapp, [&, intro] {
        SaveScreen(cl.introScreenshot);
        intro->close();
        QApplication::quit();
      });
    });
  }
  const int code = qapp.exec();
  return theApp.ExitInstance(code);
}
