#include "support/TestDatabase.h"
#include "ui/support/ScriptedDialogs.h"
#include "ui/support/Widgets.h"

#include "platform/db/DataSource.h"
#include "platform/db/EditableQuery.h"
#include "platform/db/Field.h"
#include "platform/ui/ColumnCustomization.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/DatasetModel.h"
#include "platform/ui/FilterHeader.h"
#include "platform/ui/GridLayout.h"
#include "platform/ui/GridProxyModel.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QListWidget>
#include <QMimeData>
#include <QTableView>
#include <QTest>

using testsupport::execSql;
using testsupport::freshDatabase;
using testsupport::scratchDir;
using testsupport::Session;
using uitest::ScriptedDialogs;

namespace {

// Tables with Turkish names whose case differs (IŞIK, ılık, İzmir,
// istanbul) and amounts whose text order is not their numeric order.
class Grid : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = freshDatabase();
        execSql(path, QStringLiteral("insert into MASA (MASA_ID, MASA_ADI, TUTAR, ACIK_KAPALI) values "
                                     "(1, 'IŞIK', 10.5, 1)"));
        execSql(path, QStringLiteral("insert into MASA (MASA_ID, MASA_ADI, TUTAR, ACIK_KAPALI) values "
                                     "(2, 'ılık', 20, 2)"));
        execSql(path, QStringLiteral("insert into MASA (MASA_ID, MASA_ADI, TUTAR, ACIK_KAPALI) values "
                                     "(3, 'İzmir', 30.25, 1)"));
        execSql(path, QStringLiteral("insert into MASA (MASA_ID, MASA_ADI, TUTAR, ACIK_KAPALI) values "
                                     "(4, 'istanbul', 40, 1)"));
        execSql(path, QStringLiteral("insert into MASA (MASA_ID, MASA_ADI, TUTAR, ACIK_KAPALI) values "
                                     "(5, 'Bahçe', null, 1)"));
        execSql(path, QStringLiteral("insert into MASA (MASA_ID, MASA_ADI, TUTAR, ACIK_KAPALI) values "
                                     "(6, 'Kısa', 5, 2)"));
        execSql(path, QStringLiteral("alter sequence MASA_MASA_ID_GEN restart with 100"));
        session = std::make_unique<Session>(path);
        masa = std::make_unique<db::EditableQuery>(*session->transaction);
        masa->setObjectName(QStringLiteral("Q_Masa"));
        masa->setSql(QStringLiteral("select * from masa order by masa_id"));
        masa->setTableName(QStringLiteral("MASA"));
        masa->setKeyField(QStringLiteral("MASA_ID"));
        masa->setGeneratorName(QStringLiteral("MASA_MASA_ID_GEN"));
        masa->setFieldDisplayFormat(QStringLiteral("TUTAR"), QStringLiteral("###,###,##0.00"));
        masa->open();
        ds = std::make_unique<db::DataSource>(masa.get());
        layoutFile = QDir(scratchDir()).filePath(QStringLiteral("grid-%1.ini").arg(++files));
    }

    // The grid as a window designs it: four columns, the last one hidden.
    std::unique_ptr<ui::DataGrid> designedGrid()
    {
        auto grid = std::make_unique<ui::DataGrid>();
        grid->setColumns({{QStringLiteral("MASA_ID"), {}, 92},
                          {QStringLiteral("MASA_ADI"), {}, 306},
                          {QStringLiteral("TUTAR"), {}, 116},
                          {QStringLiteral("ACIK_KAPALI"), {}, 137, false}});
        grid->setDataSource(ds.get());
        grid->resize(800, 400);
        return grid;
    }

    QStringList shownNames(const ui::DataGrid& grid)
    {
        QStringList names;
        const int column = grid.columnIndex(QStringLiteral("MASA_ADI"));
        for (int row = 0; row < grid.shownRowCount(); ++row)
            names << grid.proxyModel()->index(row, column).data().toString();
        return names;
    }

    QString path;
    QString layoutFile;
    static inline int files = 0;
    std::unique_ptr<Session> session;
    std::unique_ptr<db::EditableQuery> masa;
    std::unique_ptr<db::DataSource> ds;
};

// Turns the model tester's complaints into failures of the running test.
class ModelTesterFailures {
public:
    ModelTesterFailures() { previous_ = qInstallMessageHandler(&handle); }
    ~ModelTesterFailures() { qInstallMessageHandler(previous_); }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type != QtDebugMsg && QLatin1String(context.category ? context.category : "") == "qt.modeltest")
            ADD_FAILURE() << message.toStdString();
    }
    QtMessageHandler previous_;
};

