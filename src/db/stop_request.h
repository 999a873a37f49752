#pragma once
// A request from outside to stop a long command-line run (Ctrl-C, or the
// SIGTERM of a shutdown). The run checks it at its safe points, rolls back
// what it has not committed and says how far it got, instead of dying in the
// middle of a database call.
#include <atomic>

// SIGINT and SIGTERM set the request instead of ending the process.
void InstallStopSignals();

// Whether a stop was asked for since the start (or the last clear).
bool StopRequested();

// Forgets a request (tests, or a run that has answered one).
void ClearStopRequest();
