#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace db {

// Windows code page 1254 (Turkish), the character set of the database's text
// columns. Qt offers no converter for it without ICU, and the table is small.
namespace cp1254 {

QString decode(const QByteArray& bytes);

// Returns nothing when a character has no place in the code page; the caller
// names the field in its message.
std::optional<QByteArray> encode(const QString& text);

// The first character of the text the code page cannot hold, for messages.
QString firstUnencodable(const QString& text);

}  // namespace cp1254
}  // namespace db
