#include "DesignerTestSupport.h"

#include "platform/ui/Modal.h"

#include <QFile>
#include <QTest>

namespace report::test {

DesignerTest::DesignerTest()
    : drinks({"NAME", "PRICE"}, {{QStringLiteral("Çay"), 10}, {QStringLiteral("Simit"), 25}})
{
    report.setDataset(QStringLiteral("Ds_1"), &drinks, QStringLiteral("dt_1"));
    designer.attach(report);
    designer.setSaveFileNameHandler([this](QWidget*, const QString& suggested) {
        saveAsSuggestions.append(suggested);
        if (saveAsAnswers.isEmpty()) {
            ADD_FAILURE() << "unexpected save-as dialog, suggested " << suggested.toStdString();
            return QString();
        }
        return saveAsAnswers.takeFirst();
    });
    designer.setImageFileNameHandler([this](QWidget*, const QString&) {
        if (imageAnswers.isEmpty()) {
            ADD_FAILURE() << "unexpected image file dialog";
            return QString();
        }
        return imageAnswers.takeFirst();
    });
}

QByteArray DesignerTest::drinksTemplate()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<TfrxReport>\n"
        "  <Datasets>\n"
        "    <item DataSet=\"dt_1\" DataSetName=\"Ds_1\"/>\n"
        "  </Datasets>\n"
        "  <TfrxReportPage Name=\"Page1\" PaperWidth=\"210\" PaperHeight=\"297\" PaperSize=\"9\" "
        "LeftMargin=\"10\" RightMargin=\"10\" TopMargin=\"10\" BottomMargin=\"10\">\n"
        "    <TfrxPageHeader Name=\"PageHeader1\" Top=\"20\" Width=\"718\" Height=\"24\">\n"
        "      <TfrxMemoView Name=\"mHead\" Width=\"400\" Height=\"20\" Text=\"İÇECEKLER\"/>\n"
        "    </TfrxPageHeader>\n"
        "    <TfrxMasterData Name=\"MasterData1\" Top=\"100\" Width=\"718\" Height=\"20\" DataSet=\"dt_1\" "
        "DataSetName=\"Ds_1\">\n"
        "      <TfrxMemoView Name=\"mName\" Width=\"400\" Height=\"18\" Text=\"[Line#]. [Ds_1.&#34;NAME&#34;]\"/>\n"
        "    </TfrxMasterData>\n"
        "    <TfrxPageFooter Name=\"PageFooter1\" Top=\"300\" Width=\"718\" Height=\"20\">\n"
        "      <TfrxMemoView Name=\"mPage\" Width=\"200\" Height=\"18\" Text=\"Sayfa [Page#]\"/>\n"
        "    </TfrxPageFooter>\n"
        "  </TfrxReportPage>\n"
        "</TfrxReport>\n");
}

QString DesignerTest::writeTemplate(const QString& fileName, const QByteArray& content)
{
    const QString path = dir.filePath(fileName);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return path;
}

QByteArray DesignerTest::readFile(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void DesignerTest::design(const std::function<void(DesignerWindow&)>& act)
{
    int designers = 0;
    ui::ModalHookScope hook([&](QDialog& window) {
        if (auto* designerWindow = qobject_cast<DesignerWindow*>(&window)) {
            ++designers;
            act(*designerWindow);
        } else if (auto* editor = qobject_cast<MemoEditor*>(&window)) {
            if (onMemoEditor)
                onMemoEditor(*editor);
            else
                ADD_FAILURE() << "unexpected text window";
        } else if (onOtherWindow) {
            onOtherWindow(window);
        } else {
            ADD_FAILURE() << "unexpected window " << window.metaObject()->className();
        }
    });
    report.design();
    EXPECT_EQ(designers, 1);
}

QString DesignerTest::printedText(const QString& templatePath)
{
    Report next;
    next.setDataset(QStringLiteral("Ds_1"), &drinks, QStringLiteral("dt_1"));
    next.loadFromFile(templatePath);
    next.prepare();
    const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
    next.exportToPdf(pdf);
    return pdfText(pdf);
}

void DesignerTest::click(DesignerView& view, const QPointF& scenePos, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, view.viewportPoint(scenePos));
}

void DesignerTest::doubleClick(DesignerView& view, const QPointF& scenePos)
{
    // What a real double click sends: a click, then a second press.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.viewportPoint(scenePos));
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, view.viewportPoint(scenePos));
}

void DesignerTest::drag(DesignerView& view, const QPointF& from, const QPointF& to)
{
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, view.viewportPoint(from));
    QTest::mouseMove(view.viewport(), view.viewportPoint((from + to) / 2));
    QTest::mouseMove(view.viewport(), view.viewportPoint(to));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, view.viewportPoint(to));
}

void DesignerTest::key(DesignerView& view, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(&view, key, modifiers);
}

ReportBand* DesignerTest::band(const Report& report, const QString& name)
{
    for (ReportPage* page : report.reportTemplate().pages()) {
        for (ReportBand* band : page->bands()) {
            if (band->name() == name)
                return band;
        }
    }
    return nullptr;
}

ReportView* DesignerTest::object(const Report& report, const QString& name)
{
    for (ReportPage* page : report.reportTemplate().pages()) {
        for (ReportBand* band : page->bands()) {
            for (ReportView* view : band->views()) {
                if (view->name() == name)
                    return view;
            }
        }
    }
    return nullptr;
}

}  // namespace report::test
