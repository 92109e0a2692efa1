// The English help documents: the readme and the help page around the generated tables.
#pragma once

#include <QString>

QString ReadmeEnglisch(int arten, int karten);
QString HilfeseiteEnglisch(const QString& adelsbonus, const QString& kartentabelle);
