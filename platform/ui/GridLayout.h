#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <optional>
#include <stdexcept>

namespace ui {

// A grid's layout as a file holds it, keyed by field name so that a grid
// whose columns changed still finds its columns.
struct GridLayoutColumn {
    GridLayoutColumn() = default;
    GridLayoutColumn(const QString& field, int width = 0, std::optional<bool> visible = {})
        : field(field), width(width), visible(visible)
    {
    }

    QString field;
    int width = 0;                 // 0: none stored
    std::optional<bool> visible;   // nothing: none stored
};

struct GridLayout {
    QList<GridLayoutColumn> columns;  // in the order shown
    // Nothing: the file says nothing of sorting; an empty field: unsorted.
    std::optional<QString> sortField;
    bool sortDescending = false;
    // Read when present, never written: filter texts and footer sums
    // (field to number format).
    QHash<QString, QString> filters;
    QHash<QString, QString> footerSums;
};

// A layout file that cannot be written.
class FileError : public std::runtime_error {
public:
    explicit FileError(const QString& message);
    QString message() const { return message_; }

private:
    QString message_;
};

// Reads a layout file; raises FileError when the file is missing,
// unreadable or not a layout file. Parts of a layout that make no sense are
// left out.
GridLayout loadGridLayout(const QString& path);
// The same, with nothing instead of the error.
std::optional<GridLayout> readGridLayout(const QString& path);

// Replaces the file as a whole; raises FileError when it cannot.
void writeGridLayout(const QString& path, const GridLayout& layout);

}  // namespace ui
