#include "archive/Places.h"

#include "shell/UnServizi.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/HeldFile.h"
#include "platform/ProgramPath.h"
#include "platform/ShortString.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace {

// The 80-bit extended fields are the x86 extended format: 64-bit
// significand with explicit integer bit, 15-bit exponent, sign; the first
// 10 bytes of a long double on x86-64 hold exactly that, little-endian.
static_assert(std::numeric_limits<long double>::digits == 64, "long double must be the x87 extended type");

constexpr std::size_t kNameOffset = 0;
constexpr std::size_t kLatitudeOffset = 32;
constexpr std::size_t kLongitudeOffset = 42;
constexpr std::size_t kGregorianOffset = 52;
constexpr std::size_t kPopulationOffset = 56;
constexpr std::size_t kRegimeOffset = 60;
constexpr std::size_t kStateOffset = 64;

constexpr std::int32_t kRegimeKindUnit = 100000000; // first of the 9 digits

void PutExtended(char* p, long double x)
{
    unsigned char bytes[sizeof(long double)] = {};
    std::memcpy(bytes, &x, sizeof x);
    std::memcpy(p, bytes, 10);
}

long double GetExtended(const char* p)
{
    unsigned char bytes[sizeof(long double)] = {};
    std::memcpy(bytes, p, 10);
    long double x;
    std::memcpy(&x, bytes, sizeof x);
    return x;
}

std::string PadDigits(long long n, std::size_t width)
{
    std::string s = std::to_string(n);
    if (s.size() < width)
        s.insert(0, width - s.size(), '0');
    return s;
}

constexpr std::size_t kAliasRecordOffset = 56;
constexpr std::size_t kAliasPopulationOffset = 60;
constexpr char kProvinceMark = '\x01';

// The gazetteers and their alias files are searched at every key typed in
// the input window: each stays open between searches, checked once a
// search against the file on disk (a replaced file is read at the next
// search).
class HeldRecords {
public:
    HeldRecords(const char* file, std::size_t recordSize) : file_(Held(file)), size_(recordSize) {}
    std::size_t Count() const { return static_cast<std::size_t>(file_.Size() / size_); }
    std::string Read(std::size_t index) const
    {
        std::string rec(size_, '\0');
        if (!file_.ReadAt(static_cast<std::uint64_t>(index) * size_, size_, reinterpret_cast<unsigned char*>(rec.data())))
            throw IoError(file_.Name(), "lettura", "record " + std::to_string(index) + " oltre la fine del file");
        return rec;
    }

private:
    static HeldFile& Held(const char* file)
    {
        static std::map<std::string, std::unique_ptr<HeldFile>, std::less<>> held;
        std::unique_ptr<HeldFile>& h = held[file];
        if (!h)
            h = std::make_unique<HeldFile>(file);
        h->Check();
        return *h;
    }

    HeldFile& file_;
    std::size_t size_;
};

std::string NameKeyAt(const HeldRecords& file, std::size_t index)
{
    const std::string bytes = file.Read(index);
    return PlaceSortKey(ShortString<31>::Get(bytes.data() + kNameOffset));
}

