#pragma once
// Program-wide set-up shared by the program and its tests: title, fonts,
// hint colour, the mouse wheel as arrow keys.
class QApplication;

void AlkalmazasBeallit(QApplication& app);

// Runs the program with its command line; returns the exit code.
int KazettoraFut(int argc, char** argv);
