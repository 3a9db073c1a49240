#pragma once

#include <QString>
#include <stdexcept>

namespace report {

// Every failure of the report engine that its caller must see: a template that
// cannot be read, a report too large to lay out, a printer that cannot be opened.
// Template errors carry the file and the line and column where reading
// stopped; what() puts them in front of the message for the error box.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& message, int line = 0, int column = 0, const QString& fileName = {});

    QString message() const { return message_; }
    int line() const { return line_; }
    int column() const { return column_; }
    QString fileName() const { return fileName_; }

private:
    QString message_;
    int line_;
    int column_;
    QString fileName_;
};

// The outcome of reading a template: ok, or where and why reading stopped.
struct LoadResult {
    bool ok = true;
    int line = 0;
    int column = 0;
    QString message;

    static LoadResult failure(const QString& message, int line = 0, int column = 0);
    // "line 3, column 7: message", for error boxes and logs.
    QString toString() const;
};

}  // namespace report
