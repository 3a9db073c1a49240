#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace uitest {

namespace {

QString quoted(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QStringLiteral("\\r")).replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

QString iconName(ui::MessageIcon icon)
{
    switch (icon) {
    case ui::MessageIcon::None: return QStringLiteral("no icon");
    case ui::MessageIcon::Information: return QStringLiteral("information");
    case ui::MessageIcon::Warning: return QStringLiteral("warning");
    case ui::MessageIcon::Error: return QStringLiteral("error");
    case ui::MessageIcon::Question: return QStringLiteral("question");
    }
    return {};
}

QString buttonName(ui::DialogButton button)
{
    switch (button) {
    case ui::DialogButton::Ok: return QStringLiteral("OK");
    case ui::DialogButton::Cancel: return QStringLiteral("Cancel");
    case ui::DialogButton::Yes: return QStringLiteral("Yes");
    case ui::DialogButton::No: return QStringLiteral("No");
    case ui::DialogButton::None: break;
    }
    return QStringLiteral("none");
}

QString buttonsName(ui::DialogButtons buttons)
{
    QStringList names;
    for (auto b : {ui::DialogButton::Yes, ui::DialogButton::No, ui::DialogButton::Ok, ui::DialogButton::Cancel}) {
        if (buttons.testFlag(b))
            names << buttonName(b);
    }
    return names.isEmpty() ? QStringLiteral("none") : names.join(QLatin1Char('/'));
}

void fail(const QString& message)
{
    ADD_FAILURE() << message.toStdString();
}

}  // namespace

ScriptedDialogs::ScriptedDialogs() : previous_(ui::setDialogs(this)) {}

ScriptedDialogs::~ScriptedDialogs()
{
    verify();
    ui::setDialogs(previous_);
}

QString ScriptedDialogs::describe(const Expected& e)
{
    switch (e.kind) {
    case Kind::Message:
        return QStringLiteral("message box %1, caption %2, %3, buttons %4, default %5")
            .arg(quoted(e.text), quoted(e.caption), iconName(e.icon), buttonsName(e.buttons),
                 buttonName(e.defaultButton));
    case Kind::Input:
        return QStringLiteral("input box, caption %1, prompt %2, default %3")
            .arg(quoted(e.caption), quoted(e.prompt), quoted(e.defaultText));
    case Kind::Error:
        return e.textIsFragment ? QStringLiteral("error box containing %1").arg(quoted(e.text))
                                : QStringLiteral("error box %1").arg(quoted(e.text));
    case Kind::Color: return QStringLiteral("colour dialog");
    }
    return {};
}

ScriptedDialogs& ScriptedDialogs::expectMessage(const QString& text, const QString& caption, ui::MessageIcon icon,
                                                ui::DialogButtons buttons, ui::DialogButton defaultButton,
                                                ui::DialogButton answer)
{
    Expected e(Kind::Message);
    e.text = text;
    e.caption = caption;
    e.icon = icon;
    e.buttons = buttons;
    e.defaultButton = defaultButton;
    e.answer = answer;
    expected_.push_back(e);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectNotice(const QString& text, const QString& caption, ui::MessageIcon icon)
{
    return expectMessage(text, caption, icon, ui::DialogButton::Ok, ui::DialogButton::Ok, ui::DialogButton::Ok);
}

ScriptedDialogs& ScriptedDialogs::expectQuestion(const QString& text, const QString& caption, ui::MessageIcon icon,
                                                 ui::DialogButton answer)
{
    return expectMessage(text, caption, icon, ui::DialogButton::Yes | ui::DialogButton::No, ui::DialogButton::Yes,
                         answer);
}

ScriptedDialogs& ScriptedDialogs::expectInput(const QString& caption, const QString& prompt,
                                              const QString& defaultText, std::optional<QString> answer)
{
    Expected e(Kind::Input);
    e.caption = caption;
    e.prompt = prompt;
    e.defaultText = defaultText;
    e.answerText = std::move(answer);
    expected_.push_back(e);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectError(const QString& text)
{
    Expected e(Kind::Error);
    e.text = text;
    expected_.push_back(e);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectErrorContaining(const QString& fragment)
{
    Expected e(Kind::Error);
    e.text = fragment;
    e.textIsFragment = true;
    expected_.push_back(e);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectColor(std::optional<QColor> answer)
{
    Expected e(Kind::Color);
    e.color = answer;
    expected_.push_back(e);
    return *this;
}

void ScriptedDialogs::verify()
{
    for (const Expected& e : expected_)
        fail(QStringLiteral("Expected dialog was never shown: %1").arg(describe(e)));
    expected_.clear();
}

bool ScriptedDialogs::matches(const Expected& expected, const Expected& shown)
{
    if (expected.textIsFragment)
        return expected.kind == shown.kind && shown.text.contains(expected.text);
    return expected.kind == shown.kind && describe(expected) == describe(shown);
}

std::optional<ScriptedDialogs::Expected> ScriptedDialogs::take(const Expected& shown)
{
    const QString description = describe(shown);
    shown_ << description;
    if (expected_.empty()) {
        fail(QStringLiteral("Unexpected dialog: %1").arg(description));
        return std::nullopt;
    }
    Expected e = expected_.front();
    expected_.pop_front();
    if (!matches(e, shown)) {
        fail(QStringLiteral("Dialog differs from the expected one.\n  expected: %1\n    actual: %2")
                 .arg(describe(e), description));
        return std::nullopt;
    }
    return e;
}

ui::DialogButton ScriptedDialogs::messageBox(const QString& text, const QString& caption, ui::MessageIcon icon,
                                             ui::DialogButtons buttons, ui::DialogButton defaultButton)
{
    Expected shown(Kind::Message);
    shown.text = text;
    shown.caption = caption;
    shown.icon = icon;
    shown.buttons = buttons;
    shown.defaultButton = defaultButton;
    const auto e = take(shown);
    // Without a script the user presses Enter.
    return e ? e->answer : defaultButton;
}

QString ScriptedDialogs::inputBox(const QString& caption, const QString& prompt, const QString& defaultText)
{
    Expected shown(Kind::Input);
    shown.caption = caption;
    shown.prompt = prompt;
    shown.defaultText = defaultText;
    const auto e = take(shown);
    return e && e->answerText ? *e->answerText : defaultText;
}

void ScriptedDialogs::showError(const QString& text)
{
    Expected shown(Kind::Error);
    shown.text = text;
    take(shown);
}

std::optional<QColor> ScriptedDialogs::chooseColor(const QColor&, const QString&)
{
    const auto e = take(Expected(Kind::Color));
    return e ? e->color : std::nullopt;
}

}  // namespace uitest
