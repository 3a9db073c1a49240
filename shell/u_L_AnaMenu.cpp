#include "u_L_AnaMenu.h"

#include "u_Giris.h"
#include "u_Yardim.h"

#include "bills/u_L_Adisyon.h"
#include "masterdata/u_L_Ayarlar.h"
#include "masterdata/u_L_Birim.h"
#include "masterdata/u_L_Grup.h"
#include "masterdata/u_L_Masa.h"
#include "masterdata/u_L_Stok.h"
#include "reports/u_L_KayitliAdisyonlar.h"
#include "reports/u_r_Adisyon.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/ui/ErrorHandler.h"
#include "platform/ui/Modal.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>

#include <algorithm>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TL_AnaMenu* L_AnaMenu = nullptr;

static void loadShellPictures()
{
    // The pictures live in a static library: register them explicitly.
    Q_INIT_RESOURCE(shell);
}

TL_AnaMenu::TL_AnaMenu(QWidget* parent) : QMainWindow(parent)
{
    loadShellPictures();
    setObjectName(QStringLiteral("L_AnaMenu"));
    setWindowTitle(QStringLiteral("Tavlora Free "));
    setWindowIcon(QIcon(QStringLiteral(":/shell/images/adisyon_paneli.svg")));
    QFont base(QStringLiteral("Tahoma"));
    base.setPointSize(9);
    setFont(base);
    resize(1207, 685);
    L_AnaMenu = this;

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Banner = new QLabel(central);
    Banner->setObjectName(QStringLiteral("Banner"));
    Banner->setPixmap(QIcon(QStringLiteral(":/shell/images/banner.svg")).pixmap(QSize(1200, 90)));
    Banner->setStyleSheet(QStringLiteral("background: #3e2723;"));
    Banner->setFixedHeight(90);
    Banner->setAccessibleName(QStringLiteral("Tavlora Free"));
    layout->addWidget(Banner);

    ToolBar1 = new QToolBar(central);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setIconSize(QSize(64, 64));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setStyleSheet(QStringLiteral("QToolBar { border-top: 1px solid #9e9e9e; border-right: 1px solid #9e9e9e;"
                                           " border-bottom: 1px solid #9e9e9e; }"));
    layout->addWidget(ToolBar1);

    ToolButton1 = addCommand(QStringLiteral("ToolButton1"), QStringLiteral("Adisyon Paneli"),
                             QStringLiteral("adisyon_paneli"));
    ToolButton2 = addCommand(QStringLiteral("ToolButton2"), QStringLiteral("Kayıtlı Adisyonlar"),
                             QStringLiteral("kayitli_adisyonlar"));
    ToolButton3 = addCommand(QStringLiteral("ToolButton3"), QStringLiteral("Stok Tanımları"),
                             QStringLiteral("stok_tanimlari"));
    ToolButton4 = addCommand(QStringLiteral("ToolButton4"), QStringLiteral("Parametreler"),
                             QStringLiteral("parametreler"));
    ToolButton6 = addCommand(QStringLiteral("ToolButton6"), QStringLiteral("Rapor"), QStringLiteral("rapor"));
    ToolButton5 = addCommand(QStringLiteral("ToolButton5"), QStringLiteral("Program Hakkında"),
                             QStringLiteral("program_hakkinda"));
    ToolButton7 = addCommand(QStringLiteral("ToolButton7"), QStringLiteral("Çıkış"), QStringLiteral("cikis"));
    // On a screen too narrow for every command the toolbar folds the last
    // ones behind its extension button, which the keys must reach too.
    if (auto* more = ToolBar1->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setFocusPolicy(Qt::TabFocus);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    auto item = [this](const QString& name, const QString& caption, const QString& icon) {
        QAction* a = PopupMenu2->addAction(QIcon(QStringLiteral(":/shell/images/%1.svg").arg(icon)), caption);
        a->setObjectName(name);
        return a;
    };
    MasaListesi1 = item(QStringLiteral("MasaListesi1"), QStringLiteral("Masa Listesi"), QStringLiteral("masa_listesi"));
    GenelAyarla1 = item(QStringLiteral("GenelAyarla1"), QStringLiteral("Genel Ayarlar"),
                        QStringLiteral("genel_ayarlar"));
    N2 = PopupMenu2->addSeparator();
    N2->setObjectName(QStringLiteral("N2"));
    StokBirim1 = item(QStringLiteral("StokBirim1"), QStringLiteral("Stok Birim"), QStringLiteral("stok_birim"));
    StokGrup1 = item(QStringLiteral("StokGrup1"), QStringLiteral("Stok Grup"), QStringLiteral("stok_grup"));
    ToolButton4->setMenu(PopupMenu2);
    // The whole button drops the menu down: there is no command of its own.
    ToolButton4->setPopupMode(QToolButton::InstantPopup);

    cxImage1 = new QLabel(central);
    cxImage1->setObjectName(QStringLiteral("cxImage1"));
    cxImage1->setAlignment(Qt::AlignCenter);
    cxImage1->setPixmap(QIcon(QStringLiteral(":/shell/images/interior.svg")).pixmap(QSize(933, 522)));
    cxImage1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    cxImage1->setLineWidth(3);
    cxImage1->setAccessibleName(QStringLiteral("Restoran"));
    layout->addWidget(cxImage1, 1);
    setCentralWidget(central);

    ui::connectGuarded(ToolButton1, &QToolButton::clicked, this, &TL_AnaMenu::ToolButton1Click);
    ui::connectGuarded(ToolButton2, &QToolButton::clicked, this, &TL_AnaMenu::ToolButton2Click);
    ui::connectGuarded(ToolButton3, &QToolButton::clicked, this, &TL_AnaMenu::ToolButton3Click);
    ui::connectGuarded(ToolButton6, &QToolButton::clicked, this, &TL_AnaMenu::ToolButton6Click);
    ui::connectGuarded(ToolButton5, &QToolButton::clicked, this, &TL_AnaMenu::ToolButton5Click);
    ui::connectGuarded(ToolButton7, &QToolButton::clicked, this, &TL_AnaMenu::ToolButton7Click);
    ui::connectGuarded(MasaListesi1, &QAction::triggered, this, &TL_AnaMenu::MasaListesi1Click);
    ui::connectGuarded(GenelAyarla1, &QAction::triggered, this, &TL_AnaMenu::GenelAyarla1Click);
    ui::connectGuarded(StokBirim1, &QAction::triggered, this, &TL_AnaMenu::StokBirim1Click);
    ui::connectGuarded(StokGrup1, &QAction::triggered, this, &TL_AnaMenu::StokGrup1Click);
}

TL_AnaMenu::~TL_AnaMenu()
{
    // The data module goes with the main window; its end commits.
    delete dm;
    dm = nullptr;
    if (L_AnaMenu == this)
        L_AnaMenu = nullptr;
}

QToolButton* TL_AnaMenu::addCommand(const QString& name, const QString& caption, const QString& icon)
{
    auto* b = new QToolButton(ToolBar1);
    b->setObjectName(name);
    b->setText(caption);
    b->setAccessibleName(caption);
    b->setIcon(QIcon(QStringLiteral(":/shell/images/%1.svg").arg(icon)));
    b->setIconSize(QSize(64, 64));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(10);
    f.setBold(true);
    b->setFont(f);
    // 124 x 87 as designed; a caption wider than that in the font at hand
    // widens its button rather than being cut.
    const int captionWidth = QFontMetrics(f).horizontalAdvance(caption) + 16;
    b->setFixedSize(std::max(124, captionWidth), 87);
    // Reached by Tab and pressed with Space; a touch leaves the focus where
    // it was.
    b->setFocusPolicy(Qt::TabFocus);
    ToolBar1->addWidget(b);
    return b;
}

void TL_AnaMenu::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    // Let the maximised window appear first; the login window comes over it.
    QTimer::singleShot(0, this, [this] { ui::guarded([this] { FormShow(); }); });
}

