// The English help documents: the readme and the help page around the generated tables.
#pragma once

#include <QString>

// The style sheet both help pages share.
inline constexpr const char* HilfeStil = R"(<style>
body { font-family: sans-serif; max-width: 60em; margin: 1em auto; padding: 0 1em; line-height: 1.45; }
table { border-collapse: collapse; margin: 0.5em 0 1em; }
th, td { border: 1px solid #999; padding: 0.15em 0.5em; text-align: left; vertical-align: top; }
th { background: #eee; }
kbd { border: 1px solid #aaa; border-radius: 3px; padding: 0 0.3em; background: #f6f6f6; }
.gruen { background: #51DD22; } .blau { background: #64B1FF; } .rot { background: #FF8040; } .erw { background: #FFFF80; }
</style>
)";

QString ReadmeEnglisch(int arten, int karten);
QString HilfeseiteEnglisch(const QString& adelsbonus, const QString& kartentabelle);
