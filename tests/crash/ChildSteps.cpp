#include "ChildSteps.h"

#include "bills/u_F_Adisyon.h"
#include "data/degiskenler.h"
#include "data/u_dm.h"

#include <QTest>

#include <cstdio>
#include <cstdlib>

namespace child {

void say(const char* line)
{
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void fail(const QString& why)
{
    std::fprintf(stdout, "ERROR %s\n", why.toUtf8().constData());
    std::fflush(stdout);
    std::_Exit(2);
}

ui::DialogButton Agreeing::messageBox(const QString& text, const QString&, ui::MessageIcon,
                                      ui::DialogButtons buttons, ui::DialogButton)
{
    if (buttons.testFlag(ui::DialogButton::Yes))
        return ui::DialogButton::Yes;
    if (buttons.testFlag(ui::DialogButton::Ok))
        return ui::DialogButton::Ok;
    fail(QStringLiteral("unexpected message: ") + text);
}

QString Agreeing::inputBox(const QString& caption, const QString& prompt, const QString&)
{
    if (prompt == QStringLiteral("% : "))
        return QStringLiteral("10");
    if (prompt == QStringLiteral("Masa Adı : "))
        return QStringLiteral("Teras 1");
    fail(QStringLiteral("unexpected input box: ") + caption + QLatin1Char('/') + prompt);
}

void Agreeing::showError(const QString& text)
{
    fail(QStringLiteral("error box: ") + text);
}

std::optional<QColor> Agreeing::chooseColor(const QColor&, const QString&)
{
    return std::nullopt;
}

void click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void selectTable(int masaId)
{
    if (masaId >= TableButtons.size() || !TableButtons[masaId])
        fail(QStringLiteral("no button for table %1").arg(masaId));
    click(TableButtons[masaId]);
    if (dm->Q_Masa->fieldByName(QStringLiteral("MASA_ID"))->asInteger() != masaId)
        fail(QStringLiteral("table %1 not selected").arg(masaId));
}

void pick(TF_Adisyon& window, const QString& group, const QString& product)
{
    if (!GroupQuery->locate(QStringLiteral("GRUP_ADI"), group) ||
        !ProductQuery->locate(QStringLiteral("STOK_ADI"), product))
        fail(QStringLiteral("no product ") + product);
    window.DBGrid2CellClick();
}

}  // namespace child
