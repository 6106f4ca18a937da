#include "archive/TimeRegimes.h"

#include "platform/Errors.h"
#include "platform/ProgramPath.h"
#include "platform/RecordFile.h"
#include "platform/ShortString.h"
#include "platform/TextFile.h"
#include "shell/UnServizi.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>

static_assert(sizeof(long double) >= 10, "the regime start is an 80-bit extended");
static_assert(sizeof(double) == 8);

namespace {

// A clock reading this close to a start (about 0.09 s) counts as equal to
// it: the rounding of the stored value or of the input's Julian day never
// decides which regime holds.
constexpr long double kSameMoment = 1e-6L;

constexpr std::int32_t kRegimeDigits = 100000000;

std::string RegimeNumberText(int regimeNumber)
{
    return std::to_string(regimeNumber);
}

std::string ZeroPad8(int n)
{
    std::string s = std::to_string(n);
    return std::string(s.size() < 8 ? 8 - s.size() : 0, '0') + s;
}

std::vector<RegimeRecord> UpToEnd(std::vector<RegimeRecord> records)
{
    for (std::size_t i = 0; i < records.size(); ++i)
        if (records[i].code == kEndCode) {
            records.resize(i + 1);
            break;
        }
    return records;
}

std::vector<RegimeRecord> ReadRegimeFile(const std::string& name)
{
    const RecordFile file(name, kRegimeSize);
    if (!file.Exists())
        throw IoError(name, "lettura", "file dei regimi orari mancante");
    std::vector<RegimeRecord> out;
    for (const std::string& bytes : file.ReadAll())
        out.push_back(DecodeRegime(bytes));
    return UpToEnd(std::move(out));
}

// The run of Database.cll that starts at `first`, its "FINE" record included.
std::vector<std::string> DatabaseRun(int first)
{
    const std::string name = kZoneDatabaseFile;
    std::ifstream in(ProgramPath::Resolve(name), std::ios::binary);
    if (!in)
        throw IoError(name, "lettura", "file dei regimi orari mancante");
    in.seekg(static_cast<std::streamoff>(first) * static_cast<std::streamoff>(kRegimeSize));
    std::vector<std::string> run;
    std::string bytes(kRegimeSize, '\0');
    while (in.read(bytes.data(), static_cast<std::streamsize>(kRegimeSize))) {
        run.push_back(bytes);
        if (DecodeRegime(bytes).code == kEndCode)
            return run;
    }
    throw IoError(name, "lettura", "regimi dal record " + std::to_string(first) + " senza chiusura " + kEndCode);
}

} // namespace

std::string EncodeRegime(const RegimeRecord& r)
{
    std::string bytes(kRegimeSize, '\0');
    const long double stored = r.start + kRegimeStartOffset;
    std::memcpy(bytes.data(), &stored, 10);
    ShortString<4>::Put(bytes.data() + 10, r.code);
    std::memcpy(bytes.data() + 16, &r.correction, 8);
    return bytes;
}

RegimeRecord DecodeRegime(std::string_view bytes)
{
    RegimeRecord r;
    if (bytes.size() < kRegimeSize)
        throw ConversionError(std::string(), "record di regime orario");
    long double stored = 0;
    std::memset(&stored, 0, sizeof stored);
    std::memcpy(&stored, bytes.data(), 10);
    r.start = stored - kRegimeStartOffset;
    r.code = ShortString<4>::Get(bytes.data() + 10);
    std::memcpy(&r.correction, bytes.data() + 16, 8);
    return r;
}

std::vector<ZoneIndexEntry> ReadZoneIndex()
{
    std::vector<ZoneIndexEntry> out;
    for (const std::string& line : ReadTextLines(kZoneIndexFile)) {
        const std::string number = line.size() >= 20 ? TrimBlanks(line.substr(14, 6)) : std::string();
        bool digits = !number.empty();
        for (char c : number)
            digits = digits && c >= '0' && c <= '9';
        if (!digits)
            throw ConversionError(line, "riga di " + std::string(kZoneIndexFile));
        ZoneIndexEntry e;
        e.key = TrimBlanks(line.substr(0, 12));
        e.firstRecord = std::stoi(number);
        e.zone = line.size() > 21 ? TrimRightBlanks(line.substr(21)) : std::string();
        out.push_back(std::move(e));
    }
    return out;
}

std::vector<RegimeRecord> LoadRegimes(int regimeNumber, std::string* fileName)
{
    const int kind = regimeNumber / kRegimeDigits;
    const int rest = regimeNumber % kRegimeDigits;
    if (regimeNumber < 0 || (kind != 1 && kind != 2))
        throw ConversionError(RegimeNumberText(regimeNumber), "numero di regime orario");
    if (kind == 1) {
        const std::string name = "Calendar\\" + ZeroPad8(rest) + ".CAL";
        if (fileName)
            *fileName = name;
        return ReadRegimeFile(name);
    }
    const std::vector<ZoneIndexEntry> index = ReadZoneIndex();
    if (rest < 1 || static_cast<std::size_t>(rest) > index.size())
        throw IoError(kZoneIndexFile, "lettura", "zona " + std::to_string(rest) + " inesistente");
    const ZoneIndexEntry& zone = index[static_cast<std::size_t>(rest - 1)];
    RecordFile(zone.key, kRegimeSize).Replace(DatabaseRun(zone.firstRecord));
    if (fileName)
        *fileName = zone.key;
    return ReadRegimeFile(zone.key);
}

Correction CorrectionAt(const std::vector<RegimeRecord>& regimes, long double localJD, long double longitude)
{
    Correction c;
    if (regimes.empty()) {
        c.afterLast = true;
        return c;
    }
    std::size_t reached = 0;
    for (std::size_t i = 1; i < regimes.size() && regimes[i].start <= localJD + kSameMoment; ++i)
        reached = i;
    // The end record marks where the data stop: the regime before it still holds.
    while (reached > 0 && regimes[reached].code == kEndCode)
        --reached;
    const RegimeRecord& r = regimes[reached];
    c.index = reached;
    c.code = r.code;
    c.hours = r.code == "LMT" ? static_cast<double>(longitude * 4 / 60) : r.correction;
    c.afterLast = localJD >= regimes.back().start - kSameMoment;
    return c;
}

std::string RegimeListLine(const RegimeRecord& r)
{
    return JDToText(r.start) + " " + (r.correction < 0 ? "-" : "+") + FixedDigits(5, std::fabs(r.correction)) +
           " " + r.code;
}
