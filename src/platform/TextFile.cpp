#include "platform/TextFile.h"

#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/FileBatch.h"
#include "platform/ProgramPath.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

std::optional<std::string> TryReadFileBytes(std::string_view name)
{
    const fs::path p = ProgramPath::Resolve(name);
    const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    // Read in one go at the size the file has (one byte more, to see the
    // end without growing); a file that grows meanwhile is read to its end.
    std::string bytes(static_cast<std::size_t>(st.st_size) + 1, '\0');
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size())
            bytes.resize(bytes.size() + 65536);
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(done);
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
    FileBatch batch;
    batch.Replace(name, std::string(bytes));
    batch.Commit();
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

std::string TextLinesBytes(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const auto& l : lines) {
        bytes += l;
        bytes += "\r\n";
    }
    return bytes;
}

void WriteTextLines(std::string_view name, const std::vector<std::string>& lines)
{
    WriteFileAtomic(name, TextLinesBytes(lines));
}

void WriteTextLines(std::string_view name, const std::vector<std::string>& lines, FileBatch& batch)
{
    batch.Replace(name, TextLinesBytes(lines));
}

bool WriteTextLinesIfChanged(std::string_view name, const std::vector<std::string>& lines)
{
    const std::string bytes = TextLinesBytes(lines);
    if (TryReadFileBytes(name) == bytes)
        return false;
    WriteFileAtomic(name, bytes);
    return true;
}

std::string LineOrEmpty(const std::vector<std::string>& lines, std::size_t index)
{
    return index < lines.size() ? lines[index] : std::string();
}
