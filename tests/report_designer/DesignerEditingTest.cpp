// Editing a template in the designer: bands, objects, the mouse and the
// keys, the text window, the property panel, undo and redo, and that what is
// saved is what the next print shows.
#include "DesignerTestSupport.h"

#include "ui/support/Widgets.h"

#include "platform/report/LineView.h"
#include "platform/report/PictureView.h"
#include "platform/report/ShapeView.h"
#include "platform/report/TemplateWriter.h"
#include "platform/report/designer/BandLayout.h"
#include "platform/report/designer/PropertyPanel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include <random>

using namespace report;
using namespace report::test;
using ViewKind = DesignerDocument::ViewKind;

namespace {

QRectF geometry(const ReportView* view)
{
    return QRectF(view->left(), view->top(), view->width(), view->height());
}

QStringList names(const QList<ReportBand*>& bands)
{
    QStringList out;
    for (const ReportBand* band : bands)
        out.append(band->name());
    return out;
}

QTreeWidgetItem* fieldItem(MemoEditor& editor, const QString& dataset, const QString& field)
{
    for (QTreeWidgetItem* item : editor.fieldTree()->findItems(field, Qt::MatchExactly | Qt::MatchRecursive)) {
        if (item->parent() && item->parent()->text(0) == dataset)
            return item;
    }
    return nullptr;
}

}  // namespace

TEST_F(DesignerTest, EditsMadeWithMouseKeysAndTextWindowReachTheNextPrint)
{
    const QString path = writeTemplate("Icecekler.fr3", drinksTemplate());
    report.loadFromFile(path);

    design([&](DesignerWindow& window) {
        DesignerView& view = window.view();
        DesignerScene& scene = window.scene();
        DesignerDocument& doc = window.document();

        // A summary band goes below the data, above the page footer.
        window.addBandAction(ReportBand::ReportSummary)->trigger();
        ReportBand* summary = band(report, "ReportSummary1");
        ASSERT_NE(summary, nullptr);
        EXPECT_EQ(names(doc.orderedBands()),
                  QStringList({"PageHeader1", "MasterData1", "ReportSummary1", "PageFooter1"}));

        // A memo placed with a click, snapped to the grid.
        window.insertAction(ViewKind::Memo)->trigger();
        click(view, scene.bandOrigin(summary) + QPointF(9, 5));
        auto* memo = qobject_cast<MemoView*>(object(report, "Memo1"));
        ASSERT_NE(memo, nullptr);
        EXPECT_EQ(memo->parent(), summary);
        EXPECT_EQ(geometry(memo), QRectF(8, 4, 100, 20));
        EXPECT_EQ(doc.selection(), QList<ReportItem*>{memo});

        // Arrows move by a grid step, Shift+arrows resize.
        for (int i = 0; i < 3; ++i)
            key(view, Qt::Key_Right);
        key(view, Qt::Key_Down);
        EXPECT_EQ(geometry(memo), QRectF(20, 8, 100, 20));
        key(view, Qt::Key_Right, Qt::ShiftModifier);
        key(view, Qt::Key_Right, Qt::ShiftModifier);
        key(view, Qt::Key_Down, Qt::ShiftModifier);
        EXPECT_EQ(geometry(memo), QRectF(20, 8, 108, 24));

        // A run of arrow keys is one step to undo.
        window.undoAction()->trigger();
        EXPECT_EQ(geometry(memo), QRectF(20, 8, 100, 20));
        window.undoAction()->trigger();
        EXPECT_EQ(geometry(memo), QRectF(8, 4, 100, 20));
        window.redoAction()->trigger();
        window.redoAction()->trigger();
        EXPECT_EQ(geometry(memo), QRectF(20, 8, 108, 24));

        // The text window: typed text and an aggregate over the master band.
        onMemoEditor = [](MemoEditor& editor) {
            editor.textEdit()->setPlainText("Toplam: ");
            editor.textEdit()->moveCursor(QTextCursor::End);
            editor.fieldTree()->setCurrentItem(fieldItem(editor, "Ds_1", "PRICE"));
            editor.aggregateBox()->setCurrentIndex(editor.aggregateBox()->findData("SUM"));
            editor.bandBox()->setCurrentText("MasterData1");
            editor.insertAggregate();
            editor.okButton()->click();
        };
        doubleClick(view, scene.viewRect(memo).center());
        EXPECT_EQ(memo->text(), "Toplam: [SUM(<Ds_1.\"PRICE\">,MasterData1)]");

        // A field inserted from the list with a double click.
        auto* name = qobject_cast<MemoView*>(object(report, "mName"));
        click(view, scene.viewRect(name).center());
        ASSERT_EQ(doc.selectedItem(), name);
        onMemoEditor = [](MemoEditor& editor) {
            editor.textEdit()->moveCursor(QTextCursor::End);
            editor.textEdit()->insertPlainText(" - ");
            QTreeWidgetItem* price = fieldItem(editor, "Ds_1", "PRICE");
            ASSERT_NE(price, nullptr);
            QTreeWidget* tree = editor.fieldTree();
            tree->scrollToItem(price);
            // A double click is a click followed by a second press.
            const QPoint at = tree->visualItemRect(price).center();
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
            editor.okButton()->click();
        };
        window.editTextAction()->trigger();
        EXPECT_EQ(name->text(), "[Line#]. [Ds_1.\"NAME\"] - [Ds_1.\"PRICE\"]");

        window.saveAction()->trigger();
        EXPECT_FALSE(doc.isModified());
        window.close();
    });

    // What the designer left in memory is what it wrote.
    EXPECT_EQ(TemplateWriter::write(report.reportTemplate()), readFile(path));
    EXPECT_EQ(report.fileName(), path);

    const QString printed = printedText(path);
    EXPECT_TRUE(printed.contains("1. Çay - 10")) << printed.toStdString();
    EXPECT_TRUE(printed.contains("2. Simit - 25")) << printed.toStdString();
    EXPECT_TRUE(printed.contains("Toplam: 35")) << printed.toStdString();
}

