#pragma once
// The item picker: every item in the shop, found by code or by the
// beginning of its title; hands back the chosen item's key. A member of the
// list-window pattern in selection mode, without new, edit and delete.
#include "windows/refdata/torzsablak.h"

class Tfrm_VideoValaszt : public TorzsAblak {
    Q_OBJECT
public:
    explicit Tfrm_VideoValaszt(QWidget* szulo = nullptr);

    // Loads the list and makes the item with key `video` current (the
    // first row when none).
    void megnyit(qint64 video);
    qint64 aktualisKulcs() const;

    QAction* aKeresKod = nullptr;
    QAction* aKeresNev = nullptr;

public slots:
    void aKeresKodExecute();
    void aKeresNevExecute();

protected:
    void gyorsKeres(const GyorsKereses::Kerdes& kerdes) override;

private:
    void rend(bool nev);
    // The filter of the items offered, chosen on each loading.
    void szuroBeallit();
};

// The item choice: the chosen item's key, or -1.
qint64 VideoValaszt(QWidget* szulo, qint64 video = -1);
