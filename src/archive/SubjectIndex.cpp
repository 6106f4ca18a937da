#include "archive/SubjectIndex.h"

#include "archive/SubjectRecord.h"
#include "platform/TextFile.h"
#include "shell/UnServizi.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr std::size_t kNameWidth = 38;
constexpr std::size_t kTextWidth = 43; // name + 5-digit number

unsigned char UpperByte(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) // a-z, à..þ but not ÷
        return static_cast<unsigned char>(c - 32);
    if (c == 0x9A || c == 0x9C || c == 0x9E) // š œ ž
        return static_cast<unsigned char>(c - 16);
    if (c == 0xFF) // ÿ
        return 0x9F;
    return c;
}

// For every byte, the bytes whose upper case it is, in ascending order
// (itself first when it is upper case already: "A" -> "A", "a").
struct CaseForms {
    std::array<std::vector<unsigned char>, 256> of;
    CaseForms()
    {
        for (int c = 0; c < 256; ++c)
            of[UpperByte(static_cast<unsigned char>(c))].push_back(static_cast<unsigned char>(c));
    }
};
const CaseForms& Forms()
{
    static const CaseForms forms;
    return forms;
}

std::string_view RightTrimmed(std::string_view s)
{
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

bool BeginsInUpperCase(std::string_view name, std::string_view upperPrefix)
{
    if (name.size() < upperPrefix.size())
        return false;
    for (std::size_t k = 0; k < upperPrefix.size(); ++k)
        if (UpperByte(static_cast<unsigned char>(name[k])) != static_cast<unsigned char>(upperPrefix[k]))
            return false;
    return true;
}

} // namespace

std::string UpperName(std::string_view text)
{
    std::string u(text);
    for (char& ch : u)
        ch = static_cast<char>(UpperByte(static_cast<unsigned char>(ch)));
    return u;
}

SubjectIndex::SubjectIndex(std::string bytes) : bytes_(std::move(bytes))
{
    count_ = bytes_.size() / kSt1Size;
    bytes_.resize(count_ * kSt1Size);
}

SubjectIndex SubjectIndex::Read(const std::string& file)
{
    return SubjectIndex(ReadFileBytes(file));
}

std::string_view SubjectIndex::Record(std::size_t i) const
{
    return std::string_view(bytes_).substr(i * kSt1Size, kSt1Size);
}

namespace {
// The short string of a whole ST1 record.
std::string_view RecordText(const char* r)
{
    const std::size_t len = std::min<std::size_t>(static_cast<unsigned char>(r[0]), kTextWidth);
    return std::string_view(r + 1, len);
}
} // namespace

std::string_view SubjectIndex::Text(std::size_t i) const
{
    return RecordText(bytes_.data() + i * kSt1Size);
}

std::string_view SubjectIndex::Name(std::size_t i) const
{
    return RightTrimmed(Text(i).substr(0, kNameWidth));
}

int SubjectIndex::Number(std::size_t i) const
{
    const std::string_view text = Text(i);
    if (text.size() < kTextWidth)
        return -1;
    int n = 0;
    for (char c : text.substr(kNameWidth, 5)) {
        if (c < '0' || c > '9')
            return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

bool SubjectIndex::Sorted() const
{
    if (!sorted_) {
        sorted_ = true;
        for (std::size_t i = 2; i < count_ && *sorted_; ++i)
            sorted_ = !(Text(i) < Text(i - 1));
    }
    return *sorted_;
}

std::size_t SubjectIndex::UpperBound(std::string_view text) const
{
    std::size_t lo = std::min<std::size_t>(1, count_), hi = count_;
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (text < Text(mid))
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

std::size_t SubjectIndex::BubbleIn(std::string_view record)
{
    bytes_.append(record.substr(0, kSt1Size));
    bytes_.resize((count_ + 1) * kSt1Size, '\0');
    std::size_t moving = count_++;
    sorted_.reset();
    for (std::size_t i = count_ - 1; i >= 2; --i) {
        if (Text(i) < Text(i - 1)) {
            char* a = bytes_.data() + (i - 1) * kSt1Size;
            std::swap_ranges(a, a + kSt1Size, a + kSt1Size);
            if (moving == i)
                moving = i - 1;
            else if (moving == i - 1)
                moving = i;
        }
    }
    return moving;
}

std::size_t SubjectIndex::Insert(std::string_view record)
{
    if (!Sorted())
        return BubbleIn(record);
    std::string r(record.substr(0, kSt1Size));
    r.resize(kSt1Size, '\0');
    const std::size_t at = UpperBound(RecordText(r.data()));
    bytes_.insert(at * kSt1Size, r);
    ++count_;
    return at;
}

void SubjectIndex::InsertAll(const std::vector<std::string>& records)
{
    if (records.empty())
        return;
    if (!Sorted() || count_ == 0) {
        for (const std::string& r : records)
            BubbleIn(r);
        return;
    }
    std::string added;
    for (const std::string& r : records) {
        std::string padded = r.substr(0, kSt1Size);
        padded.resize(kSt1Size, '\0');
        added += padded;
    }
    const SubjectIndex fresh(std::move(added));
    // Inserted one at a time, each new entry lands after every entry that
    // does not sort after it, earlier new ones included: the new entries in
    // a stable sort, merged after the equal old ones.
    std::vector<std::size_t> order(fresh.Count());
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k] = k;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return fresh.Text(a) < fresh.Text(b); });
    std::string merged;
    merged.reserve(bytes_.size() + fresh.Bytes().size());
    merged.append(Record(0));
    std::size_t i = 1;
    for (std::size_t k : order) {
        const std::size_t until = UpperBound(fresh.Text(k));
        if (until > i) {
            merged.append(bytes_, i * kSt1Size, (until - i) * kSt1Size);
            i = until;
        }
        merged.append(fresh.Record(k));
    }
    merged.append(bytes_, i * kSt1Size, std::string::npos);
    bytes_ = std::move(merged);
    count_ += fresh.Count();
}

