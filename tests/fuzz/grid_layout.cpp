#include "FuzzApplication.h"
#include "FuzzTarget.h"

#include "platform/ui/DataGrid.h"
#include "platform/ui/GridLayout.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

[[noreturn]] void broken(const char* what, const QByteArray& detail = {})
{
    std::fprintf(stderr, "%s\n%s\n", what, detail.constData());
    std::abort();
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        broken("a saved layout cannot be opened");
    return f.readAll();
}

void store(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        broken("the input cannot be stored");
}

// The columns of the table list, as the table window designs them.
QList<ui::GridColumn> designedColumns()
{
    return {{QStringLiteral("MASA_ID"), {}, 92},
            {QStringLiteral("MASA_ADI"), {}, 306},
            {QStringLiteral("TUTAR"), {}, 116},
            {QStringLiteral("ACIK_KAPALI"), {}, 137, false}};
}

std::unique_ptr<ui::DataGrid> designedGrid()
{
    auto grid = std::make_unique<ui::DataGrid>();
    grid->setColumns(designedColumns());
    grid->setFilterRowVisible(true);
    grid->resize(800, 400);
    return grid;
}

QByteArray savedLayout(const ui::DataGrid& grid, const QString& path)
{
    grid.saveLayout(path);
    return contents(path);
}

}  // namespace

// Any bytes as a saved grid layout: the file is refused as a whole or
// applied, whether the grid has its columns yet or gets them later, and a
// grid saves a layout that it reads back to the same grid.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::ensureApplication();
    static QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("input.ini"));
    const QString saved = dir.filePath(QStringLiteral("saved.ini"));
    store(input, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));

    const std::optional<ui::GridLayout> layout = ui::readGridLayout(input);
    bool thrown = false;
    try {
        (void)ui::loadGridLayout(input);
    } catch (const ui::FileError& e) {
        thrown = true;
        if (e.message().isEmpty())
            broken("a refused layout gave no reason");
    }
    if (thrown == layout.has_value())
        broken("reading and loading a layout disagree");

    auto grid = designedGrid();
    if (grid->restoreLayout(input) != layout.has_value())
        broken("restoring a layout disagrees with reading it");
    QStringList order = grid->columnOrder();
    order.sort();
    if (order != QStringList{"ACIK_KAPALI", "MASA_ADI", "MASA_ID", "TUTAR"})
        broken("a layout lost or made up columns", order.join(u' ').toUtf8());
    const QByteArray first = savedLayout(*grid, saved);
    if (!ui::readGridLayout(saved))
        broken("a saved layout cannot be read", first);

    // The window restores its layout before the dataset brings the columns.
    auto early = std::make_unique<ui::DataGrid>();
    early->setFilterRowVisible(true);
    early->resize(800, 400);
    (void)early->restoreLayout(input);
    early->setColumns(designedColumns());
    if (savedLayout(*early, saved) != first)
        broken("a layout applies differently before the columns come", first);

    auto fresh = designedGrid();
    store(input, first);
    if (!fresh->restoreLayout(input))
        broken("a saved layout is refused", first);
    const QByteArray second = savedLayout(*fresh, saved);
    if (second != first)
        broken("a saved layout does not restore the same grid", first + "\n----\n" + second);
    // No event loop runs here: what the grids left to delete later goes now.
    grid.reset();
    early.reset();
    fresh.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
