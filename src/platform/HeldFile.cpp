#include "platform/HeldFile.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/ProgramPath.h"
#include "platform/TextFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileIdentity IdentityOf(const struct stat& st)
{
    FileIdentity id;
    id.device = static_cast<std::uint64_t>(st.st_dev);
    id.inode = static_cast<std::uint64_t>(st.st_ino);
    id.size = static_cast<std::uint64_t>(st.st_size);
    id.mtimeSeconds = st.st_mtim.tv_sec;
    id.mtimeNanoseconds = st.st_mtim.tv_nsec;
    return id;
}

// The identity of the regular file at `path`; false when there is none.
bool StatIdentity(const std::string& path, FileIdentity& id)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    id = IdentityOf(st);
    return true;
}

// Blocks read from a held file: the records of one chart lie within one.
constexpr std::uint64_t kBlockSize = 4096;

} // namespace

HeldFile::HeldFile(std::string name) : name_(std::move(name)) {}

HeldFile::~HeldFile() { Close(); }

void HeldFile::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    block_.clear();
    blockStart_ = 0;
}

void HeldFile::Check()
{
    if (fd_ >= 0 && root_ == ProgramPath::Root().native()) {
        FileIdentity now;
        if (StatIdentity(path_, now) && now == identity_) {
            // The same file; its block is read again, so that a rewrite in
            // place within the clock tick of the modification time is seen
            // too.
            block_.clear();
            blockStart_ = 0;
            return;
        }
    }
    Open();
}

void HeldFile::Open()
{
    Close();
    root_ = ProgramPath::Root().native();
    path_ = ProgramPath::Resolve(name_).native();
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw IoError(name_, "apertura", std::strerror(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int err = errno;
        ::close(fd);
        throw IoError(name_, "apertura", err ? std::strerror(err) : "non è un file");
    }
    fd_ = fd;
    identity_ = IdentityOf(st);
}

bool HeldFile::ReadAt(std::uint64_t offset, std::size_t size, unsigned char* into)
{
    if (fd_ < 0)
        Check();
    if (offset > identity_.size || size > identity_.size - offset)
        return false;
    const std::uint64_t end = offset + size;
    if (offset < blockStart_ || end > blockStart_ + block_.size()) {
        const std::uint64_t start = offset - offset % kBlockSize;
        const std::uint64_t length = (end - start + kBlockSize - 1) / kBlockSize * kBlockSize;
        std::string block(static_cast<std::size_t>(length), '\0');
        block.resize(FileSystem::ReadAt(fd_, block.data(), block.size(), start, name_));
        block_ = std::move(block);
        blockStart_ = start;
        if (end > blockStart_ + block_.size())
            return false; // shorter than its size said: cut while held
    }
    std::memcpy(into, block_.data() + (offset - blockStart_), size);
    return true;
}

std::shared_ptr<const std::string> HeldFileBytes(std::string_view name)
{
    struct Entry {
        std::string path, root;
        FileIdentity identity;
        std::shared_ptr<const std::string> bytes;
    };
    static std::map<std::string, Entry, std::less<>> held;
    auto it = held.find(name);
    const std::string& root = ProgramPath::Root().native();
    if (it != held.end() && it->second.root == root) {
        FileIdentity now;
        if (StatIdentity(it->second.path, now) && now == it->second.identity)
            return it->second.bytes;
    }
    Entry e;
    e.root = root;
    e.path = ProgramPath::Resolve(name).native();
    // The identity before the read: a file changed during the read is read
    // again at the next call.
    const bool known = StatIdentity(e.path, e.identity);
    e.bytes = std::make_shared<const std::string>(ReadFileBytes(name));
    if (!known)
        return e.bytes;
    if (it == held.end())
        it = held.emplace(std::string(name), Entry {}).first;
    it->second = std::move(e);
    return it->second.bytes;
}