void SubjectIndex::Erase(std::size_t i)
{
    bytes_.erase(i * kSt1Size, kSt1Size);
    --count_;
    if (sorted_ && !*sorted_)
        sorted_.reset(); // the entry out of place may have gone
}

std::vector<std::pair<std::size_t, std::size_t>> SubjectIndex::CaseRanges(std::string_view upper) const
{
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    if (count_ < 2)
        return ranges;
    ranges.push_back({1, count_});
    if (!Sorted())
        return ranges; // every entry is a candidate
    // Within a range every entry shares its first `depth` bytes, so the
    // entries are in order of their next byte (a text that ends there
    // first): each letter-case form of the next character is one sub-range.
    for (std::size_t depth = 0; depth < upper.size() && !ranges.empty(); ++depth) {
        std::vector<std::pair<std::size_t, std::size_t>> next;
        auto key = [&](std::size_t i) {
            const std::string_view t = Text(i);
            return t.size() > depth ? static_cast<int>(static_cast<unsigned char>(t[depth])) : -1;
        };
        for (const auto& [first, last] : ranges) {
            for (unsigned char form : Forms().of[static_cast<unsigned char>(upper[depth])]) {
                std::size_t lo = first, hi = last;
                while (lo < hi) { // first entry whose byte is not below `form`
                    const std::size_t mid = lo + (hi - lo) / 2;
                    if (key(mid) < form)
                        lo = mid + 1;
                    else
                        hi = mid;
                }
                std::size_t end = lo;
                hi = last;
                while (end < hi) { // first entry whose byte is above it
                    const std::size_t mid = end + (hi - end) / 2;
                    if (key(mid) <= form)
                        end = mid + 1;
                    else
                        hi = mid;
                }
                if (lo < end)
                    next.push_back({lo, end});
            }
        }
        ranges = std::move(next);
    }
    return ranges;
}

template <class Match>
std::optional<std::size_t> SubjectIndex::FirstIn(const std::vector<std::pair<std::size_t, std::size_t>>& ranges,
                                                 Match match) const
{
    std::optional<std::size_t> first;
    for (const auto& [from, to] : ranges)
        for (std::size_t i = from; i < to && (!first || i < *first); ++i)
            if (match(i)) {
                first = i;
                break;
            }
    return first;
}

std::optional<std::size_t> SubjectIndex::FirstWithPrefix(std::string_view prefix) const
{
    const std::string upper = UpperName(prefix);
    if (upper.size() > kNameWidth)
        return std::nullopt; // no name is that long
    return FirstIn(CaseRanges(upper), [&](std::size_t i) { return BeginsInUpperCase(Name(i), upper); });
}

std::optional<std::size_t> SubjectIndex::FirstNamed(std::string_view name) const
{
    const std::string wanted = UpperName(TrimBlanks(name));
    auto match = [&](std::size_t i) { return UpperName(TrimBlanks(Name(i))) == wanted; };
    if (!Sorted())
        return FirstIn(CaseRanges(wanted), match);
    // A name stored with blanks before it sorts among the names that begin
    // with a blank: one bisection for each number of leading blanks.
    std::optional<std::size_t> first;
    for (std::size_t blanks = 0; blanks + wanted.size() <= kNameWidth; ++blanks) {
        if (blanks > 0 && CaseRanges(std::string(blanks, ' ')).empty())
            break;
        if (const auto found = FirstIn(CaseRanges(std::string(blanks, ' ') + wanted), match))
            if (!first || *found < *first)
                first = found;
    }
    return first;
}

std::optional<std::size_t> SubjectIndex::FindText(std::string_view text) const
{
    if (Sorted()) {
        const std::size_t after = UpperBound(text);
        if (after > 1 && after - 1 < count_ && Text(after - 1) == text)
            return after - 1;
        return std::nullopt;
    }
    for (std::size_t i = 1; i < count_; ++i)
        if (Text(i) == text)
            return i;
    return std::nullopt;
}
