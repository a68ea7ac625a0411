#pragma once

// Where the program keeps its few files of its own on this desktop.

#include <string>

namespace storage {

inline constexpr const char* kLastLoanFileName = "oldinfo.ini";
inline constexpr const char* kCalendarFileName = "calendar.txt";

// The user's home: $HOME, else the password database's entry.
std::string HomeFolder();
// $XDG_CONFIG_HOME, by default ~/.config.
std::string ConfigHome();
// $XDG_DATA_HOME, by default ~/.local/share.
std::string DataHome();

// The folder of a program file ("." for a bare name).
std::string ProgramFolder(const std::string& programPath);

// Where an installed program's data lie, seen from the program's folder: <prefix>/share/
// ssudomer beside <prefix>/bin, whatever the prefix.
std::string InstalledDataFolder(const std::string& programFolder);

// "oldinfo.ini" beside the program when the program's folder is writable (a copy run from
// the user's own folder); otherwise, and always for an installed program (one with its data
// folder), in $XDG_CONFIG_HOME/ssudomer/. Reading and writing both ask here, so they meet.
std::string LastLoanFilePath(const std::string& programPath);

// The user's changes to the production calendar: $XDG_CONFIG_HOME/ssudomer/calendar.txt.
std::string UserCalendarFilePath();

}  // namespace storage
