#pragma once
// The computations behind the birth-data input: from a typed local date and
// time and a place (or typed coordinates), the calendar, the correction in
// force and the Julian day in universal time, and the texts of the result
// panel.
#include "archive/Places.h"
#include "archive/TimeRegimes.h"

#include <optional>
#include <string>
#include <vector>

struct LocalBirth {
    int day = 0, month = 0, year = 0, hour = 0, minute = 0; // local clock
};

struct BirthResult {
    int calendar = 1;            // 1 Gregorian, 0 Julian
    double correction = 0;       // hours the local clock is ahead of universal time
    std::string code;            // regime code in force ("LMT" for local mean time)
    bool regimesEnd = false;     // the birth is after the last regime known
    long double localJD = 0;     // Julian day of the local clock reading
    long double universalJD = 0; // localJD - correction / 24
    std::vector<std::string> regimeLines; // the regime list of the place
    int regimeIndex = -1;        // the line of regimeLines in force, -1 when none
    bool specialZone = false;    // the place names the special zone 00920000.CAL
};

// The calendar of a date at a place: Julian before its country's first
// Gregorian day (the date read in the Julian calendar), else Gregorian.
int CalendarAt(const LocalBirth& b, const PlaceRecord& place);

// The result for a place of a gazetteer: regimes loaded, correction walked
// (local mean time of the place's longitude when useLocalTime), the special
// zone's rule (-5 hours after 1 January 1952). Throws IoError when the
// place's regime file is missing.
BirthResult ComputeBirth(const LocalBirth& b, const PlaceRecord& place, bool useLocalTime);
// The same on the place's regimes already loaded; `calendar` (1 Gregorian,
// 0 Julian), when given, replaces the place's own calendar for the date.
BirthResult ComputeBirth(const LocalBirth& b, const PlaceRecord& place, const std::vector<RegimeRecord>& regimes,
                         bool useLocalTime, std::optional<int> calendar = std::nullopt);

// The nation of a place, as the subject's nationality: "Italia" for the
// places of the Italian gazetteer in Italy (whose state field holds the
// province), the state field for the other places (San Marino, the Vatican,
// and "country, region" of the foreign gazetteer).
std::string PlaceNation(const PlaceRecord& place, bool italianGazetteer);

// The correction as the result panel shows it: "+" or "-" and four
// characters ("+1.00", "-5.00"), "0" for zero.
std::string CorrectionDisplay(double hours);
// The stored correction text: the opposite sign of the displayed one, its
// characters 2-5, decimal comma ("+1.00" -> "-1,00", "-0.50" -> "+0,50",
// "0" -> "+0"). Nothing for an empty or unreadable text.
std::optional<std::string> StoredCorrection(const std::string& displayed);

// Latitude and longitude of a typed coordinate text ("45N28 009E11").
std::optional<std::pair<long double, long double>> CoordinatesOf(const std::string& coordText);
