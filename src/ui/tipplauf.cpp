#include "ui/tipplauf.h"

namespace vm::ui {

TTippLauf::TTippLauf(const TSpielsitzung& g, int kerne, int32_t budget, QObject* eltern)
    : QObject(eltern), suche_(std::make_unique<TTippSuche>(g, kerne, budget)) {}

TTippLauf::~TTippLauf() {
    if (!thread_) return;
    suche_->Abbrechen();
    thread_->wait();
}

void TTippLauf::Starten() {
    thread_.reset(QThread::create([this] { suche_->Laufen(); }));
    connect(thread_.get(), &QThread::finished, this, [this] {
        fertig_ = true;
        emit Beendet();
    });
    thread_->start();
}

} // namespace vm::ui