TEST_F(Grid, ModelsPassTheModelTesterThroughEveryDatasetChange)
{
    ModelTesterFailures failures;
    static const QLoggingCategory modelTest("qt.modeltest");
    EXPECT_NONFATAL_FAILURE(qCWarning(modelTest) << "probe", "probe");
    auto grid = designedGrid();
    QAbstractItemModelTester sourceTester(grid->datasetModel(), QAbstractItemModelTester::FailureReportingMode::Warning);
    QAbstractItemModelTester proxyTester(grid->proxyModel(), QAbstractItemModelTester::FailureReportingMode::Warning);
    grid->setFilterRowVisible(true);
    grid->setEditable(true);

    masa->moveTo(2);
    masa->insert();
    masa->fieldByName(QStringLiteral("MASA_ADI"))->setAsString(QStringLiteral("Yeni"));
    masa->post();
    masa->append();
    masa->cancel();
    grid->sortBy(QStringLiteral("TUTAR"), Qt::DescendingOrder);
    masa->append();
    masa->fieldByName(QStringLiteral("MASA_ADI"))->setAsString(QStringLiteral("Son"));
    masa->post();
    grid->setFilterText(QStringLiteral("MASA_ADI"), QStringLiteral("i"));
    grid->proxyModel()->setData(grid->proxyModel()->index(0, 1), QStringLiteral("İzmit"));
    masa->post();
    masa->deleteRecord();
    grid->setFilterText(QStringLiteral("MASA_ADI"), QString());
    masa->refresh();
    grid->sortBy(QString());
    masa->close();
    masa->open();
    grid->setColumns({{QStringLiteral("MASA_ADI")}, {QStringLiteral("TUTAR")}});
    EXPECT_EQ(grid->shownRowCount(), 7);
}

TEST_F(Grid, ShowsCaptionsFormattedValuesAndTheRowIndicator)
{
    auto grid = designedGrid();
    grid->setColumns({{QStringLiteral("MASA_ADI"), QStringLiteral("Masa")}, {QStringLiteral("TUTAR")}});
    masa->setFieldDisplayLabel(QStringLiteral("TUTAR"), QStringLiteral("Tutar"));
    const QAbstractItemModel* m = grid->proxyModel();
    EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Masa"));
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Tutar"));
    EXPECT_EQ(m->index(2, 1).data().toString(), QStringLiteral("30,25"));
    EXPECT_EQ(m->index(5, 1).data().toString(), QStringLiteral("5,00"));
    EXPECT_EQ(m->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(m->index(0, 1).data(Qt::EditRole).toString(), QStringLiteral("10,5"));
    EXPECT_EQ(m->headerData(0, Qt::Vertical).toString(), QStringLiteral("▶"));
    EXPECT_EQ(m->headerData(1, Qt::Vertical).toString(), QString());
    masa->edit();
    EXPECT_EQ(m->headerData(0, Qt::Vertical).toString(), QStringLiteral("✎"));
    masa->cancel();
    masa->append();
    EXPECT_EQ(m->headerData(6, Qt::Vertical).toString(), QStringLiteral("*"));
}

TEST_F(Grid, WithoutDesignedColumnsShowsEveryVisibleField)
{
    ui::DataGrid grid;
    grid.setDataSource(ds.get());
    EXPECT_EQ(grid.columnOrder(), (QStringList{QStringLiteral("MASA_ID"), QStringLiteral("MASA_ADI"),
                                               QStringLiteral("TUTAR"), QStringLiteral("ACIK_KAPALI")}));
}

TEST_F(Grid, CurrentRowFollowsTheDatasetAndAClickMovesTheDataset)
{
    auto grid = designedGrid();
    grid->show();
    QTableView* view = grid->view();
    EXPECT_EQ(view->currentIndex().row(), 0);
    masa->moveTo(3);
    EXPECT_EQ(view->currentIndex().row(), 3);
    EXPECT_TRUE(view->selectionModel()->isRowSelected(3, {}));
    const QRect cell = view->visualRect(grid->proxyModel()->index(1, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(masa->recNo(), 1);
    EXPECT_EQ(masa->fieldByName(QStringLiteral("MASA_ADI"))->asString(), QStringLiteral("ılık"));
}

TEST_F(Grid, AClickOnACaptionSortsNumbersAsNumbersThenDescendingThenUnsorted)
{
    auto grid = designedGrid();
    grid->show();
    QHeaderView* header = grid->view()->horizontalHeader();
    const int column = grid->columnIndex(QStringLiteral("TUTAR"));
    const QPoint caption(header->sectionViewportPosition(column) + 10, 5);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, caption);
    EXPECT_EQ(grid->sortField(), QStringLiteral("TUTAR"));
    EXPECT_EQ(shownNames(*grid), (QStringList{QStringLiteral("Bahçe"), QStringLiteral("Kısa"), QStringLiteral("IŞIK"),
                                              QStringLiteral("ılık"), QStringLiteral("İzmir"),
                                              QStringLiteral("istanbul")}));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, caption);
    EXPECT_EQ(grid->sortOrder(), Qt::DescendingOrder);
    EXPECT_EQ(shownNames(*grid).first(), QStringLiteral("istanbul"));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, caption);
    EXPECT_EQ(grid->sortField(), QString());
    EXPECT_EQ(shownNames(*grid).first(), QStringLiteral("IŞIK"));
}

