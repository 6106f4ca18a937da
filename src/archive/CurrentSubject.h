#pragma once
// The current subject: record 0 of the TMPR archive, loaded into
// CurrentSubject, and the personal archive BASE created on first start.
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kAnnotationsFile = "FileDum\\Annotaz.dum";
inline constexpr const char* kSubjectTextFile = "FileDum\\StrText.dum";
inline constexpr const char* kEditTextFile = "FileDum\\DatModif.dum";

// Parses TMPR record 0 into CurrentSubject: name, dates, correction,
// calendar, Julian day in universal time, coordinates, place, nationality,
// headers and the JD caption. Throws IoError when TMPR.ST1 or TMPR.ST2 is
// missing or empty.
void LoadCurrentSubjectData();

// The six summary lines of the main window, from CurrentSubject.
std::vector<std::string> CurrentSubjectSummary();

// The single line of Annotaz.dum; throws IoError when it is missing.
std::string CurrentAnnotations();

// The path of the subject's text file named by StrText.dum (folder + "txt"
// + "/" + number + ".txt"), when StrText.dum exists.
std::optional<std::string> SubjectTextPath();

// Creates BASE.ST1/ST2/ST3 with their template records when BASE.st1 does
// not exist; returns true when it created them.
bool EnsurePersonalArchive();

// Template records of a new archive.
std::string TemplateIndexRecord();
std::string TemplateSubjectRecord();
std::string TemplateNotesRecord();
