#pragma once

#include "platform/report/Report.h"
#include "platform/report/ReportDataset.h"

#include <QString>
#include <QTemporaryDir>

namespace report::test {

// Text as an XML attribute value.
QString xmlAttribute(const QString& text);

// A one-page A4 template whose title band holds one wide memo with this text
// and these extra memo attributes (already XML).
QByteArray memoTemplate(const QString& text, const QString& memoAttributes = {});

// An A4 template with a page header, a header, a master band over Ds_1 with
// the field NAME, a footer and a page footer; rowHeight sets the master band's height.
QByteArray listTemplate(double rowHeight = 20);

// Every line of text of all prepared pages, page after page.
QString preparedText(const Report& report);

// The text of a PDF file as pdftotext -layout gives it.
QString pdfText(const QString& pdfPath);

// The shipped templates.
QString templatePath(const QString& fileName);

}  // namespace report::test
