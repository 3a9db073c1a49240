#pragma once

// What the child programs of the crash and exit tests share: reporting to
// the test on standard output, a user who agrees to everything, and the
// steps they take in the program's windows.

#include "platform/ui/Dialogs.h"
#include "platform/ui/Modal.h"

#include <QAbstractButton>
#include <QDialog>
#include <QString>

class TF_Adisyon;

namespace child {

// One line to the test, flushed at once: the test may kill right after it.
void say(const char* line);
// "ERROR <why>" to the test, and the child ends at once with code 2.
[[noreturn]] void fail(const QString& why);

// A user who agrees to every question and types the discount (10 %) and the
// new table's name ("Teras 1") the tests expect. Any error box ends the child:
// the test then reports it.
class Agreeing : public ui::Dialogs {
public:
    ui::DialogButton messageBox(const QString& text, const QString& caption, ui::MessageIcon icon,
                                ui::DialogButtons buttons, ui::DialogButton defaultButton) override;
    QString inputBox(const QString& caption, const QString& prompt, const QString& value) override;
    void showError(const QString& text) override;
    std::optional<QColor> chooseColor(const QColor& initial, const QString& title) override;
};

void click(QAbstractButton* button);
// The table's button in the bill panel pressed; the table must become current.
void selectTable(int masaId);
// A product of a group picked in the order-entry window.
void pick(TF_Adisyon& window, const QString& group, const QString& product);

// Runs the command with the window it opens handed to `act`.
template <class Window, class Act>
void withWindow(QAbstractButton* command, Act act)
{
    bool opened = false;
    ui::ModalHookScope hook([&](QDialog& dialog) {
        auto* window = qobject_cast<Window*>(&dialog);
        if (!window)
            fail(QStringLiteral("unexpected window ") + dialog.objectName());
        opened = true;
        act(*window);
    });
    click(command);
    if (!opened)
        fail(QStringLiteral("the window did not open"));
}

}  // namespace child
