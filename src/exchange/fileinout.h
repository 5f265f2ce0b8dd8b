#pragma once

#include <string>

// The file channel's three folders (each a prefix ending with a separator).
extern std::string cartellaFileIn;
extern std::string cartellaFileOut;
extern std::string cartellaFileElab;

bool LoadExchangeFolders();
bool SaveExchangeFolders(bool logChange);
bool OpenFileExchange();
bool PollFileExchange();
bool CloseFileExchange();
