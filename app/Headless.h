#pragma once

// The program without a window: the device link, the context and the router-protocol
// server, driven from the command line, logging one line per event to standard error.
// Needs no display. Returns the process's exit status.
int runHeadless(int argc, char *argv[]);

// True when the command line asks for the program without a window.
bool wantsHeadless(int argc, char *argv[]);
