#pragma once
// Settings files of the shell: FileSet\MMVarLas.stt (print settings),
// FileTmp\Personal.Tmp (user name), Emf\TipGraf.Set (orientation of the
// graphic metafiles) and the run log OpzioneT\Sole.tm1 / OpzioneT\Luna.tm1.
// All are Windows-1252 text, one value per line, rewritten whole.
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kPrintSettingsFile = "FileSet\\MMVarLas.stt";
inline constexpr const char* kUserNameFile = "FileTmp\\Personal.Tmp";
inline constexpr const char* kGraphTypesFile = "Emf\\TipGraf.Set";
inline constexpr const char* kRunCounterFile = "OpzioneT\\Sole.tm1";
inline constexpr const char* kRunHistoryFile = "OpzioneT\\Luna.tm1";

// Reads MMVarLas.stt into PrintSettings. Missing lines, empty or
// non-numeric values take the default of their line; 0 in lines 5, 7, 8
// reads as 1.0. Throws IoError when the file is missing.
void ReadPrintSettings();
// Rewrites the 8 lines from PrintSettings.
void WritePrintSettings();
// Activation step: a line 6 holding "Zk6Backup" becomes "Da definire" and
// the file is rewritten (other lines as they are). Throws IoError when the
// file is missing.
void ResetStaleBackupFolder();
// Activation step: reads the settings if the file exists, otherwise creates
// it with the defaults.
void ReadOrCreatePrintSettings();

// Personal.Tmp: reads the two lines into UserFirstName / UserSurname /
// UserFullName, or creates the file with "Nome" / "Cognome" when it cannot
// be read (the names then stay as they were).
void ReadUserName();
// Rewrites Personal.Tmp with UserFirstName and UserSurname.
void WriteUserName();

// TipGraf.Set: line k (type = characters 5-6 of the file name, "GRAF05.EMF"
// is type 5) becomes "P" when a printer is available and not in landscape,
// else "L". Throws IoError when the file is missing or the type is not 1..15.
void RecordGraphOrientation(std::string_view fileName);
struct ViewerSize {
    int width;
    int height;
};
// Size of the metafile viewer for a graphic file, by its recorded
// orientation and the screen aspect.
ViewerSize SizeViewerForGraph(std::string_view fileName);

// Once per run: Sole.tm1 lines (previous run, latest run, count) move on and
// the 7-digit Julian day of today is appended to Luna.tm1. Missing files are
// created ("2451545", "2451545", "1"; empty history).
void UpdateRunLog(long double todayJD);
// The dates (dd/mm/yyyy) of the runs in Luna.tm1, for the administrator list.
std::vector<std::string> RunDates();
