// A start of the program on empty folders up to the declarations index: profile, first creation
// of the declarations database, the shipped databases, the main frame.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

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
  app::SetMessageHook([](QWidget*, const app::ShellMessage&) { return 1; });
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
  app::SetMessageHook(nullptr);
  std::error_code ec;
  std::filesystem::remove_all(base, ec);
}
BENCHMARK(BM_StartToTheIndex)->Unit(benchmark::kMillisecond);

}  // namespace
