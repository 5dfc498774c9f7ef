// QUILDEXAN: preparation of the income-tax (form 100) and wealth-tax (form 714) returns.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <optional>
#include <string>

#include "app/application.h"
#include "app/command_line.h"
#include "app/intro_dialog.h"
#include "app/main_frame.h"
#include "app/program_assembly.h"
#include "ui/messages.h"

namespace {

void SaveScreen(const QString& path) {
  if (QScreen* s = QGuiApplication::primaryScreen()) s->grabWindow(0).save(path);
}

struct UnattendedMessages : IMessageService {
  int ShowMessage(std::string_view code, MessageIcon, std::string_view extra) override {
    std::fprintf(stderr, "%.*s %.*s\n", static_cast<int>(code.size()), code.data(), static_cast<int>(extra.size()),
                 extra.data());
    return 1;
  }
  void Notice(std::string_view text) override { std::fprintf(stderr, " %.*s\n", static_cast<int>(text.size()), text.data()); }
  int ShowPlain(const PlainMessage& m) override {
    Notice(m.text);
    return kPlainOk;
  }
};

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
  // Unattended runs end once start-up has reached the declarations index: QX_STARTUP_TIME=1
  // reports the time it took; --screenshot saves the screen then (and, with --screenshot-intro,
  // once more with the introduction over it). Nobody answers a message in such a run: it is
  // written to the error output instead.
  const bool timing = qEnvironmentVariableIsSet("QX_STARTUP_TIME");
  app::CRentaApp* started = nullptr;
  if (timing) {
    options.atIndex = [&clock] {
      std::fprintf(stderr, "start-up to the declarations index: %lld ms\n", static_cast<long long>(clock.elapsed()));
    };
  } else if (!cl.screenshot.isEmpty()) {
    options.atIndexDelayMs = 700;
    options.atIndex = [&cl, &started] {
      SaveScreen(cl.screenshot);
      if (cl.introScreenshot.isEmpty() || !started) return;
      app::CIntroDlg intro(started->MainFrame(), QString::fromStdString(started->Profile().values.dirBase),
                           started->InterfaceLanguage(), started->Accessibility());
      intro.show();
      QEventLoop shown;
      QTimer::singleShot(700, &shown, &QEventLoop::quit);
      shown.exec();
      SaveScreen(cl.introScreenshot);
    };
  }
  // An unattended run has no one to answer a message: it is written to standard error.
  UnattendedMessages unattended;
  std::optional<ui::ScopedMessageService> toStderr;
  if (options.atIndex) toStderr.emplace(unattended);
  app::CRentaApp theApp(options);
  started = &theApp;
  app::CProgramAssembly assembly(theApp);

  const app::CRentaApp::Start start = theApp.InitInstance();
  if (start == app::CRentaApp::Start::HandedOver) return 0;
  if (start == app::CRentaApp::Start::Failed) {
    theApp.ExitInstance(1);
    return 1;
  }
  // An unattended run has done its work inside the start-up.
  if (options.atIndex) return theApp.ExitInstance(0);
  const int code = qapp.exec();
  return theApp.ExitInstance(code);
}