TEST_F(Grid, TextsSortByTurkishCollation)
{
    auto grid = designedGrid();
    grid->sortBy(QStringLiteral("MASA_ADI"));
    EXPECT_EQ(shownNames(*grid), (QStringList{QStringLiteral("Bahçe"), QStringLiteral("ılık"), QStringLiteral("IŞIK"),
                                              QStringLiteral("istanbul"), QStringLiteral("İzmir"),
                                              QStringLiteral("Kısa")}));
}

TEST_F(Grid, FirstAndLastFollowTheOrderShownAndSortingKeepsTheCurrentRow)
{
    auto grid = designedGrid();
    masa->moveTo(2);  // İzmir
    grid->sortBy(QStringLiteral("TUTAR"), Qt::DescendingOrder);
    EXPECT_EQ(masa->recNo(), 2);
    EXPECT_EQ(grid->view()->currentIndex().row(), 1);
    grid->goFirst();
    EXPECT_EQ(masa->fieldByName(QStringLiteral("MASA_ADI"))->asString(), QStringLiteral("istanbul"));
    grid->goLast();
    EXPECT_EQ(masa->fieldByName(QStringLiteral("MASA_ADI"))->asString(), QStringLiteral("Bahçe"));
}

struct FilterCase {
    const char* name;
    QString typed;
    QStringList shown;
    QString footer;
};

class GridFilter : public Grid, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(GridFilter, FiltersIgnoringTurkishCaseAndSumsTheRowsShown)
{
    auto grid = designedGrid();
    grid->setFilterRowVisible(true);
    grid->setFooterSum(QStringLiteral("TUTAR"), QStringLiteral("###,###,##0.00"));
    EXPECT_EQ(grid->footerText(QStringLiteral("TUTAR")), QStringLiteral("105,75"));
    QLineEdit* edit = grid->filterEdit(QStringLiteral("MASA_ADI"));
    ASSERT_NE(edit, nullptr);
    uitest::typeText(edit, GetParam().typed);
    EXPECT_EQ(grid->shownRowCount(), 6);  // typing waits for a pause
    grid->applyTypedFilters();
    EXPECT_EQ(shownNames(*grid), GetParam().shown);
    EXPECT_EQ(grid->footerText(QStringLiteral("TUTAR")), GetParam().footer);
    auto* footer = grid->findChild<QLabel*>();
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->text(), GetParam().footer);
}

