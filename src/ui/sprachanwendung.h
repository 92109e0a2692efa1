// The language file applied to the widgets: every text a window shows is looked up with the
// text itself as key, menu captions in "Menue", all other texts in "Other".
#pragma once

#include <QObject>
#include <QString>

class QMenu;
class QWidget;

namespace vm {
class TSprache;
}

namespace vm::ui {

class TSprachanwendung : public QObject {
    Q_OBJECT
public:
    explicit TSprachanwendung(const TSprache& sprache, QObject* eltern = nullptr)
        : QObject(eltern), s_(sprache) {}

    // A window with all its children, its menu bar and their menus.
    void Anwenden(QWidget* fenster);
    // A menu with its submenus.
    void Anwenden(QMenu* menue);
    // Installed on the application, it translates every window as it is shown, so that a dialog
    // built with German texts appears in the file's language each time it opens.
    bool eventFilter(QObject* o, QEvent* e) override;

    QString Other(const QString& text) const;
    QString Menue(const QString& text) const;

private:
    // The translation of a text slot of an object. The German original is kept beside it, so
    // that a text is never looked up in its translated form, and a text the program has set
    // anew since is taken as the new original.
    QString Slot(QObject* o, const char* slot, const QString& jetzt, bool menue) const;
    void Widget(QWidget* w);

    const TSprache& s_;
};

} // namespace vm::ui
