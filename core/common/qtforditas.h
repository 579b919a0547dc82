#pragma once
// Qt's own words (message-box buttons, file and print dialogs, the print
// preview, the command line's help) in Hungarian, whatever the system's
// language: installed once, by the program, its batch commands and its tests.
void QtForditasBetolt();
