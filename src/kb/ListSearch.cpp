#include "kb/ListSearch.h"

#include "kb/ListOrder.h"

void TypeSearchKey(std::string& text, char key, bool upperAll)
{
    if (key == '\r' || key == '\n')
        return;
    if (key == '\b') {
        if (!text.empty())
            text.pop_back();
        return;
    }
    const std::string k(1, key);
    text += (upperAll || text.empty()) ? UpperCase1252(k) : k;
}

int FindListPrefix(const std::vector<std::string>& items, std::string_view text)
{
    if (items.empty())
        return -1;
    // A scan rather than a bisection: a support list is sorted on its whole
    // lines, which may carry more than the text shown ("Tosse*..." sorts
    // after "Tosse secca*..."), and the first line that begins with the
    // text is wanted, not any of them. The lists hold a few thousand lines.
    int after = -1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int c = ComparePrefixListText(items[i], text);
        if (c == 0)
            return static_cast<int>(i);
        if (c > 0 && after < 0)
            after = static_cast<int>(i);
    }
    return after >= 0 ? after : static_cast<int>(items.size()) - 1;
}
