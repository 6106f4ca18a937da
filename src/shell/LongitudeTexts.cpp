#include "shell/LongitudeTexts.h"

#include "core/Numbers.h"
#include "shell/Texts.h"

#include <array>
#include <cmath>

using numbers::FracPart;
using numbers::IntPart;
using numbers::ToInt;
using numbers::ToInteger;

namespace {

// Degrees, minutes and rounded seconds of a longitude within its sign. The
// longitude is not reduced: beyond 360 the sign number is 13 and has no
// name.
struct SignParts {
    int sign;
    long long deg, min, sec;
};

SignParts SplitLongitude(long double x)
{
    x = std::fabs(x);
    const long double quotient = IntPart(x / 30);
    // The remainder from the same quotient as the sign, so that the sign and
    // the degrees always agree.
    const long double inSign = x - 30 * quotient;
    SignParts p {};
    p.sign = ToInt(quotient) + 1;
    p.deg = ToInteger(inSign);
    p.min = ToInteger(FracPart(inSign) * 60);
    p.sec = ToInteger(std::nearbyint((x - p.deg - 30.0L * (p.sign - 1) - p.min / 60.0L) * 3600));
    return p;
}

// Minutes rounded for the texts without seconds. Degree 29 never carries
// into the next sign, and a minute of 59 is shown as the next degree.
SignParts RoundToMinutes(SignParts p)
{
    if (p.sec > 30 && p.min < 59)
        ++p.min;
    if (p.min == 59 && p.deg < 29) {
        ++p.deg;
        p.min = 0;
    }
    return p;
}

const std::string kNoName;

const std::array<std::string, 12> kShortNames {"Ari", "Tor", "Gem", "Can", "Leo", "Ver",
                                               "Bil", "Sco", "Sag", "Cap", "Acq", "Pes"};
const std::array<std::string, 12> kFullNames {"Ariete",  "Toro",     "Gemelli",    "Cancro",
                                              "Leone",   "Vergine",  "Bilancia",   "Scorpione",
                                              "Sagittario", "Capricorno", "Acquario", "Pesci"};

} // namespace

std::string LongitudeSignText(int mode, long double x)
{
    SignParts p = SplitLongitude(x);
    if (mode == 2)
        return ZeroPad(p.deg, 2) + SignShortName(p.sign) + ZeroPad(p.min, 2) + ":" + ZeroPad(p.sec, 2);
    p = RoundToMinutes(p);
    return ZeroPad(p.deg, 2) + SignShortName(p.sign) + ZeroPad(p.min, 2);
}

std::string LongitudeDegText(int mode, long double x)
{
    SignParts p = SplitLongitude(x);
    if (mode == 2)
        return ZeroPad(p.deg, 2) + "°" + ZeroPad(p.min, 2) + "'" + ZeroPad(p.sec, 2) + "\"";
    p = RoundToMinutes(p);
    return ZeroPad(p.deg, 2) + "°" + ZeroPad(p.min, 2) + "'";
}

std::string LongitudeFullText(std::string_view retro, long double x)
{
    const SignParts p = RoundToMinutes(SplitLongitude(x));
    std::string text = ZeroPad(p.deg, 2) + "°" + ZeroPad(p.min, 2) + "'" + " " + SignFullName(p.sign);
    if (retro == "r" || retro == "R")
        text += " Retrogrado ";
    return text;
}

std::string LatitudeText(long double x)
{
    const long double a = std::fabs(x);
    return ZeroPad(ToInteger(a), 2) + "° " + ZeroPad(ToInteger(FracPart(a) * 60), 2) + "'" + " " +
           (x >= 0 ? "Nord" : "Sud");
}

const std::string& SignShortName(int sign)
{
    return sign >= 1 && sign <= 12 ? kShortNames[static_cast<std::size_t>(sign - 1)] : kNoName;
}

const std::string& SignFullName(int sign)
{
    return sign >= 1 && sign <= 12 ? kFullNames[static_cast<std::size_t>(sign - 1)] : kNoName;
}
