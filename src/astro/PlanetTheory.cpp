// Keplerian theory of the planets, the four asteroids and Chiron: mean
// elements as polynomials in T (centuries from 1900 January 0.5), Kepler's
// equation, rotation into the ecliptic, the perturbation offsets of
// Jupiter..Pluto, geocentric vector with light-time shift.
#include "astro/EphemerisInternal.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace ephemeris {
namespace internal {

long double PolarAngle(long double x, long double y)
{
    long double a = trig::Atan2(y, x);
    return a < 0 ? a + kTwoPi : a;
}

namespace {

// A turn by an angle, through its cosine and sine: (u, v) becomes
// (u cos a - v sin a, u sin a + v cos a), the point at the same radius with
// the angle increased by a.
struct Turn {
    long double c = 1, s = 0;
    explicit Turn(long double degrees) { trig::SinCosd(degrees, s, c); }
    void Apply(long double& u, long double& v) const
    {
        const long double u2 = u * c - v * s;
        v = u * s + v * c;
        u = u2;
    }
};

// From the orbital plane into the ecliptic: in the plane by omega, about
// the line of nodes by the inclination, in the ecliptic by the node.
struct ToEcliptic {
    Turn omega, incl, node;
    explicit ToEcliptic(const Elements& el) : omega(el.omega), incl(el.incl), node(el.node) {}
    void Apply(Vector3& p) const
    {
        omega.Apply(p.x, p.y);
        incl.Apply(p.y, p.z);
        node.Apply(p.x, p.y);
    }
};

} // namespace

EarthState KeplerState(const Elements& elIn)
{
    constexpr long double kGauss = 0.01720209L; // AU^1.5 per day
    Elements el = elIn;
    // The eccentricity polynomials leave 0..1 only millennia away from
    // their epoch (Chiron before about -7000); kept inside so that every
    // Julian day gives a finite orbit.
    el.e = std::clamp(el.e, -0.99L, 0.99L);
    const long double M = el.M * kRadPerDeg;
    long double E = M;
    for (int k = 0; k < 3; ++k)
        E = M + el.e * trig::Sin(E);
    const long double sinE = trig::Sin(E), cosE = trig::Cos(E);
    const long double root = std::sqrt(1 - el.e * el.e);
    EarthState s;
    s.Position = {el.a * (cosE - el.e), el.a * root * sinE, 0};
    const long double f = kGauss / ((1 - el.e * cosE) * el.a * std::sqrt(el.a));
    s.Velocity = {-el.a * f * sinE, el.a * f * root * cosE, 0};
    const ToEcliptic rotation(el);
    rotation.Apply(s.Position);
    rotation.Apply(s.Velocity);
    return s;
}

} // namespace internal

using namespace internal;

