#pragma once

#include "report/ReportTestSupport.h"
#include "ui/support/ScriptedDialogs.h"

#include "platform/report/MemoView.h"
#include "platform/report/Report.h"
#include "platform/report/ReportBand.h"
#include "platform/report/ReportDataset.h"
#include "platform/report/ReportPage.h"
#include "platform/report/designer/DesignerDocument.h"
#include "platform/report/designer/DesignerScene.h"
#include "platform/report/designer/DesignerView.h"
#include "platform/report/designer/DesignerWindow.h"
#include "platform/report/designer/MemoEditor.h"
#include "platform/report/designer/ReportDesigner.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace report::test {

// A report with a list of drinks under "Ds_1", the designer attached to it,
// the scripted dialog service, and a folder for template files. design()
// opens the designer through Report::design and hands the window, and any
// window it opens in turn, to the test.
class DesignerTest : public ::testing::Test {
protected:
    DesignerTest();

    // A template with a page header, a master band over Ds_1 printing
    // "[Line#]. [Ds_1."NAME"]" in memo mName, and a page footer.
    static QByteArray drinksTemplate();

    QString writeTemplate(const QString& fileName, const QByteArray& content);
    QByteArray readFile(const QString& path) const;

    // Runs Report::design with the hooks below; the designer window is closed
    // afterwards by the test's own act (or left for the hook to hide).
    void design(const std::function<void(DesignerWindow&)>& act);

    // A fresh report on the file, with the same data, as the next print gets it.
    QString printedText(const QString& templatePath);

public:
    // Mouse and keys on the page, in scene coordinates.
    static void click(DesignerView& view, const QPointF& scenePos, Qt::KeyboardModifiers modifiers = {});
    static void doubleClick(DesignerView& view, const QPointF& scenePos);
    static void drag(DesignerView& view, const QPointF& from, const QPointF& to);
    static void key(DesignerView& view, Qt::Key key, Qt::KeyboardModifiers modifiers = {});

    static ReportBand* band(const Report& report, const QString& name);
    static ReportView* object(const Report& report, const QString& name);

protected:
    QTemporaryDir dir;
    MemoryDataset drinks;
    Report report;
    ReportDesigner designer;
    uitest::ScriptedDialogs dialogs;
    // What the designer's nested windows meet.
    std::function<void(MemoEditor&)> onMemoEditor;
    std::function<void(QDialog&)> onOtherWindow;
    // Names the save-as dialog answers, in turn; a call beyond them fails the test.
    QStringList saveAsAnswers;
    QStringList saveAsSuggestions;
    QStringList imageAnswers;
};

}  // namespace report::test