TEST_F(DesignerTest, ObjectsMoveAndResizeWithTheMouseOnTheGrid)
{
    report.loadFromFile(writeTemplate("Icecekler.fr3", drinksTemplate()));

    design([&](DesignerWindow& window) {
        DesignerView& view = window.view();
        DesignerScene& scene = window.scene();
        ReportView* name = object(report, "mName");
        ASSERT_EQ(geometry(name), QRectF(0, 0, 400, 18));

        // Dragged by (13, 9): the place snaps to the grid of 4.
        const QPointF grip = scene.viewRect(name).center();
        drag(view, grip, grip + QPointF(13, 9));
        EXPECT_EQ(geometry(name), QRectF(12, 8, 400, 18));

        // The lower right handle resizes; the corner snaps.
        const QPointF corner = scene.viewRect(name).bottomRight();
        drag(view, corner, corner + QPointF(-21, 7));
        EXPECT_EQ(geometry(name), QRectF(12, 8, 380, 24));

        window.undoAction()->trigger();
        EXPECT_EQ(geometry(name), QRectF(12, 8, 400, 18));
        window.undoAction()->trigger();
        EXPECT_EQ(geometry(name), QRectF(0, 0, 400, 18));
        window.redoAction()->trigger();
        window.redoAction()->trigger();

        // Dropped on the page header, the memo moves into that band.
        ReportBand* header = band(report, "PageHeader1");
        const QPointF from = scene.viewRect(name).topLeft() + QPointF(40, 6);
        const QPointF to = scene.bandOrigin(header) + QPointF(140, 6);
        drag(view, from, to);
        EXPECT_EQ(name->parent(), header);
        EXPECT_EQ(geometry(name), QRectF(100, 0, 380, 24));
        window.undoAction()->trigger();
        EXPECT_EQ(name->parent(), band(report, "MasterData1"));
        EXPECT_EQ(geometry(name), QRectF(12, 8, 380, 24));

        // A band's lower edge sets its height; the bands below follow.
        ReportBand* master = band(report, "MasterData1");
        ReportBand* footer = band(report, "PageFooter1");
        const double footerTop = window.document().bandTop(footer);
        const QPointF edge = scene.bandBodyRect(master).bottomLeft() + QPointF(600, 0);
        drag(view, edge, edge + QPointF(0, 21));
        EXPECT_EQ(master->height(), 40);
        EXPECT_EQ(window.document().bandTop(footer), footerTop + 20);
        EXPECT_EQ(footer->top(), footerTop + 20);

        // Ctrl and Shift add objects to the selection; the arrows move them all.
        ReportView* head = object(report, "mHead");
        click(view, scene.viewRect(name).center());
        click(view, scene.viewRect(head).center(), Qt::ControlModifier);
        EXPECT_EQ(window.document().selectedViews().size(), 2);
        key(view, Qt::Key_Left, Qt::ControlModifier);
        EXPECT_EQ(head->left(), -1);
        EXPECT_EQ(name->left(), 11);

        window.document().setSaved();
        window.close();
    });
}