namespace {

struct Poly {
    long double c0 = 0, c1 = 0, c2 = 0;
    long double At(long double T, long double T2) const { return c0 + c1 * T + c2 * T2; }
};

enum class Validity { All, FromTMinus2, BeforeTMinus2 };

struct ElementRow {
    int index;
    Validity validity;
    Poly M, e;
    long double a;
    Poly omega, node, incl;
};

// clang-format off
constexpr ElementRow kElements[] = {
    {3, Validity::All, {102.2793806L, 149472.51523L, 0.000006389L}, {0.20561421L, 0.00002046L, -0.00000003L}, 0.3870984L,
        {28.75375278L, 0.370280556L, 0.000120833L}, {47.14594444L, 1.185208333L, 0.000173889L}, {7.002880556L, 0.001860833L, -0.000018333L}},
    {4, Validity::All, {212.6032194L, 58517.80386L, 0.001286056L}, {0.00682069L, -0.00004774L, 0.0000091L}, 0.7233316L,
        {54.38418611L, 0.508186111L, -0.001386389L}, {75.77964722L, 0.89985L, 0.00041L}, {3.393630556L, 0.00100583L, -0.000000972L}},
    {5, Validity::All, {319.529425L, 19139.8585L, 0.000180806L}, {0.0933129L, 0.000092064L, -0.000000077L}, 1.5236915L,
        {285.4317611L, 1.069766667L, 0.00013125L}, {48.78644167L, 0.770991667L, -0.000001389L}, {1.850333333L, -0.000675L, 0.000012611L}},
    {6, Validity::FromTMinus2, {225.49281253L, 3033.687936L, 0}, {0.04838144L, -0.0000155L, 0}, 5.20290493L,
        {273.3930152L, 1.33834464L, 0}, {99.41984827L, 1.05829152L, 0}, {1.3096585L, -0.00515613L, 0}},
    {6, Validity::BeforeTMinus2, {225.32833L, 3034.69202L, -0.00072L}, {0.04833L, 0.00016L, 0}, 5.202561L,
        {273.27754L, 0.59943L, 0.0007L}, {99.44338L, 1.01053L, 0.00035L}, {1.30874L, -0.005696L, 0}},
    {7, Validity::FromTMinus2, {174.215296L, 1223.507963L, 0}, {0.05422831L, -0.00020495L, 0}, 9.55251745L,
        {338.911673L, -0.31667941L, 0}, {112.8261394L, 0.82587569L, 0}, {2.49080547L, -0.00466035L, 0}},
    {7, Validity::BeforeTMinus2, {175.46622L, 1221.55147L, -0.0005L}, {0.05589L, -0.00035L, 0}, 9.55475L,
        {338.30777L, 1.08522L, 0.00098L}, {112.79039L, 0.873195L, -0.00015L}, {2.49252L, -0.00392L, -0.00002L}},
    {8, Validity::FromTMinus2, {74.17574887L, 427.2742717L, 0}, {0.04681664L, 0.00041875L, 0}, 19.22150505L,
        {95.68630387L, 2.05082548L, 0}, {73.52220082L, 0.52415598L, 0}, {0.77256652L, 0.00012824L, 0}},
    {8, Validity::BeforeTMinus2, {72.64882L, 428.37911L, 0.00008L}, {0.046344L, -0.00003L, 0}, 19.21814L,
        {98.07155L, 0.98577L, -0.00107L}, {73.4771L, 0.49867L, 0.00131L}, {0.77246L, 0.00063L, 0.00004L}},
    {9, Validity::FromTMinus2, {30.1329437L, 240.4551595L, 0}, {0.00912805L, -0.00127185L, 0}, 30.1137593L,
        {284.168255L, -21.6328615L, 0}, {130.6841531L, 1.10046492L, 0}, {1.77939281L, -0.00975088L, 0}},
    {9, Validity::BeforeTMinus2, {37.73067L, 218.46134L, -0.00007L}, {0.008997L, 0, 0}, 30.10957L,
        {276.04597L, 0.32564L, 0.00014L}, {130.68136L, 1.09894L, 0.000249L}, {1.77924L, -0.00954L, 0}},
    {10, Validity::FromTMinus2, {229.7810007L, 145.1781092L, 0}, {0.24797376L, 0.00289875L, 0}, 39.53903455L,
        {113.5365761L, 0.20863761L, 0}, {108.94405L, 1.37395444L, 0}, {17.15140319L, -0.01611824L, 0}},
    {10, Validity::BeforeTMinus2, {229.94722L, 144.91306L, 0}, {0.24864L, 0, 0}, 39.51774L,
        {113.52136L, 0, 0}, {108.95444L, 1.39601L, 0.00031L}, {17.14678L, 0, 0}},
    {15, Validity::All, {108.2925L, 7820.36556L, 0}, {0.0794314L, 0, 0}, 2.7672273L,
        {71.0794444L, 0, 0}, {80.23555556L, 1.3960111L, 0}, {10.59694444L, 0, 0}},
    {16, Validity::All, {106.6641667L, 7806.531667L, 0}, {0.2347096L, 0, 0}, 2.7704955L,
        {310.166111L, 0, 0}, {172.497222L, 1.39601111L, 0}, {34.81416667L, 0, 0}},
    {17, Validity::All, {267.685L, 8256.081111L, 0}, {0.2562318L, 0, 0}, 2.6689897L,
        {245.3752778L, 0, 0}, {170.137777L, 1.396011111L, 0.0003083333L}, {13.01694444L, 0, 0}},
    {18, Validity::All, {138.7733333L, 9924.931111L, 0}, {0.0902807L, 0, 0}, 2.360723L,
        {149.6386111L, 0, 0}, {103.2197222L, 1.396011111L, 0.000308333L}, {7.139444444L, 0, 0}},
    {19, Validity::All, {34.6127752L, 713.5756219L, 0}, {0.382270369L, -0.004694073L, 0}, 13.66975144L,
        {337.407213L, 2.163306646L, 0}, {208.1482658L, 1.247724355L, 0}, {6.911179715L, 0.011236955L, 0}},
};

struct PeriodicTerm {
    long double c, n, phi; // AU, degrees per century, degrees
};

// One heliocentric offset (AU): c0 + c1*T + c2*T2 + sum of c*cos(n*T + phi).
// With sineOfSum the sum S enters as (180/pi)*sind(S) instead.
struct Offset {
    int index;
    char axis; // 'x', 'y' or 'z'
    Poly base;
    std::span<const PeriodicTerm> terms;
    bool sineOfSum = false;
};

constexpr PeriodicTerm kJupiterY[] = {{0.0051L, 581.7L, -9.7L}, {-0.0005L, 2510.7L, -12.5L}, {-0.0026L, 1313.7L, -61.4L},
    {0.0013L, 2370.79L, -24.6L}, {-0.0013L, 3599.3L, 37.7L}, {-0.001L, 2574.7L, 31.4L}, {-0.00096L, 6708.2L, -114.5L},
    {-0.0006L, 5499.4L, -74.97L}, {-0.0013L, 1419, 54.2L}, {0.0006L, 6339.3L, -109}, {0.0007L, 4824.5L, -50.9L}};
constexpr PeriodicTerm kJupiterX[] = {{-0.0023L, 676.2L, 0.9L}, {0.00045L, 2361.4L, 174.9L}, {0.0015L, 1427.5L, -188.8L},
    {0.0006L, 2110.1L, 153.6L}, {0.0014L, 3606.8L, -57.7L}, {-0.0017L, 2540.2L, 121.7L}, {-0.00099L, 6704.8L, -22.3L},
    {-0.0006L, 5480.2L, 24.5L}, {0.00096L, 1651.3L, -118.3L}, {0.0006L, 6310.8L, -4.8L}, {0.0007L, 4826.6L, 36.2L}};
constexpr PeriodicTerm kSaturnY[] = {{0.0134L, 1238.9L, -16.4L}, {-0.00426L, 3040.9L, -25.2L}, {0.0064L, 1835.3L, 36.1L},
    {-0.0153L, 610.8L, -44.2L}, {-0.0015L, 2480.5L, -69.4L}};
constexpr PeriodicTerm kSaturnX[] = {{0.0111L, 1242.2L, 78.3L}, {-0.0045L, 3034.96L, 62.8L}, {-0.0066L, 1829.2L, -51.5L},
    {-0.0078L, 640.6L, 24.2L}, {-0.0016L, 2363.4L, -141.4L}};
constexpr PeriodicTerm kSaturnZ[] = {{-0.0005L, 1251.1L, 43.7L}, {0.0005L, 622.8L, 13.7L}, {0.0003L, 1824.7L, -71.1L},
    {0.0001L, 2997.1L, 78.2L}};
constexpr PeriodicTerm kUranusY[] = {{0.0299L, 422.3L, -17.7L}, {-0.0049L, 3035.1L, -31.3L}, {-0.0038L, 945.3L, 60.1L},
    {-0.0023L, 1227, -4.99L}};
constexpr PeriodicTerm kUranusX[] = {{0.0317L, 404.3L, 81.9L}, {-0.00495L, 3037.9L, 57.3L}, {0.004L, 993.5L, -54.4L},
    {-0.0018L, 1249.4L, 79.2L}};
constexpr PeriodicTerm kUranusZ[] = {{0.0005L, 352.5L, -54.99L}, {0.0001L, 3027.5L, 54.2L}, {-0.0001L, 1150.3L, -88}};
constexpr PeriodicTerm kNeptuneY[] = {{-0.1923L, 175.7L, 31.8L}, {0.0122L, 542.1L, 189.6L}, {0.0027L, 1219.4L, 178.1L},
    {-0.00496L, 3035.6L, -31.3L}};
constexpr PeriodicTerm kNeptuneX[] = {{-0.00496L, 3035.3L, 58.7L}, {0.0961L, 177.1L, -68.8L}, {-0.0073L, 630.9L, 51},
    {-0.0025L, 1236.6L, 78}};
constexpr PeriodicTerm kNeptuneZ[] = {{0.0001L, 3049.3L, 44.2L}, {-0.0002L, 893.9L, 48.5L}, {0.00007L, 1416.5L, -25.2L}};
constexpr PeriodicTerm kPlutoY[] = {{0.0371L, 372, -331.3L}, {-0.0049L, 3049.6L, -39.2L}, {-0.0108L, 566.2L, 318.3L},
    {0.0003L, 1746.5L, -238.3L}};
constexpr PeriodicTerm kPlutoX[] = {{0.049L, 273.97L, 89.97L}, {-0.0049L, 3030.6L, 61.3L}, {0.0027L, 1075.3L, -28.1L},
    {-0.0007L, 1402.3L, 20.3L}};
constexpr PeriodicTerm kPlutoZ[] = {{0.0117L, 302.6L, -77.3L}, {0.00198L, 528.1L, 48.6L}, {-0.0002L, 1000.4L, -46.1L}};

const Offset kOffsets[] = {
    {6, 'y', {-0.001L, -0.0005L, 0.0045L}, kJupiterY},
    {6, 'x', {0.002L, -0.0134L, 0.0127L}, kJupiterX},
    {7, 'y', {-0.0009L, 0.0037L, 0}, kSaturnY},
    {7, 'x', {-0.0014L, 0.0026L, 0}, kSaturnX},
    {7, 'z', {0.0006L, -0.0002L, 0}, kSaturnZ, true},
    {8, 'y', {-0.0021L, -0.0159L, 0}, kUranusY},
    {8, 'x', {0.0134L, -0.02186L, 0}, kUranusX},
    {8, 'z', {-0.0003L, 0.0005L, 0}, kUranusZ},
    {9, 'y', {0.1832L, -0.6718L, 0.2726L}, kNeptuneY},
    {9, 'x', {-0.1122L, 0.166L, -0.0544L}, kNeptuneX},
    {9, 'z', {0.00196L, -0.0119L, 0.0111L}, kNeptuneZ},
    {10, 'y', {-0.0426L, 0.073L, -0.029L}, kPlutoY},
    {10, 'x', {-0.0603L, 0.5002L, -0.6126L}, kPlutoX},
    {10, 'z', {0.0145L, -0.0928L, 0.1195L}, kPlutoZ},
};
// clang-format on

Elements ElementsOf(int index, long double T, long double T2)
{
    for (const ElementRow& r : kElements) {
        if (r.index != index)
            continue;
        if (r.validity == Validity::FromTMinus2 && T < -2)
            continue;
        if (r.validity == Validity::BeforeTMinus2 && T >= -2)
            continue;
        Elements el;
        el.M = Norm360(r.M.At(T, T2));
        el.e = r.e.At(T, T2);
        el.a = r.a;
        el.omega = r.omega.At(T, T2);
        el.node = r.node.At(T, T2);
        el.incl = r.incl.At(T, T2);
        return el;
    }
    return {};
}

// Perturbation offsets (AU) of Jupiter..Pluto; zero outside 0 <= T <= 2.
Vector3 OffsetsOf(int index, long double T, long double T2)
{
    Vector3 d;
    if (T < 0 || T > 2)
        return d;
    for (const Offset& o : kOffsets) {
        if (o.index != index)
            continue;
        long double sum = 0;
        for (const PeriodicTerm& t : o.terms)
            sum += t.c * CosDeg(t.n * T + t.phi);
        const long double v = o.base.At(T, T2) + (o.sineOfSum ? (180 / kPi) * SinDeg(sum) : sum);
        (o.axis == 'x' ? d.x : o.axis == 'y' ? d.y : d.z) = v;
    }
    return d;
}

} // namespace

