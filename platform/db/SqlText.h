#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace db {

// A statement with named parameters (":MASA_ID") rewritten for the server,
// which only knows positional ones ("?"). One name may appear several times;
// quoted text, quoted identifiers and comments are left alone.
struct ParsedSql {
    QString text;                    // with "?" in place of each parameter
    std::vector<QString> positions;  // parameter name (upper case) of each "?"
    QStringList names() const;       // each name once, in order of appearance
};

ParsedSql parseNamedParameters(const QString& sql);

}  // namespace db