TEST_F(DesignerTest, BandsOfEveryKindCanBeAddedAndRemoved)
{
    report.loadFromFile(writeTemplate("Icecekler.fr3", drinksTemplate()));

    design([&](DesignerWindow& window) {
        DesignerDocument& doc = window.document();
        for (ReportBand::Kind kind : {ReportBand::ReportTitle, ReportBand::Header, ReportBand::Footer,
                                      ReportBand::GroupHeader, ReportBand::GroupFooter, ReportBand::DetailData,
                                      ReportBand::ReportSummary, ReportBand::MasterData}) {
            QAction* action = window.addBandAction(kind);
            ASSERT_TRUE(action->isEnabled()) << band_layout::kindTitle(kind).toStdString();
            action->trigger();
        }
        EXPECT_EQ(names(doc.orderedBands()),
                  QStringList({"ReportTitle1", "PageHeader1", "Header1", "GroupHeader1", "MasterData1",
                               "DetailData1", "GroupFooter1", "Footer1", "MasterData2", "ReportSummary1",
                               "PageFooter1"}));
        // The engine prints one of these per page: no second one is offered.
        EXPECT_FALSE(window.addBandAction(ReportBand::ReportTitle)->isEnabled());
        EXPECT_FALSE(window.addBandAction(ReportBand::PageHeader)->isEnabled());
        EXPECT_TRUE(window.addBandAction(ReportBand::Header)->isEnabled());

        // The new master band reads the one bound dataset.
        EXPECT_EQ(band(report, "MasterData2")->dataSetName(), "Ds_1");

        // The bands stand stacked below their captions, without gaps.
        double expected = 0;
        for (ReportBand* each : doc.orderedBands()) {
            expected += band_layout::CaptionHeight;
            EXPECT_EQ(each->top(), expected) << each->name().toStdString();
            expected += each->height();
        }

        // A child band hangs under the band selected when it is added.
        doc.select(band(report, "ReportTitle1"));
        window.addBandAction(ReportBand::Child)->trigger();
        EXPECT_EQ(band(report, "ReportTitle1")->childName(), "Child1");
        EXPECT_EQ(doc.orderedBands().at(1)->name(), "Child1");

        // Removing a band takes its objects; undo brings both back in place.
        ReportBand* master = band(report, "MasterData1");
        doc.select(master);
        window.deleteAction()->trigger();
        EXPECT_EQ(band(report, "MasterData1"), nullptr);
        EXPECT_EQ(object(report, "mName"), nullptr);
        window.undoAction()->trigger();
        ASSERT_EQ(band(report, "MasterData1"), master);
        EXPECT_EQ(object(report, "mName")->parent(), master);
        EXPECT_EQ(doc.orderedBands().indexOf(master), 5);

        window.document().setSaved();
        window.close();
    });
}

TEST_F(DesignerTest, LinesShapesAndPicturesAreAddedAndPrinted)
{
    const QString path = writeTemplate("Icecekler.fr3", drinksTemplate());
    report.loadFromFile(path);
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString imagePath = dir.filePath("logo.png");
    ASSERT_TRUE(image.save(imagePath));
    imageAnswers = {imagePath};

    design([&](DesignerWindow& window) {
        DesignerView& view = window.view();
        DesignerScene& scene = window.scene();
        ReportBand* header = band(report, "PageHeader1");
        window.insertAction(ViewKind::Line)->trigger();
        click(view, scene.bandOrigin(header) + QPointF(0, 22));
        window.insertAction(ViewKind::Shape)->trigger();
        click(view, scene.bandOrigin(header) + QPointF(500, 0));
        window.insertAction(ViewKind::Picture)->trigger();
        click(view, scene.bandOrigin(header) + QPointF(600, 0));

        auto* line = qobject_cast<LineView*>(object(report, "Line1"));
        auto* shape = qobject_cast<ShapeView*>(object(report, "Shape1"));
        auto* picture = qobject_cast<PictureView*>(object(report, "Picture1"));
        ASSERT_TRUE(line && shape && picture);
        EXPECT_EQ(geometry(line), QRectF(0, 24, 100, 0));
        EXPECT_EQ(geometry(shape), QRectF(500, 0, 64, 40));
        EXPECT_TRUE(picture->pictureData().startsWith("\x09TPngImage\x89PNG"));
        EXPECT_EQ(picture->image().size(), QSize(8, 6));
        window.saveAction()->trigger();
        window.close();
    });

    Report next;
    next.setDataset("Ds_1", &drinks);
    next.loadFromFile(path);
    next.prepare();
    int lines = 0, shapes = 0, pictures = 0;
    for (const PreparedItem& item : next.preparedPages().page(0).items) {
        lines += item.kind == PreparedItem::Kind::Line;
        shapes += item.kind == PreparedItem::Kind::Shape;
        pictures += item.kind == PreparedItem::Kind::Picture && item.image.size() == QSize(8, 6);
    }
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(shapes, 1);
    EXPECT_EQ(pictures, 1);
}

