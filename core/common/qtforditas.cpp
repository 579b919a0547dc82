#include "core/common/qtforditas.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void QtForditasBetolt()
{
    // Qt's own words (the buttons of message boxes, the file and print
    // dialogs, the print preview) in Hungarian, whatever the system's
    // language: the program speaks Hungarian.
    static QTranslator* forditas = nullptr;
    if (forditas || !QCoreApplication::instance()) return;
    forditas = new QTranslator(QCoreApplication::instance());
    if (forditas->load(QStringLiteral("qtbase_hu"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(forditas);
    else
        qWarning("Kazettora: Qt magyar fordítása nem található (%s).",
                 qPrintable(QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
}

