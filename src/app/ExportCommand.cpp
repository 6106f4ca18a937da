#include "app/ExportCommand.h"

#include "app/ToolCommands.h"
#include "archive/CurrentSubject.h"
#include "astro/Chart.h"
#include "chart/AnalysisPages.h"
#include "chart/TestSheet.h"
#include "chart/UnCanvaVlk.h"
#include "platform/Cp1252.h"
#include "platform/Cp1252Q.h"
#include "platform/Emf.h"
#include "platform/Errors.h"
#include "platform/QtCanvas.h"
#include "shell/OrbSettings.h"
#include "shell/SharedState.h"

#include <QGuiApplication>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>

const char* const kExportUsage =
    "export --page test|wheel|coordi0..2|stoffa0..3|archetip|aspetti1..3|energi0..2|antisce0..3\n"
    "              |dodecate|marbeck|maestri0|maestri1\n"
    "       --format emf|svg|pdf|png --out FILE\n"
    "                                    disegna la pagina indicata nel file, nel formato scelto\n"
    "                                    (le pagine del tema: il soggetto corrente)";

namespace {

// Device units per page unit of every exported file: 10 per millimetre, so
// a landscape page (kPageWidth x kLandscapePageHeight, 279 x 202) is
// 2790 x 2020 units at 254 dots per inch.
constexpr int kUnitsPerPageUnit = 10;
constexpr int kDotsPerInch = 254;

// The page being exported stands for the chart window: symbols are drawn
// only while a chart window is visible.
class ExportForm : public DrawingForm {
public:
    explicit ExportForm(Canvas& canvas) : canvas_(canvas) {}
    Canvas& FormCanvas() override { return canvas_; }
    bool FormVisible() const override { return true; }

private:
    Canvas& canvas_;
};

// The chart of the current subject, computed once for the page drawn.
PlanetaryHourResult& ChartHour()
{
    static PlanetaryHourResult hour;
    return hour;
}

void ComputeSubjectChart()
{
    ClearSharedState();
    ReadOrbSettings();
    LoadCurrentSubjectData();
    ChartHour() = ComputeCurrentSubjectChart().Hour;
}

const std::map<std::string, std::function<void()>>& Pages()
{
    static const std::map<std::string, std::function<void()>> pages = [] {
        std::map<std::string, std::function<void()>> m = {{"test", DrawTestSheet}};
        for (const AnalysisPages::NamedPage& p : AnalysisPages::NamedPages()) {
            const std::string name = p.name;
            m[name] = [name] {
                AnalysisPages::PageContext context {ChartHour(), nullptr};
                AnalysisPages::DrawNamedPage(name, context);
            };
        }
        return m;
    }();
    return pages;
}

void DrawPage(Canvas& canvas, const std::function<void()>& page)
{
    ExportForm form(canvas);
    // Paper output at the export's scale; the drawing state before it comes
    // back at the end, whatever happens.
    const DrawingScope saved;
    Drawing = DrawingState {};
    PageScale = kUnitsPerPageUnit;
    FontScale = static_cast<float>(kUnitsPerPageUnit * 3.7L);
    ToMetafile = true;
    ChartForm = &form;
    MetafileCanvas = &canvas;
    page();
}

// Fonts and the painter backends need a GUI application; the tool has no
// screen, so it runs on the offscreen platform unless told otherwise.
std::unique_ptr<QGuiApplication> EnsureGuiApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "quillon-tool";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int RunExportCommand(const std::vector<std::string>& args)
{
    std::string page, format, out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string* target = a == "--page" ? &page : a == "--format" ? &format : a == "--out" ? &out : nullptr;
        if (!target)
            return ToolUsage("opzione sconosciuta: " + Cp1252::FromUtf8(a));
        if (i + 1 >= args.size())
            return ToolUsage("manca il valore di " + a);
        *target = args[++i];
    }
    if (page.empty() || format.empty() || out.empty())
        return ToolUsage("export vuole --page, --format e --out");
    const auto it = Pages().find(page);
    if (it == Pages().end())
        return ToolUsage("pagina sconosciuta: " + Cp1252::FromUtf8(page));
    if (format != "emf" && format != "svg" && format != "pdf" && format != "png")
        return ToolUsage("formato sconosciuto: " + Cp1252::FromUtf8(format) + " (emf, svg, pdf o png)");

    // The file name is the user's, relative to the current folder, not to
    // the program folder.
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::absolute(std::filesystem::path(out), ec);
    if (ec)
        return ToolFailure("nome di file non valido: " + Cp1252::FromUtf8(out));
    const std::string outName = Cp1252::FromUtf8(path.string());
    const QString qPath = QString::fromStdString(path.string());
    const int width = kPageWidth * kUnitsPerPageUnit, height = kLandscapePageHeight * kUnitsPerPageUnit;

    try {
        const auto app = EnsureGuiApplication();
        if (page != "test")
            ComputeSubjectChart();
        bool written = true;
        if (format == "emf") {
            EmfCanvas canvas({width, height}, kDotsPerInch);
            DrawPage(canvas, it->second);
            canvas.Save(outName);
        } else if (format == "svg") {
            SvgCanvas canvas(qPath, width, height);
            DrawPage(canvas, it->second);
            written = canvas.Finish();
        } else if (format == "pdf") {
            PdfCanvas canvas(qPath, width, height, kDotsPerInch);
            DrawPage(canvas, it->second);
            written = canvas.Finish();
        } else {
            ImageCanvas canvas(width, height);
            DrawPage(canvas, it->second);
            written = canvas.SavePng(qPath);
        }
        if (!written)
            return ToolFailure("impossibile scrivere il file " + outName);
    } catch (const std::runtime_error& e) {
        return ToolFailure(ErrorMessageFor(e));
    }
    return 0;
}
