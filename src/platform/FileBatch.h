#pragma once
// Several file writes made as one step, sharing their flushes to disk.
//
// A rewritten file is still replaced atomically (written to a temporary
// beside it, flushed, renamed over it) and a record write still lands in
// place; the batch only orders them and lets the disk flush them together.
// Commit writes everything, flushes every written file at once, renames the
// temporaries over their targets in the order they were given, removes the
// files marked for removal, and flushes each folder it touched once. So
// every in-place write is on the disk before the first rename, and a crash
// leaves every file whole, with its old or its new content.
//
// Flushing a dozen files one after another costs a dozen disk commits;
// flushed at once they share one or two. That is the whole point of the
// batch: an archive change or a recall writes five or six files.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class FileBatch {
public:
    FileBatch() = default;
    FileBatch(const FileBatch&) = delete;
    FileBatch& operator=(const FileBatch&) = delete;

    // The file's new content (missing folders are created).
    void Replace(std::string_view name, std::string bytes);
    // Bytes written at an offset of the file, in place (created when
    // missing); an offset past the end is refused at Commit.
    void WriteAt(std::string_view name, std::size_t offset, std::string bytes);
    // Bytes added at the end of the file, which must end at `offset` when
    // the batch is committed: records another program appended meanwhile
    // are never overwritten (the commit fails instead).
    void AppendAt(std::string_view name, std::size_t offset, std::string bytes);
    // The file is removed after the renames; a missing file is no error.
    void Remove(std::string_view name);

    bool Empty() const { return steps_.empty(); }

    // Makes every write and removal, in the order above. Throws IoError
    // naming the file that failed: the temporaries not yet renamed are
    // removed, and what was renamed before the failure stays (each file
    // whole). A batch is committed once; nothing is written without it.
    void Commit();

private:
    enum class Kind { Replace, WriteAt, AppendAt, Remove };
    struct Step {
        Kind kind;
        std::string name;
        std::size_t offset;
        std::string bytes;
    };
    std::vector<Step> steps_;
};

// Flushes these open files to disk at once: on several files the flushes
// run side by side, so that the disk commits them together. Returns the
// error number of each (0 when flushed).
std::vector<int> FlushTogether(const std::vector<int>& descriptors);
