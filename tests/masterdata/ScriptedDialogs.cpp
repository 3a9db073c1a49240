#include "ScriptedDialogs.h"

#include "support/TestDatabase.h"

#include <gtest/gtest.h>

ScriptedDialogs::ScriptedDialogs() : previous_(ui::setDialogs(this)) {}

ScriptedDialogs::~ScriptedDialogs()
{
    ui::setDialogs(previous_);
    for (const Step& step : script_)
        ADD_FAILURE() << "expected but never shown: " << (step.text.isEmpty() ? step.caption : step.text).toStdString();
}

void ScriptedDialogs::expectQuestion(const QString& text, const QString& caption, bool yes, ui::MessageIcon icon)
{
    Step s;
    s.text = text;
    s.caption = caption;
    s.icon = icon;
    s.buttons = ui::DialogButton::Yes | ui::DialogButton::No;
    s.defaultButton = ui::DialogButton::Yes;
    s.answer = yes ? ui::DialogButton::Yes : ui::DialogButton::No;
    script_.push_back(s);
}

void ScriptedDialogs::expectNotice(const QString& text, const QString& caption, ui::MessageIcon icon)
{
    Step s;
    s.text = text;
    s.caption = caption;
    s.icon = icon;
    s.buttons = ui::DialogButton::Ok;
    s.defaultButton = ui::DialogButton::Ok;
    s.answer = ui::DialogButton::Ok;
    script_.push_back(s);
}

void ScriptedDialogs::expectInput(const QString& caption, const QString& prompt, const QString& defaultText,
                                  std::optional<QString> typed)
{
    Step s;
    s.kind = Kind::Input;
    s.caption = caption;
    s.prompt = prompt;
    s.defaultText = defaultText;
    s.typed = std::move(typed);
    script_.push_back(s);
}

void ScriptedDialogs::expectError(const QString& text)
{
    Step s;
    s.kind = Kind::Error;
    s.text = text;
    script_.push_back(s);
}

void ScriptedDialogs::expectErrorContaining(const QString& fragment)
{
    Step s;
    s.kind = Kind::Error;
    s.text = fragment;
    s.fragment = true;
    script_.push_back(s);
}

void ScriptedDialogs::expectColor(std::optional<QColor> chosen)
{
    Step s;
    s.kind = Kind::Color;
    s.color = chosen;
    script_.push_back(s);
}

std::optional<ScriptedDialogs::Step> ScriptedDialogs::next(Kind kind, const QString& what)
{
    shown << what;
    if (script_.empty()) {
        ADD_FAILURE() << "unexpected dialog: " << what.toStdString();
        return std::nullopt;
    }
    Step step = script_.front();
    script_.pop_front();
    if (step.kind != kind) {
        ADD_FAILURE() << "expected " << (step.text.isEmpty() ? step.caption : step.text).toStdString()
                      << ", shown: " << what.toStdString();
        return std::nullopt;
    }
    return step;
}

ui::DialogButton ScriptedDialogs::messageBox(const QString& text, const QString& caption, ui::MessageIcon icon,
                                             ui::DialogButtons buttons, ui::DialogButton defaultButton)
{
    const auto step = next(Kind::Message, QStringLiteral("message \"%1\" [%2]").arg(text, caption));
    if (!step)
        return buttons.testFlag(ui::DialogButton::No) ? ui::DialogButton::No : ui::DialogButton::Ok;
    EXPECT_EQ(text, step->text);
    EXPECT_EQ(caption, step->caption);
    EXPECT_EQ(int(icon), int(step->icon)) << text.toStdString();
    EXPECT_EQ(int(buttons), int(step->buttons)) << text.toStdString();
    EXPECT_EQ(int(defaultButton), int(step->defaultButton)) << text.toStdString();
    return step->answer;
}

QString ScriptedDialogs::inputBox(const QString& caption, const QString& prompt, const QString& defaultText)
{
    const auto step = next(Kind::Input, QStringLiteral("input [%1] %2 \"%3\"").arg(caption, prompt, defaultText));
    if (!step)
        return defaultText;
    EXPECT_EQ(caption, step->caption);
    EXPECT_EQ(prompt, step->prompt);
    EXPECT_EQ(defaultText, step->defaultText);
    // Cancel gives the default text back, as the platform's box does.
    return step->typed ? *step->typed : defaultText;
}

void ScriptedDialogs::showError(const QString& text)
{
    const auto step = next(Kind::Error, QStringLiteral("error \"%1\"").arg(text));
    if (step && step->fragment) {
        EXPECT_TRUE(text.contains(step->text)) << text.toStdString();
    } else if (step) {
        EXPECT_EQ(text, step->text);
    }
}

std::optional<QColor> ScriptedDialogs::chooseColor(const QColor&, const QString& caption)
{
    const auto step = next(Kind::Color, QStringLiteral("colour [%1]").arg(caption));
    return step ? step->color : std::nullopt;
}