TEST_F(DesignerTest, PropertyPanelEditsFontAlignmentFormatAndFrame)
{
    const QString path = writeTemplate("Icecekler.fr3", drinksTemplate());
    report.loadFromFile(path);

    design([&](DesignerWindow& window) {
        auto* name = qobject_cast<MemoView*>(object(report, "mName"));
        window.document().select(name);
        PropertyPanel& panel = window.propertyPanel();
        ASSERT_EQ(panel.target(), name);

        // The font starts as the one inherited: Arial 10 pt.
        auto* size = qobject_cast<QSpinBox*>(panel.editor("fontHeight"));
        ASSERT_NE(size, nullptr);
        EXPECT_EQ(size->value(), 10);
        EXPECT_EQ(size->accessibleName(), "Yazı Tipi: Boyut");
        size->setValue(12);
        EXPECT_FALSE(name->parentFont());
        EXPECT_EQ(name->ownFont(), (ItemFont{"Arial", -16, 0, 0}));
        qobject_cast<QCheckBox*>(panel.editor("fontStyle", 1))->click();
        EXPECT_EQ(name->ownFont().style, 1);

        auto* align = qobject_cast<QComboBox*>(panel.editor("hAlign"));
        ASSERT_NE(align, nullptr);
        EXPECT_EQ(align->currentText(), "Sol");
        const int right = align->findText("Sağ");
        align->setCurrentIndex(right);
        emit align->activated(right);
        EXPECT_EQ(name->hAlign(), MemoView::haRight);

        qobject_cast<QCheckBox*>(panel.editor("wordWrap"))->click();
        EXPECT_FALSE(name->wordWrap());

        for (int side : {1, 2, 4, 8})
            qobject_cast<QCheckBox*>(panel.editor("frameTyp", side))->click();
        EXPECT_EQ(name->frameTyp(), 15);
        qobject_cast<QDoubleSpinBox*>(panel.editor("frameWidth"))->setValue(2);
        EXPECT_EQ(name->frameWidth(), 2);

        auto* kind = qobject_cast<QComboBox*>(panel.editor("displayFormatKind"));
        const int numeric = kind->findText("Sayı");
        kind->setCurrentIndex(numeric);
        emit kind->activated(numeric);
        auto* format = qobject_cast<QComboBox*>(panel.editor("displayFormat"));
        format->setCurrentText("###,###,##0.00TL");
        emit format->lineEdit()->editingFinished();
        EXPECT_EQ(name->displayFormatKind(), MemoView::fkNumeric);
        EXPECT_EQ(name->displayFormat(), "###,###,##0.00TL");

        // Position and size are shown in millimetres.
        auto* width = qobject_cast<QDoubleSpinBox*>(panel.editor("width"));
        EXPECT_EQ(width->suffix(), " mm");
        width->setValue(50);
        EXPECT_NEAR(name->width(), 50 * UnitsPerMm, 1e-9);

        // Every edit is its own step.
        window.undoAction()->trigger();
        EXPECT_EQ(name->width(), 400);
        window.undoAction()->trigger();
        window.undoAction()->trigger();
        EXPECT_EQ(name->displayFormatKind(), MemoView::fkText);
        window.redoAction()->trigger();
        window.redoAction()->trigger();
        window.redoAction()->trigger();
        EXPECT_EQ(size->value(), 12);
        EXPECT_EQ(qobject_cast<QComboBox*>(panel.editor("hAlign"))->currentText(), "Sağ");

        // The page's own properties when nothing is selected.
        window.document().setSelection({});
        ASSERT_EQ(panel.target(), window.document().page());
        auto* orientation = qobject_cast<QComboBox*>(panel.editor("orientation"));
        EXPECT_EQ(orientation->currentText(), "Dikey");

        window.saveAction()->trigger();
        window.close();
    });

    const QString file = QString::fromUtf8(readFile(path));
    EXPECT_TRUE(file.contains("HAlign=\"haRight\"")) << file.toStdString();
    EXPECT_TRUE(file.contains("WordWrap=\"False\""));
    EXPECT_TRUE(file.contains("Frame.Typ=\"15\""));
    EXPECT_TRUE(file.contains("Frame.Width=\"2\""));
    EXPECT_TRUE(file.contains("Font.Height=\"-16\""));
    EXPECT_TRUE(file.contains("Font.Style=\"1\""));
    EXPECT_TRUE(file.contains("DisplayFormat.FormatStr=\"###,###,##0.00TL\""));

    // The format applies to every value of the memo, the line number too.
    const QString printed = printedText(path);
    EXPECT_TRUE(printed.contains("1,00TL. Çay")) << printed.toStdString();
}

