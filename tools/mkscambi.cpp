// Writes the exchange tables of the archetypal-structure page:
// Scambi\Scambio22.txt, Scambio33.txt, Scambio44.txt and Scambio55.txt.
// Usage: mkscambi OUTPUT_DIR
//
// An exchange of n planets (n = 2..5) is a closed chain of domicile
// receptions: each planet stands in a sign ruled by the next one, and the
// last in a sign ruled by the first. For n = 2 this is the mutual reception
// (Sun in Cancer with Moon in Leo, Mars in Libra with Venus in Aries...).
// Every such chain among the seven planets is written as its key: the
// planets in ascending order, each as its number and the number of its sign
// (two digits each). One key per line, in ascending order, so the output
// is the same on every run.
#include "chart/AttributionKeys.h"
#include "platform/Cp1252.h"
#include "platform/ProgramPath.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace AttributionKeys;

namespace {

std::vector<int> DomicilesOf(int planet)
{
    std::vector<int> signs;
    for (int s = 1; s <= 12; ++s)
        if (kDomicileRuler[s - 1] == planet)
            signs.push_back(s);
    return signs;
}

// All chains through the planets of `set` (ascending), each chain being a
// cyclic order of the set with the first planet fixed.
void AddChains(const std::vector<int>& set, std::set<std::string>& keys)
{
    std::vector<int> rest(set.begin() + 1, set.end());
    do {
        std::vector<int> order {set[0]};
        order.insert(order.end(), rest.begin(), rest.end());
        // order[i] stands in a domicile of order[i + 1] (cyclically). Walk
        // every combination of those domiciles.
        const std::size_t n = order.size();
        std::vector<std::vector<int>> choices(n);
        for (std::size_t i = 0; i < n; ++i)
            choices[i] = DomicilesOf(order[(i + 1) % n]);
        std::vector<std::size_t> pick(n, 0);
        for (;;) {
            std::vector<int> signs(set.size());
            for (std::size_t i = 0; i < n; ++i) {
                const auto at = std::find(set.begin(), set.end(), order[i]) - set.begin();
                signs[static_cast<std::size_t>(at)] = choices[i][pick[i]];
            }
            keys.insert(ExchangeKey(set, signs));
            std::size_t i = 0;
            while (i < n && ++pick[i] == choices[i].size())
                pick[i++] = 0;
            if (i == n)
                break;
        }
    } while (std::next_permutation(rest.begin(), rest.end()));
}

std::vector<std::string> ChainKeys(int n)
{
    std::set<std::string> keys;
    // Subsets of n planets out of 7, as bit masks in ascending order.
    for (int mask = 0; mask < (1 << kPlanets); ++mask) {
        std::vector<int> set;
        for (int p = 1; p <= kPlanets; ++p)
            if (mask & (1 << (p - 1)))
                set.push_back(p);
        if (static_cast<int>(set.size()) == n)
            AddChains(set, keys);
    }
    return {keys.begin(), keys.end()};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "uso: mkscambi CARTELLA_USCITA\n");
        return 2;
    }
    try {
        const fs::path out = argv[1];
        fs::create_directories(out / "Scambi");
        ProgramPath::SetRoot(out);
        for (int n = 2; n <= 5; ++n)
            WriteTextLines("Scambi\\Scambio" + std::to_string(n) + std::to_string(n) + ".txt", ChainKeys(n));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkscambi: %s\n", Cp1252::ToUtf8(e.what()).c_str());
        return 1;
    }
    return 0;
}
