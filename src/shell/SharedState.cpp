#include "shell/SharedState.h"

#include "core/Calendar.h"

SubjectState CurrentSubject;
bool SubjectLoaded = false;
PrintSettingsState PrintSettings;

std::array<long double, 15> AspectOrb {};
long double ParallelOrb = 0;
long double AntisciaOrb = 0;
std::string HouseSystemSetting;
std::string NodeKind;
std::string OrbSetLetter;
std::string BlackMoonMode;

bool PlantPanelMode = false;
MainWindowPosState MainWindowPos;
long double TodayJD = 0;
std::string UserFirstName;
std::string UserSurname;
std::string UserFullName;

bool PrinterAvailable = false;
double PrinterPageWidth = 0;
long double PrinterScale = 0;
bool PrinterLandscape = true;
long double ScreenAspect = 0;
long double ScreenScale = 0;
float ScreenScale37 = 0;
long double DrawFactorA = 0.35L;
long double DrawFactorB = 0.4L;
long double DrawFactorC = 1.0L;
long double DrawFactorD = 1.0L;
std::uint8_t LayoutCode = 0;
std::string PrintOrientation = "L";
std::array<int, 8> WheelRadii {};
int ScreenWidthPixels = 0;
int ScreenHeightPixels = 0;

long double PageScale = 1;
long double ZoomFactor = 1;
long double StretchX = 1, StretchY = 1;
int OriginX = 0, OriginY = 0;
long double AspectY = 1;
float FontScale = 3.7f;
long double PenWidthFactor = 1;
bool ToPrinter = false;
bool ToMetafile = false;
bool PrintEnabled = true;
bool BlackWhite = false;
DrawingForm* ChartForm = nullptr;
DrawingForm* AuxForm = nullptr;
Canvas* PrinterCanvas = nullptr;
Canvas* MetafileCanvas = nullptr;
std::uint8_t InputCalendar = 1;
BirthInputState BirthInput;

std::array<long double, 25> BodyLongitude {};
std::array<long double, 25> BodyLatitude {};
std::array<long double, 25> BodyRightAscension {};
std::array<long double, 25> BodyDeclination {};
long double EquationOfTime = 0;
std::array<long double, 14> HouseCusps {};
std::array<long double, 25> PrintBodyLongitude {};

void ClearSharedState()
{
    CurrentSubject = SubjectState {};
    SubjectLoaded = false;
    AspectOrb.fill(0);
    ParallelOrb = AntisciaOrb = 0;
    HouseSystemSetting.clear();
    NodeKind.clear();
    OrbSetLetter.clear();
    BlackMoonMode.clear();
    PlantPanelMode = false;
    LayoutCode = 0;
    PrintOrientation = "L";
    WheelRadii.fill(0);
    BodyLongitude.fill(kNotComputed);
    BodyLatitude.fill(kNotComputed);
    BodyRightAscension.fill(kNotComputed);
    BodyDeclination.fill(kNotComputed);
    EquationOfTime = kNotComputed;
    HouseCusps.fill(kNotComputed);
    PrintBodyLongitude.fill(kNotComputed);
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