TEST_F(DesignerTest, DeleteKeyRemovesTheSelectionAndEscapeClearsIt)
{
    report.loadFromFile(writeTemplate("Icecekler.fr3", drinksTemplate()));

    design([&](DesignerWindow& window) {
        DesignerView& view = window.view();
        ReportView* head = object(report, "mHead");
        click(view, window.scene().viewRect(head).center());
        key(view, Qt::Key_Delete);
        EXPECT_EQ(object(report, "mHead"), nullptr);
        EXPECT_TRUE(window.document().selection().isEmpty());
        window.undoAction()->trigger();
        EXPECT_EQ(object(report, "mHead"), head);

        click(view, window.scene().viewRect(head).center());
        key(view, Qt::Key_Escape);
        EXPECT_TRUE(window.document().selection().isEmpty());
        EXPECT_TRUE(window.isVisible());

        window.document().setSaved();
        window.close();
    });
}

TEST_F(DesignerTest, TextWindowOffersFieldsAggregatesAndSystemValues)
{
    report.loadFromFile(writeTemplate("Icecekler.fr3", drinksTemplate()));
    dialogs.expectNotice("Önce listeden toplanacak alanı seçin.");

    design([&](DesignerWindow& window) {
        auto* head = qobject_cast<MemoView*>(object(report, "mHead"));
        onMemoEditor = [](MemoEditor& editor) {
            EXPECT_EQ(editor.windowTitle(), "Metin Düzenle - mHead");
            EXPECT_EQ(editor.text(), "İÇECEKLER");
            // The bound dataset with its fields, the data bands, the system values.
            ASSERT_EQ(editor.fieldTree()->topLevelItemCount(), 1);
            QTreeWidgetItem* dataset = editor.fieldTree()->topLevelItem(0);
            EXPECT_EQ(dataset->text(0), "Ds_1");
            ASSERT_EQ(dataset->childCount(), 2);
            EXPECT_EQ(dataset->child(0)->text(0), "NAME");
            EXPECT_EQ(dataset->child(1)->text(0), "PRICE");
            EXPECT_EQ(editor.bandBox()->count(), 1);
            EXPECT_EQ(editor.bandBox()->itemText(0), "MasterData1");

            editor.textEdit()->moveCursor(QTextCursor::End);
            // SUM needs a field: without one the user is told.
            editor.fieldTree()->setCurrentItem(dataset);
            editor.aggregateBox()->setCurrentIndex(editor.aggregateBox()->findData("SUM"));
            editor.insertAggregate();
            editor.aggregateBox()->setCurrentIndex(editor.aggregateBox()->findData("COUNT"));
            editor.insertAggregate();
            editor.textEdit()->insertPlainText(" ");
            QListWidget* values = editor.systemList();
            for (int i = 0; i < values->count(); ++i) {
                if (values->item(i)->text() == "Sayfa No [Page#]") {
                    const QPoint at = values->visualItemRect(values->item(i)).center();
                    QTest::mouseClick(values->viewport(), Qt::LeftButton, {}, at);
                    QTest::mouseDClick(values->viewport(), Qt::LeftButton, {}, at);
                }
            }
            editor.insertSystemValue("Date");
            editor.okButton()->click();
        };
        window.document().select(head);
        window.editTextAction()->trigger();
        EXPECT_EQ(head->text(), "İÇECEKLER[COUNT(MasterData1)] [Page#][Date]");

        // Cancel leaves the text as it was.
        onMemoEditor = [](MemoEditor& editor) {
            editor.setText("başka");
            editor.cancelButton()->click();
        };
        EXPECT_FALSE(window.editMemoText(head));
        EXPECT_EQ(head->text(), "İÇECEKLER[COUNT(MasterData1)] [Page#][Date]");
        window.document().setSaved();
        window.close();
    });
}

