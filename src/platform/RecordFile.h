#pragma once
// Typed files: arrays of fixed-size records with no header, addressed by
// record number from 0. Each operation opens, works and closes the file.
//
// Write and Append touch only their own record; the operations that move
// records (Delete, Truncate, Replace) rewrite the whole file atomically.
// A file whose size is not a multiple of the record size is damaged:
// Count() reports the whole records and Damaged() tells the caller.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class RecordFile {
public:
    RecordFile(std::string name, std::size_t recordSize);

    const std::string& Name() const { return name_; }
    std::size_t RecordSize() const { return recordSize_; }

    bool Exists() const;
    // Number of whole records; throws IoError when the file is missing.
    std::size_t Count() const;
    // True when the file ends with a partial record.
    bool Damaged() const;

    // Record `index`; throws IoError past the end.
    std::string Read(std::size_t index) const;
    std::vector<std::string> ReadAll() const;
    // Calls `visit(index, bytes)` for every whole record in order, reading
    // the file in blocks, so that a search over a large file holds one
    // block in memory instead of the whole file.
    void ForEach(const std::function<void(std::size_t, std::string_view)>& visit) const;
    // The records at these numbers, in the order given, through one opening
    // of the file; a number past the end reads as an empty string.
    std::vector<std::string> ReadSome(const std::vector<std::size_t>& indices) const;

    // Overwrites record `index` (index == Count() appends).
    void Write(std::size_t index, std::string_view record);
    void Append(std::string_view record);
    // Keeps the first `count` records.
    void Truncate(std::size_t count);
    // Removes record `index`, shifting the later ones down by one.
    void Delete(std::size_t index);
    // Replaces the whole file with these records (creates it when missing).
    void Replace(const std::vector<std::string>& records);

private:
    std::string Padded(std::string_view record) const;
    std::string name_;
    std::size_t recordSize_;
};
