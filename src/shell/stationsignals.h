#pragma once

class QWidget;

// SIGTERM and SIGINT end the station as an operator would: open message boxes are answered with
// their default button, open modal windows are closed by their exit buttons one after the other
// (each closes inside its own loop, so the code after its exec runs as after a click), then the
// main window is closed and its close handler runs the shutdown. Nothing is logged for the signal.
// Call once from the user-interface thread.
void InstallOperatorShutdown(QWidget* mainWindow);

// What a signal starts, for callers on the user-interface thread (and tests).
void StartOperatorShutdown(QWidget* mainWindow);

// How long the sequence waits between two steps, so that each closed window's loop unwinds.
constexpr int kOperatorShutdownStepMs = 50;
