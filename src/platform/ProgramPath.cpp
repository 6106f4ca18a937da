#include "platform/ProgramPath.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {
fs::path& RootStorage()
{
    static fs::path root = fs::current_path();
    return root;
}

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z')
            x -= 32;
        if (y >= 'a' && y <= 'z')
            y -= 32;
        if (x != y)
            return false;
    }
    return true;
}
} // namespace

namespace ProgramPath {

void SetRoot(const fs::path& root)
{
    std::error_code ec;
    fs::path abs = fs::absolute(root, ec);
    RootStorage() = ec ? root : abs.lexically_normal();
}

const fs::path& Root()
{
    return RootStorage();
}

fs::path Resolve(std::string_view name)
{
    std::string n(name);
    for (char& c : n)
        if (c == '\\')
            c = '/';
    fs::path result;
    std::string_view rest = n;
    if (!rest.empty() && rest.front() == '/') {
        result = "/";
        rest.remove_prefix(1);
    } else {
        result = Root();
    }
    bool existing = true; // every component so far exists as resolved
    while (!rest.empty()) {
        std::size_t slash = rest.find('/');
        std::string_view comp = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (comp.empty() || comp == ".")
            continue;
        if (comp == "..") {
            result = result.parent_path();
            continue;
        }
        if (existing) {
            std::error_code ec;
            fs::path exact = result / std::string(comp);
            if (fs::exists(exact, ec)) {
                result = exact;
                continue;
            }
            bool found = false;
            for (fs::directory_iterator it(result, ec), end; !ec && it != end; it.increment(ec)) {
                const std::string entry = it->path().filename().string();
                if (SameIgnoringCase(entry, comp)) {
                    result /= entry;
                    found = true;
                    break;
                }
            }
            if (found)
                continue;
            existing = false;
        }
        result /= std::string(comp);
    }
    return result;
}

bool Exists(std::string_view name)
{
    std::error_code ec;
    return fs::exists(Resolve(name), ec);
}

void EnsureParentFolders(std::string_view name)
{
    std::error_code ec;
    fs::create_directories(Resolve(name).parent_path(), ec);
}

} // namespace ProgramPath
