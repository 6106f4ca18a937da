#pragma once
// The date, zone and coordinate fields of the current subject: the texts of
// the subject archives split into CurrentSubject and back.
#include <string>
#include <string_view>

std::string DisplayDateToKey(std::string_view displayDate); // "dd/mm/yyyy hh:mm" -> "yyyymmddhhmm"

struct DateKeyParts {
    std::string displayDate; // "dd/mm/yyyy hh:mm"
    std::string zoneText;    // characters 13-17 of the key
};
// Splits "yyyymmddhhmm" + correction; parses the correction (fixed reader,
// then locale reader; 0 when neither takes it) into CurrentSubject.Zone.
DateKeyParts SplitDateKey(std::string_view key);
// Fills CurrentSubject.Day/Month/Year/Hour/Minute from "dd/mm/yyyy hh:mm".
void SplitDisplayDate(std::string_view displayDate);
// "+" or "-" by the sign of -Zone, then FixedDigits(4, -Zone).
std::string ZoneDisplay();
// Fills the coordinate parts of CurrentSubject from "45N28 009E11".
void SplitCoordinates(std::string_view coordText);
