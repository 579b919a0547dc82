#pragma once
// What every test shares, the tests of the core included (no windows, no
// printing): a temporary installation, the Hungarian locale and a fixed clock.
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtGlobal>
#include <memory>

// A program folder in a temporary directory with a new database
// (optionally the sample catalogue); the settings record starts empty.
// Login is switched off unless `belepes` asks for it as delivered.
class MagTelepites {
public:
    explicit MagTelepites(bool minta = false, bool belepes = false);
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

// The rows of a query, each as its fields joined by '|' (NULL as '∅'), read
// through a connection of its own to the installation's database: what it
// shows is committed.
QStringList Lemezen(const QString& adatMappa, const QString& sql);

// Pins hu_HU and a fixed clock for the whole test program, and makes
// password digests cheap (Felhasznalok::OlcsoDigest).
void TesztKornyezet();
inline const QDateTime TesztMost(QDate(2026, 3, 14), QTime(15, 30, 0));

// While alive, files may grow to at most `bajt` bytes in this process, as
// if the disk were full beyond them: writes past it fail (EFBIG), short.
class TeliLemez {
public:
    explicit TeliLemez(qint64 bajt);
    ~TeliLemez();
private:
    qint64 m_regi = 0;
};

// While alive, this thread is bound by file permissions even as root
// (CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH left out of its effective
// capabilities), so a test can meet a read-only or inaccessible folder.
// ervenyes() is false when that could not be arranged (the test skips).
class JogokKorlatozva {
public:
    JogokKorlatozva();
    ~JogokKorlatozva();
    bool ervenyes() const { return m_ervenyes; }
private:
    bool m_ervenyes = false;
    bool m_visszaallit = false;
    quint32 m_regi[2] = {};
};

// The usual core test: a fresh installation opened before each case and
// removed after it.
class MagTeszt : public QObject {
    Q_OBJECT
protected:
    std::unique_ptr<MagTelepites> m_t;

private slots:
    void initTestCase() { TesztKornyezet(); }
    void init()
    {
        m_t = std::make_unique<MagTelepites>();
        m_t->nyit();
    }
    void cleanup() { m_t.reset(); }
};
