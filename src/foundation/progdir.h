#pragma once

#include <string>

// The folder that holds the executable; every path of the station is built from it.
extern std::string programFolder;

// Fills programFolder from the running executable (/proc/self/exe). Shows PD001/PD002 on failure
// and leaves programFolder empty.
void FindProgramFolder();

// The folder part of an executable path, as FindProgramFolder derives it: the file name and one
// trailing "/." are removed, at most 299 bytes are kept. Empty when the path has no separator.
std::string ProgramFolderOf(const std::string& executablePath);

// A sub-folder of programFolder found without regard to case ("Data", "data", "LOG", ...). When no
// entry matches, the name as given. No trailing separator.
std::string ProgramSubfolder(const std::string& name);

// programFolder + "/Data/" + file name, with the Data folder found without regard to case.
std::string DataFilePath(const std::string& fileName);
