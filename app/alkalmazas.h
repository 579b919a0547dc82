#pragma once
// Program-wide set-up shared by the program and its tests: name, Qt's
// Hungarian texts, fonts, hint colour, the mouse wheel as arrow keys.
class QApplication;

void AlkalmazasBeallit(QApplication& app);

// Installs Qt's Hungarian translation (once); part of AlkalmazasBeallit,
// and of the console runs (--help, --setup) as well.
void QtForditasBetolt();

// Runs the program with its command line; returns the exit code.
int KazettoraFut(int argc, char** argv);

// The program folder when none is given: the executable's folder, or the
// user's data folder when that one cannot be written (an installed program).
class QString;
QString AlapProgramMappa();
