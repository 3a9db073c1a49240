#pragma once

#include <QList>
#include <QString>

class QLabel;
class QToolBar;
class QToolButton;
class QWidget;

namespace db {
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
