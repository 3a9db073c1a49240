#pragma once

#include "platform/ui/Dialogs.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

// The dialog service as a script: each box the program shows must be the
// next one expected, with its exact text, caption, icon and buttons, and
// gets the scripted answer. An unexpected box, or an expected one that
// never came, fails the test. Installed for the object's lifetime.
class ScriptedDialogs : public ui::Dialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // A question with Yes and No, Yes the default.
    void expectQuestion(const QString& text, const QString& caption, bool yes,
                        ui::MessageIcon icon = ui::MessageIcon::Warning);
    // A notice with an OK button.
    void expectNotice(const QString& text, const QString& caption = {}, ui::MessageIcon icon = ui::MessageIcon::None);
    // An input box; nothing as the answer is Cancel.
    void expectInput(const QString& caption, const QString& prompt, const QString& defaultText,
                     std::optional<QString> typed);
    void expectError(const QString& text);
    // For the server's own texts, whose wording is the server's.
    void expectErrorContaining(const QString& fragment);
    void expectColor(std::optional<QColor> chosen);

    // Boxes still expected.
    int pending() const { return int(script_.size()); }
    // Everything shown, one line each, for failure messages.
    QStringList shown;

    ui::DialogButton messageBox(const QString& text, const QString& caption, ui::MessageIcon icon,
                                ui::DialogButtons buttons, ui::DialogButton defaultButton) override;
    QString inputBox(const QString& caption, const QString& prompt, const QString& defaultText) override;
    void showError(const QString& text) override;
    std::optional<QColor> chooseColor(const QColor& initial, const QString& caption) override;

private:
    enum class Kind { Message, Input, Error, Color };
    struct Step {
        Kind kind = Kind::Message;
        QString text;
        QString caption;
        ui::MessageIcon icon = ui::MessageIcon::None;
        ui::DialogButtons buttons;
        ui::DialogButton defaultButton = ui::DialogButton::None;
        ui::DialogButton answer = ui::DialogButton::None;
        QString prompt;
        QString defaultText;
        std::optional<QString> typed;
        std::optional<QColor> color;
        bool fragment = false;
    };
    std::optional<Step> next(Kind kind, const QString& what);

    std::deque<Step> script_;
    ui::Dialogs* previous_;
};
