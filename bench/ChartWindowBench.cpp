// The chart window for the sample subject of the built program folder (a
// copy in a temporary folder), offscreen: opened and drawn (from show()
// until its first wheel is drawn, the one-shot 10 ms draw timer included)
// and the wheel redrawn (the drawing timer's work and the paint of the
// window). Wall-clock times; nothing is asserted.
// Run from the build tree: ./chart_window_bench
#include "archive/CurrentSubject.h"
#include "chart/UgrVelko.h"
#include "platform/ProgramPath.h"
#include "shell/OrbSettings.h"
#include "main/Startup.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

// A program folder of its own for the whole run.
class ProgramFolderCopy {
public:
    ProgramFolderCopy()
    {
        std::string templ = (fs::temp_directory_path() / "quillon-bench-XXXXXX").string();
        if (!mkdtemp(templ.data()))
            std::abort();
        path_ = templ;
        fs::copy(QUILLON_PROGRAM_TEMPLATE, path_, fs::copy_options::recursive);
        ProgramPath::SetRoot(path_);
    }
    ~ProgramFolderCopy()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }

private:
    fs::path path_;
};

void OpenUntilDrawn(TFgrVelko& form)
{
    form.show();
    while (!form.Centres().drawn)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

void ChartWindowOpenAndDraw(benchmark::State& state)
{
    TFgrVelko form;
    form.resize(1280, 800);
    for (auto _ : state) {
        OpenUntilDrawn(form);
        state.PauseTiming();
        form.hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(ChartWindowOpenAndDraw)->Unit(benchmark::kMillisecond)->UseRealTime();

void WheelRedraw(benchmark::State& state)
{
    TFgrVelko form;
    form.resize(1280, 800);
    OpenUntilDrawn(form);
    for (auto _ : state) {
        form.Timer1Timer();
        form.repaint();
    }
    form.hide();
}
BENCHMARK(WheelRedraw)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const ProgramFolderCopy folder;
    ApplyStartupDefaults({1280, 800, false, 0});
    ReadOrbSettings();
    LoadCurrentSubjectData();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
