#pragma once
// Planetary hour of a moment and the rulers of the Ascendant and the
// Midheaven.
//
// The planetary day runs from sunrise to sunrise. Its daylight (sunrise to
// sunset) and its night (sunset to the next sunrise) are each divided into
// twelve equal hours; hours 1..12 are day hours, 13..24 night hours. The
// first hour of a day belongs to the planet of the weekday and the others
// follow in the Chaldean order (Saturn, Jupiter, Mars, Sun, Venus, Mercury,
// Moon), backwards.
//
// Sunrise and sunset are the moments the geometric centre of the Sun
// crosses the horizon of the place (true altitude 0: no refraction, no
// semi-diameter), found by the Sun of the chart's theory and the apparent
// sidereal time and true obliquity of the houses: each from the Sun's
// transit and its semi-arc, refined by the hour angle in two or three
// steps. Where the Sun does not rise or set within a day and a half of the
// moment (polar day or night) the hour is unknown.
//
// Planet codes 1..7: 1 Sun, 2 Moon, 3 Mercury, 4 Venus, 5 Mars, 6 Jupiter,
// 7 Saturn. Weekdays 0 Sunday .. 6 Saturday.
#include <array>
#include <optional>
#include <string>
#include <vector>

struct PlanetaryHourResult {
    int Number = 0;   // 1..24 from sunrise; 0 unknown
    int Weekday = -1; // of the planetary day, 0..6; -1 unknown
    int Ruler = 0;    // planet code 1..7 of the hour; 0 when the hour is unknown
    int AscSign = 0, McSign = 0;   // 1..12; 0 when the angle is not computed
    int AscRuler = 0, McRuler = 0; // planet code 1..7; 0 when the angle is not computed
    bool Known() const { return Number >= 1 && Number <= 24; }
    bool DayHour() const { return Number >= 1 && Number <= 12; }
    // 1..12 within the day or the night; 0 unknown.
    int DisplayNumber() const { return Known() ? (DayHour() ? Number : Number - 12) : 0; }
};

// Weekday of a Julian day: Trunc(frac((jd + 1.5) / 7) * 7), 0 Sunday.
int WeekdayOf(long double jd);
// The planetary day of a birth at jdBirth (universal time) in a zone whose
// clock + zoneHours = universal time, given the sunrise jdRise of the
// birth's civil day (universal time): the weekday of the sunrise's local
// date, or of the day before when the birth comes before it.
int PlanetaryWeekday(long double jdBirth, long double zoneHours, long double jdRise);
// Hour 1..24 whose boundaries lines[i], lines[i+1] (ecliptic longitudes,
// degrees, i = 1..25, decreasing through the day as the sky turns) enclose
// the Sun: the first i with norm360(b[i] - b[i+1]) >= norm360(b[i] - sun);
// 0 when none does.
int HourNumber(const std::array<long double, 26>& lines, long double sunLongitude);
// Planet code 1..7 of hour 1..24 of a weekday; 0 for hour 0 (unknown).
int HourRuler(int hour, int weekday);
// Traditional ruler 1..7 of sign 1..12 (Aries Mars .. Pisces Jupiter).
int SignRuler(int sign);

struct SunDay {
    long double Rise = 0;     // Julian day, universal time: the sunrise that begins the planetary day
    long double Set = 0;      // the following sunset
    long double NextRise = 0; // the following sunrise
    std::optional<long double> RiseOfCivilDay; // the sunrise on the birth's civil day, if any
};
// The sunrises and sunset around jdBirth for a place (latitude north
// positive, longitude east positive, degrees); nothing at polar day or
// night.
std::optional<SunDay> FindSunDay(long double latitudeDeg, long double longitudeDeg, long double zoneHours,
                                 long double jdBirth);
// True altitude of the Sun's centre (no refraction), degrees.
long double SunAltitude(long double latitudeDeg, long double longitudeDeg, long double jd);
// The 25 hour lines (index 1..25) of the day for the Sun at sunLongitude at
// jdBirth: where the Sun stands, turned with the sky, at the start of each
// hour (each hour spans its share of the 360 degrees of the planetary day).
std::array<long double, 26> HourLines(const SunDay& day, long double jdBirth, long double sunLongitude);

// The whole result for a moment and a place; ascLongitude and mcLongitude
// in degrees (NaN leaves the rulers at 0).
PlanetaryHourResult ComputePlanetaryHour(long double latitudeDeg, long double longitudeDeg, long double zoneHours,
                                         long double jdBirth, long double sunLongitude, long double ascLongitude,
                                         long double mcLongitude);

// The text block of the printable summaries and the chart window: weekday,
// "Ora Planetaria: 3 Diurna", "Governata dal Sole", "Ascendente Acq",
// "Governato di Saturno", "Mediocielo Sco", "Governato di Marte"; an
// unknown hour reads "Ora Planetaria: sconosciuta" with no ruler line.
std::vector<std::string> PlanetaryHourText(const PlanetaryHourResult& r);
