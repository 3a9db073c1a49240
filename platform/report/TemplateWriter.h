#pragma once

#include <QByteArray>
#include <QString>

namespace report {

class ReportTemplate;

// Writes a template in the .fr3 band structure: only values that differ from
// an item's defaults (positions and paper always), then the attributes and
// elements kept from reading in their places, so nothing read is lost.
class TemplateWriter {
public:
    static QByteArray write(const ReportTemplate& report);
    // Replaces the file as a whole; throws ReportError when it cannot.
    static void writeFile(const ReportTemplate& report, const QString& path);
};

}  // namespace report