bool StartsWith(const std::string& s, const std::string& prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

// The first of `count` sorted records whose key (read by keyAt) is not below
// `key`: every key that begins with it follows from there without a gap.
template <class KeyAt>
std::size_t FirstNotBelow(std::size_t count, const std::string& key, KeyAt keyAt)
{
    std::size_t low = 0, high = count;
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        if (keyAt(mid) < key)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

// Degrees, hemisphere letter and minutes, rounded to the whole minute with
// the carry into the degrees.
std::string AngleText(long double x, int degreeWidth, char positive, char negative)
{
    const long long minutes = std::llround(std::fabs(x) * 60);
    return PadDigits(minutes / 60, static_cast<std::size_t>(degreeWidth)) + (x >= 0 ? positive : negative) +
           PadDigits(minutes % 60, 2);
}

struct Transliteration {
    char32_t letter;
    const char* latin;
};
// Letters of Latin Extended-A and -B, the IPA letters ɔ ə ɛ and Latin
// Extended Additional that have no Windows-1252 byte, with the plain letters
// they are written as (the letter without its diacritics; ligatures spelled
// out), then the modifier letters used as apostrophes and the dashes.
// Sorted by code point.
constexpr Transliteration kTransliteration[] = {
    {U'Ā', "A"}, {U'ā', "a"}, {U'Ă', "A"}, {U'ă', "a"}, {U'Ą', "A"}, {U'ą', "a"}, {U'Ć', "C"}, {U'ć', "c"},
    {U'Ĉ', "C"}, {U'ĉ', "c"}, {U'Ċ', "C"}, {U'ċ', "c"}, {U'Č', "C"}, {U'č', "c"}, {U'Ď', "D"}, {U'ď', "d"},
    {U'Đ', "D"}, {U'đ', "d"}, {U'Ē', "E"}, {U'ē', "e"}, {U'Ĕ', "E"}, {U'ĕ', "e"}, {U'Ė', "E"}, {U'ė', "e"},
    {U'Ę', "E"}, {U'ę', "e"}, {U'Ě', "E"}, {U'ě', "e"}, {U'Ĝ', "G"}, {U'ĝ', "g"}, {U'Ğ', "G"}, {U'ğ', "g"},
    {U'Ġ', "G"}, {U'ġ', "g"}, {U'Ģ', "G"}, {U'ģ', "g"}, {U'Ĥ', "H"}, {U'ĥ', "h"}, {U'Ħ', "H"}, {U'ħ', "h"},
    {U'Ĩ', "I"}, {U'ĩ', "i"}, {U'Ī', "I"}, {U'ī', "i"}, {U'Ĭ', "I"}, {U'ĭ', "i"}, {U'Į', "I"}, {U'į', "i"},
    {U'İ', "I"}, {U'ı', "i"}, {U'Ĳ', "IJ"}, {U'ĳ', "ij"}, {U'Ĵ', "J"}, {U'ĵ', "j"}, {U'Ķ', "K"}, {U'ķ', "k"},
    {U'ĸ', "k"}, {U'Ĺ', "L"}, {U'ĺ', "l"}, {U'Ļ', "L"}, {U'ļ', "l"}, {U'Ľ', "L"}, {U'ľ', "l"}, {U'Ŀ', "L"},
    {U'ŀ', "l"}, {U'Ł', "L"}, {U'ł', "l"}, {U'Ń', "N"}, {U'ń', "n"}, {U'Ņ', "N"}, {U'ņ', "n"}, {U'Ň', "N"},
    {U'ň', "n"}, {U'ŉ', "'n"}, {U'Ŋ', "N"}, {U'ŋ', "n"}, {U'Ō', "O"}, {U'ō', "o"}, {U'Ŏ', "O"}, {U'ŏ', "o"},
    {U'Ő', "O"}, {U'ő', "o"}, {U'Ŕ', "R"}, {U'ŕ', "r"}, {U'Ŗ', "R"}, {U'ŗ', "r"}, {U'Ř', "R"}, {U'ř', "r"},
    {U'Ś', "S"}, {U'ś', "s"}, {U'Ŝ', "S"}, {U'ŝ', "s"}, {U'Ş', "S"}, {U'ş', "s"}, {U'Ţ', "T"}, {U'ţ', "t"},
    {U'Ť', "T"}, {U'ť', "t"}, {U'Ŧ', "T"}, {U'ŧ', "t"}, {U'Ũ', "U"}, {U'ũ', "u"}, {U'Ū', "U"}, {U'ū', "u"},
    {U'Ŭ', "U"}, {U'ŭ', "u"}, {U'Ů', "U"}, {U'ů', "u"}, {U'Ű', "U"}, {U'ű', "u"}, {U'Ų', "U"}, {U'ų', "u"},
    {U'Ŵ', "W"}, {U'ŵ', "w"}, {U'Ŷ', "Y"}, {U'ŷ', "y"}, {U'Ź', "Z"}, {U'ź', "z"}, {U'Ż', "Z"}, {U'ż', "z"},
    {U'ſ', "s"}, {U'ƀ', "b"}, {U'Ɓ', "B"}, {U'Ɔ', "O"}, {U'Ƈ', "C"}, {U'ƈ', "c"}, {U'Ɖ', "D"}, {U'Ɗ', "D"},
    {U'Ƌ', "D"}, {U'ƌ', "d"}, {U'Ǝ', "E"}, {U'Ə', "E"}, {U'Ɛ', "E"}, {U'Ɠ', "G"}, {U'Ɩ', "I"}, {U'Ɨ', "I"},
    {U'Ƙ', "K"}, {U'ƙ', "k"}, {U'ƚ', "l"}, {U'Ɲ', "N"}, {U'Ɵ', "O"}, {U'Ơ', "O"}, {U'ơ', "o"}, {U'Ƥ', "P"},
    {U'ƥ', "p"}, {U'Ƭ', "T"}, {U'ƭ', "t"}, {U'Ʈ', "T"}, {U'Ư', "U"}, {U'ư', "u"}, {U'Ʋ', "V"}, {U'Ƴ', "Y"},
    {U'ƴ', "y"}, {U'Ƶ', "Z"}, {U'ƶ', "z"}, {U'Ʒ', "Z"}, {U'Ǆ', "DZ"}, {U'ǅ', "Dz"}, {U'ǆ', "dz"}, {U'Ǉ', "LJ"},
    {U'ǈ', "Lj"}, {U'ǉ', "lj"}, {U'Ǌ', "NJ"}, {U'ǋ', "Nj"}, {U'ǌ', "nj"}, {U'Ǎ', "A"}, {U'ǎ', "a"}, {U'Ǐ', "I"},
    {U'ǐ', "i"}, {U'Ǒ', "O"}, {U'ǒ', "o"}, {U'Ǔ', "U"}, {U'ǔ', "u"}, {U'Ǖ', "U"}, {U'ǖ', "u"}, {U'Ǘ', "U"},
    {U'ǘ', "u"}, {U'Ǚ', "U"}, {U'ǚ', "u"}, {U'Ǜ', "U"}, {U'ǜ', "u"}, {U'ǝ', "e"}, {U'Ǟ', "A"}, {U'ǟ', "a"},
    {U'Ǡ', "A"}, {U'ǡ', "a"}, {U'Ǣ', "AE"}, {U'ǣ', "ae"}, {U'Ǥ', "G"}, {U'ǥ', "g"}, {U'Ǧ', "G"}, {U'ǧ', "g"},
    {U'Ǩ', "K"}, {U'ǩ', "k"}, {U'Ǫ', "O"}, {U'ǫ', "o"}, {U'Ǭ', "O"}, {U'ǭ', "o"}, {U'ǰ', "j"}, {U'Ǳ', "DZ"},
    {U'ǲ', "Dz"}, {U'ǳ', "dz"}, {U'Ǵ', "G"}, {U'ǵ', "g"}, {U'Ǹ', "N"}, {U'ǹ', "n"}, {U'Ǻ', "A"}, {U'ǻ', "a"},
    {U'Ǽ', "AE"}, {U'ǽ', "ae"}, {U'Ǿ', "O"}, {U'ǿ', "o"}, {U'Ȁ', "A"}, {U'ȁ', "a"}, {U'Ȃ', "A"}, {U'ȃ', "a"},
    {U'Ȅ', "E"}, {U'ȅ', "e"}, {U'Ȇ', "E"}, {U'ȇ', "e"}, {U'Ȉ', "I"}, {U'ȉ', "i"}, {U'Ȋ', "I"}, {U'ȋ', "i"},
    {U'Ȍ', "O"}, {U'ȍ', "o"}, {U'Ȏ', "O"}, {U'ȏ', "o"}, {U'Ȑ', "R"}, {U'ȑ', "r"}, {U'Ȓ', "R"}, {U'ȓ', "r"},
    {U'Ȕ', "U"}, {U'ȕ', "u"}, {U'Ȗ', "U"}, {U'ȗ', "u"}, {U'Ș', "S"}, {U'ș', "s"}, {U'Ț', "T"}, {U'ț', "t"},
    {U'Ȟ', "H"}, {U'ȟ', "h"}, {U'ȡ', "d"}, {U'Ȣ', "OU"}, {U'ȣ', "ou"}, {U'Ȥ', "Z"}, {U'ȥ', "z"}, {U'Ȧ', "A"},
    {U'ȧ', "a"}, {U'Ȩ', "E"}, {U'ȩ', "e"}, {U'Ȫ', "O"}, {U'ȫ', "o"}, {U'Ȭ', "O"}, {U'ȭ', "o"}, {U'Ȯ', "O"},
    {U'ȯ', "o"}, {U'Ȱ', "O"}, {U'ȱ', "o"}, {U'Ȳ', "Y"}, {U'ȳ', "y"}, {U'ȴ', "l"}, {U'ȵ', "n"}, {U'ȶ', "t"},
    {U'ȷ', "j"}, {U'Ȼ', "C"}, {U'ȼ', "c"}, {U'Ƚ', "L"}, {U'Ⱦ', "T"}, {U'Ʉ', "U"}, {U'Ɇ', "E"}, {U'ɇ', "e"},
    {U'Ɉ', "J"}, {U'ɉ', "j"}, {U'Ɍ', "R"}, {U'ɍ', "r"}, {U'Ɏ', "Y"}, {U'ɏ', "y"}, {U'ɔ', "o"}, {U'ə', "e"},
    {U'ɛ', "e"}, {U'\x02B9', "'"}, {U'\x02BB', "'"}, {U'\x02BC', "'"}, {U'\x02BE', "'"}, {U'\x02BF', "'"}, {U'\x02C8', "'"}, {U'Ḁ', "A"}, {U'ḁ', "a"}, {U'Ḃ', "B"}, {U'ḃ', "b"},
    {U'Ḅ', "B"}, {U'ḅ', "b"}, {U'Ḇ', "B"}, {U'ḇ', "b"}, {U'Ḉ', "C"}, {U'ḉ', "c"}, {U'Ḋ', "D"}, {U'ḋ', "d"},
    {U'Ḍ', "D"}, {U'ḍ', "d"}, {U'Ḏ', "D"}, {U'ḏ', "d"}, {U'Ḑ', "D"}, {U'ḑ', "d"}, {U'Ḓ', "D"}, {U'ḓ', "d"},
    {U'Ḕ', "E"}, {U'ḕ', "e"}, {U'Ḗ', "E"}, {U'ḗ', "e"}, {U'Ḙ', "E"}, {U'ḙ', "e"}, {U'Ḛ', "E"}, {U'ḛ', "e"},
    {U'Ḝ', "E"}, {U'ḝ', "e"}, {U'Ḟ', "F"}, {U'ḟ', "f"}, {U'Ḡ', "G"}, {U'ḡ', "g"}, {U'Ḣ', "H"}, {U'ḣ', "h"},
    {U'Ḥ', "H"}, {U'ḥ', "h"}, {U'Ḧ', "H"}, {U'ḧ', "h"}, {U'Ḩ', "H"}, {U'ḩ', "h"}, {U'Ḫ', "H"}, {U'ḫ', "h"},
    {U'Ḭ', "I"}, {U'ḭ', "i"}, {U'Ḯ', "I"}, {U'ḯ', "i"}, {U'Ḱ', "K"}, {U'ḱ', "k"}, {U'Ḳ', "K"}, {U'ḳ', "k"},
    {U'Ḵ', "K"}, {U'ḵ', "k"}, {U'Ḷ', "L"}, {U'ḷ', "l"}, {U'Ḹ', "L"}, {U'ḹ', "l"}, {U'Ḻ', "L"}, {U'ḻ', "l"},
    {U'Ḽ', "L"}, {U'ḽ', "l"}, {U'Ḿ', "M"}, {U'ḿ', "m"}, {U'Ṁ', "M"}, {U'ṁ', "m"}, {U'Ṃ', "M"}, {U'ṃ', "m"},
    {U'Ṅ', "N"}, {U'ṅ', "n"}, {U'Ṇ', "N"}, {U'ṇ', "n"}, {U'Ṉ', "N"}, {U'ṉ', "n"}, {U'Ṋ', "N"}, {U'ṋ', "n"},
    {U'Ṍ', "O"}, {U'ṍ', "o"}, {U'Ṏ', "O"}, {U'ṏ', "o"}, {U'Ṑ', "O"}, {U'ṑ', "o"}, {U'Ṓ', "O"}, {U'ṓ', "o"},
    {U'Ṕ', "P"}, {U'ṕ', "p"}, {U'Ṗ', "P"}, {U'ṗ', "p"}, {U'Ṙ', "R"}, {U'ṙ', "r"}, {U'Ṛ', "R"}, {U'ṛ', "r"},
    {U'Ṝ', "R"}, {U'ṝ', "r"}, {U'Ṟ', "R"}, {U'ṟ', "r"}, {U'Ṡ', "S"}, {U'ṡ', "s"}, {U'Ṣ', "S"}, {U'ṣ', "s"},
    {U'Ṥ', "S"}, {U'ṥ', "s"}, {U'Ṧ', "S"}, {U'ṧ', "s"}, {U'Ṩ', "S"}, {U'ṩ', "s"}, {U'Ṫ', "T"}, {U'ṫ', "t"},
    {U'Ṭ', "T"}, {U'ṭ', "t"}, {U'Ṯ', "T"}, {U'ṯ', "t"}, {U'Ṱ', "T"}, {U'ṱ', "t"}, {U'Ṳ', "U"}, {U'ṳ', "u"},
    {U'Ṵ', "U"}, {U'ṵ', "u"}, {U'Ṷ', "U"}, {U'ṷ', "u"}, {U'Ṹ', "U"}, {U'ṹ', "u"}, {U'Ṻ', "U"}, {U'ṻ', "u"},
    {U'Ṽ', "V"}, {U'ṽ', "v"}, {U'Ṿ', "V"}, {U'ṿ', "v"}, {U'Ẁ', "W"}, {U'ẁ', "w"}, {U'Ẃ', "W"}, {U'ẃ', "w"},
    {U'Ẅ', "W"}, {U'ẅ', "w"}, {U'Ẇ', "W"}, {U'ẇ', "w"}, {U'Ẉ', "W"}, {U'ẉ', "w"}, {U'Ẋ', "X"}, {U'ẋ', "x"},
    {U'Ẍ', "X"}, {U'ẍ', "x"}, {U'Ẏ', "Y"}, {U'ẏ', "y"}, {U'Ẑ', "Z"}, {U'ẑ', "z"}, {U'Ẓ', "Z"}, {U'ẓ', "z"},
    {U'Ẕ', "Z"}, {U'ẕ', "z"}, {U'ẖ', "h"}, {U'ẗ', "t"}, {U'ẘ', "w"}, {U'ẙ', "y"}, {U'ẚ', "a"}, {U'ẛ', "s"},
    {U'ẜ', "s"}, {U'ẝ', "s"}, {U'ẞ', "SS"}, {U'ẟ', "d"}, {U'Ạ', "A"}, {U'ạ', "a"}, {U'Ả', "A"}, {U'ả', "a"},
    {U'Ấ', "A"}, {U'ấ', "a"}, {U'Ầ', "A"}, {U'ầ', "a"}, {U'Ẩ', "A"}, {U'ẩ', "a"}, {U'Ẫ', "A"}, {U'ẫ', "a"},
    {U'Ậ', "A"}, {U'ậ', "a"}, {U'Ắ', "A"}, {U'ắ', "a"}, {U'Ằ', "A"}, {U'ằ', "a"}, {U'Ẳ', "A"}, {U'ẳ', "a"},
    {U'Ẵ', "A"}, {U'ẵ', "a"}, {U'Ặ', "A"}, {U'ặ', "a"}, {U'Ẹ', "E"}, {U'ẹ', "e"}, {U'Ẻ', "E"}, {U'ẻ', "e"},
    {U'Ẽ', "E"}, {U'ẽ', "e"}, {U'Ế', "E"}, {U'ế', "e"}, {U'Ề', "E"}, {U'ề', "e"}, {U'Ể', "E"}, {U'ể', "e"},
    {U'Ễ', "E"}, {U'ễ', "e"}, {U'Ệ', "E"}, {U'ệ', "e"}, {U'Ỉ', "I"}, {U'ỉ', "i"}, {U'Ị', "I"}, {U'ị', "i"},
    {U'Ọ', "O"}, {U'ọ', "o"}, {U'Ỏ', "O"}, {U'ỏ', "o"}, {U'Ố', "O"}, {U'ố', "o"}, {U'Ồ', "O"}, {U'ồ', "o"},
    {U'Ổ', "O"}, {U'ổ', "o"}, {U'Ỗ', "O"}, {U'ỗ', "o"}, {U'Ộ', "O"}, {U'ộ', "o"}, {U'Ớ', "O"}, {U'ớ', "o"},
    {U'Ờ', "O"}, {U'ờ', "o"}, {U'Ở', "O"}, {U'ở', "o"}, {U'Ỡ', "O"}, {U'ỡ', "o"}, {U'Ợ', "O"}, {U'ợ', "o"},
    {U'Ụ', "U"}, {U'ụ', "u"}, {U'Ủ', "U"}, {U'ủ', "u"}, {U'Ứ', "U"}, {U'ứ', "u"}, {U'Ừ', "U"}, {U'ừ', "u"},
    {U'Ử', "U"}, {U'ử', "u"}, {U'Ữ', "U"}, {U'ữ', "u"}, {U'Ự', "U"}, {U'ự', "u"}, {U'Ỳ', "Y"}, {U'ỳ', "y"},
    {U'Ỵ', "Y"}, {U'ỵ', "y"}, {U'Ỷ', "Y"}, {U'ỷ', "y"}, {U'Ỹ', "Y"}, {U'ỹ', "y"}, {U'Ỻ', "LL"}, {U'ỻ', "ll"},
    {U'Ỽ', "V"}, {U'ỽ', "v"}, {U'Ỿ', "Y"}, {U'ỿ', "y"}, {U'\x2010', "-"}, {U'\x2011', "-"}, {U'\x2012', "-"}, {U'\x2015', "-"},
    {U'\x2032', "'"}, {U'\x2033', "\""},
};
static_assert(std::is_sorted(std::begin(kTransliteration), std::end(kTransliteration),
                             [](const Transliteration& a, const Transliteration& b) { return a.letter < b.letter; }));

struct Composition {
    char32_t mark;
    const char32_t* bases;
    const char32_t* composed; // composed[i] is bases[i] with the mark
};
// The canonical compositions of a Latin letter with one combining mark
// (Unicode's, for the letters of Latin-1, Latin Extended-A and -B and
// Latin Extended Additional), by mark. A letter with two marks composes in
// two steps ("e" + dot below + circumflex is "ệ").
const Composition kCompositions[] = {
    {0x0300, U"AEINOUWYaeinouwyÂÊÔÜâêôüĂăĒēŌōƠơƯư", U"ÀÈÌǸÒÙẀỲàèìǹòùẁỳẦỀỒǛầềồǜẰằḔḕṐṑỜờỪừ"}, // combining grave accent
    {0x0301, U"ACEGIKLMNOPRSUWYZacegiklmnoprsuwyzÂÅÆÇÊÏÔÕØÜâåæçêïôõøüĂăĒēŌōŨũƠơƯư", U"ÁĆÉǴÍḰĹḾŃÓṔŔŚÚẂÝŹáćéǵíḱĺḿńóṕŕśúẃýźẤǺǼḈẾḮỐṌǾǗấǻǽḉếḯốṍǿǘẮắḖḗṒṓṸṹỚớỨứ"}, // combining acute accent
    {0x0302, U"ACEGHIJOSUWYZaceghijosuwyzẠạẸẹỌọ", U"ÂĈÊĜĤÎĴÔŜÛŴŶẐâĉêĝĥîĵôŝûŵŷẑẬậỆệỘộ"}, // combining circumflex accent
    {0x0303, U"AEINOUVYaeinouvyÂÊÔâêôĂăƠơƯư", U"ÃẼĨÑÕŨṼỸãẽĩñõũṽỹẪỄỖẫễỗẴẵỠỡỮữ"}, // combining tilde
    {0x0304, U"AEGIOUYaegiouyÄÆÕÖÜäæõöüǪǫȦȧȮȯḶḷṚṛ", U"ĀĒḠĪŌŪȲāēḡīōūȳǞǢȬȪǕǟǣȭȫǖǬǭǠǡȰȱḸḹṜṝ"}, // combining macron
    {0x0306, U"AEGIOUaegiouȨȩẠạ", U"ĂĔĞĬŎŬăĕğĭŏŭḜḝẶặ"}, // combining breve
    {0x0307, U"ABCDEFGHIMNOPRSTWXYZabcdefghmnoprstwxyzŚśŠšſṢṣ", U"ȦḂĊḊĖḞĠḢİṀṄȮṖṘṠṪẆẊẎŻȧḃċḋėḟġḣṁṅȯṗṙṡṫẇẋẏżṤṥṦṧẛṨṩ"}, // combining dot above
    {0x0308, U"AEHIOUWXYaehiotuwxyÕõŪū", U"ÄËḦÏÖÜẄẌŸäëḧïöẗüẅẍÿṎṏṺṻ"}, // combining diaeresis
    {0x0309, U"AEIOUYaeiouyÂÊÔâêôĂăƠơƯư", U"ẢẺỈỎỦỶảẻỉỏủỷẨỂỔẩểổẲẳỞởỬử"}, // combining hook above
    {0x030A, U"AUauwy", U"ÅŮåůẘẙ"}, // combining ring above
    {0x030B, U"OUou", U"ŐŰőű"}, // combining double acute accent
    {0x030C, U"ACDEGHIKLNORSTUZacdeghijklnorstuzÜüƷʒ", U"ǍČĎĚǦȞǏǨĽŇǑŘŠŤǓŽǎčďěǧȟǐǰǩľňǒřšťǔžǙǚǮǯ"}, // combining caron
    {0x030F, U"AEIORUaeioru", U"ȀȄȈȌȐȔȁȅȉȍȑȕ"}, // combining double grave accent
    {0x0311, U"AEIORUaeioru", U"ȂȆȊȎȒȖȃȇȋȏȓȗ"}, // combining inverted breve
    {0x031B, U"OUou", U"ƠƯơư"}, // combining horn
    {0x0323, U"ABDEHIKLMNORSTUVWYZabdehiklmnorstuvwyzƠơƯư", U"ẠḄḌẸḤỊḲḶṂṆỌṚṢṬỤṾẈỴẒạḅḍẹḥịḳḷṃṇọṛṣṭụṿẉỵẓỢợỰự"}, // combining dot below
    {0x0324, U"Uu", U"Ṳṳ"}, // combining diaeresis below
    {0x0325, U"Aa", U"Ḁḁ"}, // combining ring below
    {0x0326, U"STst", U"ȘȚșț"}, // combining comma below
    {0x0327, U"CDEGHKLNRSTcdeghklnrst", U"ÇḐȨĢḨĶĻŅŖŞŢçḑȩģḩķļņŗşţ"}, // combining cedilla
    {0x0328, U"AEIOUaeiou", U"ĄĘĮǪŲąęįǫų"}, // combining ogonek
    {0x032D, U"DELNTUdelntu", U"ḒḘḼṊṰṶḓḙḽṋṱṷ"}, // combining circumflex accent below
    {0x032E, U"Hh", U"Ḫḫ"}, // combining breve below
    {0x0330, U"EIUeiu", U"ḚḬṴḛḭṵ"}, // combining tilde below
    {0x0331, U"BDKLNRTZbdhklnrtz", U"ḆḎḴḺṈṞṮẔḇḏẖḵḻṉṟṯẕ"}, // combining macron below
};

// The letter `base` with the combining `mark`, or 0 when they do not compose.
char32_t Composed(char32_t base, char32_t mark)
{
    for (const Composition& c : kCompositions) {
        if (c.mark != mark)
            continue;
        for (std::size_t i = 0; c.bases[i]; ++i)
            if (c.bases[i] == base)
                return c.composed[i];
        return 0;
    }
    return 0;
}

bool IsCombiningMark(char32_t cp)
{
    return cp >= 0x300 && cp <= 0x36F;
}

// One code point from UTF-8 at i (advancing i); U+FFFD for a bad sequence.
char32_t NextCodePoint(std::string_view s, std::size_t& i)
{
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (len == 0 || i + len > s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = len == 1 ? b : b & (0x7F >> len);
    for (std::size_t k = 1; k < len; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    i += len;
    return cp;
}

const char* TransliterationOf(char32_t cp)
{
    const auto* end = std::end(kTransliteration);
    const auto* it = std::lower_bound(std::begin(kTransliteration), end, cp,
                                      [](const Transliteration& t, char32_t c) { return t.letter < c; });
    return it != end && it->letter == cp ? it->latin : nullptr;
}

} // namespace

std::string EncodePlace(const PlaceRecord& p)
{
    std::string bytes(kPlaceSize, '\0');
    char* b = bytes.data();
    ShortString<31>::Put(b + kNameOffset, p.name);
    PutExtended(b + kLatitudeOffset, p.latitude);
    PutExtended(b + kLongitudeOffset, p.longitude);
    PutLE32(b + kGregorianOffset, static_cast<std::uint32_t>(p.gregorianFrom));
    PutLE32(b + kPopulationOffset, static_cast<std::uint32_t>(p.population));
    PutLE32(b + kRegimeOffset, static_cast<std::uint32_t>(p.regime));
    ShortString<23>::Put(b + kStateOffset, p.state);
    return bytes;
}

PlaceRecord DecodePlace(std::string_view bytes)
{
    PlaceRecord p;
    if (bytes.size() < kPlaceSize)
        return p;
    const char* b = bytes.data();
    p.name = ShortString<31>::Get(b + kNameOffset);
    p.latitude = GetExtended(b + kLatitudeOffset);
    p.longitude = GetExtended(b + kLongitudeOffset);
    p.gregorianFrom = static_cast<std::int32_t>(GetLE32(b + kGregorianOffset));
    p.population = static_cast<std::int32_t>(GetLE32(b + kPopulationOffset));
    p.regime = static_cast<std::int32_t>(GetLE32(b + kRegimeOffset));
    p.state = ShortString<23>::Get(b + kStateOffset);
    return p;
}

std::string PlaceSortKey(std::string_view name)
{
    // Windows-1252 letters from 0xC0 on, without their accents.
    static const char* const kFolded[64] = {
        "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",  // C0-CF
        "D", "N", "O", "O", "O", "O", "O", nullptr, "O", "U", "U", "U", "U", "Y", "TH", "SS", // D0-DF
        "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",  // E0-EF
        "D", "N", "O", "O", "O", "O", "O", nullptr, "O", "U", "U", "U", "U", "Y", "TH", "Y", // F0-FF
    };
    std::string key;
    bool separator = false; // a separator waits to be written
    auto put = [&](const char* letters) {
        if (separator && !key.empty() && key.back() != kProvinceMark)
            key += ' ';
        separator = false;
        key += letters;
    };
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        char plain[2] = {static_cast<char>(c), '\0'};
        if (c >= 'a' && c <= 'z') {
            plain[0] = static_cast<char>(c - 'a' + 'A');
            put(plain);
        } else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            put(plain);
        } else if (c == '*' || c == '(' || c == ')') {
            // The province mark sorts before every letter and the blank, so
            // that a name comes before the longer names it begins
            // ("Milano*MI*" before "Milano Marittima*RA*").
            separator = false;
            key += kProvinceMark;
        } else if (c >= 0xC0 && kFolded[c - 0xC0]) {
            put(kFolded[c - 0xC0]);
        } else if (c == 0x8A || c == 0x9A) { // Š š
            put("S");
        } else if (c == 0x8E || c == 0x9E) { // Ž ž
            put("Z");
        } else if (c == 0x8C || c == 0x9C) { // Œ œ
            put("OE");
        } else if (c == 0x9F) { // Ÿ
            put("Y");
        } else if (c == 0x83) { // ƒ
            put("F");
        } else if (c == 0xAA) { // ª
            put("A");
        } else if (c == 0xBA) { // º
            put("O");
        } else {
            separator = true;
        }
        // No blank before a province mark.
        if (!key.empty() && key.back() == kProvinceMark && key.size() >= 2 && key[key.size() - 2] == ' ')
            key.erase(key.size() - 2, 1);
    }
    return key;
}

std::vector<std::size_t> FindPlaces(const char* file, std::string_view prefix, std::size_t limit)
{
    const HeldRecords places(file, kPlaceSize);
    const std::string key = PlaceSortKey(prefix);
    std::vector<std::size_t> found;
    const std::size_t count = places.Count();
    for (std::size_t i = FirstNotBelow(count, key, [&](std::size_t k) { return NameKeyAt(places, k); });
         i < count && found.size() < limit; ++i) {
        if (!StartsWith(NameKeyAt(places, i), key))
            break;
        found.push_back(i);
    }
    return found;
}

std::string EncodeAlias(const PlaceAlias& a)
{
    std::string bytes(kAliasSize, '\0');
    ShortString<kAliasCapacity>::Put(bytes.data(), a.name);
    PutLE32(bytes.data() + kAliasRecordOffset, static_cast<std::uint32_t>(a.record));
    PutLE32(bytes.data() + kAliasPopulationOffset, static_cast<std::uint32_t>(a.population));
    return bytes;
}

PlaceAlias DecodeAlias(std::string_view bytes)
{
    PlaceAlias a;
    if (bytes.size() < kAliasSize)
        return a;
    a.name = ShortString<kAliasCapacity>::Get(bytes.data());
    a.record = static_cast<std::int32_t>(GetLE32(bytes.data() + kAliasRecordOffset));
    a.population = static_cast<std::int32_t>(GetLE32(bytes.data() + kAliasPopulationOffset));
    return a;
}

std::string AliasFileOf(const char* gazetteer)
{
    std::string name = gazetteer;
    const std::size_t dot = name.rfind('.');
    return (dot == std::string::npos ? name : name.substr(0, dot)) + ".ALT";
}

std::vector<PlaceMatch> SearchPlaces(const char* gazetteer, std::string_view typed, std::size_t limit)
{
    const std::string key = PlaceSortKey(typed);
    if (key.empty() || limit == 0)
        return {};
    struct Hit {
        std::string key;
        std::int32_t population;
        PlaceMatch match;
    };
    auto before = [](const Hit& a, const Hit& b) {
        return a.key != b.key ? a.key < b.key : a.population > b.population;
    };

    std::vector<Hit> hits;
    std::set<std::size_t> found;
    const HeldRecords places(gazetteer, kPlaceSize);
    const std::size_t count = places.Count();
    for (std::size_t i = FirstNotBelow(count, key, [&](std::size_t k) { return NameKeyAt(places, k); });
         i < count && hits.size() < limit; ++i) {
        const std::string bytes = places.Read(i);
        std::string k = PlaceSortKey(ShortString<31>::Get(bytes.data() + kNameOffset));
        if (!StartsWith(k, key))
            break;
        hits.push_back({std::move(k), static_cast<std::int32_t>(GetLE32(bytes.data() + kPopulationOffset)), {i, {}}});
        found.insert(i);
    }
    const std::size_t direct = hits.size();

    const std::string aliasFile = AliasFileOf(gazetteer);
    if (ProgramPath::Exists(aliasFile)) {
        const HeldRecords aliases(aliasFile.c_str(), kAliasSize);
        const std::size_t aliasCount = aliases.Count();
        auto aliasKey = [&](std::size_t k) {
            return PlaceSortKey(ShortString<kAliasCapacity>::Get(aliases.Read(k).data()));
        };
        for (std::size_t i = FirstNotBelow(aliasCount, key, aliasKey); i < aliasCount && hits.size() - direct < limit;
             ++i) {
            PlaceAlias a = DecodeAlias(aliases.Read(i));
            std::string k = PlaceSortKey(a.name);
            if (!StartsWith(k, key))
                break;
            const auto record = static_cast<std::size_t>(a.record);
            if (a.record < 0 || record >= count || !found.insert(record).second)
                continue; // found by its own name or by another name already
            hits.push_back({std::move(k), a.population, {record, std::move(a.name)}});
        }
    }
    std::inplace_merge(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(direct), hits.end(), before);
    std::vector<PlaceMatch> out;
    for (std::size_t i = 0; i < hits.size() && out.size() < limit; ++i)
        out.push_back(std::move(hits[i].match));
    return out;
}

TypedPlace ReadTypedPlace(std::string_view utf8)
{
    TypedPlace t;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t cp = NextCodePoint(utf8, i);
        if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) {
            t.problem = "Il nome della localit\xE0 contiene caratteri di controllo";
            return t;
        }
    }
    const std::optional<std::string> name = PlaceNameFromUtf8(utf8);
    if (!name) {
        t.problem = "Il nome della localit\xE0 contiene lettere di un alfabeto non latino: "
                    "scriverlo in lettere latine (per esempio Mosca, Pechino, Atene)";
        return t;
    }
    t.name = TrimBlanks(*name);
    if (t.name.size() > kAliasCapacity)
        t.problem = "Nome della localit\xE0 troppo lungo: al pi\xF9 " + std::to_string(kAliasCapacity) + " caratteri";
    else if (PlaceSortKey(t.name).empty())
        t.problem = "Scrivere le prime lettere del nome della localit\xE0";
    return t;
}