PlanetResult PlanetTheory(int index, const FundamentalArguments& fa, const EarthState& earth)
{
    EarthState s = KeplerState(ElementsOf(index, fa.T, fa.T2));
    const Vector3 off = OffsetsOf(index, fa.T, fa.T2);
    s.Position.x += off.x;
    s.Position.y += off.y;
    s.Position.z += off.z;

    const long double x = s.Position.x - earth.Position.x;
    const long double y = s.Position.y - earth.Position.y;
    const long double z = s.Position.z - earth.Position.z;
    const long double vx = s.Velocity.x - earth.Velocity.x;
    const long double vy = s.Velocity.y - earth.Velocity.y;

    PlanetResult r;
    const long double rho2 = x * x + y * y;
    r.AngularSpeed = rho2 > 0 ? (x * vy - y * vx) / rho2 : 0;
    // Light-time: the body is seen where it was 0.0057683 days per AU ago.
    const long double lightShift = std::sqrt(rho2 + z * z) * 0.0057683L * r.AngularSpeed / kRadPerDeg;
    r.Longitude = Norm360(PolarAngle(x, y) / kRadPerDeg + fa.Nutation - lightShift);
    // The angle of (rho, z) lies in 0..pi/2 or 3pi/2..2pi; above pi it is a
    // southern latitude.
    long double beta = PolarAngle(std::sqrt(rho2), z);
    if (beta > kPi)
        beta -= kTwoPi;
    r.Latitude = beta / kRadPerDeg;
    return r;
}

} // namespace ephemeris
