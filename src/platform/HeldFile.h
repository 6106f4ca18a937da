#pragma once
// Read-only files of the program folder that are read again and again (the
// ephemeris correction tables, the symbol metafiles), kept open or in
// memory between reads instead of being looked up, opened and closed for
// every record.
//
// What is held is checked against the file on disk by its identity: the
// device, the inode, the size and the modification time of what the name
// leads to now. A file replaced since (a new file renamed over it, or
// rewritten in place) has another identity and is opened and read afresh,
// so a replaced file is always seen at the next check. (A small file
// rewritten in place at the same size within one tick of the file system's
// clock keeps its identity; the program's own writers replace files whole.) A check costs one
// stat of the resolved name; resolving the name without regard to letter
// case (ProgramPath) is done again only when the stat fails, the identity
// changed or the program folder moved.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// The identity of a file on disk; equal identities mean the same contents
// as far as the file system tells.
struct FileIdentity {
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t mtimeSeconds = 0, mtimeNanoseconds = 0;
    bool operator==(const FileIdentity&) const = default;
};

// A file opened for reading and held open, with the last block read kept
// in memory.
class HeldFile {
public:
    explicit HeldFile(std::string name);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    const std::string& Name() const { return name_; }

    // Makes sure the file held is the one the name leads to now, opening it
    // again when it is not, and forgets the block read: the reads after a
    // check see the file as it is on disk. Throws IoError ("apertura") when
    // it is missing.
    void Check();
    // Size in bytes of the file as last checked.
    std::uint64_t Size() const { return identity_.size; }
    // `size` bytes at `offset` of the file as last checked (Check must have
    // run once). False, reading nothing, when they run past its end;
    // IoError ("lettura") on a read failure.
    bool ReadAt(std::uint64_t offset, std::size_t size, unsigned char* into);

private:
    void Open();
    void Close();

    std::string name_;
    std::string path_;  // resolved name of the file held
    std::string root_;  // program folder it was resolved in
    int fd_ = -1;
    FileIdentity identity_;
    std::string block_; // bytes from blockStart_
    std::uint64_t blockStart_ = 0;
};

// The whole contents of a small file, kept in memory between calls and read
// again when its identity changes. Throws IoError as ReadFileBytes does
// when the file is missing or unreadable.
std::shared_ptr<const std::string> HeldFileBytes(std::string_view name);
