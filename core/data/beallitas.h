#pragma once
// Per-installation settings (the settings file) and shop-wide settings (the
// beallit row), gathered into the one program-wide record TBeall.
#include "core/data/konverzio.h"   // RovidDatum, the settings file's date form
#include <QDate>
#include <QMap>
#include <QString>

struct TBeallRekord {
    bool TeljesKep = false;
    QString Utvonal;
    int Bal = 0, Felul = 0, Magas = 0, Szeles = 0;
    bool torzsszerkeszt = false;
    bool rendszergazda = false;
    QString MentesUtvonal;
    QDate MentesDatum;
    QString felhasznalo_nev;
    bool vanbelep = false;
    int Betumeret = 0;
    bool elorefizet = false;
    double dijnegyed = 0, dijfel = 0, dijev = 0;
    bool autonyom = false;
    bool VK_Kazettora = false;
    int alapfiztip = 0;   // the rental period a scanned card starts with; 0: asked
};

extern TBeallRekord TBeall;

// The program's own folder; set once at start ("--program-dir" or the
// executable's folder), letter case kept, no trailing "/".
QString ProgramUtvonal();
void ProgramUtvonalBeallit(const QString& mappa);

inline constexpr const char* BeallitasFajlNev = "Kazettora.ini";

// A Windows-style initialisation file: [section] lines and key=value lines.
// Section and key names match in any letter case; lines it does not know
// are kept when the file is written back.
class IniFajl {
public:
    bool beolvas(const QString& fajl);   // false when missing or unreadable
    QString szoveg(const QString& szakasz, const QString& kulcs, const QString& alap) const;
    int egesz(const QString& szakasz, const QString& kulcs, int alap) const;
    bool logikai(const QString& szakasz, const QString& kulcs, bool alap) const;
    QDate datum(const QString& szakasz, const QString& kulcs, const QDate& alap) const;
    void ir(const QString& szakasz, const QString& kulcs, const QString& ertek);
    void ir(const QString& szakasz, const QString& kulcs, int ertek);
    void ir(const QString& szakasz, const QString& kulcs, bool ertek);
    void ir(const QString& szakasz, const QString& kulcs, const QDate& ertek);
    // Writes the whole file atomically and durably; on failure (a full disk
    // included) returns false with a message and the old file is untouched.
    bool ment(const QString& fajl, QString* hiba) const;
private:
    struct Sor { QString szakasz, kulcs, ertek, nyers; };
    QList<Sor> m_sorok;
    const Sor* keres(const QString& szakasz, const QString& kulcs) const;
};

// Fills the settings-file fields of TBeall with their defaults applied.
// Returns the warning to show (missing data folder), or an empty string.
QString IniBeolvasFajlbol(const QString& fajl);
struct Geometria { int bal, felul, magas, szeles; };
bool IniMentesFajlba(const QString& fajl, const Geometria& g, QString* hiba);

// Loads the beallit row into TBeall (an empty table gives all off and 0).
// Throws AdatbazisHiba when the table cannot be read.
void BeallitBetoltAdatbazisbol();

