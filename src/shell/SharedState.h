#pragma once
// Process-wide state shared by every window and computation. Windows never
// pass arguments to each other: they prepare this state (or a hand-over
// file) and show the next window. Texts are Windows-1252; "text[n]" fields
// are cut to n characters by their writers.
//
// The state comes in groups, each one struct with one global instance: the
// current subject, the print settings, the chart settings, the print and
// screen context, the drawing state, the birth input and the chart tables.
// The names the program uses for the members of the chart settings, the
// print context, the drawing state and the chart tables (BodyLongitude,
// PageScale, ...) are references to them, so that a group can be saved and
// put back whole: SharedStateScope below is the one way to do it.
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

// The chart settings of FileSet\OrbiDomi.Stt.
struct ChartSettingsState {
    std::array<long double, 15> AspectOrb {}; // [1..14] degrees, 0..15, in aspect-table order; [0] unused
    long double ParallelOrb = 0;              // degrees, 0..6
    long double AntisciaOrb = 0;              // degrees, 0..6
    std::string HouseSystemSetting;           // text[25], house-system name ("PLACIDO")
    std::string NodeKind;                     // text[5], "VERO" true node, "MEDIO" mean node
    std::string OrbSetLetter;                 // text[1], "A", "B" or "C"
    std::string BlackMoonMode;                // text[25], "VERA" corrected, else mean apogee
};
extern ChartSettingsState ChartSettings;
inline constinit auto& AspectOrb = ChartSettings.AspectOrb;
inline constinit auto& ParallelOrb = ChartSettings.ParallelOrb;
inline constinit auto& AntisciaOrb = ChartSettings.AntisciaOrb;
inline constinit auto& HouseSystemSetting = ChartSettings.HouseSystemSetting;
inline constinit auto& NodeKind = ChartSettings.NodeKind;
inline constinit auto& OrbSetLetter = ChartSettings.OrbSetLetter;
inline constinit auto& BlackMoonMode = ChartSettings.BlackMoonMode;

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

// The printable-summary layouts the main window chooses (LayoutCode).
enum SummaryLayout : std::uint8_t {
    kLayoutNone = 0,         // no summary (the calibration window)
    kLayoutPortrait1 = 5,    // "Verticale 1"
    kLayoutLandscape1 = 16,  // "Orizzontale 1 "
    kLayoutLandscape2 = 17,  // "Orizzontale 2"
    kLayoutPortrait2 = 18,   // "Verticale 2"
};

// Print and screen context.
struct PrintContextState {
    bool PrinterAvailable = false;
    double PrinterPageWidth = 0;            // printer page width in dots (0 replaced by 1000)
    long double PrinterScale = 0;           // page width / 210 * 0.776
    bool PrinterLandscape = true;           // orientation of the default printer
    long double ScreenAspect = 0;           // screen height / width
    long double ScreenScale = 0;            // screen width / 210 * ScreenAspect (pixels per A4 millimetre)
    float ScreenScale37 = 0;                // 3.7 * ScreenScale, single precision
    long double DrawFactorA = 0.35L;
    long double DrawFactorB = 0.4L;
    long double DrawFactorC = 1.0L;
    long double DrawFactorD = 1.0L;
    std::uint8_t LayoutCode = kLayoutNone;  // printable-summary layout: 0, 5, 16, 17, 18
    std::string PrintOrientation = "L";     // text[1], "L" or "P"
    std::array<int, 8> WheelRadii {};       // ring radii of the wheel, page units
    int ScreenWidthPixels = 0;              // screen size at start-up, pixels
    int ScreenHeightPixels = 0;
};
extern PrintContextState PrintContext;
inline constinit auto& PrinterAvailable = PrintContext.PrinterAvailable;
inline constinit auto& PrinterPageWidth = PrintContext.PrinterPageWidth;
inline constinit auto& PrinterScale = PrintContext.PrinterScale;
inline constinit auto& PrinterLandscape = PrintContext.PrinterLandscape;
inline constinit auto& ScreenAspect = PrintContext.ScreenAspect;
inline constinit auto& ScreenScale = PrintContext.ScreenScale;
inline constinit auto& ScreenScale37 = PrintContext.ScreenScale37;
inline constinit auto& DrawFactorA = PrintContext.DrawFactorA;
inline constinit auto& DrawFactorB = PrintContext.DrawFactorB;
inline constinit auto& DrawFactorC = PrintContext.DrawFactorC;
inline constinit auto& DrawFactorD = PrintContext.DrawFactorD;
inline constinit auto& LayoutCode = PrintContext.LayoutCode;
inline constinit auto& PrintOrientation = PrintContext.PrintOrientation;
inline constinit auto& WheelRadii = PrintContext.WheelRadii;
inline constinit auto& ScreenWidthPixels = PrintContext.ScreenWidthPixels;
inline constinit auto& ScreenHeightPixels = PrintContext.ScreenHeightPixels;

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
struct DrawingState {
    long double PageScale = 1;          // device units per page unit before zoom; ScreenScale at start-up
    long double ZoomFactor = 1;         // 1 at start and on each activation of a chart window
    long double StretchX = 1;           // divisors of the print settings, 1 by default
    long double StretchY = 1;
    int OriginX = 0, OriginY = 0;       // device offset added after scaling, 0 by default
    long double AspectY = 1;            // multiplier of the sine term of polar points, 1
    float FontScale = 3.7f;             // font size base, PageScale * 3.7 at start-up
    long double PenWidthFactor = 1;     // line thickness multiplier, 1
    bool ToPrinter = false;             // output goes to PrinterCanvas (while PrintEnabled)
    bool ToMetafile = false;            // output goes to MetafileCanvas; also the capture flag
    bool PrintEnabled = true;           // printer canvas and on-screen page frame allowed
    bool BlackWhite = false;            // black-and-white output
    DrawingForm* ChartForm = nullptr;   // chart window; nullptr when none is open
    DrawingForm* AuxForm = nullptr;     // second screen target, used while ChartForm is nullptr
    Canvas* PrinterCanvas = nullptr;    // printer page being drawn, nullptr outside a print job
    Canvas* MetafileCanvas = nullptr;   // metafile being captured, nullptr outside a capture
};
extern DrawingState Drawing;
inline constinit auto& PageScale = Drawing.PageScale;
inline constinit auto& ZoomFactor = Drawing.ZoomFactor;
inline constinit auto& StretchX = Drawing.StretchX;
inline constinit auto& StretchY = Drawing.StretchY;
inline constinit auto& OriginX = Drawing.OriginX;
inline constinit auto& OriginY = Drawing.OriginY;
inline constinit auto& AspectY = Drawing.AspectY;
inline constinit auto& FontScale = Drawing.FontScale;
inline constinit auto& PenWidthFactor = Drawing.PenWidthFactor;
inline constinit auto& ToPrinter = Drawing.ToPrinter;
inline constinit auto& ToMetafile = Drawing.ToMetafile;
inline constinit auto& PrintEnabled = Drawing.PrintEnabled;
inline constinit auto& BlackWhite = Drawing.BlackWhite;
inline constinit auto& ChartForm = Drawing.ChartForm;
inline constinit auto& AuxForm = Drawing.AuxForm;
inline constinit auto& PrinterCanvas = Drawing.PrinterCanvas;
inline constinit auto& MetafileCanvas = Drawing.MetafileCanvas;

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

