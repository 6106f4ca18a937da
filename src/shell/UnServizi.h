#pragma once
// Common helpers: texts, dates and Julian days, angles, longitude and
// coordinate texts. All texts are Windows-1252; "text[n]" arguments are cut
// to n characters. Arithmetic on dates and angles is long double.
#include <string>
#include <string_view>
#include <vector>

// ---- Texts -------------------------------------------------------------
std::string Bounded(std::string s, std::size_t n);      // text[n]: cut to n characters
void UpperCaseInPlace(std::string& s);                    // ASCII rule
std::string RepeatChar(int n, char c);                    // n copies of c ("" for n <= 0)
std::string TrimRightBlanks(std::string_view s);          // text[80], trailing blanks removed
std::string TrimBlanks(std::string_view s);               // text[80], both ends
// Up to 10 times: drops the last character when it is not a letter, a digit,
// ")", "." or one of à é è ù ò ì.
std::string StripTrailingJunk(std::string_view s);
std::string ZeroPad(long long n, int width);              // at most 5 characters of padding width
std::string PointToComma(std::string_view s);             // text[80]
std::string CommaToPoint(std::string_view s);
// First "*" -> "(", later "*" -> ")", a blank after a blank dropped.
std::string PlaceDisplay(std::string_view s);             // text[80]
// Digits of |x| in plain decimal notation (point placed from the exponent of
// the default float text, leading zeros for negative exponents), cut to n
// characters; never a sign. FixedDigits(7, 2461383.5) = "2461383".
std::string FixedDigits(int n, long double x);
void ReplaceChar(std::string& s, char from, char to);

// ---- Dates and Julian days ----------------------------------------------
// calendar 1 Gregorian, 0 Julian; sets CurrentSubject.InEphemerisRange.
long double JulianDay(int calendar, long double day, long double month, long double year, long double hour,
                      long double minute);
std::string JDToText(long double jd);    // "dd/mm/yyyy hh:mm", Gregorian above day 2299160
std::string JDToTextCal(long double jd); // Gregorian exactly when InputCalendar is 1
std::string TodayText();                 // today's local date, "dd/mm/yyyy"
std::string DisplayDateToKey(std::string_view displayDate); // "dd/mm/yyyy hh:mm" -> "yyyymmddhhmm"

struct DateKeyParts {
    std::string displayDate; // "dd/mm/yyyy hh:mm"
    std::string zoneText;    // characters 13-17 of the key
};
// Splits "yyyymmddhhmm" + correction; parses the correction (fixed reader,
// then locale reader; 0 when neither takes it) into CurrentSubject.Zone.
DateKeyParts SplitDateKey(std::string_view key);
// Fills CurrentSubject.Day/Month/Year/Hour/Minute from "dd/mm/yyyy hh:mm".
void SplitDisplayDate(std::string_view displayDate);
// "+" or "-" by the sign of -Zone, then FixedDigits(4, -Zone).
std::string ZoneDisplay();
// Modification time as "dd/mm/yyyy hh:mm", or "Non Valida" when missing.
std::string FileDateText(std::string_view name);
// Waits that long while keeping the windows responsive.
void Delay(int seconds, int milliseconds);

// ---- Angles (degrees) ---------------------------------------------------
inline constexpr long double kPi = 3.1415926535897932385L;
long double Norm360(long double x);
long double Mod30(long double x);
long double SinDeg(long double x);
long double CosDeg(long double x);
long double TanDeg(long double x);
long double ArcSinRad(long double x);
long double ArcCosRad(long double x);
long double RadToDeg(long double x);
int SignNumber(long double x); // Trunc(x/30) + 1
// SignNumber of table[first .. first+n-1].
std::vector<int> SignNumbers(int n, const long double* table);
// House 1..12 of each body; cusps[1..12] used (cusps[0] ignored).
std::vector<int> HouseOfBodies(int n, const long double* bodies, const long double* cusps);

// ---- Longitude and coordinate texts --------------------------------------
std::string LongitudeSignText(int mode, long double x); // "12Tor34" (mode 2: "12Tor34:56")
std::string LongitudeDegText(int mode, long double x);  // "12°34'" (mode 2 with seconds)
std::string LongitudeFullText(std::string_view retro, long double x); // "12°34' Toro Retrogrado "
std::string LatitudeText(long double x);                // "05° 12' Nord"
// Fills the coordinate parts of CurrentSubject from "45N28 009E11".
void SplitCoordinates(std::string_view coordText);

// Three-letter and full sign names, index 1..12.
const std::string& SignShortName(int sign);
const std::string& SignFullName(int sign);

// ---- Wheel radii ------------------------------------------------------------
void SetWheelRadii(); // 173, 105, 67, 57, 57, 44, 44, 38

// Outside [2396758.5, 2481129.5] clears InEphemerisRange and zeroes the first
// five entries of the position table.
void ClearOutOfRange(long double jd);

// ---- Metafile capture -------------------------------------------------------
// With the capture flag ToMetafile set, BeginCapture opens an enhanced
// metafile of ScreenWidthPixels wide and ScreenHeightPixels high (twice that
// high for a portrait printer, when a printer is available) and points
// MetafileCanvas at its canvas; a capture still open is discarded first.
// Without the flag it does nothing.
void BeginCapture();
// With the flag set, closes the capture and saves the picture atomically as
// "Emf\" + name in the program folder (throws IoError; the capture is closed
// either way). Without the flag, a capture left open is discarded unsaved.
// MetafileCanvas is nullptr afterwards; with no capture open it does nothing.
void EndCapture(std::string_view name);