TEST_F(DesignerTest, NamesStayUniqueWhenRenamedInThePanel)
{
    report.loadFromFile(writeTemplate("Icecekler.fr3", drinksTemplate()));
    dialogs.expectNotice("\"mhead\" adı kullanılamaz: ad boş olamaz ve başka bir nesnenin adı olamaz.");

    design([&](DesignerWindow& window) {
        ReportView* name = object(report, "mName");
        window.document().select(name);
        auto* edit = uitest::findByAccessibleName<QLineEdit>(&window.propertyPanel(), "Genel: Ad");
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), "mName");
        edit->setText("mhead");
        emit edit->editingFinished();
        EXPECT_EQ(name->name(), "mName");
        EXPECT_EQ(edit->text(), "mName");
        edit->setText("mUrun");
        emit edit->editingFinished();
        EXPECT_EQ(name->name(), "mUrun");
        window.undoAction()->trigger();
        EXPECT_EQ(name->name(), "mName");
        window.close();
    });
}

TEST_F(DesignerTest, AnyRunOfEditsUndoesBackToTheFileAndRedoesForward)
{
    const QString path = writeTemplate("Icecekler.fr3", drinksTemplate());
    report.loadFromFile(path);
    QByteArray end;

    design([&](DesignerWindow& window) {
        DesignerDocument& doc = window.document();
        const QByteArray start = TemplateWriter::write(report.reportTemplate());
        std::mt19937 random(20240611);
        auto pick = [&](int count) { return int(random() % unsigned(std::max(1, count))); };
        auto items = [&] {
            QList<ReportItem*> all;
            for (ReportBand* each : doc.orderedBands()) {
                all.append(each);
                for (ReportView* view : each->views())
                    all.append(view);
            }
            return all;
        };
        const ReportBand::Kind kinds[] = {ReportBand::ReportTitle, ReportBand::Header, ReportBand::MasterData,
                                          ReportBand::DetailData, ReportBand::Footer, ReportBand::GroupHeader,
                                          ReportBand::GroupFooter, ReportBand::Child, ReportBand::ReportSummary};
        const QList<QPair<QByteArray, QVariant>> properties = {
            {"fontHeight", -16}, {"fontStyle", 3}, {"hAlign", int(MemoView::haCenter)}, {"frameTyp", 15},
            {"frameWidth", 2.5}, {"text", "[Ds_1.\"NAME\"]"}, {"color", 255}, {"height", 44},
            {"visible", false}, {"wordWrap", false}, {"dataSetName", "Ds_1"}, {"shape", 2}};
        for (int step = 0; step < 400; ++step) {
            const QList<ReportItem*> all = items();
            switch (pick(10)) {
            case 0: doc.addBand(kinds[pick(std::size(kinds))]); break;
            case 1: {
                QList<ReportBand*> bands = doc.orderedBands();
                if (!bands.isEmpty())
                    doc.addView(DesignerDocument::ViewKind(pick(4)), bands[pick(bands.size())],
                                QPointF(pick(700), pick(40)));
                break;
            }
            case 2:
                if (!all.isEmpty())
                    doc.toggleSelected(all[pick(all.size())]);
                break;
            case 3: doc.moveSelection(pick(3) * 4 - 4, pick(3) * 4 - 4); break;
            case 4: doc.resizeSelection(pick(3) * 4 - 4, pick(3) * 4 - 4); break;
            case 5:
                if (pick(3) == 0)
                    doc.deleteSelection();
                break;
            case 6: doc.undo(); break;
            case 7: doc.redo(); break;
            default: {
                const auto& [property, value] = properties[pick(properties.size())];
                if (!all.isEmpty())
                    doc.setProperty(all[pick(all.size())], property, value);
                else
                    doc.setProperty(doc.page(), "orientation", int(ReportPage::poLandscape));
                break;
            }
            }
        }
        while (doc.undoStack().canRedo())
            doc.redo();
        end = TemplateWriter::write(report.reportTemplate());
        EXPECT_NE(end, start);
        while (doc.undoStack().canUndo())
            doc.undo();
        EXPECT_EQ(TemplateWriter::write(report.reportTemplate()), start);
        while (doc.undoStack().canRedo())
            doc.redo();
        EXPECT_EQ(TemplateWriter::write(report.reportTemplate()), end);
        window.saveAction()->trigger();
        window.close();
    });

    EXPECT_EQ(readFile(path), end);
    Report next;
    ASSERT_NO_THROW(next.loadFromFile(path));
    EXPECT_EQ(TemplateWriter::write(next.reportTemplate()), end);
}