// What the last house computation (ComputeHouses) used and found.
struct LastHousesState {
    bool Computed = false;         // false until the first computation
    std::string Setting;           // HouseSystemSetting it was computed for
    bool PorphyryFallback = false; // Placidus cusps replaced by Porphyry's (beyond the polar circle)
};

// Chart tables, indexed by the body number of the computation (1..24) and
// the house number (1..12, 13 repeats cusp 1), with what the computation
// of the tables leaves for the next one. NaN once cleared, until computed.
struct ChartTablesState {
    std::array<long double, 25> BodyLongitude {};      // degrees 0..360, negative = retrograde
    std::array<long double, 25> BodyLatitude {};       // degrees -90..90
    std::array<long double, 25> BodyRightAscension {}; // degrees 0..360 (13 Ascendant, 14 Descendant)
    std::array<long double, 25> BodyDeclination {};    // degrees -90..90
    long double EquationOfTime = 0;                    // hours, -0.3..0.3, set with the Sun
    std::array<long double, 14> HouseCusps {};         // degrees 0..360
    // Local sidereal time of the last house computation of type 1 or 2,
    // hours 0..24; NaN until the first one.
    long double LocalSiderealTime = kNotComputed;
    LastHousesState LastHouses;
    // Copy of the planet table taken for the print preview (entries 1..24).
    std::array<long double, 25> PrintBodyLongitude {};
};
extern ChartTablesState ChartTables;
inline constinit auto& BodyLongitude = ChartTables.BodyLongitude;
inline constinit auto& BodyLatitude = ChartTables.BodyLatitude;
inline constinit auto& BodyRightAscension = ChartTables.BodyRightAscension;
inline constinit auto& BodyDeclination = ChartTables.BodyDeclination;
inline constinit auto& EquationOfTime = ChartTables.EquationOfTime;
inline constinit auto& HouseCusps = ChartTables.HouseCusps;
inline constinit auto& LocalSiderealTime = ChartTables.LocalSiderealTime;
inline constinit auto& PrintBodyLongitude = ChartTables.PrintBodyLongitude;
// The printable summary's exchange marks: whether the layout the main
// window opened shows them ("Orizzontale 1 ", "Verticale 1", "Verticale 2"),
// and the exchange code of each planet 1..7 of the archetypal structure
// (21 first pair, 22 later pairs, 31.., 41.., 51.. the groups of 3, 4, 5
// planets; 0 none; [0] unused), computed when they are shown.
extern bool SummaryExchangeMarks;
extern std::array<int, 8> PlanetExchangeMarks;

// Start-up step 1: every chart table and string cleared, NodeKind and
// OrbSetLetter empty.
void ClearSharedState();

// The ring radii of the main-window charts: 173, 105, 67, 57, 57, 44, 44, 38.
void SetWheelRadii();

// Outside the ephemeris range [2396758.5, 2481129.5] clears
// CurrentSubject.InEphemerisRange and zeroes the first five entries of the
// position table; inside it does nothing.
void ClearOutOfRange(long double jd);

// Saves one piece of the shared state when it is made and puts it back when
// it goes out of scope, whatever happens in between: a search that
// recomputes the chart in the shared tables, an export drawing at its own
// scale, a test that changes what it needs. Live is the global itself:
//     const ChartTablesScope tables; // the chart tables come back afterwards
template <class State, State& Live>
class SharedStateScope {
public:
    SharedStateScope() : saved_(Live) {}
    ~SharedStateScope() { Live = saved_; }
    SharedStateScope(const SharedStateScope&) = delete;
    SharedStateScope& operator=(const SharedStateScope&) = delete;

    // The state as it was when the scope began.
    const State& Saved() const { return saved_; }

private:
    State saved_;
};

using ChartSettingsScope = SharedStateScope<ChartSettingsState, ChartSettings>;
using PrintContextScope = SharedStateScope<PrintContextState, PrintContext>;
using DrawingScope = SharedStateScope<DrawingState, Drawing>;
using ChartTablesScope = SharedStateScope<ChartTablesState, ChartTables>;
using CurrentSubjectScope = SharedStateScope<SubjectState, CurrentSubject>;
