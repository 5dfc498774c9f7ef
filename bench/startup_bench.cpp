// A start of the program on empty folders up to the declarations index: profile, first creation
// of the declarations database, the shipped databases, the main frame; and the bare Qt main
// window it is measured against, in the same run.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QProcess>
#include <QProcessEnvironment>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "app/application.h"
#include "app/seams.h"
#include "bench_app.h"

namespace {

struct CancellingIndex : app::IDeclarationsIndex {
  app::IndexChoice Run(QWidget*, bool) override { return {app::IndexChoice::Cancel, false, {}, false}; }
};

void BM_StartToTheIndex(benchmark::State& state) {
  qxbench::App();
  qxbench::AcceptingMessages accepting;
  ui::ScopedMessageService messages(accepting);
  CancellingIndex index;
  std::random_device r;
  const std::filesystem::path base =
      std::filesystem::temp_directory_path() / ("qx_bench_start_" + std::to_string(r()) + std::to_string(r()));
  int serial = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::filesystem::path run = base / std::to_string(++serial);
    std::filesystem::create_directories(run / "config");
    std::filesystem::create_directories(run / "data");
    app::AppOptions o;
    o.instanceName = QStringLiteral("qx-bench-%1-%2").arg(QCoreApplication::applicationPid()).arg(serial);
    o.profilePath = (run / "config" / "QUILDXAN.INI").string();
    o.folders.userData = (run / "data").string() + "/";
    o.folders.shipped = QX_BINARY_DIR "/resources/";
    o.runIntroduction = [](app::CIntroDlg&) { return true; };
    auto a = std::make_unique<app::CRentaApp>(std::move(o));
    a->SetDeclarationsIndex(&index);
    state.ResumeTiming();
    const bool running = a->InitInstance() == app::CRentaApp::Start::Running;
    state.PauseTiming();
    a->ExitInstance(0);
    a.reset();
    state.ResumeTiming();
    if (!running) {
      state.SkipWithError("the program did not start");
      break;
    }
  }
  std::error_code ec;
  std::filesystem::remove_all(base, ec);
}
BENCHMARK(BM_StartToTheIndex)->Unit(benchmark::kMillisecond);

// The yardstick of the start-up: a bare main window with an MDI area, shown, as the program's
// frame is before the index opens.
void BM_StartBareMainWindow(benchmark::State& state) {
  qxbench::App();
  for (auto _ : state) {
    auto window = std::make_unique<QMainWindow>();
    window->setCentralWidget(new QMdiArea);
    window->setWindowTitle(QStringLiteral("bench"));
    window->showMaximized();
    state.PauseTiming();
    window.reset();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartBareMainWindow)->Unit(benchmark::kMillisecond);

#if defined(QX_PROGRAM) && defined(QX_BARE_WINDOW)
// Whole processes, as the user waits for them: the program started unattended up to the
// declarations index (QX_STARTUP_TIME ends it once the index has been painted) on folders of
// an earlier start, and the bare window, which ends once it has been painted. Their ratio is the
// start-up's cost over Qt's own.
void RunProcess(benchmark::State& state, const char* program, bool unattended) {
  std::random_device r;
  const std::filesystem::path base =
      std::filesystem::temp_directory_path() / ("qx_bench_process_" + std::to_string(r()) + std::to_string(r()));
  std::filesystem::create_directories(base / "config");
  std::filesystem::create_directories(base / "data");
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  if (unattended) {
    env.insert(QStringLiteral("QX_STARTUP_TIME"), QStringLiteral("1"));
    env.insert(QStringLiteral("QX_CONFIG_DIR"), QString::fromStdString((base / "config").string()));
    env.insert(QStringLiteral("QX_DATA_DIR"), QString::fromStdString((base / "data").string()));
  }
  const auto start = [&] {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    p.start(QString::fromLatin1(program), {});
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
  };
  // The first start makes the profile and the declarations database; the user's later ones
  // find them.
  if (!start()) state.SkipWithError("the program did not start");
  for (auto _ : state)
    if (!start()) {
      state.SkipWithError("the program did not start");
      break;
    }
  std::error_code ec;
  std::filesystem::remove_all(base, ec);
}

void BM_ProcessStartToTheIndex(benchmark::State& state) { RunProcess(state, QX_PROGRAM, true); }
BENCHMARK(BM_ProcessStartToTheIndex)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ProcessBareMainWindow(benchmark::State& state) { RunProcess(state, QX_BARE_WINDOW, false); }
BENCHMARK(BM_ProcessBareMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

}  // namespace
