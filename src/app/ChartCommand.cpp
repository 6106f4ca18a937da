#include "app/ChartCommand.h"

#include "app/ToolCommands.h"
#include "archive/CurrentSubject.h"
#include "astro/Chart.h"
#include "astro/Houses.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/FloatText.h"
#include "shell/OrbSettings.h"
#include "shell/SharedState.h"

#include <cmath>
#include <cstdio>
#include <optional>

const char* const kChartUsage =
    "chart [--jd GG --lat GRADI --lon GRADI] [--houses NOME] [--node VERO|MEDIO] [--black-moon VERA|MEDIA]\n"
    "                                    carta del soggetto corrente (o del momento e del luogo\n"
    "                                    indicati: latitudine nord e longitudine est positive)";

namespace {

// Plain decimal, 9 decimals; a value never computed prints as "-".
std::string Num(long double x)
{
    if (!std::isfinite(x))
        return "-";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.9Lf", x);
    std::string s = buf;
    if (s == "-0.000000000")
        s = "0.000000000";
    return s;
}

std::optional<long double> Number(const std::string& text)
{
    std::optional<long double> v = ParseFixedReal(text);
    if (!v || !std::isfinite(*v))
        return std::nullopt;
    return v;
}

} // namespace

int RunChartCommand(const std::vector<std::string>& args)
{
    std::optional<std::string> jdText, latText, lonText, houses, node, blackMoon;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto take = [&](std::optional<std::string>& out) {
            if (i + 1 >= args.size())
                return false;
            out = Cp1252::FromUtf8(args[++i]);
            return true;
        };
        bool ok = true;
        if (a == "--jd")
            ok = take(jdText);
        else if (a == "--lat")
            ok = take(latText);
        else if (a == "--lon")
            ok = take(lonText);
        else if (a == "--houses")
            ok = take(houses);
        else if (a == "--node")
            ok = take(node);
        else if (a == "--black-moon")
            ok = take(blackMoon);
        else
            return ToolUsage("opzione sconosciuta: " + Cp1252::FromUtf8(a));
        if (!ok)
            return ToolUsage("manca il valore di " + a);
    }
    const bool anyMoment = jdText || latText || lonText;
    if (anyMoment && !(jdText && latText && lonText))
        return ToolUsage("--jd, --lat e --lon vanno indicati insieme");
    if (houses && !IsKnownHouseSystemName(*houses))
        return ToolUsage("sistema di case sconosciuto: " + *houses);
    if (node && *node != "VERO" && *node != "MEDIO")
        return ToolUsage("--node vuole VERO o MEDIO");
    if (blackMoon && *blackMoon != "VERA" && *blackMoon != "MEDIA")
        return ToolUsage("--black-moon vuole VERA o MEDIA");

    ChartMoment moment;
    if (anyMoment) {
        const auto jd = Number(*jdText), lat = Number(*latText), lon = Number(*lonText);
        if (!jd)
            return ToolUsage("giorno giuliano non valido: " + *jdText);
        if (!lat || std::fabs(*lat) > 90)
            return ToolUsage("latitudine non valida (da -90 a 90): " + *latText);
        if (!lon || std::fabs(*lon) > 180)
            return ToolUsage("longitudine non valida (da -180 a 180): " + *lonText);
        moment.JD = *jd;
        moment.LatitudeDeg = *lat;
        moment.LongitudeDeg = *lon;
        moment.Zone = 0;
    }

    ClearSharedState();
    ReadOrbSettings();
    if (houses)
        HouseSystemSetting = *houses;
    if (node)
        NodeKind = *node;
    if (blackMoon)
        BlackMoonMode = *blackMoon;
    if (!anyMoment)
        LoadCurrentSubjectData();
    const WholeChart chart = anyMoment ? ComputeWholeChart(moment) : ComputeCurrentSubjectChart();
    ToolPrint("jd\t" + Num(chart.JD));
    ToolPrint("lst\t" + Num(chart.SiderealTime));
    ToolPrint("eot\t" + Num(chart.EquationOfTime));
    for (int b = 1; b <= 19; ++b) {
        const long double lon = BodyLongitude[b];
        const bool retro = lon < 0;
        ToolPrint("body\t" + std::to_string(b) + "\t" + Num(std::fabs(lon)) + "\t" + Num(BodyLatitude[b]) + "\t" +
                  Num(BodyRightAscension[b]) + "\t" + Num(BodyDeclination[b]) + "\t" + (retro ? "R" : "-"));
    }
    for (int k = 1; k <= 12; ++k)
        ToolPrint("cusp\t" + std::to_string(k) + "\t" + Num(HouseCusps[k]));
    const PlanetaryHourResult& h = chart.Hour;
    ToolPrint("hour\t" + std::to_string(h.DisplayNumber()) + "\t" + (h.Known() ? (h.DayHour() ? "D" : "N") : "-") +
              "\t" + std::to_string(h.Known() ? h.Ruler : 0));
    return 0;
}
