#pragma once

#include "ReportError.h"

#include <QByteArray>
#include <QString>

namespace report {

class ReportTemplate;

// Reads a template in the band structure of the .fr3 format into a
// ReportTemplate. Reading never throws: it reports where and why it stopped,
// and leaves the template empty then. Files that are not XML, inherited
// templates and dot-matrix reports are refused with a clear message; hostile
// files (huge, deeply nested, entity bombs, absurd sizes) are refused quickly
// by the limits below.
// Hard limits on what a template may hold; far above any real template.
struct ReadLimits {
    qint64 maxBytes = 32 * 1024 * 1024;
    int maxDepth = 32;
    int maxElements = 100000;
    int maxAttributes = 1000;
    int maxPages = 100;
};

class TemplateReader {
public:
    using Limits = ReadLimits;

    static LoadResult read(const QByteArray& data, ReportTemplate& into, const Limits& limits = Limits());
    static LoadResult readFile(const QString& path, ReportTemplate& into, const Limits& limits = Limits());
};

}  // namespace report
