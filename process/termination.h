#pragma once
// Ending by signal as a normal end does: a program that is told to stop
// (SIGTERM at logout, SIGINT, SIGHUP) removes its working folders first.
// Nothing is saved: a signal is not a Quit.

// Installs the handlers. The folders are removed from the event loop, then
// the program ends by the same signal, as its parent expects.
void removeWorkFoldersOnTermination();
