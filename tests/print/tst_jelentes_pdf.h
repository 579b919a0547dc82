#pragma once
// Reading a printed report back: the text of each page (pdftotext -layout)
// and the PDF's own description (pdfinfo, pdffonts).
#include "tests/print/tesztparbeszed.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QString>
#include <QStringList>

inline QString PdfParancs(const QString& program, const QStringList& argumentumok)
{
    QProcess p;
    p.start(program, argumentumok);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The pages' texts, laid out as printed (or, nyers, in the order drawn, a
// line per baseline); empty when the file is not a PDF.
inline QStringList PdfOldalak(const QString& fajl, bool nyers = false)
{
    const QString s = PdfParancs(QStringLiteral("pdftotext"),
                                 {nyers ? QStringLiteral("-raw") : QStringLiteral("-layout"), fajl,
                                  QStringLiteral("-")});
    QStringList oldalak = s.split(QLatin1Char('\f'));
    if (!oldalak.isEmpty() && oldalak.last().trimmed().isEmpty()) oldalak.removeLast();
    return oldalak;
}

inline QString PdfInfo(const QString& fajl)
{
    return PdfParancs(QStringLiteral("pdfinfo"), {fajl});
}

inline QString PdfBetuk(const QString& fajl)
{
    return PdfParancs(QStringLiteral("pdffonts"), {fajl});
}

// The lines of a page with their runs of spaces squeezed to one.
inline QStringList PdfSorok(const QString& oldal)
{
    QStringList sorok;
    for (QString s : oldal.split(QLatin1Char('\n'))) {
        s = s.simplified();
        if (!s.isEmpty()) sorok << s;
    }
    return sorok;
}

// Start of a PDF-reading test: Hungarian locale and fixed clock; with
// KAZETTORA_PDF_MARAD=1 the folder of PDFs stays for looking at the pages;
// skipped when pdftotext is missing. Returns false when the test must skip.
inline bool PdfTesztIndul(QTemporaryDir& mappa)
{
    TesztKornyezet();
    if (qEnvironmentVariableIsSet("KAZETTORA_PDF_MARAD")) {
        mappa.setAutoRemove(false);
        qInfo("PDF: %s", qPrintable(mappa.path()));
    }
    return !QStandardPaths::findExecutable("pdftotext").isEmpty();
}

