// Runs one window test class by name (or all of them): veldmark_ui_tests [Klasse [Qt-Test-Argumente]]
#include <QApplication>
#include <QLocale>
#include <QTest>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "fenstertest.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Veldmark");
    // The report's means use the locale's decimal separator; the tests compare with '.'.
    QLocale::setDefault(QLocale::c());
    const char* gewaehlt = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
    std::vector<char*> rest{argv[0]};
    for (int i = gewaehlt ? 2 : 1; i < argc; ++i) rest.push_back(argv[i]);
    int fehler = 0;
    bool gefunden = false;
    for (const auto& [name, erzeugen] : vm::uitest::Klassen()) {
        if (gewaehlt && std::strcmp(gewaehlt, name) != 0) continue;
        gefunden = true;
        std::unique_ptr<QObject> test = erzeugen();
        fehler += QTest::qExec(test.get(), static_cast<int>(rest.size()), rest.data());
    }
    return gefunden ? fehler : 2;
}