TEST_F(DesignerTest, PaperSettingsCarryTheBandsAlong)
{
    const QString path = writeTemplate("Icecekler.fr3", drinksTemplate());
    report.loadFromFile(path);

    design([&](DesignerWindow& window) {
        DesignerDocument& doc = window.document();
        ReportPage* page = doc.page();
        PropertyPanel& panel = window.propertyPanel();
        ASSERT_EQ(panel.target(), page);

        auto* orientation = qobject_cast<QComboBox*>(panel.editor("orientation"));
        const int landscape = orientation->findText("Yatay");
        orientation->setCurrentIndex(landscape);
        emit orientation->activated(landscape);
        EXPECT_EQ(page->orientation(), ReportPage::poLandscape);
        EXPECT_EQ(page->paperWidth(), 297);
        EXPECT_EQ(page->paperHeight(), 210);
        EXPECT_NEAR(band(report, "MasterData1")->width(), 277 * UnitsPerMm, 1e-9);

        auto* paper = qobject_cast<QComboBox*>(panel.editor("paperSize"));
        const int a5 = paper->findText("A5");
        paper->setCurrentIndex(a5);
        emit paper->activated(a5);
        EXPECT_EQ(page->paperSize(), 11);
        EXPECT_EQ(page->paperWidth(), 210);
        EXPECT_EQ(page->paperHeight(), 148);

        qobject_cast<QDoubleSpinBox*>(panel.editor("leftMargin"))->setValue(20);
        EXPECT_EQ(page->marginsMm().left(), 20);
        EXPECT_NEAR(band(report, "PageHeader1")->width(), 180 * UnitsPerMm, 1e-9);

        window.undoAction()->trigger();
        window.undoAction()->trigger();
        window.undoAction()->trigger();
        EXPECT_EQ(page->orientation(), ReportPage::poPortrait);
        EXPECT_EQ(page->paperWidth(), 210);
        EXPECT_EQ(page->paperHeight(), 297);
        EXPECT_EQ(page->paperSize(), 9);
        EXPECT_EQ(band(report, "MasterData1")->width(), 718);
        window.redoAction()->trigger();
        window.saveAction()->trigger();
        window.close();
    });

    Report next;
    next.loadFromFile(path);
    const ReportPage& page = *next.reportTemplate().pages().first();
    EXPECT_EQ(page.orientation(), ReportPage::poLandscape);
    EXPECT_EQ(QSizeF(page.paperWidth(), page.paperHeight()), QSizeF(297, 210));
}

TEST_F(DesignerTest, AValueStillBeingTypedIsSavedToo)
{
    const QString path = writeTemplate("Icecekler.fr3", drinksTemplate());
    report.loadFromFile(path);

    design([&](DesignerWindow& window) {
        window.document().select(object(report, "mHead"));
        auto* edit = uitest::findByAccessibleName<QLineEdit>(&window.propertyPanel(), "Metin: Metin");
        ASSERT_NE(edit, nullptr);
        QApplication::setActiveWindow(&window);
        edit->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), edit);
        edit->setText("MENÜ");
        window.saveAction()->trigger();
        EXPECT_FALSE(window.document().isModified());
        window.close();
    });

    const QString printed = printedText(path);
    EXPECT_TRUE(printed.contains("MENÜ")) << printed.toStdString();
}
