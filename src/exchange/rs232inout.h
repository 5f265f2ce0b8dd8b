#pragma once

#include <functional>
#include <string>

class RS232;

// The current serial port, or null: set by OpenSerialExchange and replaced by the serial window,
// cleared by CloseSerialExchange.
extern RS232* serialPort;

// The serial channel's steps, called by start-up, the exchange tick and shutdown.
bool LoadSerialParameters();
bool SaveSerialParameters();
bool OpenSerialExchange();
bool PollSerialExchange();
bool CloseSerialExchange();

// The poll step with its dispatcher given (PollSerialExchange passes DispatchInspection).
bool PollSerialExchangeWith(const std::function<std::string()>& dispatch);
