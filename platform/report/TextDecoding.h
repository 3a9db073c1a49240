#pragma once

#include <QByteArray>
#include <QString>

namespace report {

// Template files declare UTF-8 but some carry raw Windows Turkish (code page
// 1254) bytes, written by designers on Turkish machines. Valid UTF-8 sequences
// are decoded as UTF-8; every byte that is not part of one is read as a code
// page 1254 character. A leading byte-order mark is dropped.
QString decodeTolerantUtf8(const QByteArray& bytes);

// One byte of code page 1254 as a character (U+FFFD for the five unused codes).
QChar cp1254Char(unsigned char byte);

}  // namespace report
