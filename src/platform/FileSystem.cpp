#include "platform/FileSystem.h"

#include "platform/Errors.h"
#include "platform/ProgramPath.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
FileSystem::LocalTime FromTimeT(std::time_t t)
{
    std::tm tm {};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

bool WildMatch(std::string_view pat, std::string_view s)
{
    if (pat.empty())
        return s.empty();
    if (pat.front() == '*')
        return WildMatch(pat.substr(1), s) || (!s.empty() && WildMatch(pat, s.substr(1)));
    if (s.empty())
        return false;
    auto up = [](unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; };
    if (pat.front() != '?' && up(pat.front()) != up(s.front()))
        return false;
    return WildMatch(pat.substr(1), s.substr(1));
}
} // namespace

namespace FileSystem {

std::optional<LocalTime> ModificationTime(std::string_view name)
{
    std::error_code ec;
    auto ft = fs::last_write_time(ProgramPath::Resolve(name), ec);
    if (ec)
        return std::nullopt;
    const auto sys = std::chrono::file_clock::to_sys(ft);
    return FromTimeT(std::chrono::system_clock::to_time_t(sys));
}

namespace {
std::optional<LocalTime>& FixedTime()
{
    static std::optional<LocalTime> fixed;
    return fixed;
}
} // namespace

LocalTime Now()
{
    return FixedTime() ? *FixedTime() : FromTimeT(std::time(nullptr));
}

void FixClock(std::optional<LocalTime> time)
{
    FixedTime() = time;
}

std::vector<std::string> List(std::string_view folder, std::string_view pattern)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(ProgramPath::Resolve(folder), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string n = it->path().filename().string();
        if (WildMatch(pattern, n))
            names.push_back(n);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void CopyTreeKeepingExisting(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    fs::create_directories(to, ec);
    for (fs::recursive_directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path rel = fs::relative(it->path(), from);
        const fs::path dest = to / rel;
        if (it->is_directory()) {
            fs::create_directories(dest, ec);
        } else if (!fs::exists(dest)) {
            fs::copy_file(it->path(), dest, ec);
            if (ec)
                throw IoError(dest.string(), "copia", ec.message());
        }
    }
    if (ec)
        throw IoError(from.string(), "lettura", ec.message());
}

std::size_t ReadAt(int fd, void* into, std::size_t size, std::uint64_t offset, const std::string& name)
{
    char* const bytes = static_cast<char*>(into);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, bytes + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw IoError(name, "lettura", std::strerror(errno));
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

} // namespace FileSystem
