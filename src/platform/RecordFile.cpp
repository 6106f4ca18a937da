#include "platform/RecordFile.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/ProgramPath.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
std::size_t FileSize(const std::string& name)
{
    struct stat st {};
    const fs::path p = ProgramPath::Resolve(name);
    if (::stat(p.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        throw IoError(name, "apertura", "file mancante");
    return static_cast<std::size_t>(st.st_size);
}
} // namespace

RecordFile::RecordFile(std::string name, std::size_t recordSize)
    : name_(std::move(name)), recordSize_(recordSize)
{
}

bool RecordFile::Exists() const
{
    std::error_code ec;
    return fs::is_regular_file(ProgramPath::Resolve(name_), ec);
}

std::size_t RecordFile::Count() const
{
    return FileSize(name_) / recordSize_;
}

bool RecordFile::Damaged() const
{
    return FileSize(name_) % recordSize_ != 0;
}

std::string RecordFile::Padded(std::string_view record) const
{
    std::string r(record.substr(0, recordSize_));
    r.resize(recordSize_, '\0');
    return r;
}


namespace {

// A file opened for reading, closed when the holder goes.
class ReadHandle {
public:
    explicit ReadHandle(const std::string& name) : name_(name)
    {
        const fs::path p = ProgramPath::Resolve(name);
        fd_ = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0)
            throw IoError(name, "apertura", std::strerror(errno));
    }
    ~ReadHandle() { ::close(fd_); }
    ReadHandle(const ReadHandle&) = delete;
    ReadHandle& operator=(const ReadHandle&) = delete;

    // Up to `size` bytes from `offset`; fewer only at the end of the file.
    std::size_t ReadAt(char* into, std::size_t size, std::size_t offset) const
    {
        return FileSystem::ReadAt(fd_, into, size, offset, name_);
    }

private:
    const std::string& name_;
    int fd_ = -1;
};

} // namespace

std::string RecordFile::Read(std::size_t index) const
{
    std::string rec(recordSize_, '\0');
    if (ReadHandle(name_).ReadAt(rec.data(), recordSize_, index * recordSize_) != recordSize_)
        throw IoError(name_, "lettura", "record " + std::to_string(index) + " oltre la fine del file");
    return rec;
}

std::vector<std::string> RecordFile::ReadAll() const
{
    std::vector<std::string> records;
    ForEach([&](std::size_t, std::string_view rec) { records.emplace_back(rec); });
    return records;
}

void RecordFile::ForEach(const std::function<void(std::size_t, std::string_view)>& visit) const
{
    ReadHandle file(name_);
    // About a megabyte a block, always whole records.
    const std::size_t perBlock = std::max<std::size_t>(1, (1u << 20) / recordSize_);
    std::string block(perBlock * recordSize_, '\0');
    std::size_t index = 0;
    for (;;) {
        const std::size_t got = file.ReadAt(block.data(), block.size(), index * recordSize_);
        const std::size_t whole = got / recordSize_;
        for (std::size_t k = 0; k < whole; ++k)
            visit(index + k, std::string_view(block.data() + k * recordSize_, recordSize_));
        index += whole;
        if (got < block.size())
            return;
    }
}

std::vector<std::string> RecordFile::ReadSome(const std::vector<std::size_t>& indices) const
{
    ReadHandle file(name_);
    std::vector<std::string> records;
    records.reserve(indices.size());
    for (std::size_t index : indices) {
        std::string rec(recordSize_, '\0');
        if (file.ReadAt(rec.data(), recordSize_, index * recordSize_) != recordSize_)
            rec.clear();
        records.push_back(std::move(rec));
    }
    return records;
}

void RecordFile::Write(std::size_t index, std::string_view record)
{
    const std::size_t count = Exists() ? Count() : 0;
    if (index > count)
        throw IoError(name_, "scrittura", "record " + std::to_string(index) + " oltre la fine del file");
    ProgramPath::EnsureParentFolders(name_);
    const fs::path p = ProgramPath::Resolve(name_);
    int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        throw IoError(name_, "scrittura", std::strerror(errno));
    const std::string rec = Padded(record);
    ssize_t n = ::pwrite(fd, rec.data(), rec.size(), static_cast<off_t>(index * recordSize_));
    const int err = errno;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    if (n != static_cast<ssize_t>(rec.size()) || !synced)
        throw IoError(name_, "scrittura", std::strerror(err));
}

void RecordFile::Append(std::string_view record)
{
    Write(Exists() ? Count() : 0, record);
}

void RecordFile::Truncate(std::size_t count)
{
    auto records = ReadAll();
    if (records.size() > count)
        records.resize(count);
    Replace(records);
}

void RecordFile::Delete(std::size_t index)
{
    auto records = ReadAll();
    if (index >= records.size())
        throw IoError(name_, "scrittura", "record " + std::to_string(index) + " inesistente");
    records.erase(records.begin() + static_cast<std::ptrdiff_t>(index));
    Replace(records);
}

void RecordFile::Replace(const std::vector<std::string>& records)
{
    std::string bytes;
    bytes.reserve(records.size() * recordSize_);
    for (const auto& r : records)
        bytes += Padded(r);
    WriteFileAtomic(name_, bytes);
}
