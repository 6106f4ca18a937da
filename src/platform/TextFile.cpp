#include "platform/TextFile.h"

#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/ProgramPath.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

std::optional<std::string> TryReadFileBytes(std::string_view name)
{
    const fs::path p = ProgramPath::Resolve(name);
    std::error_code ec;
    if (!fs::is_regular_file(p, ec))
        return std::nullopt;
    std::ifstream in(p, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

std::string ReadFileBytes(std::string_view name)
{
    if (auto b = TryReadFileBytes(name))
        return std::move(*b);
    throw IoError(std::string(name), "lettura", ProgramPath::Exists(name) ? "" : "file mancante");
}

void WriteFileAtomic(std::string_view name, std::string_view bytes)
{
    static std::atomic<unsigned> counter{0};
    const fs::path target = ProgramPath::Resolve(name);
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    const fs::path temp = target.parent_path() /
                          ("." + target.filename().string() + ".tmp" + std::to_string(getpid()) + "_" +
                           std::to_string(counter++));
    const std::string file(name);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw IoError(file, "scrittura", std::strerror(errno));
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            throw IoError(file, "scrittura", std::strerror(err));
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        throw IoError(file, "scrittura", std::strerror(err));
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        throw IoError(file, "scrittura", std::strerror(err));
    }
    // The rename itself must reach the disk too.
    int dir = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

std::vector<std::string> SplitTextLines(std::string_view bytes)
{
    std::string converted;
    if (Cp1252::LooksLikeUtf8(bytes)) {
        // The byte order mark some UTF-8 editors put first is not text.
        if (bytes.starts_with("\xEF\xBB\xBF"))
            bytes.remove_prefix(3);
        converted = Cp1252::FromUtf8(bytes);
        bytes = converted;
    }
    std::vector<std::string> lines;
    std::string current;
    bool pending = false; // characters (or an empty line) not yet closed
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(current));
            current.clear();
            pending = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else if (c == '\x1A' && i + 1 == bytes.size()) {
            // A trailing end-of-file mark of old editors is not text.
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending)
        lines.push_back(std::move(current));
    return lines;
}

std::optional<std::vector<std::string>> TryReadTextLines(std::string_view name)
{
    auto bytes = TryReadFileBytes(name);
    if (!bytes)
        return std::nullopt;
    return SplitTextLines(*bytes);
}

std::vector<std::string> ReadTextLines(std::string_view name)
{
    return SplitTextLines(ReadFileBytes(name));
}

namespace {
std::string JoinTextLines(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const auto& l : lines) {
        bytes += l;
        bytes += "\r\n";
    }
    return bytes;
}
} // namespace

void WriteTextLines(std::string_view name, const std::vector<std::string>& lines)
{
    WriteFileAtomic(name, JoinTextLines(lines));
}

bool WriteTextLinesIfChanged(std::string_view name, const std::vector<std::string>& lines)
{
    const std::string bytes = JoinTextLines(lines);
    if (TryReadFileBytes(name) == bytes)
        return false;
    WriteFileAtomic(name, bytes);
    return true;
}

std::string LineOrEmpty(const std::vector<std::string>& lines, std::size_t index)
{
    return index < lines.size() ? lines[index] : std::string();
}