INSTANTIATE_TEST_SUITE_P(
    TurkishCase, GridFilter,
    ::testing::Values(
        FilterCase{"DottedSmall", QStringLiteral("i"), {QStringLiteral("İzmir"), QStringLiteral("istanbul")},
                   QStringLiteral("70,25")},
        FilterCase{"DottedCapital", QStringLiteral("İ"), {QStringLiteral("İzmir"), QStringLiteral("istanbul")},
                   QStringLiteral("70,25")},
        FilterCase{"DotlessSmall", QStringLiteral("ı"),
                   {QStringLiteral("IŞIK"), QStringLiteral("ılık"), QStringLiteral("Kısa")}, QStringLiteral("35,50")},
        FilterCase{"DotlessCapital", QStringLiteral("I"),
                   {QStringLiteral("IŞIK"), QStringLiteral("ılık"), QStringLiteral("Kısa")}, QStringLiteral("35,50")},
        FilterCase{"Within", QStringLiteral("ZMİR"), {QStringLiteral("İzmir")}, QStringLiteral("30,25")},
        FilterCase{"Nothing", QStringLiteral("yok"), {}, QStringLiteral("0,00")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Grid, FilterMatchesTheDisplayedTextOfNumbers)
{
    auto grid = designedGrid();
    grid->setFilterRowVisible(true);
    grid->setFilterText(QStringLiteral("TUTAR"), QStringLiteral(",25"));
    EXPECT_EQ(shownNames(*grid), QStringList{QStringLiteral("İzmir")});
    EXPECT_EQ(grid->filterEdit(QStringLiteral("TUTAR"))->text(), QStringLiteral(",25"));
    grid->clearFilters();
    EXPECT_EQ(grid->shownRowCount(), 6);
}

TEST_F(Grid, FilterThatHidesTheCurrentRowMovesTheDatasetToTheFirstRowShown)
{
    auto grid = designedGrid();
    masa->moveTo(0);  // IŞIK
    grid->setFilterText(QStringLiteral("MASA_ADI"), QStringLiteral("i"));
    EXPECT_EQ(masa->fieldByName(QStringLiteral("MASA_ADI"))->asString(), QStringLiteral("İzmir"));
    EXPECT_EQ(grid->view()->currentIndex().row(), 0);
}

TEST_F(Grid, FooterFollowsEditsOfTheRowsShown)
{
    auto grid = designedGrid();
    grid->setFooterSum(QStringLiteral("TUTAR"), QStringLiteral("###,###,##0.00TL"));
    masa->moveTo(4);
    masa->edit();
    masa->fieldByName(QStringLiteral("TUTAR"))->setAsFloat(1000);
    EXPECT_EQ(grid->footerText(QStringLiteral("TUTAR")), QStringLiteral("1.105,75TL"));
    EXPECT_DOUBLE_EQ(grid->footerSum(QStringLiteral("TUTAR")), 1105.75);
}

TEST_F(Grid, InPlaceEditingWritesThroughTheField)
{
    ScriptedDialogs dialogs;
    auto grid = designedGrid();
    grid->setColumns({{QStringLiteral("MASA_ID"), {}, 0, true, true}, {QStringLiteral("TUTAR")}});
    QAbstractItemModel* m = grid->proxyModel();
    EXPECT_FALSE(m->flags(m->index(1, 1)) & Qt::ItemIsEditable);
    grid->setEditable(true);
    EXPECT_FALSE(m->flags(m->index(1, 0)) & Qt::ItemIsEditable);  // read-only column
    ASSERT_TRUE(m->flags(m->index(1, 1)) & Qt::ItemIsEditable);
    EXPECT_TRUE(m->setData(m->index(1, 1), QStringLiteral("12,5")));
    EXPECT_EQ(masa->recNo(), 1);
    EXPECT_EQ(masa->state(), db::DatasetState::Edit);
    EXPECT_DOUBLE_EQ(masa->fieldByName(QStringLiteral("TUTAR"))->asFloat(), 12.5);

    dialogs.expectError(QStringLiteral("TUTAR alanına yazılan '12,5,1' geçerli bir sayı değil."));
    EXPECT_FALSE(m->setData(m->index(1, 1), QStringLiteral("12,5,1")));
    EXPECT_DOUBLE_EQ(masa->fieldByName(QStringLiteral("TUTAR"))->asFloat(), 12.5);

    masa->moveTo(2);  // leaving the row posts it
    EXPECT_EQ(masa->state(), db::DatasetState::Browse);
    EXPECT_DOUBLE_EQ(testsupport::queryValue(path, QStringLiteral("select TUTAR from MASA where MASA_ID = 2")).toDouble(),
                     20);  // posted, not yet committed
}

TEST_F(Grid, EscapeDropsTheRowsPendingChanges)
{
    auto grid = designedGrid();
    grid->setEditable(true);
    grid->proxyModel()->setData(grid->proxyModel()->index(0, 1), QStringLiteral("Kapı"));
    ASSERT_EQ(masa->state(), db::DatasetState::Edit);
    QTest::keyClick(grid->view(), Qt::Key_Escape);
    EXPECT_EQ(masa->state(), db::DatasetState::Browse);
    EXPECT_EQ(masa->fieldByName(QStringLiteral("MASA_ADI"))->asString(), QStringLiteral("IŞIK"));
}

TEST_F(Grid, CustomizationListsHiddenColumnsAndBringsThemBackByDoubleClick)
{
    auto grid = designedGrid();
    grid->show();
    EXPECT_FALSE(grid->isCustomizationVisible());
    grid->toggleCustomization();
    ASSERT_TRUE(grid->isCustomizationVisible());
    QListWidget* list = grid->customization()->list();
    EXPECT_EQ(grid->customization()->listedColumns(), QStringList{QStringLiteral("ACIK_KAPALI")});
    grid->setColumnHidden(QStringLiteral("MASA_ID"), true);
    EXPECT_EQ(grid->customization()->listedColumns(),
              (QStringList{QStringLiteral("MASA_ID"), QStringLiteral("ACIK_KAPALI")}));
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("MASA_ID"));

    QCoreApplication::processEvents();  // the list lays its items out later
    const QRect item = list->visualItemRect(list->item(1));
    // A double click: the first click, then the second one.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item.center());
    EXPECT_FALSE(grid->isColumnHidden(QStringLiteral("ACIK_KAPALI")));
    EXPECT_EQ(grid->columnWidth(QStringLiteral("ACIK_KAPALI")), 137);
    EXPECT_EQ(grid->customization()->listedColumns(), QStringList{QStringLiteral("MASA_ID")});
    grid->toggleCustomization();
    EXPECT_FALSE(grid->isCustomizationVisible());
}

// Drops arrive as events; a real drag runs its own event loop, which a
// headless test cannot drive.
void dropColumn(QWidget* target, const QPoint& at, const QByteArray& data)
{
    QMimeData mime;
    mime.setData(QString::fromLatin1(ui::FilterHeader::columnMimeType), data);
    QDragEnterEvent enter(at, Qt::MoveAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::MoveAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
}

TEST_F(Grid, ColumnsDragIntoTheCustomizationAndBackOntoTheHeader)
{
    auto grid = designedGrid();
    grid->show();
    grid->toggleCustomization();
    QCoreApplication::processEvents();
    ui::FilterHeader* header = grid->filterHeader();
    QListWidget* list = grid->customization()->list();

    dropColumn(list->viewport(), list->viewport()->rect().center(),
               header->columnDragData(grid->columnIndex(QStringLiteral("MASA_ID"))));
    EXPECT_TRUE(grid->isColumnHidden(QStringLiteral("MASA_ID")));
    EXPECT_EQ(grid->customization()->listedColumns(),
              (QStringList{QStringLiteral("MASA_ID"), QStringLiteral("ACIK_KAPALI")}));

    const int tutar = grid->columnIndex(QStringLiteral("TUTAR"));
    dropColumn(header->viewport(), QPoint(header->sectionViewportPosition(tutar) + 5, 5),
               header->columnDragData(grid->columnIndex(QStringLiteral("MASA_ID"))));
    EXPECT_EQ(grid->visibleColumns(), (QStringList{QStringLiteral("MASA_ADI"), QStringLiteral("MASA_ID"),
                                                   QStringLiteral("TUTAR")}));

    // Another grid's column is refused.
    ui::DataGrid other;
    other.setColumns({{QStringLiteral("MASA_ADI")}});
    dropColumn(list->viewport(), list->viewport()->rect().center(), other.filterHeader()->columnDragData(0));
    EXPECT_FALSE(grid->isColumnHidden(QStringLiteral("MASA_ADI")));
}

TEST_F(Grid, LayoutRoundTripRestoresOrderWidthsVisibilityAndSorting)
{
    {
        auto grid = designedGrid();
        grid->moveColumn(QStringLiteral("TUTAR"), 0);
        grid->setColumnWidth(QStringLiteral("MASA_ADI"), 200);
        grid->setColumnWidth(QStringLiteral("MASA_ID"), 55);
        grid->setColumnHidden(QStringLiteral("MASA_ID"), true);
        grid->setColumnHidden(QStringLiteral("ACIK_KAPALI"), false);
        grid->sortBy(QStringLiteral("TUTAR"), Qt::DescendingOrder);
        grid->saveLayout(layoutFile);
    }
    auto fresh = designedGrid();
    ASSERT_TRUE(fresh->restoreLayout(layoutFile));
    EXPECT_EQ(fresh->columnOrder(), (QStringList{QStringLiteral("TUTAR"), QStringLiteral("MASA_ID"),
                                                 QStringLiteral("MASA_ADI"), QStringLiteral("ACIK_KAPALI")}));
    EXPECT_EQ(fresh->visibleColumns(), (QStringList{QStringLiteral("TUTAR"), QStringLiteral("MASA_ADI"),
                                                    QStringLiteral("ACIK_KAPALI")}));
    EXPECT_EQ(fresh->columnWidth(QStringLiteral("MASA_ADI")), 200);
    EXPECT_EQ(fresh->columnWidth(QStringLiteral("ACIK_KAPALI")), 137);
    EXPECT_EQ(fresh->sortField(), QStringLiteral("TUTAR"));
    EXPECT_EQ(fresh->sortOrder(), Qt::DescendingOrder);
    EXPECT_EQ(shownNames(*fresh).first(), QStringLiteral("istanbul"));
    fresh->setColumnHidden(QStringLiteral("MASA_ID"), false);
    EXPECT_EQ(fresh->columnWidth(QStringLiteral("MASA_ID")), 55);
}

TEST_F(Grid, LayoutFileNamesColumnsAndNeverStoresAHiddenWidthAsZero)
{
    auto grid = designedGrid();
    grid->saveLayout(layoutFile);
    QFile file(layoutFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonArray columns = QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("columns")).toArray();
    ASSERT_EQ(columns.size(), 4);
    EXPECT_EQ(columns[3].toObject().value(QStringLiteral("field")).toString(), QStringLiteral("ACIK_KAPALI"));
    EXPECT_EQ(columns[3].toObject().value(QStringLiteral("visible")).toBool(true), false);
    EXPECT_EQ(columns[3].toObject().value(QStringLiteral("width")).toInt(), 137);
}

TEST_F(Grid, ColumnsTheFileDoesNotNameKeepTheirDesignAndUnknownNamesAreIgnored)
{
    QFile file(layoutFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"format": "tavlora-grid-layout", "version": 1, "columns": [
        {"field": "ESKI_SUTUN", "width": 50, "visible": true},
        {"field": "tutar", "width": 70},
        {"field": "MASA_ID", "visible": false}]})");
    file.close();
    auto grid = designedGrid();
    ASSERT_TRUE(grid->restoreLayout(layoutFile));
    // TUTAR and MASA_ID swap the places the two of them hold.
    EXPECT_EQ(grid->columnOrder(), (QStringList{QStringLiteral("TUTAR"), QStringLiteral("MASA_ADI"),
                                                QStringLiteral("MASA_ID"), QStringLiteral("ACIK_KAPALI")}));
    EXPECT_EQ(grid->visibleColumns(), (QStringList{QStringLiteral("TUTAR"), QStringLiteral("MASA_ADI")}));
    EXPECT_EQ(grid->columnWidth(QStringLiteral("TUTAR")), 70);
    EXPECT_EQ(grid->columnWidth(QStringLiteral("MASA_ADI")), 306);
    EXPECT_EQ(grid->sortField(), QString());
}

TEST_F(Grid, RestoredFilterAndFooterApplyWhenTheGridHasAFilterRow)
{
    QFile file(layoutFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"format": "tavlora-grid-layout", "version": 1, "columns": [],
        "filter": {"MASA_ADI": "ı"}, "footer": {"TUTAR": "###,###,##0.00"}})");
    file.close();
    auto plain = designedGrid();
    ASSERT_TRUE(plain->restoreLayout(layoutFile));
    EXPECT_EQ(plain->shownRowCount(), 6);
    EXPECT_EQ(plain->footerText(QStringLiteral("TUTAR")), QStringLiteral("105,75"));
    auto filtered = designedGrid();
    filtered->setFilterRowVisible(true);
    ASSERT_TRUE(filtered->restoreLayout(layoutFile));
    EXPECT_EQ(filtered->shownRowCount(), 3);
    EXPECT_EQ(filtered->filterEdit(QStringLiteral("MASA_ADI"))->text(), QStringLiteral("ı"));
    EXPECT_EQ(filtered->footerText(QStringLiteral("TUTAR")), QStringLiteral("35,50"));
}

