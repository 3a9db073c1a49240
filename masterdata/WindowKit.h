#pragma once

#include "platform/ui/ErrorHandler.h"
#include "platform/ui/GridColumn.h"

#include <QList>
#include <QString>
#include <QToolButton>

class QLabel;
class QToolBar;
class QWidget;

namespace db {
class DataSource;
class Dataset;
}

namespace ui {
class DataGrid;
class DataLineEdit;
}  // namespace ui

// Pieces the master-data windows share.
namespace masterdata {

// The windows are worked by touch on the counter: no command smaller than
// a fingertip.
constexpr int touchSize = 72;

// A toolbar of picture buttons with their captions under the pictures.
QToolBar* makeToolBar(QWidget* window, const QString& name);

// A toolbar button with a picture from the window kit's icons
// (":/masterdata/icons/<picture>.svg"), named for the tests and the screen
// reader alike.
QToolButton* addToolButton(QToolBar* bar, const QString& name, const QString& caption, const QString& picture);

// The toolbar of a list window whose commands are the usual four, in this
// order: ToolButton1 (a new row, captioned by the list), "Düzenle", "Sil"
// and "Çıkış".
struct ListToolBar {
    QToolBar* bar;
    QToolButton* newRow;
    QToolButton* edit;
    QToolButton* remove;
    QToolButton* exit;
};
ListToolBar makeListToolBar(QWidget* window, const QString& newRowCaption);

// The same toolbar put into the window's ToolBar1 and ToolButton1 to 4.
template <class ListWindow>
void addListToolBar(ListWindow* window, const QString& newRowCaption)
{
    const ListToolBar tools = makeListToolBar(window, newRowCaption);
    window->ToolBar1 = tools.bar;
    window->ToolButton1 = tools.newRow;
    window->ToolButton2 = tools.edit;
    window->ToolButton3 = tools.remove;
    window->ToolButton4 = tools.exit;
}

// The list of a list window: named for the tests and the screen reader,
// read-only, with a row indicator, showing `columns` of `source`.
ui::DataGrid* makeListGrid(QWidget* window, const QString& accessibleName, const QList<ui::GridColumn>& columns,
                           db::DataSource* source);

// The toolbar on top, the list filling the rest of the window.
void stackToolBarOverList(QWidget* window, QToolBar* bar, QWidget* list);

// ToolButton1 to ToolButton4 of a list window to their handlers.
template <class ListWindow>
void connectListCommands(ListWindow* window)
{
    ui::connectGuarded(window->ToolButton1, &QToolButton::clicked, window, &ListWindow::ToolButton1Click);
    ui::connectGuarded(window->ToolButton2, &QToolButton::clicked, window, &ListWindow::ToolButton2Click);
    ui::connectGuarded(window->ToolButton3, &QToolButton::clicked, window, &ListWindow::ToolButton3Click);
    ui::connectGuarded(window->ToolButton4, &QToolButton::clicked, window, &ListWindow::ToolButton4Click);
}

// White bold text on the highlight colour: the captions of the editors and
// the headings of the lists.
void styleCaption(QLabel* label);

// Text the user typed that its field refused (letters in a price) is still
// shown in the edit. Before a command stores the row, each such text is
// written once more: a refusal shows the field's own message and the
// command stops, so nothing is stored that the user did not see.
bool acceptTypedText(const QList<ui::DataLineEdit*>& edits);

// A value still being typed into a cell of the grid goes into its field, as
// leaving the cell would do; before a window closes, so nothing typed is
// lost.
void commitCellEditor(ui::DataGrid* grid);

// Posts a row; a post the database refuses drops the pending row, so the
// list never keeps a row that is not stored, and the error goes on.
void postOrCancel(db::Dataset& dataset);

}  // namespace masterdata
