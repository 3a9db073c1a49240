// The program's bill commands run one after another through its real
// windows, for the crash tests to kill at chosen points. After each
// committing command returns it prints "DONE <command>" and flushes, so the
// killer knows what must be in the database.
//
//   crash_child <database file> <program folder>
//
// Sequence on the demo cafe:
//   order entry on "Masa 4" (Çay, Türk Kahvesi), "Kaydet"    DONE pick-saved
//   10 % discount                                            DONE discount
//   "Masa Degiştir" to "Masa 7"                              DONE move
//   "Nakit Tahsilat"                                         DONE cash
//   order entry on "Masa 4" again (Çay), "Kaydet"            DONE reopen
//   "İptal"                                                  DONE cancel
//   the panel closed; "Yeni Masa" "Teras 1" in the tables    DONE table-added
//   "Çay" edited to 20 in the products, "Kaydet"             DONE product-saved
//   a new panel; order entry on "Masa 5", products picked again and again
//   without "Kaydet" ("MID entry" after the first one) until killed.
#include "ChildSteps.h"

#include "bills/u_F_Adisyon.h"
#include "bills/u_F_MasaChange.h"
#include "bills/u_L_Adisyon.h"
#include "masterdata/u_F_Stok.h"
#include "masterdata/u_L_Masa.h"
#include "masterdata/u_L_Stok.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/ui/DataLineEdit.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Modal.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QToolButton>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

namespace {

using child::click;
using child::fail;
using child::pick;
using child::say;
using child::selectTable;
using child::withWindow;

std::unique_ptr<TL_Adisyon> openPanel()
{
    auto panel = std::make_unique<TL_Adisyon>();
    panel->show();
    QApplication::processEvents();
    return panel;
}

void billCommands(TL_Adisyon& panel)
{
    const QString hot = QStringLiteral("Sıcak İçecekler");

    selectTable(4);
    withWindow<TF_Adisyon>(panel.tooAdisyn, [&](TF_Adisyon& w) {
        pick(w, hot, QStringLiteral("Çay"));
        pick(w, hot, QStringLiteral("Türk Kahvesi"));
        click(w.cxButton17);
    });
    say("DONE pick-saved");

    panel.Yzde1->trigger();
    say("DONE discount");

    withWindow<TF_MasaChange>(panel.ToolButton9, [&](TF_MasaChange& w) {
        const int index = w.cxComboBox1->findText(QStringLiteral("Masa 7"));
        if (index < 0)
            fail(QStringLiteral("Masa 7 not offered"));
        w.cxComboBox1->setCurrentIndex(index);
        click(w.BitBtn1);
    });
    say("DONE move");

    click(panel.ToolButton4);
    say("DONE cash");

    selectTable(4);
    withWindow<TF_Adisyon>(panel.tooAdisyn, [&](TF_Adisyon& w) {
        pick(w, hot, QStringLiteral("Çay"));
        click(w.cxButton17);
    });
    say("DONE reopen");

    click(panel.ToolButton3);
    say("DONE cancel");
}

// The master-data windows, opened from the main menu while the panel is shut.
void masterDataCommands()
{
    {
        TL_Masa tables;
        tables.show();
        click(tables.ToolButton1);
        if (dm->Q_Masa->fieldByName(QStringLiteral("MASA_ADI"))->asString() != QStringLiteral("Teras 1"))
            fail(QStringLiteral("the new table is not current"));
    }
    say("DONE table-added");

    {
        TL_Stok products;
        products.show();
        if (!dm->Q_Stok->locate(QStringLiteral("STOK_ADI"), QStringLiteral("Çay")))
            fail(QStringLiteral("no product Çay"));
        withWindow<TF_Stok>(products.ToolButton2, [&](TF_Stok& w) {
            w.eFiyat->selectAll();
            QTest::keyClicks(w.eFiyat, QStringLiteral("20"));
            click(w.ToolButton2);
            if (ModifiedState != 0)
                fail(QStringLiteral("the product was not stored"));
            click(w.ToolButton4);
        });
    }
    say("DONE product-saved");
}

void orderEntryUntilKilled(TL_Adisyon& panel)
{
    const QString hot = QStringLiteral("Sıcak İçecekler");
    selectTable(5);
    withWindow<TF_Adisyon>(panel.tooAdisyn, [&](TF_Adisyon& w) {
        const QString products[] = {QStringLiteral("Çay"), QStringLiteral("Türk Kahvesi"), QStringLiteral("Ihlamur")};
        pick(w, hot, products[0]);
        say("MID entry");
        // Keep the uncommitted work growing until the killer strikes.
        QElapsedTimer clock;
        clock.start();
        for (int i = 1; clock.elapsed() < 30000; ++i) {
            if (i < 400)
                pick(w, hot, products[i % 3]);
            else
                QThread::msleep(5);
            QApplication::processEvents();
        }
        fail(QStringLiteral("never killed"));
    });
}

void run()
{
    auto panel = openPanel();
    say("READY");
    billCommands(*panel);
    panel->close();
    panel.reset();
    masterDataCommands();
    panel = openPanel();
    orderEntryUntilKilled(*panel);
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    if (argc != 3) {
        std::fprintf(stderr, "usage: crash_child <database file> <program folder>\n");
        return 1;
    }
    child::Agreeing dialogs;
    ui::setDialogs(&dialogs);
    try {
        SetProgramFolder(QString::fromLocal8Bit(argv[2]));
        ModifiedState = 0;
        LoginAccepted = 11;
        dm = new Tdm;
        dm->IBDatabase1->setDatabaseName(QString::fromLocal8Bit(argv[1]));
        dm->IBDatabase1->connect();
        dm->IBTransaction1->start();
        dm->T_Ayarlar->open();
        run();
    } catch (const std::exception& e) {
        fail(QString::fromUtf8(e.what()));
    }
    return 0;
}
