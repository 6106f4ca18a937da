#include "astro/ChartScores.h"

#include <cmath>

const std::array<const char*, kScoreSections> kScoreSectionTitles = {
    "AFFINITA' CON SEGNO ASCEND ", "VALORE PIANETI NEI SEGNI", "MAGGIORAZ PIAN TRADIZION ",
    "VALORE PIANETI NELLE CASE",   "AFFINITA' PIANETA CON CASA", "AFFIN SESSO PIANETA/SEGNO",
    "VALORE PER VELOC PIANETA",
};

namespace {

// ---- The tables -------------------------------------------------------
// Index 0 unused; bodies 1..10 Sun, Moon, Mercury, Venus, Mars, Jupiter,
// Saturn, Uranus, Neptune, Pluto; signs 1 Aries .. 12 Pisces.

// Domiciles: the Thema Mundi scheme (Sun Leo, Moon Cancer, then Mercury,
// Venus, Mars, Jupiter, Saturn on either side); the outer planets with the
// modern rulerships Uranus Aquarius, Neptune Pisces, Pluto Scorpio.
constexpr int kDomicile[11][2] = {{0, 0}, {5, 5}, {4, 4}, {3, 6}, {2, 7}, {1, 8}, {9, 12}, {10, 11},
                                  {11, 11}, {12, 12}, {8, 8}};
// Exaltations (Ptolemy): Sun Aries, Moon Taurus, Mercury Virgo, Venus
// Pisces, Mars Capricorn, Jupiter Cancer, Saturn Libra; none for the outer
// planets (tradition gives them none).
constexpr int kExaltation[11] = {0, 1, 2, 6, 12, 10, 4, 7, 0, 0, 0};
// Lilly's fortitudes: domicile +5, exaltation +4; debilities: detriment
// (the sign opposite a domicile) -5, fall (opposite the exaltation) -4.
constexpr int kDomicileScore = 5, kExaltationScore = 4, kDetrimentScore = -5, kFallScore = -4;
// The seven planets of tradition get a fixed increase over the modern ones.
constexpr int kTraditionalBonus = 2;
// Lilly's accidental dignity by house: 1st and 10th +5; 4th, 7th, 11th +4;
// 2nd and 5th +3; 9th +2; 3rd +1; 6th and 8th -2; 12th -5.
constexpr int kHouseScore[13] = {0, 5, 3, 1, 4, 3, -2, 4, -2, 2, 5, 4, -5};
// Joys of the planets (the traditional "gaudia"): Mercury 1st, Moon 3rd,
// Venus 5th, Mars 6th, Sun 9th, Jupiter 11th, Saturn 12th: +2; a body in the
// house whose natural sign (house n, sign n) it rules: +1 more.
constexpr int kJoy[11] = {0, 9, 3, 1, 5, 6, 11, 12, 0, 0, 0};
constexpr int kJoyScore = 2, kNaturalHouseScore = 1;
// Sex (Ptolemy): masculine Sun, Mars, Jupiter, Saturn, and by the modern
// reading Uranus, Pluto; feminine Moon, Venus, Neptune; Mercury common.
// Odd signs masculine, even feminine. Same sex +1, opposite -1, Mercury 0.
constexpr int kSex[11] = {0, 1, -1, 0, -1, 1, 1, 1, 1, -1, 1};
// Lilly's motion: direct +4, retrograde -5; swift (faster than the mean
// daily motion) +2, slow -2 for a direct body. Mean daily motions, degrees
// per day: Lilly's for the seven planets (Sun, Mercury, Venus 0 59' 08",
// Moon 13 10' 36", Mars 31' 27", Jupiter 4' 59", Saturn 2' 01"), the
// orbital means for the outer planets.
constexpr long double kMeanMotion[11] = {0,          0.98556L, 13.17667L, 0.98556L, 0.98556L, 0.52417L,
                                         0.08306L,   0.03361L, 0.01172L,  0.00598L, 0.00397L};
constexpr int kDirectScore = 4, kRetrogradeScore = -5, kSwiftScore = 2, kSlowScore = -2;

int Opposite(int sign) { return (sign + 5) % 12 + 1; }

bool Rules(int body, int sign)
{
    return body >= 1 && body <= 10 && (kDomicile[body][0] == sign || kDomicile[body][1] == sign);
}

} // namespace

int EssentialDignity(int body, int sign)
{
    if (body < 1 || body > 10 || sign < 1 || sign > 12)
        return 0;
    if (Rules(body, sign))
        return kDomicileScore;
    if (kExaltation[body] == sign)
        return kExaltationScore;
    if (Rules(body, Opposite(sign)))
        return kDetrimentScore;
    if (kExaltation[body] != 0 && Opposite(kExaltation[body]) == sign)
        return kFallScore;
    return 0;
}

ScoreTable ComputeScores(const ScoreInput& in)
{
    ScoreTable t;
    for (int p = 0; p < kScorePoints; ++p) {
        const int body = p + 1; // 11, 12: the angles
        const bool planet = body <= 10;
        const int sign = in.Sign[p], house = in.House[p];
        int s[kScoreSections] = {};
        if (planet) {
            s[0] = EssentialDignity(body, in.RisingSign);
            s[1] = EssentialDignity(body, sign);
            s[2] = body <= 7 ? kTraditionalBonus : 0;
        }
        if (house >= 1 && house <= 12)
            s[3] = kHouseScore[house];
        if (planet) {
            s[4] = (kJoy[body] == house ? kJoyScore : 0) + (Rules(body, house) ? kNaturalHouseScore : 0);
            if (kSex[body] != 0 && sign >= 1)
                s[5] = (sign % 2 == 1) == (kSex[body] > 0) ? 1 : -1;
            const long double v = in.Speed[p];
            if (!std::isnan(v))
                s[6] = v < 0 ? kRetrogradeScore : kDirectScore + (v > kMeanMotion[body] ? kSwiftScore : kSlowScore);
        }
        for (int k = 0; k < kScoreSections; ++k) {
            t.Section[k][p] = s[k];
            t.Total[p] += s[k];
        }
    }
    return t;
}
