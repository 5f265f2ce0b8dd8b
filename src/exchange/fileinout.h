#pragma once

#include <chrono>
#include <functional>
#include <string>

// The file channel's three folders, each used as a plain prefix (a name is appended directly, so
// each normally ends with a separator; a folder typed without one is used as typed).
extern std::string cartellaFileIn;
extern std::string cartellaFileOut;
extern std::string cartellaFileElab;

// Reads Data/in_out_folder.dat into the three folders; the defaults (file_in_out/in/, out/, elab/
// of the program folder) when it is missing. False when missing or unreadable.
bool LoadExchangeFolders();
// Writes the three folders to Data/in_out_folder.dat (whole, through a temporary file); logs the
// change when asked. A folder text over 299 bytes is refused (IOC001): it could not be read back.
bool SaveExchangeFolders(bool logChange);
// Start-up with the file method: empties the input folder of every file dated today or earlier.
bool OpenFileExchange();
// One exchange tick: answers the first request file of the input folder, if any: the reply file
// is written and closed before the request moves to the processed folder. A request whose input,
// output or processed path would exceed 299 bytes is not answered, only moved to the processed
// folder (so it cannot hold up the requests behind it).
bool PollFileExchange();
bool CloseFileExchange();

// The poll step with its dispatcher and its pause before handling given (PollFileExchange passes
// DispatchInspection and 50 ms).
bool PollFileExchangeWith(const std::function<std::string()>& dispatch,
                          std::chrono::milliseconds settle);
