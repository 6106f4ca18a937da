#pragma once
// Texts of longitudes, latitudes and signs, Windows-1252. A longitude is
// degrees; a negative (retrograde) one is shown by its absolute value.
#include <string>
#include <string_view>

std::string LongitudeSignText(int mode, long double x); // "12Tor34" (mode 2: "12Tor34:56")
std::string LongitudeDegText(int mode, long double x);  // "12°34'" (mode 2 with seconds)
std::string LongitudeFullText(std::string_view retro, long double x); // "12°34' Toro Retrogrado "
std::string LatitudeText(long double x);                // "05° 12' Nord"

// Three-letter and full sign names, index 1..12 ("" outside).
const std::string& SignShortName(int sign);
const std::string& SignFullName(int sign);
