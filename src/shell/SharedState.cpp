#include "shell/SharedState.h"

#include "core/Calendar.h"

SubjectState CurrentSubject;
bool SubjectLoaded = false;
PrintSettingsState PrintSettings;

ChartSettingsState ChartSettings;

bool PlantPanelMode = false;
MainWindowPosState MainWindowPos;
long double TodayJD = 0;
std::string UserFirstName;
std::string UserSurname;
std::string UserFullName;

PrintContextState PrintContext;
DrawingState Drawing;
std::uint8_t InputCalendar = 1;
BirthInputState BirthInput;

ChartTablesState ChartTables;
bool SummaryExchangeMarks = false;
std::array<int, 8> PlanetExchangeMarks {};

void ClearSharedState()
{
    CurrentSubject = SubjectState {};
    SubjectLoaded = false;
    ChartSettings = ChartSettingsState {};
    PlantPanelMode = false;
    LayoutCode = kLayoutNone;
    PrintOrientation = "L";
    WheelRadii.fill(0);
    BodyLongitude.fill(kNotComputed);
    BodyLatitude.fill(kNotComputed);
    BodyRightAscension.fill(kNotComputed);
    BodyDeclination.fill(kNotComputed);
    EquationOfTime = kNotComputed;
    HouseCusps.fill(kNotComputed);
    PrintBodyLongitude.fill(kNotComputed);
    SummaryExchangeMarks = false;
    PlanetExchangeMarks.fill(0);
}

void SetWheelRadii()
{
    WheelRadii = {173, 105, 67, 57, 57, 44, 44, 38};
}

void ClearOutOfRange(long double jd)
{
    if (InEphemerisRange(jd))
        return;
    CurrentSubject.InEphemerisRange = false;
    for (int i = 1; i <= 5; ++i)
        BodyLongitude[static_cast<std::size_t>(i)] = 0;
}
