#pragma once
// For the tests that drive the whole main window.
#include "windows/app/alkalmazas.h"
#include "windows/app/indulas.h"
#include "windows/app/tfrm_main.h"
#include "tests/windows/tesztsegito.h"

#include <QObject>
#include <QtTest>
#include <memory>

// Starts the main window into `f` as the program does (start-up, then the
// window on its session, with `k` in place of what it opens) and waits until
// it shows; a start that fails stops the test program with the error boxes
// `p` was shown.
inline Tfrm_Main& FoablakIndit(std::unique_ptr<Tfrm_Main>& f, const TesztParbeszed& p, FoablakKapcsolatok k = {})
{
    const std::optional<Munkamenet> m = Indulas();
    if (m) f = std::make_unique<Tfrm_Main>(*m, std::move(k));
    if (!m || !f->indult()) qFatal("start failed: %s", qPrintable(p.hibak().join('|')));
    f->show();
    if (!QTest::qWaitForWindowExposed(f.get())) qFatal("not exposed");
    return *f;
}

// A fresh set-up with the sample catalogue before each case; the window and
// then the set-up gone after it.
class FoablakTeszt : public QObject {
    Q_OBJECT
protected:
    std::unique_ptr<TesztTelepites> m_t;
    std::unique_ptr<Tfrm_Main> m_f;

    Tfrm_Main& indit() { return FoablakIndit(m_f, m_t->parbeszed); }

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        AlkalmazasBeallit(*qApp);
    }
    void init() { m_t = std::make_unique<TesztTelepites>(true); }
    void cleanup()
    {
        m_f.reset();
        m_t.reset();
    }
};
