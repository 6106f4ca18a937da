#pragma once
// The Earth's rotation and the orientation of its axis: Delta T, nutation
// and the obliquity of the ecliptic.
//
// Delta T = TT - UT, the lag of the Earth's rotation behind the uniform
// time of the theories, from the polynomial expressions of Espenak and
// Meeus: F. Espenak, J. Meeus, "Five Millennium Canon of Solar Eclipses:
// -1999 to +3000", NASA Technical Publication TP-2006-214141 (2006),
// section 2.6 (fitted to the values of Morrison and Stephenson 2004 before
// 1600, to the observed values since; the long-term parabola
// -20 + 32 u^2 outside -500..2150).
//
// Nutation: the IAU 1980 theory of nutation (J. M. Wahr 1981; P. K.
// Seidelmann, "1980 IAU Theory of Nutation: The Final Report of the IAU
// Working Group on Nutation", Celestial Mechanics 27, 79-106 (1982)), all
// 106 terms, with the fundamental arguments of the same theory as J. Meeus
// gives them in degrees (Astronomical Algorithms, 2nd ed., 1998, ch. 22).
// Mean obliquity: the IAU 2006 expression (N. Capitaine, P. T. Wallace,
// J. Chapront, "Expressions for IAU 2000 precession quantities", Astronomy
// & Astrophysics 412, 567 (2003); IERS Conventions 2010, eq. 5.40),
// 84381.406" - 46.836769" T - 0.0001831" T^2 + 0.00200340" T^3 -
// 0.000000576" T^4 - 0.0000000434" T^5.
//
// Time arguments: T in Julian centuries of terrestrial time from J2000.0.
// Angles and sums are long double; sines and cosines are taken in double
// precision after an exact reduction in degrees (DegreeTrig.h).

namespace earth {

// Delta T, seconds, at the Julian day jd (universal time). About 64 s in
// 2000, 3 s in 1900, 14 s in 1800, 1574 s in 1000, 10580 s in the year 0.
long double DeltaTSeconds(long double jdUniversal);
// The Julian day in terrestrial time of a Julian day in universal time.
long double TerrestrialTime(long double jdUniversal);

struct Nutation {
    long double Longitude = 0; // nutation in longitude, delta psi, degrees (about +-0.0048)
    long double Obliquity = 0; // nutation in obliquity, delta epsilon, degrees (about +-0.0026)
};
// IAU 1980 nutation at the Julian day jd (terrestrial time).
Nutation NutationAt(long double jdTerrestrial);

// Mean obliquity of the ecliptic (IAU 2006), degrees, at the Julian day jd
// (terrestrial time).
long double MeanObliquity(long double jdTerrestrial);

// Everything the angles of a chart need at one moment given in universal
// time: the true obliquity (mean plus nutation) and the equation of the
// equinoxes, which turns mean sidereal time into apparent.
struct EquatorOfDate {
    long double MeanObliquity = 0;          // degrees
    long double TrueObliquity = 0;          // degrees
    Nutation Nut;                           // degrees
    long double EquationOfEquinoxes = 0;    // degrees of sidereal time: delta psi cos(true obliquity)
};
EquatorOfDate EquatorAt(long double jdUniversal);

} // namespace earth
