#include "kb/SignatureSearch.h"

#include "kb/KbRecords.h"
#include "platform/TextFile.h"

#include <charconv>

SignatureRow SignatureRowOf(const RemedyRecord& r)
{
    return {r.Name, r.PrimarySignature, r.SecondarySignature, r.ZodiacSignature};
}

bool SignatureMatches(const RemedyRecord& r, std::string_view planet, std::string_view sign)
{
    const bool planetOk = planet == kAnySignature || r.PrimarySignature.find(planet) != std::string::npos ||
                          r.SecondarySignature.find(planet) != std::string::npos;
    const bool signOk = sign == kAnySignature || r.ZodiacSignature.find(sign) != std::string::npos;
    return planetOk && signOk;
}

bool SameRemedyName(std::string_view stored, std::string_view entry)
{
    const std::size_t first = stored.find_first_not_of(' ');
    stored = first == std::string_view::npos ? std::string_view() : stored.substr(first);
    return stored == entry;
}

namespace {

std::optional<std::size_t> RecordNumber(const std::string& line)
{
    std::size_t n = 0;
    const char* end = line.data() + line.size();
    const auto [p, ec] = std::from_chars(line.data(), end, n);
    if (ec != std::errc() || p != end || line.empty())
        return std::nullopt;
    return n;
}

} // namespace

std::vector<SignatureRow> SearchSignatures(const std::vector<std::string>& list, std::string_view planet,
                                           std::string_view sign)
{
    const std::vector<std::string> index = ReadTextLines(kRemedyIndexFile);
    const std::vector<RemedyRecord> records = ReadPrimaryDatabase(kRemedyName | kRemedySignatures);
    std::vector<SignatureRow> rows;
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < list.size() && k < index.size(); ++k) {
        // A line that is not a record number of the file names no record.
        const std::optional<std::size_t> n = RecordNumber(index[k]);
        if (!n || *n >= records.size())
            continue;
        const RemedyRecord& r = records[*n];
        if (!SameRemedyName(r.Name, list[k]) || !SignatureMatches(r, planet, sign))
            continue;
        rows.push_back(SignatureRowOf(r));
        lines.insert(lines.end(), {r.Name, r.PrimarySignature, r.SecondarySignature, r.ZodiacSignature});
    }
    WriteTextLines(kSignatureResultFile, lines);
    return rows;
}

std::size_t SignaturePageCount(std::size_t total)
{
    return (total + kSignatureRows - 1) / kSignatureRows;
}

std::string SignaturePageText(std::size_t page, std::size_t pages)
{
    return std::to_string(page) + "/" + std::to_string(pages);
}

std::vector<SignatureRow> ReadSignaturePage(std::size_t page)
{
    const std::vector<std::string> lines = ReadTextLines(kSignatureResultFile);
    std::vector<SignatureRow> rows(kSignatureRows);
    const std::size_t first = (page < 1 ? 0 : page - 1) * kSignatureRows * 4;
    for (std::size_t k = 0; k < kSignatureRows; ++k) {
        const std::size_t at = first + 4 * k;
        rows[k] = {LineOrEmpty(lines, at), LineOrEmpty(lines, at + 1), LineOrEmpty(lines, at + 2),
                   LineOrEmpty(lines, at + 3)};
    }
    return rows;
}
