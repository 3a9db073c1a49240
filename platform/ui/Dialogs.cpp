#include "Dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

namespace {

StandardDialogs& standardDialogs()
{
    static StandardDialogs service;
    return service;
}

Dialogs* current = nullptr;

// Boxes belong to the window the user is working in, so they stay above it.
QWidget* dialogParent()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// The boxes come up over windows worked by touch: their buttons and the
// input box's field are no smaller than a fingertip. A style sheet, since
// the input box makes its buttons only when it is shown.
void fingerSized(QDialog& box)
{
    box.setStyleSheet(QStringLiteral("QPushButton { min-height: 48px; min-width: 96px; } "
                                     "QLineEdit { min-height: 48px; }"));
}

const std::pair<DialogButton, QMessageBox::StandardButton> buttonPairs[] = {
    {DialogButton::Yes, QMessageBox::Yes},
    {DialogButton::No, QMessageBox::No},
    {DialogButton::Ok, QMessageBox::Ok},
    {DialogButton::Cancel, QMessageBox::Cancel},
};

}  // namespace

Dialogs& dialogs()
{
    return current ? *current : standardDialogs();
}

Dialogs* setDialogs(Dialogs* service)
{
    Dialogs* previous = current;
    current = service;
    return previous;
}

void showMessage(const QString& text, const QString& caption, MessageIcon icon)
{
    dialogs().messageBox(text, caption, icon, DialogButton::Ok, DialogButton::Ok);
}

bool askYesNo(const QString& text, const QString& caption, MessageIcon icon)
{
    return dialogs().messageBox(text, caption, icon, DialogButton::Yes | DialogButton::No, DialogButton::Yes) ==
           DialogButton::Yes;
}

QString messageLines(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

DialogButton StandardDialogs::messageBox(const QString& text, const QString& caption, MessageIcon icon,
                                         DialogButtons buttons, DialogButton defaultButton)
{
    if (buttons == DialogButton::None)
        buttons = DialogButton::Ok;
    QMessageBox box(dialogParent());
    box.setTextFormat(Qt::PlainText);
    box.setText(messageLines(text));
    box.setWindowTitle(caption);
    box.setIcon(qtIcon(icon));
    QMessageBox::StandardButtons qtButtons;
    for (const auto& [ours, theirs] : buttonPairs) {
        if (buttons.testFlag(ours))
            qtButtons |= theirs;
    }
    box.setStandardButtons(qtButtons);
    for (const auto& [ours, theirs] : buttonPairs) {
        if (ours == defaultButton && buttons.testFlag(ours))
            box.setDefaultButton(theirs);
    }
    fingerSized(box);
    const auto chosen = QMessageBox::StandardButton(box.exec());
    for (const auto& [ours, theirs] : buttonPairs) {
        if (theirs == chosen)
            return ours;
    }
    // Closed without a button: the answer that does nothing.
    if (buttons.testFlag(DialogButton::Cancel))
        return DialogButton::Cancel;
    if (buttons.testFlag(DialogButton::No))
        return DialogButton::No;
    return DialogButton::Ok;
}

QString StandardDialogs::inputBox(const QString& caption, const QString& prompt, const QString& defaultText)
{
    QInputDialog box(dialogParent());
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(caption);
    box.setLabelText(prompt);
    box.setTextValue(defaultText);
    fingerSized(box);
    if (box.exec() != QDialog::Accepted)
        return defaultText;
    return box.textValue();
}

void StandardDialogs::showError(const QString& text)
{
    QMessageBox box(dialogParent());
    box.setTextFormat(Qt::PlainText);
    box.setIcon(QMessageBox::Critical);
    box.setWindowTitle(QGuiApplication::applicationDisplayName());
    box.setText(messageLines(text));
    box.setStandardButtons(QMessageBox::Ok);
    fingerSized(box);
    box.exec();
}

std::optional<QColor> StandardDialogs::chooseColor(const QColor& initial, const QString& caption)
{
    const QColor chosen = QColorDialog::getColor(initial, dialogParent(), caption);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

}  // namespace ui
