#pragma once
// Process-wide state shared by every window and computation. Windows never
// pass arguments to each other: they prepare this state (or a hand-over
// file) and show the next window. Texts are Windows-1252; "text[n]" fields
// are cut to n characters by their writers.
#include <array>
#include <cstdint>
#include <limits>
#include <string>

inline constexpr long double kNotComputed = std::numeric_limits<long double>::quiet_NaN();

// The subject whose chart is drawn (record 0 of the TMPR archive).
struct SubjectState {
    std::string Name;         // text[38], ST1 name without the record-number suffix
    std::string DisplayDate;  // text[80], "dd/mm/yyyy hh:mm", local clock time
    std::string ZoneText;     // text[5], correction as stored (decimal comma)
    long double Zone = 0;     // hours; local clock time + Zone = universal time
    std::string ZoneDisplay;  // text[80], the correction with the opposite sign ("+1.00")
    long double Day = 0, Month = 0, Year = 0, Hour = 0, Minute = 0; // parsed from DisplayDate
    std::uint8_t Calendar = 1; // 1 Gregorian, 0 Julian
    long double JD = kNotComputed; // Julian day of the birth moment, universal time
    bool InEphemerisRange = false; // set by every JulianDay call: 2396758.5 <= JD <= 2481129.5
    std::string CoordText;    // text[12], "45N28 009E11"
    std::string LatDeg, LatMin, LonDeg, LonMin; // digits from CoordText
    std::string LatHemi, LonHemi;               // text[1], "N"/"S", "E"/"W"
    std::string Place;        // text[80], display form ("Milano(MI)")
    std::string Nationality;  // text[80]
    std::string Header12;     // text[12], carried to the chart headers
    std::string Header21;     // text[21], carried to the chart headers
    std::string JDCaption;    // text[80], "JD=" + first 12 characters of JD in the default float text
};
extern SubjectState CurrentSubject;
extern bool SubjectLoaded;

// The eight values of FileSet\MMVarLas.stt.
struct PrintSettingsState {
    int SettingA = 1;                    // line 1, carried unchanged
    std::uint8_t EpsonMode = 0;          // line 2, 0 standard, 1 Epson
    std::uint8_t SettingC = 0;           // line 3, carried unchanged
    std::uint8_t SettingD = 1;           // line 4, carried unchanged
    long double LineThicknessFactor = 1; // line 5, > 0 (0 reads as 1.0)
    std::string BackupFolder;            // line 6, drive + "\ZarvekinBck" or "Da definire"
    long double CircleScaleX = 1;        // line 7, > 0 (0 reads as 1.0)
    long double CircleScaleY = 1;        // line 8, > 0 (0 reads as 1.0)
};
extern PrintSettingsState PrintSettings;

// Orb settings of FileSet\OrbiDomi.Stt.
extern std::array<long double, 15> AspectOrb; // [1..14] degrees, 0..15, in aspect-table order; [0] unused
extern long double ParallelOrb;               // degrees, 0..6
extern long double AntisciaOrb;               // degrees, 0..6
extern std::string HouseSystemSetting;        // text[25], house-system name ("PLACIDO")
extern std::string NodeKind;                  // text[5], "VERO" true node, "MEDIO" mean node
extern std::string OrbSetLetter;              // text[1], "A", "B" or "C"
extern std::string BlackMoonMode;             // text[25], "VERA" corrected, else mean apogee

extern bool PlantPanelMode; // set by the second administrator code

// Main window geometry used to place the dialogs, pixels.
struct MainWindowPosState {
    int Top = 0, Left = 0;      // captured before each dialog
    int Width = 0, Height = 0;  // captured at activation
};
extern MainWindowPosState MainWindowPos;

extern long double TodayJD; // Julian day of today at 0h, Gregorian

extern std::string UserFirstName; // text[80]
extern std::string UserSurname;   // text[80]
extern std::string UserFullName;  // text[80]

// Print and drawing context.
extern bool PrinterAvailable;
extern double PrinterPageWidth;        // printer page width in dots (0 replaced by 1000)
extern long double PrinterScale;       // page width / 210 * 0.776
extern bool PrinterLandscape;          // orientation of the default printer
extern long double ScreenAspect;       // screen height / width
extern long double ScreenScale;        // screen width / 210 * ScreenAspect (pixels per A4 millimetre)
extern float ScreenScale37;            // 3.7 * ScreenScale, single precision
extern long double DrawFactorA;        // 0.35
extern long double DrawFactorB;        // 0.4
extern long double DrawFactorC;        // 1.0
extern long double DrawFactorD;        // 1.0
extern std::uint8_t LayoutCode;        // printable-summary layout: 0, 5, 16, 17, 18
extern std::string PrintOrientation;   // text[1], "L" or "P"
extern std::array<int, 8> WheelRadii;  // ring radii of the wheel, page units
extern int ScreenWidthPixels;          // screen size at start-up, pixels
extern int ScreenHeightPixels;

