#include "BillsFixture.h"

#include "bills/u_F_Adisyon.h"
#include "bills/u_F_MasaChange.h"
#include "bills/u_L_Adisyon.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/db/Statement.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Modal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QProcess>
#include <QTest>
#include <QToolButton>

namespace billstest {

void Dialogs::showError(const QString& text)
{
    if (text.contains(QLatin1String("deadlock")) || text.contains(QLatin1String("lock conflict"))) {
        lockErrors << text;
        return;
    }
    ScriptedDialogs::showError(text);
}

QString pdfText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

void BillsFixture::SetUp()
{
    DataModuleFixture::SetUp();
}

void BillsFixture::TearDown()
{
    closePanel();
    dialogs.verify();
    DataModuleFixture::TearDown();
}

TL_Adisyon& BillsFixture::openPanel()
{
    closePanel();
    panel = std::make_unique<TL_Adisyon>();
    panel->show();
    QApplication::processEvents();
    return *panel;
}

void BillsFixture::closePanel()
{
    if (!panel)
        return;
    panel->hide();
    panel.reset();
}

void BillsFixture::selectTable(int masaId)
{
    QAbstractButton* button = tableButton(masaId);
    ASSERT_NE(button, nullptr) << "no button for table " << masaId;
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(dm->Q_Masa->fieldByName(QStringLiteral("MASA_ID"))->asInteger(), masaId);
}

QAbstractButton* BillsFixture::tableButton(int masaId) const
{
    if (masaId < 0 || masaId >= TableButtons.size())
        return nullptr;
    return TableButtons[masaId];
}

QColor BillsFixture::buttonFace(int masaId) const
{
    QAbstractButton* button = tableButton(masaId);
    return button ? button->palette().color(QPalette::Button) : QColor();
}

QColor BillsFixture::settingsColor(const char* column) const
{
    return ui::colorFromValue(
        value(QStringLiteral("select %1 from AYARLAR").arg(QString::fromLatin1(column))).toLongLong());
}

int BillsFixture::storeOpenBill(int masaId, std::initializer_list<Line> lines, const QString& note)
{
    exec(QStringLiteral("update MASA set ACIK_KAPALI = 2 where MASA_ID = %1").arg(masaId));
    const int id = value(QStringLiteral("select gen_id(ADISYON_ADISYON_ID_GEN, 1) from RDB$DATABASE")).toInt();
    exec(QStringLiteral("insert into ADISYON (ADISYON_ID, MASA_ID, ACIKLAMA) values (%1, %2, %3)")
             .arg(id)
             .arg(masaId)
             .arg(note.isEmpty() ? QStringLiteral("null") : QLatin1Char('\'') + note + QLatin1Char('\'')));
    for (const Line& line : lines) {
        exec(QStringLiteral("insert into STOK_HAREKET (SN, STOK_ID, GC_ID, ADISYON_ID, ISKONTO, CIKAN) values "
                            "(gen_id(STOK_HAREKET_SN_GEN, 1), %1, 2, %2, %3, %4)")
                 .arg(line.stokId)
                 .arg(id)
                 .arg(line.iskonto)
                 .arg(line.cikan));
    }
    return id;
}

QVariant BillsFixture::ownValue(const QString& sql) const
{
    db::Statement st(*dm->IBTransaction1);
    st.setSql(sql);
    const auto rows = st.fetchAll();
    return rows.empty() ? QVariant() : rows.front().value(0);
}

int BillsFixture::tableState(int masaId) const
{
    return ownValue(QStringLiteral("select ACIK_KAPALI from MASA where MASA_ID = %1").arg(masaId)).toInt();
}

int BillsFixture::committedTableState(int masaId) const
{
    return value(QStringLiteral("select ACIK_KAPALI from MASA where MASA_ID = %1").arg(masaId)).toInt();
}

void BillsFixture::withOrderEntry(const std::function<void()>& command, const std::function<void(TF_Adisyon&)>& act)
{
    bool opened = false;
    ui::ModalHookScope hook([&](QDialog& window) {
        auto* entry = qobject_cast<TF_Adisyon*>(&window);
        ASSERT_NE(entry, nullptr);
        opened = true;
        act(*entry);
    });
    command();
    EXPECT_TRUE(opened) << "the order-entry window did not open";
}

void BillsFixture::withTableChange(const std::function<void(TF_MasaChange&)>& act)
{
    bool opened = false;
    ui::ModalHookScope hook([&](QDialog& window) {
        auto* change = qobject_cast<TF_MasaChange*>(&window);
        ASSERT_NE(change, nullptr);
        opened = true;
        act(*change);
    });
    QTest::mouseClick(panel->ToolButton9, Qt::LeftButton);
    EXPECT_TRUE(opened) << "the table-change window did not open";
}

void BillsFixture::setSetting(const QString& column, const QString& sqlValue)
{
    exec(QStringLiteral("update AYARLAR set %1 = %2").arg(column, sqlValue));
    dm->T_Ayarlar->refresh();
}

}  // namespace billstest
