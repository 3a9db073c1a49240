#pragma once

#include <QColor>
#include <QFlags>
#include <QString>

#include <optional>

namespace ui {

enum class MessageIcon { None, Information, Warning, Error, Question };

enum class DialogButton { None = 0x0, Ok = 0x1, Cancel = 0x2, Yes = 0x4, No = 0x8 };
Q_DECLARE_FLAGS(DialogButtons, DialogButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(DialogButtons)

// Every message box, question, input box, colour choice and error box of the
// program goes through the current dialog service, so tests can script the
// user's answers and check the exact texts.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A "\r" in the text starts a new line. Returns the button the user chose.
    virtual DialogButton messageBox(const QString& text, const QString& caption, MessageIcon icon,
                                    DialogButtons buttons, DialogButton defaultButton) = 0;
    // One text field; Cancel returns the default text.
    virtual QString inputBox(const QString& caption, const QString& prompt, const QString& defaultText) = 0;
    // The standard error box for errors no command caught.
    virtual void showError(const QString& text) = 0;
    // Nothing when the user cancels.
    virtual std::optional<QColor> chooseColor(const QColor& initial, const QString& caption) = 0;
};

// The service in use: the standard one unless another was installed.
Dialogs& dialogs();
// Installs a service and returns the previous one; nullptr brings back the
// standard service. The caller keeps ownership.
Dialogs* setDialogs(Dialogs* service);

// The two shapes the windows use most: a notice with an OK button, and a
// question with Yes and No where Yes is the default. askYesNo is true on Yes.
void showMessage(const QString& text, const QString& caption = {}, MessageIcon icon = MessageIcon::None);
bool askYesNo(const QString& text, const QString& caption = {}, MessageIcon icon = MessageIcon::Warning);

// Dialogs shown with Qt's own boxes. Button texts come from Qt's translation,
// which the program loads at start (Application::installQtTranslation).
class StandardDialogs : public Dialogs {
public:
    DialogButton messageBox(const QString& text, const QString& caption, MessageIcon icon, DialogButtons buttons,
                            DialogButton defaultButton) override;
    QString inputBox(const QString& caption, const QString& prompt, const QString& defaultText) override;
    void showError(const QString& text) override;
    std::optional<QColor> chooseColor(const QColor& initial, const QString& caption) override;
};

// Message texts keep the carriage return of the program's messages as the
// line break; Qt's labels only break at "\n".
QString messageLines(const QString& text);

}  // namespace ui
