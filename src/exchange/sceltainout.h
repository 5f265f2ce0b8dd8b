#pragma once

#include <cstdint>
#include <string>

// The channel through which the controller talks to the station, kept in Data/MetodoInOut.dat.
class MetodoInOut {
 public:
  MetodoInOut();
  void Load();
  bool Save();

  std::string path;
  int32_t metodo = 0;  // 0 none, 1 files, 2 serial RS232, 3 TCP/IP
};

extern MetodoInOut* exchangeMethod;

// The word that stands for a method number in log lines.
std::string ExchangeMethodWord(int32_t metodo);
