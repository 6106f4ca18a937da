#include "platform/FileBatch.h"

#include "platform/Errors.h"
#include "platform/ProgramPath.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

std::vector<int> FlushTogether(const std::vector<int>& descriptors)
{
    std::vector<int> errors(descriptors.size(), 0);
    auto flush = [&](std::size_t i) {
        while (::fsync(descriptors[i]) != 0) {
            if (errno != EINTR) {
                errors[i] = errno;
                return;
            }
        }
    };
    // One flush on this thread, the others beside it: the journal of the
    // file system gathers flushes that wait at the same time into one
    // commit.
    std::vector<std::thread> helpers;
    for (std::size_t i = 1; i < descriptors.size(); ++i) {
        try {
            helpers.emplace_back(flush, i);
        } catch (const std::system_error&) {
            flush(i); // no thread to spare: flushed here, in turn
        }
    }
    if (!descriptors.empty())
        flush(0);
    for (std::thread& t : helpers)
        t.join();
    return errors;
}

void FileBatch::Replace(std::string_view name, std::string bytes)
{
    steps_.push_back({Kind::Replace, std::string(name), 0, std::move(bytes)});
}

void FileBatch::WriteAt(std::string_view name, std::size_t offset, std::string bytes)
{
    steps_.push_back({Kind::WriteAt, std::string(name), offset, std::move(bytes)});
}

void FileBatch::AppendAt(std::string_view name, std::size_t offset, std::string bytes)
{
    steps_.push_back({Kind::AppendAt, std::string(name), offset, std::move(bytes)});
}

void FileBatch::Remove(std::string_view name)
{
    steps_.push_back({Kind::Remove, std::string(name), 0, {}});
}

namespace {

// The files opened by a commit, closed (and the temporaries not renamed
// removed) whatever happens.
struct OpenFile {
    std::string name; // as the program names it, for the messages
    fs::path target;
    fs::path temp;    // empty for an in-place write
    int fd = -1;
};

class Opened {
public:
    ~Opened()
    {
        for (OpenFile& f : files) {
            if (f.fd >= 0)
                ::close(f.fd);
            if (!f.temp.empty())
                ::unlink(f.temp.c_str());
        }
    }
    std::vector<OpenFile> files;
};

void WriteAll(int fd, const std::string& bytes, std::size_t offset, const std::string& name)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw IoError(name, "scrittura", std::strerror(errno));
        }
        done += static_cast<std::size_t>(n);
    }
}

fs::path TempBeside(const fs::path& target)
{
    static std::atomic<unsigned> counter{0};
    return target.parent_path() /
           ("." + target.filename().string() + ".tmp" + std::to_string(getpid()) + "_" + std::to_string(counter++));
}

} // namespace

void FileBatch::Commit()
{
    std::vector<Step> steps = std::move(steps_);
    steps_.clear();
    Opened opened;
    std::set<fs::path> folders;

    // Every write first, each to its own descriptor.
    for (Step& s : steps) {
        if (s.kind == Kind::Remove)
            continue;
        OpenFile f;
        f.name = s.name;
        if (s.kind == Kind::Replace) {
            f.target = ProgramPath::Resolve(s.name);
            std::error_code ec;
            fs::create_directories(f.target.parent_path(), ec);
            f.temp = TempBeside(f.target);
            f.fd = ::open(f.temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            if (f.fd < 0) {
                f.temp.clear(); // nothing was created
                throw IoError(s.name, "scrittura", std::strerror(errno));
            }
            opened.files.push_back(f);
            WriteAll(f.fd, s.bytes, 0, s.name);
        } else {
            ProgramPath::EnsureParentFolders(s.name);
            f.target = ProgramPath::Resolve(s.name);
            f.fd = ::open(f.target.c_str(), O_WRONLY | O_CLOEXEC);
            if (f.fd < 0 && errno == ENOENT) {
                // A new file: its folder entry has to reach the disk as well.
                f.fd = ::open(f.target.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
                folders.insert(f.target.parent_path());
            }
            if (f.fd < 0)
                throw IoError(s.name, "scrittura", std::strerror(errno));
            opened.files.push_back(f);
            struct stat st {};
            if (::fstat(f.fd, &st) != 0)
                throw IoError(s.name, "scrittura", std::strerror(errno));
            const auto size = static_cast<std::size_t>(st.st_size);
            if (size < s.offset)
                throw IoError(s.name, "scrittura", "posizione oltre la fine del file");
            if (s.kind == Kind::AppendAt && size != s.offset)
                throw IoError(s.name, "scrittura", "il file è cambiato nel frattempo (un altro programma vi ha scritto)");
            WriteAll(f.fd, s.bytes, s.offset, s.name);
        }
        s.bytes = std::string(); // the copy on disk is what counts now
    }

    // Flushed together; only then is any temporary renamed into place.
    std::vector<int> fds;
    for (const OpenFile& f : opened.files)
        fds.push_back(f.fd);
    const std::vector<int> errors = FlushTogether(fds);
    for (std::size_t i = 0; i < errors.size(); ++i)
        if (errors[i] != 0)
            throw IoError(opened.files[i].name, "scrittura", std::strerror(errors[i]));
    for (OpenFile& f : opened.files) {
        const int fd = f.fd;
        f.fd = -1;
        if (::close(fd) != 0)
            throw IoError(f.name, "scrittura", std::strerror(errno));
    }

    for (OpenFile& f : opened.files) {
        if (f.temp.empty())
            continue;
        if (::rename(f.temp.c_str(), f.target.c_str()) != 0)
            throw IoError(f.name, "scrittura", std::strerror(errno));
        f.temp.clear();
        folders.insert(f.target.parent_path());
    }
    for (const Step& s : steps) {
        if (s.kind != Kind::Remove)
            continue;
        const fs::path p = ProgramPath::Resolve(s.name);
        if (::unlink(p.c_str()) == 0)
            folders.insert(p.parent_path());
    }

    // The renames and removals themselves must reach the disk too.
    std::vector<int> folderFds;
    for (const fs::path& folder : folders) {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0)
            folderFds.push_back(fd);
    }
    FlushTogether(folderFds);
    for (int fd : folderFds)
        ::close(fd);
}