// Drawing state read by every drawing primitive (chart/UnCanvaVlk). Page
// units are A4 millimetres: the page is 279 wide, 202 (landscape) or 405
// (portrait) tall. device = Round(page / Stretch * PageScale * ZoomFactor) + Origin.
// Which canvases a primitive draws on follows from ToPrinter, PrintEnabled,
// ToMetafile, ChartForm and AuxForm (DrawTargets in chart/UnCanvaVlk.h).
class Canvas;
// A window whose canvas receives the on-screen drawing.
class DrawingForm {
public:
    virtual ~DrawingForm() = default;
    virtual Canvas& FormCanvas() = 0;    // the surface drawn on now
    virtual bool FormVisible() const = 0;
};
extern long double PageScale;          // device units per page unit before zoom; ScreenScale at start-up
extern long double ZoomFactor;         // 1 at start and on each activation of a chart window
extern long double StretchX, StretchY; // divisors of the print settings, 1 by default
extern int OriginX, OriginY;           // device offset added after scaling, 0 by default
extern long double AspectY;            // multiplier of the sine term of polar points, 1
extern float FontScale;                // font size base, PageScale * 3.7 at start-up
extern long double PenWidthFactor;     // line thickness multiplier, 1
extern bool ToPrinter;                 // output goes to PrinterCanvas (while PrintEnabled)
extern bool ToMetafile;                // output goes to MetafileCanvas; also the capture flag
extern bool PrintEnabled;              // printer canvas and on-screen page frame allowed
extern bool BlackWhite;                // black-and-white output
extern DrawingForm* ChartForm;         // chart window; nullptr when none is open
extern DrawingForm* AuxForm;           // second screen target, used while ChartForm is nullptr
extern Canvas* PrinterCanvas;          // printer page being drawn, nullptr outside a print job
extern Canvas* MetafileCanvas;         // metafile being captured, nullptr outside a capture

// Birth data collected by the input window for the registration window.
struct BirthInputState {
    std::string Name;        // text[80]
    std::string DisplayDate; // text[80], "dd/mm/yyyy hh:mm", local clock time
    std::string Place;       // text[80], province between "*" ("Torino*TO*")
    std::string CoordText;   // 12 characters, "45N04 007E41"
    std::string ZoneText;    // stored correction: sign + 4 characters, decimal comma ("-1,00");
                             // local clock time + correction = universal time
    std::string Nationality; // text[80]
    std::uint8_t Calendar = 1; // 1 Gregorian, 0 Julian
    long double JD = kNotComputed; // Julian day of the birth, universal time
};
extern BirthInputState BirthInput;

// Calendar flag of the birth-data windows (1 Gregorian, 0 Julian), used by
// JDToTextCal.
extern std::uint8_t InputCalendar;

// Chart tables, indexed by the body number of the computation (1..24) and
// the house number (1..12, 13 repeats cusp 1). NaN until computed.
extern std::array<long double, 25> BodyLongitude; // degrees 0..360, negative = retrograde
extern std::array<long double, 25> BodyLatitude;  // degrees -90..90
extern std::array<long double, 25> BodyRightAscension; // degrees 0..360 (13 Ascendant, 14 Descendant)
extern std::array<long double, 25> BodyDeclination;    // degrees -90..90
extern long double EquationOfTime;                     // hours, -0.3..0.3, set with the Sun
extern std::array<long double, 14> HouseCusps;    // degrees 0..360
// Copy of the planet table taken for the print preview (entries 1..24).
extern std::array<long double, 25> PrintBodyLongitude;

// Start-up step 1: every chart table and string cleared, NodeKind and
// OrbSetLetter empty.
void ClearSharedState();

// The ring radii of the main-window charts: 173, 105, 67, 57, 57, 44, 44, 38.
void SetWheelRadii();

// Outside the ephemeris range [2396758.5, 2481129.5] clears
// CurrentSubject.InEphemerisRange and zeroes the first five entries of the
// position table; inside it does nothing.
void ClearOutOfRange(long double jd);
