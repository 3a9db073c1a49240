#include "ReportTestSupport.h"

#include <QDir>
#include <QProcess>

namespace report::test {

QString xmlAttribute(const QString& text)
{
    QString out = text.toHtmlEscaped();  // & < > "
    out.replace(QLatin1Char('\n'), QLatin1String("&#13;&#10;"));
    return out;
}

QByteArray memoTemplate(const QString& text, const QString& memoAttributes)
{
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
               "<TfrxReport>\n"
               "  <TfrxReportPage Name=\"Page1\" PaperWidth=\"210\" PaperHeight=\"297\" PaperSize=\"9\" "
               "LeftMargin=\"10\" RightMargin=\"10\" TopMargin=\"10\" BottomMargin=\"10\">\n"
               "    <TfrxReportTitle Name=\"ReportTitle1\" Left=\"0\" Top=\"16\" Width=\"718\" Height=\"30\">\n"
               "      <TfrxMemoView Name=\"Memo1\" Left=\"0\" Top=\"0\" Width=\"718\" Height=\"20\" "
               "WordWrap=\"False\" %2 Text=\"%1\"/>\n"
               "    </TfrxReportTitle>\n"
               "  </TfrxReportPage>\n"
               "</TfrxReport>\n")
        .arg(xmlAttribute(text), memoAttributes)
        .toUtf8();
}

QByteArray listTemplate(double rowHeight)
{
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
               "<TfrxReport>\n"
               "  <TfrxReportPage Name=\"Page1\" PaperWidth=\"210\" PaperHeight=\"297\" PaperSize=\"9\" "
               "LeftMargin=\"10\" RightMargin=\"10\" TopMargin=\"10\" BottomMargin=\"10\">\n"
               "    <TfrxPageHeader Name=\"PageHeader1\" Top=\"10\" Width=\"718\" Height=\"20\">\n"
               "      <TfrxMemoView Name=\"mHead\" Width=\"718\" Height=\"20\" Text=\"KAFE RAPORU\"/>\n"
               "    </TfrxPageHeader>\n"
               "    <TfrxFooter Name=\"Footer1\" Top=\"200\" Width=\"718\" Height=\"20\">\n"
               "      <TfrxMemoView Name=\"mFoot\" Width=\"718\" Height=\"20\" "
               "Text=\"Satır sayısı [COUNT(MasterData1)]\"/>\n"
               "    </TfrxFooter>\n"
               "    <TfrxHeader Name=\"Header1\" Top=\"50\" Width=\"718\" Height=\"20\">\n"
               "      <TfrxMemoView Name=\"mColumns\" Width=\"718\" Height=\"20\" Text=\"Ad\"/>\n"
               "    </TfrxHeader>\n"
               "    <TfrxMasterData Name=\"MasterData1\" Top=\"100\" Width=\"718\" Height=\"%1\" DataSetName=\"Ds_1\">\n"
               "      <TfrxMemoView Name=\"mName\" Width=\"718\" Height=\"18\" Text=\"[Line#]. [Ds_1.&#34;NAME&#34;]\"/>\n"
               "    </TfrxMasterData>\n"
               "    <TfrxPageFooter Name=\"PageFooter1\" Top=\"300\" Width=\"718\" Height=\"20\">\n"
               "      <TfrxMemoView Name=\"mPage\" Width=\"718\" Height=\"20\" "
               "Text=\"Sayfa [Page#]/[TotalPages#] sayfa satırı [COUNT(MasterData1)]\"/>\n"
               "    </TfrxPageFooter>\n"
               "  </TfrxReportPage>\n"
               "</TfrxReport>\n")
        .arg(rowHeight)
        .toUtf8();
}

QString preparedText(const Report& report)
{
    QStringList pages;
    for (int i = 0; i < report.pageCount(); ++i)
        pages.append(report.preparedPages().pageText(i));
    return pages.join(QLatin1Char('\f'));
}

QString pdfText(const QString& pdfPath)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<pdftotext failed: %1>").arg(QString::fromUtf8(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString templatePath(const QString& fileName)
{
    return QDir(QStringLiteral(REPORT_TEMPLATE_DIR)).filePath(fileName);
}

}  // namespace report::test
