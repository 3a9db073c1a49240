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
bool CheckLogin(const QString& userName, const QString& password);

// The folder of the program file, where database.txt, ini/ and rapor/ live.
// Tests point it at a folder of their own.
QString ProgramFolder();
void SetProgramFolder(const QString& folder);
// A path under the program's folder, written the way the program names its
// files ("\\ini\\F_Adisyon.ini"): the backslashes become the system's separators.
QString ProgramFile(const QString& relativePath);

// A settings text flag ("True"/"False"); anything but exactly "True" is false.
bool settingsFlag(const QString& column);
