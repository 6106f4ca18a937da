// The three correction tables of FilePosi\: each lookup reads the two
// records around the Julian day and interpolates linearly. A missing file
// or a record beyond its end raises IoError.
//
// The tables are held open between lookups (platform/HeldFile), each with
// the block of records it read last: the two passes of a chart read the
// same records. Inside a lookup batch (every ComputeBodies call) each table
// checks once that it still holds the file on disk, at its first lookup;
// outside a batch every lookup checks. A table replaced on disk is thus
// read at the next chart.
#include "astro/EphemerisInternal.h"

#include "platform/Errors.h"
#include "platform/HeldFile.h"

#include <array>
#include <cmath>
#include <cstring>
#include <string>

namespace ephemeris {

namespace {

struct Table {
    HeldFile file;
    unsigned checkedInBatch = 0; // batch number of the last check, 0 none
};

Table MoonTable {HeldFile(kMoonTableName)};
Table PlanetTable {HeldFile(kPlanetTableName)};
Table ApogeeTable {HeldFile(kApogeeTableName)};

unsigned BatchNumber = 0; // of the batch open now; 0 outside every batch
unsigned LastBatchNumber = 0;
int BatchDepth = 0;

using TwoRecords = std::array<unsigned char, 2 * kPlanetRecordSize>;

// Records `index` and `index + 1` of a file of fixed-size records.
TwoRecords ReadTwoRecords(Table& t, long long index, int recordSize)
{
    const std::string& name = t.file.Name();
    if (index < 0)
        throw IoError(name, "lettura", "record " + std::to_string(index) + " prima dell'inizio del file");
    if (BatchNumber == 0 || t.checkedInBatch != BatchNumber) {
        t.file.Check();
        t.checkedInBatch = BatchNumber;
    }
    TwoRecords bytes {};
    const auto size = static_cast<std::size_t>(recordSize);
    if (!t.file.ReadAt(static_cast<std::uint64_t>(index) * size, 2 * size, bytes.data()))
        throw IoError(name, "lettura", "record " + std::to_string(index + 1) + " oltre la fine del file");
    return bytes;
}

long long LittleEndian(const unsigned char* p, int size)
{
    unsigned long long u = 0;
    for (int i = size - 1; i >= 0; --i)
        u = (u << 8) | p[i];
    const unsigned long long sign = 1ULL << (8 * size - 1);
    return static_cast<long long>((u ^ sign) - sign); // sign extension
}

const unsigned char* Bytes(const TwoRecords& r, std::size_t offset = 0)
{
    return r.data() + offset;
}

} // namespace

namespace internal {

CorrectionLookupBatch::CorrectionLookupBatch()
{
    if (BatchDepth++ == 0)
        BatchNumber = ++LastBatchNumber == 0 ? ++LastBatchNumber : LastBatchNumber;
}

CorrectionLookupBatch::~CorrectionLookupBatch()
{
    if (--BatchDepth == 0)
        BatchNumber = 0;
}

} // namespace internal

long double ReadMoonCorrection(long double jd)
{
    constexpr long double kFirstDay = 1721420.5L;
    // Round half to even, the default rounding mode.
    const long long n = std::llrint(jd - kFirstDay - 0.5L);
    const TwoRecords r = ReadTwoRecords(MoonTable, n, 2);
    const long double v0 = LittleEndian(Bytes(r), 2), v1 = LittleEndian(Bytes(r, 2), 2);
    long double value = (jd - (n + kFirstDay)) * (v1 - v0) + v0;
    if (value > 21600)
        value -= 21600;
    return value;
}

int PlanetRecordChannel(const unsigned char* record, int channel)
{
    if (channel >= 1 && channel <= 7)
        return static_cast<signed char>(record[5 + channel]);
    if (channel == 8)
        return static_cast<int>(LittleEndian(record + 14, 2));
    if (channel >= 9 && channel <= 16)
        return static_cast<signed char>(record[7 + channel]);
    if (channel == 17)
        return static_cast<int>(LittleEndian(record + 24, 2));
    return 0;
}

long double ReadPlanetCorrection(int channel, long double jd)
{
    const long long n = static_cast<long long>(std::trunc(jd - 1721408.5L - 0.5L)) / 5;
    const TwoRecords r = ReadTwoRecords(PlanetTable, n, kPlanetRecordSize);
    const long double j0 = DecodeReal48(Bytes(r));
    const long double v0 = PlanetRecordChannel(Bytes(r), channel);
    const long double v1 = PlanetRecordChannel(Bytes(r, kPlanetRecordSize), channel);
    long double value = (jd - j0) * (v1 - v0) / 5 + v0;
    if (value > 21600)
        value -= 21600;
    return value;
}

long double ReadApogeeCorrection(long double jd)
{
    constexpr long double kFirstDay = 2341972.5L;
    const long long n = std::llrint(jd - kFirstDay - 0.5L);
    const TwoRecords r = ReadTwoRecords(ApogeeTable, n, 4);
    const long double v0 = LittleEndian(Bytes(r), 4), v1 = LittleEndian(Bytes(r, 4), 4);
    return (jd - (n + kFirstDay)) * (v1 - v0) + v0;
}

long double DecodeReal48(const unsigned char* b)
{
    if (b[0] == 0)
        return 0;
    unsigned long long fraction = b[5] & 0x7F;
    for (int i = 4; i >= 1; --i)
        fraction = (fraction << 8) | b[i];
    const long double mantissa = 1 + std::ldexp(static_cast<long double>(fraction), -39);
    const long double value = std::ldexp(mantissa, b[0] - 129);
    return (b[5] & 0x80) ? -value : value;
}

void EncodeReal48(long double x, unsigned char* b)
{
    std::memset(b, 0, 6);
    if (x == 0 || !std::isfinite(x))
        return;
    const bool negative = x < 0;
    int exp2 = 0;
    const long double m = std::frexp(std::fabs(x), &exp2); // 0.5 <= m < 1, |x| = m * 2^exp2
    // |x| = (1 + f/2^39) * 2^(exp2 - 1)
    long double scaled = std::nearbyint((2 * m - 1) * std::ldexp(1.0L, 39));
    unsigned long long fraction = static_cast<unsigned long long>(scaled);
    if (fraction >> 39) { // rounded up to the next power of two
        fraction = 0;
        ++exp2;
    }
    const int biased = exp2 - 1 + 129;
    if (biased < 1)
        return;
    b[0] = static_cast<unsigned char>(biased);
    for (int i = 1; i <= 5; ++i) {
        b[i] = static_cast<unsigned char>(fraction & 0xFF);
        fraction >>= 8;
    }
    if (negative)
        b[5] |= 0x80;
}

} // namespace ephemeris