void TL_AnaMenu::FormShow()
{
    if (formShowDone_)
        return;
    formShowDone_ = true;
    if (!dm)
        dm = new Tdm(this);
    ui::showModal<TGiris>(this);
    if (LoginAccepted == 0) {
        // The login window has closed the main window already; make sure the
        // program ends even when it was closed before the event loop ran.
        close();
        QCoreApplication::quit();
    }
}

void TL_AnaMenu::closeEvent(QCloseEvent* event)
{
    event->accept();
}

void TL_AnaMenu::afterWindow()
{
    ui::guarded([] {
        if (dm)
            dm->renewTransactionIfQuiet();
    });
}

void TL_AnaMenu::ToolButton1Click()
{
    ui::showModal<TL_Adisyon>(this);
    afterWindow();
}

void TL_AnaMenu::ToolButton2Click()
{
    ui::showModal<TL_KayitliAdisyonlar>(this);
    afterWindow();
}

void TL_AnaMenu::ToolButton3Click()
{
    ui::showModal<TL_Stok>(this);
    afterWindow();
}

void TL_AnaMenu::ToolButton6Click()
{
    ui::showModal<Tr_Adisyon>(this);
    afterWindow();
}

void TL_AnaMenu::ToolButton5Click()
{
    ui::showModal<TYardim>(this);
}

void TL_AnaMenu::ToolButton7Click()
{
    close();
}

void TL_AnaMenu::MasaListesi1Click()
{
    ui::showModal<TL_Masa>(this);
    afterWindow();
}

void TL_AnaMenu::GenelAyarla1Click()
{
    ui::showModal<TL_Ayarlar>(this);
    afterWindow();
}

void TL_AnaMenu::StokBirim1Click()
{
    ui::showModal<TL_Birim>(this);
    afterWindow();
}

void TL_AnaMenu::StokGrup1Click()
{
    ui::showModal<TL_Grup>(this);
    afterWindow();
}
