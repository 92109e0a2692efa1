// Tool button icons whose disabled look differs plainly from the enabled one.
#pragma once

#include <QIcon>

namespace vm::ui {

// `icon` with its own disabled pictures: grey and faint, where the style's own are only a little
// lighter than the enabled ones.
QIcon MitDeutlichemAus(const QIcon& icon);

// The hint's light bulb, drawn at the tool bar's sizes in the flat look of the style's icons.
QIcon TippSymbol();

} // namespace vm::ui