PlaceRecord ReadPlace(const char* file, std::size_t index)
{
    return DecodePlace(HeldRecords(file, kPlaceSize).Read(index));
}

std::size_t PlaceCount(const char* file)
{
    return HeldRecords(file, kPlaceSize).Count();
}

bool IsItalianRegime(std::int32_t regime)
{
    return regime / kRegimeKindUnit == 1;
}

std::string RegimeFileName(std::int32_t regime)
{
    // Digits 2-9 of the regime number name the file (the working copy of a
    // foreign zone is named by its key in Elencal.002 instead).
    return std::string("Calendar\\") + PadDigits(regime % kRegimeKindUnit, 8) + ".CAL";
}

int ForeignZoneLine(std::int32_t regime)
{
    return regime / kRegimeKindUnit == 2 ? static_cast<int>(regime % kRegimeKindUnit) : 0;
}

std::string PlaceCoordText(long double latitude, long double longitude)
{
    return AngleText(latitude, 2, 'N', 'S') + " " + AngleText(longitude, 3, 'E', 'W');
}

std::optional<std::string> PlaceNameFromUtf8(std::string_view utf8, bool* transliterated)
{
    // Code points first, each letter composed with the marks that follow it.
    std::vector<char32_t> letters;
    bool replaced = false;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t cp = NextCodePoint(utf8, i);
        if (IsCombiningMark(cp) && !letters.empty()) {
            if (const char32_t c = Composed(letters.back(), cp)) {
                letters.back() = c;
                continue;
            }
        }
        letters.push_back(cp);
    }
    std::string out;
    for (const char32_t cp : letters) {
        if (cp == U'’' || cp == U'‘') { // typographic apostrophes: the typed one
            out += '\'';
            continue;
        }
        const int byte = cp >= 0x80 && cp < 0xA0 ? -1 : Cp1252::FromUnicode(cp);
        if (byte >= 0) {
            out += static_cast<char>(byte);
            continue;
        }
        replaced = true;
        if (IsCombiningMark(cp)) // a mark no letter takes
            continue;
        const char* latin = TransliterationOf(cp);
        if (!latin)
            return std::nullopt;
        out += latin;
    }
    if (transliterated)
        *transliterated = replaced;
    return out;
}
