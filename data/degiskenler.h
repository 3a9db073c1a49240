#pragma once

// The program-wide globals and the few shared routines of the windows.

#include <QPointer>
#include <QString>
#include <QVector>

class QAbstractButton;

namespace db {
class Dataset;
class DataSource;
}  // namespace db

// Unsaved input somewhere in the program: 0 clean, 2 pending.
extern int ModifiedState;
// 11 after a successful login, 0 before.
extern int LoginAccepted;
// The scratch query of the latest one-off statement.
extern db::Dataset* WorkQuery;
// Scratch text of a single command (a path, a typed name, a filter text).
extern QString WorkText;

// The bill panel's table buttons by MASA_ID; empty slots hold nothing.
extern QVector<QPointer<QAbstractButton>> TableButtons;
// Product groups in SIRA_NO order and the products of the current group, made
// afresh each time the bill panel is shown, for the order-entry window.
extern db::Dataset* GroupQuery;
extern db::DataSource* GroupSource;
extern db::Dataset* ProductQuery;
extern db::DataSource* ProductSource;

// Makes the clicked table button's table the current one.
void TableButtonClick(QAbstractButton* button);
void OpenMenuQueries();
// The largest MASA_ID plus 1: the length of TableButtons. Zero for no tables.
short TableSlotCount();

// A table button shows on its face the colour value (as the settings row
// stores it) of this property; the bill panel's buttons turn it into paint.
inline constexpr char TableButtonFaceProperty[] = "faceColor";
// Gives the button of the table MASA_ID = masaId the settings colour of the
// column named ("MASA_COLOR" free, "MASA_COLOR_2" occupied); an empty colour
// reads as 0. Nothing happens without such a button.
void PaintTableButton(int masaId, const QString& colorColumn);
// Moves the open bill of the current table of `tables` to the table
// targetId: the old table becomes free, the target occupied, the bill takes
// the target's MASA_ID, and the target becomes the current table. The move
// is one unit of work, committed at once; should any step fail, the tables
// and the bill stay exactly as they were, re-read, with the old table
// current, and the error goes on to the caller. The two buttons change
// colour only once the move is stored.
void MoveBillToTable(int targetId, db::Dataset* tables, db::Dataset* bills);
bool CheckLogin(const QString& userName, const QString& password);

// The folder of the program file, where database.txt, ini/ and rapor/ live.
// Tests point it at a folder of their own.
QString ProgramFolder();
void SetProgramFolder(const QString& folder);
// A copy of the program installed for every user of the machine carries this
// file beside its executable (cmake --install puts it there).
inline constexpr char UserFolderMarker[] = "user-folder.txt";
// The program's folder for an executable in executableFolder. A copy that may
// not keep its files beside itself (an installed copy, or one in a folder it
// cannot write to) keeps them in userFolder, made with ini/ and rapor/ when
// missing; executableFolder/rapor holds the shipped templates, and only those
// missing in the user's rapor/ are copied: a template already there may be
// the user's own design. Any other folder (the build folder) is its own
// program folder.
QString ChooseProgramFolder(const QString& executableFolder, const QString& userFolder);
// A path under the program's folder, written the way the program names its
// files ("\\ini\\F_Adisyon.ini"): the backslashes become the system's separators.
QString ProgramFile(const QString& relativePath);

// A settings text flag ("True"/"False"); anything but exactly "True" is false.
bool settingsFlag(const QString& column);
