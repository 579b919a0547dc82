#pragma once
// What every test shares, the tests of the core included (no windows, no
// printing): a temporary installation, the Hungarian locale and a fixed clock.
#include <QDateTime>
#include <QString>
#include <QTemporaryDir>

// A program folder in a temporary directory with a new database
// (optionally the sample catalogue); the settings record starts empty.
class MagTelepites {
public:
    explicit MagTelepites(bool minta = false);
    virtual ~MagTelepites();
    QString mappa() const { return m_dir.path(); }
    QString adatMappa() const { return m_dir.path() + "/Data"; }
    // Opens the session as the main window would.
    void nyit();
private:
    QTemporaryDir m_dir;
};

// The engine's plan of a statement on the open session (its lines joined by
// " / "), parameters left unbound: how a search reaches its rows.
QString LekerdezesiTerv(const QString& sql);

// Pins hu_HU and a fixed clock for the whole test program.
void TesztKornyezet();
inline const QDateTime TesztMost(QDate(2026, 3, 14), QTime(15, 30, 0));