struct DamagedFile {
    const char* name;
    QByteArray content;
};

class DamagedLayout : public Grid, public ::testing::WithParamInterface<DamagedFile> {};

TEST_P(DamagedLayout, LeavesTheDesignedLayout)
{
    QFile file(layoutFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(GetParam().content);
    file.close();
    auto grid = designedGrid();
    const QStringList order = grid->columnOrder();
    EXPECT_FALSE(grid->restoreLayout(layoutFile));
    EXPECT_EQ(grid->columnOrder(), order);
    EXPECT_EQ(grid->visibleColumns(), (QStringList{QStringLiteral("MASA_ID"), QStringLiteral("MASA_ADI"),
                                                   QStringLiteral("TUTAR")}));
    EXPECT_EQ(grid->columnWidth(QStringLiteral("MASA_ADI")), 306);
    EXPECT_EQ(grid->sortField(), QString());
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedLayout,
    ::testing::Values(DamagedFile{"Garbage", QByteArray("Garbage\x01\x02\xff")}, DamagedFile{"Empty", QByteArray()},
                      DamagedFile{"Truncated", QByteArray(R"({"format": "tavlora-grid-layout", "version": 1, "colu)")},
                      DamagedFile{"OtherFormat", QByteArray(R"({"format": "something-else", "version": 1})")},
                      DamagedFile{"NotAnObject", QByteArray("[1, 2, 3]")},
                      DamagedFile{"QtHeaderState", QByteArray::fromHex("000000ff00000000000000010000000000")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Grid, NonsenseInsideALayoutIsLeftOut)
{
    QFile file(layoutFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"format": "tavlora-grid-layout", "version": 1, "columns": [
        {"field": "MASA_ADI", "width": -5, "visible": "evet"}, {"width": 10}, 7, {"field": "TUTAR", "width": 1e9}],
        "sort": {"field": "TUTAR", "order": "sideways"}})");
    file.close();
    auto grid = designedGrid();
    EXPECT_TRUE(grid->restoreLayout(layoutFile));
    EXPECT_EQ(grid->columnWidth(QStringLiteral("MASA_ADI")), 306);
    EXPECT_EQ(grid->columnWidth(QStringLiteral("TUTAR")), 116);
    EXPECT_FALSE(grid->isColumnHidden(QStringLiteral("MASA_ADI")));
    EXPECT_EQ(grid->sortField(), QString());
}

TEST_F(Grid, LayoutFileThatMustBeThereRaisesAFileErrorWhenMissingOrDamaged)
{
    auto grid = designedGrid();
    const QString missing = QDir(scratchDir()).filePath(QStringLiteral("Grd1.txt"));
    try {
        grid->loadLayout(missing);
        FAIL() << "no error";
    } catch (const ui::FileError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("\"%1\" dosyası açılamadı: ").arg(missing)));
    }
    QFile file(layoutFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Garbage");
    file.close();
    try {
        grid->loadLayout(layoutFile);
        FAIL() << "no error";
    } catch (const ui::FileError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("\"%1\" geçerli bir düzen dosyası değil.").arg(layoutFile));
    }
    EXPECT_EQ(grid->visibleColumns().size(), 3);
}

TEST_F(Grid, ColumnsDesignedBeforeTheDatasetOpensGetWidthsFromTheirFields)
{
    db::EditableQuery tables(*session->transaction);  // never opened yet
    tables.setSql(QStringLiteral("select * from masa"));
    db::DataSource source(&tables);
    ui::DataGrid early;
    early.setColumns({{QStringLiteral("MASA_ID")}, {QStringLiteral("MASA_ADI")}});
    early.setDataSource(&source);
    const int before = early.columnWidth(QStringLiteral("MASA_ADI"));
    tables.open();
    ui::DataGrid late;
    late.setDataSource(&source);
    late.setColumns({{QStringLiteral("MASA_ID")}, {QStringLiteral("MASA_ADI")}});
    EXPECT_GT(early.columnWidth(QStringLiteral("MASA_ADI")), before);
    EXPECT_EQ(early.columnWidth(QStringLiteral("MASA_ADI")), late.columnWidth(QStringLiteral("MASA_ADI")));
}

TEST_F(Grid, RowsGrowWithTheGridsFont)
{
    auto grid = designedGrid();
    QFont large = grid->font();
    large.setPixelSize(17);
    grid->setFont(large);
    EXPECT_EQ(grid->view()->verticalHeader()->defaultSectionSize(), QFontMetrics(large).height() + 6);
}

TEST_F(Grid, MissingLayoutFileChangesNothing)
{
    auto grid = designedGrid();
    EXPECT_FALSE(grid->restoreLayout(QDir(scratchDir()).filePath(QStringLiteral("yok.ini"))));
    EXPECT_EQ(grid->visibleColumns().size(), 3);
}

TEST_F(Grid, LayoutFileThatCannotBeWrittenRaisesAFileError)
{
    auto grid = designedGrid();
    const QString missingFolder = QDir(scratchDir()).filePath(QStringLiteral("yok/ini/L_Adisyon.ini"));
    try {
        grid->saveLayout(missingFolder);
        FAIL() << "no error";
    } catch (const ui::FileError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("\"%1\" dosyası oluşturulamadı: ").arg(missingFolder)));
    }
}

