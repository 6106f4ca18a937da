#pragma once
// Whole-file reading and atomic rewriting.
//
// Text files are Windows-1252 with CR LF line ends, read and rewritten whole.
// The reader also takes LF-only and CR-only line ends, and a file written by
// a UTF-8 editor (valid UTF-8 with accented letters) is translated to
// Windows-1252, so a settings file edited by hand reads as intended.
//
// Every rewrite goes to a temporary file beside the target, is flushed to
// disk and renamed over it: a crash never leaves half a file.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class FileBatch;

// Raw bytes of a file; throws IoError("lettura") when it cannot be read.
std::string ReadFileBytes(std::string_view name);
std::optional<std::string> TryReadFileBytes(std::string_view name);

// Replaces the file atomically (creating missing folders); throws IoError.
void WriteFileAtomic(std::string_view name, std::string_view bytes);

// Lines of a text file without their line ends. A final line end does not
// start another line. Throws IoError when the file cannot be read.
std::vector<std::string> ReadTextLines(std::string_view name);
std::optional<std::vector<std::string>> TryReadTextLines(std::string_view name);

// Splits bytes into lines by the reader's rules (exposed for the typed
// readers that receive their text some other way).
std::vector<std::string> SplitTextLines(std::string_view bytes);

// Rewrites a text file with CR LF after every line; with a batch, the
// rewrite is one of its steps.
void WriteTextLines(std::string_view name, const std::vector<std::string>& lines);
void WriteTextLines(std::string_view name, const std::vector<std::string>& lines, FileBatch& batch);
// The bytes of those lines.
std::string TextLinesBytes(const std::vector<std::string>& lines);
// The same, unless the file already holds exactly these lines (a file
// written again and again with the same content, as at every redraw, is
// then neither rewritten nor flushed). True when it was rewritten.
bool WriteTextLinesIfChanged(std::string_view name, const std::vector<std::string>& lines);

// The line at a 0-based index, or an empty text past the end (the run-time
// reader returns empty lines at end of file).
std::string LineOrEmpty(const std::vector<std::string>& lines, std::size_t index);
