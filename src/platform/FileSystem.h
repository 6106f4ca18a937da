#pragma once
// File-system services of the program: modification times, listings and
// folder copies, on program-relative or absolute names.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace FileSystem {

// Local broken-down time of a file's last modification.
struct LocalTime {
    int year, month, day, hour, minute, second;
};
std::optional<LocalTime> ModificationTime(std::string_view name);

// Today's local date and time: the system clock, or the fixed time set
// below.
LocalTime Now();
// Fixes the time Now() answers (tests: a date that does not depend on the
// day they run); nullopt goes back to the system clock.
void FixClock(std::optional<LocalTime> time);

// Names of the entries of a folder whose names match a pattern with "?" and
// "*" wildcards, compared without regard to letter case; sorted by name.
std::vector<std::string> List(std::string_view folder, std::string_view pattern);

// Copies a folder tree; existing files at the destination are kept.
void CopyTreeKeepingExisting(const std::filesystem::path& from, const std::filesystem::path& to);

// Up to `size` bytes at `offset` of the open file `fd` (named `name` in an
// error), fewer only at its end; throws IoError ("lettura") on a failure.
std::size_t ReadAt(int fd, void* into, std::size_t size, std::uint64_t offset, const std::string& name);

} // namespace FileSystem
