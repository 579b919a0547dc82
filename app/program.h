#pragma once
// The program as a whole: its command line, the installer, the batch
// commands and the counter's windows.
class QString;

// Runs the program with its command line; returns the exit code.
int KazettoraFut(int argc, char** argv);

// The program folder when none is given: the executable's folder, or the
// user's data folder when that one cannot be written (an installed program).
QString AlapProgramMappa();
