#include "batch/atvetelparancs.h"
#include "batch/kotegelt.h"
#include "core/admin/atvetel.h"

#include <QDir>
#include <QLocale>
#include <cstdio>

int AtvetelParancs(const QString& programMappa, const QString& regi, const QString& ini, bool proba)
{
    const QLocale hu(QLocale::Hungarian, QLocale::Hungary);
    // A line per table as it is finished: a long run shows it is moving.
    const Atvetel::Jelzes jelzes = [&](const QString& tabla, qint64 kesz, qint64 osszes) {
        if (kesz != osszes || (kesz == 0 && tabla != QLatin1String("indexek"))) return;
        if (tabla == QLatin1String("indexek"))
            std::printf("Az indexek elkészültek.\n");
        else
            std::printf("%s: %s sor\n", qPrintable(tabla), qPrintable(hu.toString(kesz)));
        std::fflush(stdout);
    };
    Atvetel::Eredmeny e;
    QString hiba;
    if (!Atvetel::atvesz(programMappa, {regi, ini, proba, false}, &e, &hiba, jelzes)) {
        KotegeltHiba(hiba);
        KotegeltHiba(proba ? QStringLiteral("A próbafuttatás hibát talált; semmi sem íródott ki.")
                           : QStringLiteral("Az átvétel elmaradt; adatbázis nem készült."));
        return 1;
    }
    std::printf("\n%s", qPrintable(Atvetel::jelentes(e)));
    if (!proba)
        std::printf("\nA régi adatok átvétele kész: %s\n", qPrintable(QDir::toNativeSeparators(e.adatbazis)));
    return 0;
}
