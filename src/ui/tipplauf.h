// The hint's search on a thread of its own. It works on a copy of the game, so the window goes on
// while it runs; the window decides afterwards whether the result still fits the game.
#pragma once

#include <QObject>
#include <QThread>
#include <memory>

#include "control/tipp.h"

namespace vm::ui {

class TTippLauf : public QObject {
    Q_OBJECT
public:
    TTippLauf(const TSpielsitzung& g, int kerne, int32_t budget, QObject* eltern);
    // Stops a search still going and waits for its thread.
    ~TTippLauf() override;

    void Starten();
    bool Laeuft() const { return thread_ && !fertig_; }
    TTippSuche& Suche() { return *suche_; }

signals:
    // The thread has ended; received on the window's.
    void Beendet();

private:
    std::unique_ptr<TTippSuche> suche_;
    std::unique_ptr<QThread> thread_;
    bool fertig_ = false;
};

} // namespace vm::ui
