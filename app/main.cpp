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
#include "app/program_assembly.h"

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
  app::CProgramAssembly assembly(theApp);

  // --screenshot: the screen once the declarations index is up (it runs inside the start-up),
  // then the program ends.
  bool screenshotTaken = false;
  if (!cl.screenshot.isEmpty()) {
    QObject::connect(&theApp, &app::CRentaApp::databasesOpened, &qapp, [&] {
      QTimer::singleShot(700, &qapp, [&] {
        SaveScreen(cl.screenshot);
        screenshotTaken = true;
        if (cl.introScreenshot.isEmpty()) {
          QCoreApplication::exit(0);
          return;
        }
        auto* intro = new app::CIntroDlg(theApp.MainFrame(), QString::fromStdString(theApp.Profile().values.dirBase),
                                         theApp.InterfaceLanguage(), theApp.Accessibility());
        intro->setAttribute(Qt::WA_DeleteOnClose);
        intro->show();
        QTimer::singleShot(700, &qapp, [&, intro] {
          SaveScreen(cl.introScreenshot);
          intro->close();
          QCoreApplication::exit(0);
        });
      });
    });
  }

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

  // The screenshots were taken while the index was up: nothing more to run.
  if (screenshotTaken) return theApp.ExitInstance(0);
  const int code = qapp.exec();
  return theApp.ExitInstance(code);
}
