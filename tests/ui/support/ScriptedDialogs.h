#pragma once

#include "platform/ui/Dialogs.h"

#include <QStringList>

#include <deque>
#include <optional>

namespace uitest {

// The dialog service of tests. A test queues the dialogs it expects, in
// order, each with the answer the user gives. A dialog that was not
// expected, or one whose text, caption, icon, buttons or default button
// differ, fails the current test with both descriptions; verify() (run by
// the destructor too) fails the test for every expected dialog that never
// came. While it exists it is the program's dialog service.
class ScriptedDialogs : public ui::Dialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    ScriptedDialogs& expectMessage(const QString& text, const QString& caption, ui::MessageIcon icon,
                                   ui::DialogButtons buttons, ui::DialogButton defaultButton,
                                   ui::DialogButton answer);
    // A notice with an OK button only.
    ScriptedDialogs& expectNotice(const QString& text, const QString& caption = {},
                                  ui::MessageIcon icon = ui::MessageIcon::None);
    // A question with Yes and No, Yes the default button.
    ScriptedDialogs& expectQuestion(const QString& text, const QString& caption, ui::MessageIcon icon,
                                    ui::DialogButton answer);
    // The answer is the text typed; nothing as the answer means Cancel, for
    // which the input box gives its default text back.
    ScriptedDialogs& expectInput(const QString& caption, const QString& prompt, const QString& defaultText,
                                 std::optional<QString> answer);
    ScriptedDialogs& expectError(const QString& text);
    // For the server's own texts, whose wording is the server's.
    ScriptedDialogs& expectErrorContaining(const QString& fragment);
    // Nothing as the answer means Cancel.
    ScriptedDialogs& expectColor(std::optional<QColor> answer);

    // Fails the test for each expected dialog not shown, and forgets them.
    void verify();
    int pending() const { return int(expected_.size()); }
    // Every dialog shown so far, described.
    QStringList shown() const { return shown_; }

    ui::DialogButton messageBox(const QString& text, const QString& caption, ui::MessageIcon icon,
                                ui::DialogButtons buttons, ui::DialogButton defaultButton) override;
    QString inputBox(const QString& caption, const QString& prompt, const QString& defaultText) override;
    void showError(const QString& text) override;
    std::optional<QColor> chooseColor(const QColor& initial, const QString& caption) override;

private:
    enum class Kind { Message, Input, Error, Color };
    struct Expected {
        explicit Expected(Kind k) : kind(k) {}
        Kind kind;
        QString text, caption, prompt, defaultText;
        std::optional<QString> answerText;
        bool textIsFragment = false;
        ui::MessageIcon icon = ui::MessageIcon::None;
        ui::DialogButtons buttons;
        ui::DialogButton defaultButton = ui::DialogButton::None;
        ui::DialogButton answer = ui::DialogButton::None;
        std::optional<QColor> color;
    };

    // The next expectation when it describes the dialog shown; otherwise
    // the test fails and nothing is returned.
    std::optional<Expected> take(const Expected& shown);
    static bool matches(const Expected& expected, const Expected& shown);
    static QString describe(const Expected& e);

    Dialogs* previous_;
    std::deque<Expected> expected_;
    QStringList shown_;
};

}  // namespace uitest
