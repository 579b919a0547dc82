#include "tests/core/paradoxiro.h"
#include "core/data/paradox.h"
#include "core/data/sema.h"

#include <QFile>
#include <QFileInfo>
#include <QtTest>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <paradox.h>
}

namespace ParadoxIro {

struct Tabla::Belso {
    QString fajl;
    std::vector<Mezo> mezok;
    int kodlap = 1250;
    pxdoc_t* px = nullptr;
    char* puffer = nullptr;
    size_t kapacitas = 0;
    FILE* folyam = nullptr;
    QByteArray rekord;
    int sor = 0;
    bool zarva = false;
};

namespace {
void hibakezelo(pxdoc_t*, int, const char* uzenet, void*) { qWarning("pxlib: %s", uzenet); }
} // namespace

Tabla::Tabla(const QString& fajl, std::vector<Mezo> mezok, int kodlap, qint64 sorok) : d(std::make_unique<Belso>())
{
    d->fajl = fajl;
    d->mezok = std::move(mezok);
    d->kodlap = kodlap;
    int hossz = 0;
    bool memo = false;
    // pxlib frees the field list with the document.
    auto* f = static_cast<pxfield_t*>(std::calloc(d->mezok.size(), sizeof(pxfield_t)));
    for (size_t i = 0; i < d->mezok.size(); ++i) {
        f[i].px_fname = strdup(d->mezok[i].nev.toLatin1().constData());
        f[i].px_ftype = char(d->mezok[i].tipus);
        f[i].px_flen = d->mezok[i].hossz;
        hossz += d->mezok[i].hossz;
        memo = memo || d->mezok[i].tipus == Paradox::MemoBlob;
    }
    // Written in memory: pxlib seeks before every record it puts.
    d->kapacitas = size_t(1 << 20) + size_t(sorok + 2) * size_t(hossz) * 2 + 65536;
    d->puffer = static_cast<char*>(std::calloc(d->kapacitas, 1));
    d->folyam = fmemopen(d->puffer, d->kapacitas, "w+");
    d->px = PX_new2(hibakezelo, nullptr, nullptr, nullptr);
    QVERIFY2(PX_create_fp(d->px, f, int(d->mezok.size()), d->folyam, pxfFileTypIndexDB) == 0, qPrintable(fajl));
    if (kodlap > 0) PX_set_value(d->px, "codepage", float(kodlap));
    PX_set_parameter(d->px, "tablename", QFileInfo(fajl).completeBaseName().toLatin1().constData());
    if (memo) {
        const QString mb = QFileInfo(fajl).absolutePath() + "/" + QFileInfo(fajl).completeBaseName() + ".MB";
        QVERIFY(PX_set_blob_file(d->px, QFile::encodeName(mb).constData()) == 0);
    }
    d->rekord.resize(hossz);
}

Tabla::~Tabla() { zar(); }

void Tabla::sor(const QVariantList& ertekek)
{
    QCOMPARE(size_t(ertekek.size()), d->mezok.size());
    d->rekord.fill(0);
    char* p = d->rekord.data();
    for (size_t i = 0; i < d->mezok.size(); ++i) {
        const Mezo& m = d->mezok[i];
        const QVariant& v = ertekek[int(i)];
        if (!v.isNull()) {
            switch (m.tipus) {
            case Paradox::Alpha:
            case Paradox::MemoBlob: {
                QByteArray b;
                if (v.typeId() == QMetaType::QByteArray)
                    b = v.toByteArray();
                else
                    QVERIFY2(Paradox::kodlapra(d->kodlap > 0 ? d->kodlap : 1250, v.toString(), &b), qPrintable(v.toString()));
                if (m.tipus == Paradox::Alpha)
                    PX_put_data_alpha(d->px, p, m.hossz, b.data());
                else
                    PX_put_data_blob(d->px, p, m.hossz, b.data(), int(b.size()));
                break;
            }
            case Paradox::Date: PX_put_data_long(d->px, p, 4, int(Paradox::datumba(v.toDate()))); break;
            case Paradox::Time: PX_put_data_long(d->px, p, 4, v.toTime().msecsSinceStartOfDay()); break;
            case Paradox::Number:
            case Paradox::Currency: PX_put_data_double(d->px, p, 8, v.toDouble()); break;
            case Paradox::Short: PX_put_data_short(d->px, p, 2, short(v.toInt())); break;
            default: PX_put_data_long(d->px, p, 4, v.toInt()); break;
            }
        }
        p += m.hossz;
    }
    QVERIFY(PX_put_recordn(d->px, d->rekord.data(), d->sor) >= 0);
    ++d->sor;
}

void Tabla::zar()
{
    if (d->zarva) return;
    d->zarva = true;
    PX_close(d->px);
    std::fflush(d->folyam);
    std::fseek(d->folyam, 0, SEEK_END);
    const long meret = std::ftell(d->folyam);
    // A header that names no code page: pxlib's writer always names one.
    if (d->kodlap == 0) std::memset(d->puffer + 0x6A, 0, 2);
    QFile ki(d->fajl);
    QVERIFY(ki.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(ki.write(d->puffer, meret), qint64(meret));
    ki.close();
    std::fclose(d->folyam);
    PX_delete(d->px);
    std::free(d->puffer);
}

std::vector<Mezo> mezok(const QString& tabla)
{
    std::vector<Mezo> l;
    for (const Sema::Mezo& m : Sema::tabla(tabla)->mezok) {
        if (!Sema::regiMappaban(m)) continue;   // added by this program: not in an earlier folder
        switch (m.tipus) {
        case Sema::Tipus::AutoInc: l.push_back({m.nev, Paradox::AutoInc, 4}); break;
        case Sema::Tipus::Egesz: l.push_back({m.nev, Paradox::Long, 4}); break;
        case Sema::Tipus::Valos: l.push_back({m.nev, Paradox::Number, 8}); break;
        case Sema::Tipus::Datum: l.push_back({m.nev, Paradox::Date, 4}); break;
        case Sema::Tipus::Ido: l.push_back({m.nev, Paradox::Time, 4}); break;
        case Sema::Tipus::Szoveg:
            // The password was kept as typed, ten characters at most.
            l.push_back({m.nev, Paradox::Alpha, m.nev == "jelszo" ? 10 : qMin(m.hossz, 255)});
            break;
        }
    }
    return l;
}

void kisBolt(const QString& mappa, int kodlap)
{
    const QVariant n;   // empty
    auto tabla = [&](const char* nev, const char* fajl, const QList<QVariantList>& sorok) {
        Tabla t(mappa + "/" + fajl, mezok(nev), kodlap);
        for (const QVariantList& s : sorok) t.sor(s);
    };
    tabla("tipus", "tipus.DB", {{1, "VHS"}, {2, "DVD"}});
    tabla("arkat", "arkat.DB", {{1, "Újdonság"}, {2, "Régi"}});
    tabla("mufaj", "mufaj.DB", {{1, "Vígjáték"}, {2, "Dráma"}});
    tabla("fiztip", "fiztip.DB", {{1, "1 nap", 24}, {2, "1 hét", 168}});
    tabla("fiztip_arkat", "fiztip_arkat.DB", {{1, 1, 600.0}, {1, 2, 400.0}, {2, 1, 2500.0}, {2, 2, 1500.5}});
    // The largest 32-bit codes, and a customer with every field empty.
    tabla("ugyfel", "ugyfel.DB",
          {{1, 1, "Őri Ödön", "06-1-234-5678", n, "06-30-111-2222", "odon@pelda.hu", "1011", "Budapest", "Fő utca 1.",
            QDate(2027, 1, 31), "N", "123456AB"},
           {2, 2, "Szűcs Űrsula", n, n, n, n, "6720", "Szeged", "Tisza Lajos körút 2.", QDate(1969, 12, 31), "N", n},
           {2147483647, 2147483647, n, n, n, n, n, n, n, n, n, n, n}});
    // Item 1 is out with customer 1 (rental 7), due at 23:59:59 tomorrow.
    const QDate ma = QDate::currentDate();
    tabla("video", "video.DB",
          {{1, 1, 1, 1, "Égető Űrhajó: ŐSZI ÜLDÖZÉS", "Rendezői változat", 1, 1, ma, QTime(0, 0, 0), ma.addDays(1),
            QTime(23, 59, 59), n, n, 600.0, "I", "N", QDate(1965, 3, 1), n, 7, 12, 1, 4990.5},
           {2, 2, 2, 2, "Az üvegtigris", n, 0, n, n, n, n, n, QDate(2039, 6, 30), QTime(12, 30, 0), 400.0, "N", "N",
            QDate(2001, 1, 1), QDate(2040, 12, 31), 0, 3, 2, 1200.0},
           {2147483647, 2147483647, n, n, n, n, n, n, n, n, n, n, n, n, n, n, n, n, n, n, n, n, n}});
    tabla("ugyfel_video", "ugyfel_video.DB", {{1, 1, 2, QDate(2020, 2, 29)}, {2, 2, 2, QDate(1999, 12, 31)}, {3, 1, 1, ma}});
    tabla("cassatip", "cassatip.db", {{"B", "Kölcsönzési díj", 1}, {"T", "Tagdíj", 1}, {"K", "Kiadás", -1}});
    tabla("cassa", "cassa.DB",
          {{1, "T", QDate(2024, 1, 2), 1, 1500.5, 1500.5, "202401"},
           {2, "K", QDate(2024, 1, 3), n, -200.25, 1300.25, n},
           {3, "B", ma, 1, 600.0, 1900.25, ma.toString("yyyyMM")}});
    tabla("beallit", "beallit.DB", {{1, "I", 1500.0, 2800.0, 5000.0, "N", "Köszönjük, hogy nálunk kölcsönzött!", "N"}});
    tabla("tulajdonos", "tulajdonos.DB",
          {{"Öreg Mozi Bt.", "06-1-555-0000", n, n, "1011", "Budapest", "Fő utca 2.", "12345678141", n}});
    tabla("felhasznalo", "felhasznalo.DB", {{"pult", "Pult Éva", "Jelszó1", "I", "I"}});
    tabla("irsz", "irsz.DB", {{1, "1011", "Budapest"}, {2, "6720", "Szeged"}});
    tabla("vkod", "vkod.DB", {{1, "00001"}});
}

} // namespace ParadoxIro
