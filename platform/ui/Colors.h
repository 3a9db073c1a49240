#pragma once

#include <QColor>

namespace ui {

// Colours are stored as the colour pickers of the program store them: red in
// the lowest byte, green in the next, blue in the third (0x00BBGGRR). A
// value whose high byte is 0x80 or 0xFF is a system colour constant (its low
// byte a Windows COLOR_* index), which maps to the matching role of the
// application palette. Values may arrive from signed 32-bit columns, so only
// the low 32 bits count.
QColor colorFromValue(qint64 value);

// The 0x00BBGGRR value of a colour; alpha is dropped. An invalid colour is 0
// (black), like an empty colour column.
qint64 valueFromColor(const QColor& color);

bool isSystemColorValue(qint64 value);

// Text for a colour value, "#RRGGBB" (upper-case hex), for pickers and
// screen readers.
QString colorValueName(qint64 value);

}  // namespace ui