TEST_F(Grid, LayoutRestoredBeforeTheDatasetOpensAppliesToAutomaticColumns)
{
    ui::DataGrid saved;
    saved.setDataSource(ds.get());
    saved.setColumnHidden(QStringLiteral("TUTAR"), true);
    saved.saveLayout(layoutFile);
    masa->close();
    ui::DataGrid grid;
    grid.setDataSource(ds.get());
    ASSERT_TRUE(grid.restoreLayout(layoutFile));
    masa->open();
    EXPECT_TRUE(grid.isColumnHidden(QStringLiteral("TUTAR")));
}

// 200,000 rows made by the database itself: the grid must show them,
// filter them and sum them without reading them one by one through slow
// paths. Durations are recorded, not asserted.
TEST_F(Grid, TwoHundredThousandRows)
{
    db::Dataset big(*session->transaction);
    big.setSql(QStringLiteral(
        "with recursive n as (select 0 as i from rdb$database union all select i + 1 from n where i < 999) "
        "select cast(a.i * 1000 + b.i + 1 as integer) as ID, "
        "cast('Ürün ' || (a.i * 1000 + b.i + 1) as varchar(30)) as ADI, "
        "cast((a.i * 1000 + b.i + 1) * 0.25 as double precision) as TUTAR "
        "from n a cross join n b where a.i < 200"));
    big.setFieldDisplayFormat(QStringLiteral("TUTAR"), QStringLiteral("###,###,##0.00"));
    big.open();
    ASSERT_EQ(big.recordCount(), 200000);
    db::DataSource source(&big);
    ui::DataGrid grid;
    grid.setFilterRowVisible(true);
    grid.setFooterSum(QStringLiteral("TUTAR"), QStringLiteral("###,###,##0.00"));
    QElapsedTimer clock;
    clock.start();
    grid.setDataSource(&source);
    grid.resize(900, 600);
    grid.show();
    QCoreApplication::processEvents();
    RecordProperty("open_ms", int(clock.restart()));
    EXPECT_EQ(grid.shownRowCount(), 200000);
    grid.view()->scrollToBottom();
    QCoreApplication::processEvents();
    RecordProperty("scroll_ms", int(clock.restart()));

    grid.setFilterText(QStringLiteral("ADI"), QStringLiteral("ÜRÜN 1999"));  // first filter builds the texts
    RecordProperty("first_filter_ms", int(clock.restart()));
    EXPECT_EQ(grid.shownRowCount(), 111);  // 1999, 19990..19999, 199900..199999
    grid.setFilterText(QStringLiteral("ADI"), QStringLiteral("ürün 19"));
    RecordProperty("filter_ms", int(clock.restart()));
    EXPECT_EQ(grid.shownRowCount(), 11111);
    grid.setFilterText(QStringLiteral("ADI"), QStringLiteral("5"));
    RecordProperty("filter_many_ms", int(clock.restart()));
    grid.setFilterText(QStringLiteral("ADI"), QString());
    RecordProperty("unfilter_ms", int(clock.restart()));
    EXPECT_EQ(grid.footerText(QStringLiteral("TUTAR")), QStringLiteral("5.000.025.000,00"));
    grid.sortBy(QStringLiteral("TUTAR"), Qt::DescendingOrder);
    RecordProperty("sort_number_ms", int(clock.restart()));
    EXPECT_EQ(grid.datasetRowAt(0), 199999);
    grid.sortBy(QStringLiteral("ADI"));
    RecordProperty("sort_text_ms", int(clock.restart()));
    grid.setFilterText(QStringLiteral("ADI"), QStringLiteral("ürün 7"));
    RecordProperty("filter_sorted_ms", int(clock.restart()));
    EXPECT_EQ(grid.proxyModel()->index(0, 1).data().toString(), QStringLiteral("Ürün 7"));
}

}  // namespace
