#include "ui/sprachanwendung.h"

#include <QAbstractButton>
#include <QAction>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

#include "persist/sprache.h"

namespace vm::ui {

QString TSprachanwendung::Other(const QString& text) const {
    return QString::fromStdString(s_.Other(text.toStdString()));
}

QString TSprachanwendung::Menue(const QString& text) const {
    return QString::fromStdString(s_.Menue(text.toStdString()));
}

QString TSprachanwendung::Slot(QObject* o, const char* slot, const QString& jetzt, bool menue) const {
    if (jetzt.isEmpty() || !s_.Geladen()) return jetzt;
    const QByteArray orig = QByteArray("vmDe_") + slot, ueb = QByteArray("vmUeb_") + slot;
    const QVariant frueher = o->property(ueb.constData());
    const QString original =
        frueher.isValid() && frueher.toString() == jetzt ? o->property(orig.constData()).toString() : jetzt;
    const QString neu = menue ? Menue(original) : Other(original);
    o->setProperty(orig.constData(), original);
    o->setProperty(ueb.constData(), neu);
    return neu;
}

void TSprachanwendung::Anwenden(QMenu* menue) {
    const QString titel = Slot(menue, "title", menue->title(), true);
    if (titel != menue->title()) menue->setTitle(titel);
    for (QAction* a : menue->actions()) {
        if (a->isSeparator()) continue;
        if (a->menu()) {
            Anwenden(a->menu());
            continue;
        }
        const QString text = Slot(a, "text", a->text(), true);
        if (text != a->text()) a->setText(text);
    }
}

void TSprachanwendung::Widget(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w)) {
        const QString t = Slot(l, "text", l->text(), false);
        if (t != l->text()) l->setText(t);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        const QString t = Slot(b, "text", b->text(), false);
        if (t != b->text()) b->setText(t);
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        const QString t = Slot(g, "title", g->title(), false);
        if (t != g->title()) g->setTitle(t);
    } else if (auto* r = qobject_cast<QTabWidget*>(w)) {
        for (int i = 0; i < r->count(); ++i) {
            const QByteArray slot = "tab" + QByteArray::number(i);
            const QString t = Slot(r, slot.constData(), r->tabText(i), false);
            if (t != r->tabText(i)) r->setTabText(i, t);
        }
    } else if (auto* m = qobject_cast<QMenu*>(w)) {
        Anwenden(m);
    }
    const QString hinweis = Slot(w, "toolTip", w->toolTip(), false);
    if (hinweis != w->toolTip()) w->setToolTip(hinweis);
}

void TSprachanwendung::Anwenden(QWidget* fenster) {
    if (!fenster || !s_.Geladen()) return;
    const QString titel = Slot(fenster, "windowTitle", fenster->windowTitle(), false);
    if (titel != fenster->windowTitle()) fenster->setWindowTitle(titel);
    if (auto* haupt = qobject_cast<QMainWindow*>(fenster)) {
        for (QAction* a : haupt->menuBar()->actions())
            if (a->menu()) Anwenden(a->menu());
    }
    Widget(fenster);
    for (QWidget* w : fenster->findChildren<QWidget*>()) {
        // Menus of the menu bar are done above; a window of its own is done when it is shown.
        if (w->isWindow() && !qobject_cast<QMenu*>(w)) continue;
        Widget(w);
    }
}

bool TSprachanwendung::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::Show && o->isWidgetType()) {
        auto* w = static_cast<QWidget*>(o);
        if (w->isWindow() && !qobject_cast<QMenu*>(w)) Anwenden(w);
    }
    return false;
}

} // namespace vm::ui
