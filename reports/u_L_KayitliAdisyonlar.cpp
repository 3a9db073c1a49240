#include "u_L_KayitliAdisyonlar.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"

#include "platform/db/AtomicUnit.h"
#include "platform/db/Dataset.h"
#include "platform/db/Error.h"
#include "platform/db/Field.h"
#include "platform/db/Statement.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ErrorHandler.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <memory>

namespace {

const QString kValidBills = QStringLiteral("SELECT * FROM W_ADISYON WHERE IPTAL_ID = 1");
const QString kAllBills = QStringLiteral("SELECT * FROM W_ADISYON");
const QString kCancelledBills = QStringLiteral("SELECT * FROM  W_ADISYON WHERE IPTAL_ID = 2");
const QString kAmountFormat = QStringLiteral("###,###,##0.00");
const QString kUpperLayout = QStringLiteral("\\ini\\L_Adisyon.ini");
const QString kLowerLayout = QStringLiteral("\\ini\\L_AdisyonHareket.ini");

// Large enough for a finger on the counter's touch screen.
constexpr int kButtonHeight = 56;
constexpr int kButtonWidth = 170;

QFont tahoma(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QPushButton* barButton(const QString& name, const QString& caption, QWidget* bar)
{
    auto* button = new QPushButton(caption, bar);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    button->setMinimumSize(kButtonWidth, kButtonHeight);
    button->setFocusPolicy(Qt::StrongFocus);
    bar->layout()->addWidget(button);
    return button;
}

ui::DataGrid* makeGrid(const QString& name, const QString& viewName, const QString& accessibleName, QWidget* parent)
{
    auto* grid = new ui::DataGrid(parent);
    grid->setObjectName(name);
    grid->setAccessibleName(accessibleName);
    grid->view()->setObjectName(viewName);
    grid->view()->setAccessibleName(accessibleName);
    grid->setRowIndicatorVisible(true);
    grid->setHighContrast(true);
    grid->view()->verticalHeader()->setDefaultSectionSize(grid->view()->fontMetrics().height() + 8);
    return grid;
}

void attachMenu(ui::DataGrid* grid, QMenu* menu)
{
    QTableView* view = grid->view();
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(view, &QWidget::customContextMenuRequested, menu,
                     [view, menu](const QPoint& pos) { menu->popup(view->viewport()->mapToGlobal(pos)); });
    QHeaderView* header = view->horizontalHeader();
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(header, &QWidget::customContextMenuRequested, menu,
                     [header, menu](const QPoint& pos) { menu->popup(header->mapToGlobal(pos)); });
}

}  // namespace

TL_KayitliAdisyonlar::TL_KayitliAdisyonlar(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("L_KayitliAdisyonlar"));
    setWindowTitle(QStringLiteral("Adisyon Kayıt Gezgini"));
    setWindowState(windowState() | Qt::WindowMaximized);
    buildControls();
    FormCreate();
}

TL_KayitliAdisyonlar::~TL_KayitliAdisyonlar()
{
    // The data module outlives the window; its datasets must not call back
    // into a window that is gone.
    if (dm)
        dm->qryAdisyon->setFetchProgress({});
}

void TL_KayitliAdisyonlar::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAccessibleName(QStringLiteral("Komutlar"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setFocusPolicy(Qt::StrongFocus);
    Panel1->setFont(tahoma(15, true));
    auto* bar = new QHBoxLayout(Panel1);
    bar->setContentsMargins(6, 6, 6, 6);
    bar->setSpacing(6);
    cxButton3 = barButton(QStringLiteral("cxButton3"), QStringLiteral("Geçerli Adisyonlar"), Panel1);
    cxButton2 = barButton(QStringLiteral("cxButton2"), QStringLiteral("İptal Adisyonları"), Panel1);
    cxButton1 = barButton(QStringLiteral("cxButton1"), QStringLiteral("Sil"), Panel1);
    cxButton4 = barButton(QStringLiteral("cxButton4"), QStringLiteral("İlk Kayıt"), Panel1);
    cxButton5 = barButton(QStringLiteral("cxButton5"), QStringLiteral("Son Kayıt"), Panel1);
    cxButton6 = barButton(QStringLiteral("cxButton6"), QStringLiteral("Çıkış"), Panel1);
    bar->addStretch();
    layout->addWidget(Panel1);

    cxSplitter1 = new QSplitter(Qt::Vertical, this);
    cxSplitter1->setObjectName(QStringLiteral("cxSplitter1"));
    cxSplitter1->setChildrenCollapsible(false);
    cxSplitter1->setHandleWidth(8);
    // The grids take their row heights from the font they are created with.
    cxSplitter1->setFont(tahoma(17, false));
    layout->addWidget(cxSplitter1, 1);

    cxGrid1 = makeGrid(QStringLiteral("cxGrid1"), QStringLiteral("cxGrid1DBTableView1"),
                       QStringLiteral("Adisyonlar"), cxSplitter1);
    cxGrid1DBTableView1 = cxGrid1->view();
    designUpperList();
    cxGrid2 = makeGrid(QStringLiteral("cxGrid2"), QStringLiteral("cxGrid2DBTableView1"),
                       QStringLiteral("Adisyon satırları"), cxSplitter1);
    cxGrid2DBTableView1 = cxGrid2->view();
    designLowerList();
    cxSplitter1->setStretchFactor(0, 3);
    cxSplitter1->setStretchFactor(1, 2);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    zelletir1 = PopupMenu1->addAction(QStringLiteral("Özelleştir"));
    zelletir1->setObjectName(QStringLiteral("zelletir1"));
    Kaydet1 = PopupMenu1->addAction(QStringLiteral("Kaydet"));
    Kaydet1->setObjectName(QStringLiteral("Kaydet1"));
    attachMenu(cxGrid1, PopupMenu1);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    zelletir2 = PopupMenu2->addAction(QStringLiteral("Özelleştir"));
    zelletir2->setObjectName(QStringLiteral("zelletir2"));
    Kaydet2 = PopupMenu2->addAction(QStringLiteral("Kaydet"));
    Kaydet2->setObjectName(QStringLiteral("Kaydet2"));
    attachMenu(cxGrid2, PopupMenu2);

    using Self = TL_KayitliAdisyonlar;
    ui::connectGuarded(cxButton3, &QPushButton::clicked, this, &Self::cxButton3Click);
    ui::connectGuarded(cxButton2, &QPushButton::clicked, this, &Self::cxButton2Click);
    ui::connectGuarded(cxButton1, &QPushButton::clicked, this, &Self::cxButton1Click);
    ui::connectGuarded(cxButton4, &QPushButton::clicked, this, &Self::cxButton4Click);
    ui::connectGuarded(cxButton5, &QPushButton::clicked, this, &Self::cxButton5Click);
    ui::connectGuarded(cxButton6, &QPushButton::clicked, this, &Self::cxButton6Click);
    ui::connectGuarded(zelletir1, &QAction::triggered, this, &Self::zelletir1Click);
    ui::connectGuarded(Kaydet1, &QAction::triggered, this, &Self::Kaydet1Click);
    ui::connectGuarded(zelletir2, &QAction::triggered, this, &Self::zelletir2Click);
    ui::connectGuarded(Kaydet2, &QAction::triggered, this, &Self::Kaydet2Click);
}

void TL_KayitliAdisyonlar::designUpperList()
{
    // The columns of W_ADISYON in the view's order; widths of 0 follow the field.
    cxGrid1->setColumns({
        {QStringLiteral("ADISYON_ID"), {}, 0},
        {QStringLiteral("MASA_ID"), {}, 0},
        {QStringLiteral("ACIK_KAPALI"), {}, 0},
        {QStringLiteral("TURU_ID"), {}, 0},
        {QStringLiteral("TARIH"), {}, 190},
        {QStringLiteral("KAPANIS_TARIHI"), {}, 190},
        {QStringLiteral("TAHSILAT_ID"), {}, 0},
        {QStringLiteral("TUTAR"), {}, 120},
        {QStringLiteral("K_TUTAR"), QStringLiteral("KASA"), 120},
        {QStringLiteral("B_TUTAR"), QStringLiteral("BANKA"), 120},
        {QStringLiteral("ACIKLAMA"), {}, 220},
        {QStringLiteral("IPTAL_ID"), {}, 0},
        {QStringLiteral("ISKONTO"), {}, 120},
        {QStringLiteral("ARA_TUTAR"), {}, 120},
        {QStringLiteral("FIS_NO"), {}, 0},
        {QStringLiteral("MASA_ADI"), {}, 200},
        {QStringLiteral("TAHSILAT"), {}, 0},
    });
    cxGrid1->setFilterRowVisible(true);
    for (const char* field : {"TUTAR", "K_TUTAR", "B_TUTAR", "ISKONTO", "ARA_TUTAR"})
        cxGrid1->setFooterSum(QString::fromLatin1(field), kAmountFormat);
    cxGrid1->setDataSource(dm->Ds_qryAdisyon);
}

void TL_KayitliAdisyonlar::designLowerList()
{
    cxGrid2->setColumns({
        {QStringLiteral("SN"), {}, 22},
        {QStringLiteral("STOK_KODU"), {}, 118},
        {QStringLiteral("STOK_ADI"), {}, 313},
        {QStringLiteral("CIKAN"), QStringLiteral("MIKTAR"), 0},
        {QStringLiteral("BIRIM"), {}, 80},
        {QStringLiteral("FIYAT"), {}, 0},
        {QStringLiteral("TUTAR"), {}, 93},
        {QStringLiteral("ISKONTO"), {}, 99},
        {QStringLiteral("ISKONTO_TUTAR"), {}, 141},
        {QStringLiteral("ARA_TUTAR"), {}, 153},
    });
    cxGrid2->setDataSource(dm->Ds_qryAH);
}

void TL_KayitliAdisyonlar::FormCreate()
{
    cxGrid1->restoreLayout(ProgramFile(kUpperLayout));
    cxGrid2->restoreLayout(ProgramFile(kLowerLayout));
    LoadBills(kValidBills);
    Panel1->setFocus();
}

void TL_KayitliAdisyonlar::LoadBills(const QString& sql)
{
    db::Dataset* bills = dm->qryAdisyon;
    bills->close();
    bills->setSql(sql);

    // A busy cafe keeps hundreds of thousands of bills: while they are read
    // the screen keeps painting and, after a moment, says how far it got.
    // Input waits until the list is there, so no command runs half-way
    // through the reading.
    lastProgressRows_ = 0;
    progressWasShown_ = false;
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProgressDialog> progress;
    bills->setFetchProgress([&](int rows) {
        lastProgressRows_ = rows;
        if (!progress && clock.elapsed() >= progressDelayMs_) {
            progress = std::make_unique<QProgressDialog>(isVisible() ? this : parentWidget());
            progress->setWindowTitle(windowTitle());
            progress->setWindowModality(Qt::ApplicationModal);
            progress->setCancelButton(nullptr);
            progress->setRange(0, 0);
            progress->setMinimumDuration(0);
            progress->setMinimumWidth(360);
            progress->show();
            progressWasShown_ = true;
        }
        if (progress)
            progress->setLabelText(QStringLiteral("Adisyonlar okunuyor: %1").arg(QLocale().toString(rows)));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    struct StopProgress {
        db::Dataset* bills;
        ~StopProgress() { bills->setFetchProgress({}); }
    } stop{bills};

    bills->open();
    cxGrid1->goFirst();
}

void TL_KayitliAdisyonlar::cxButton3Click()
{
    LoadBills(kAllBills);
}

void TL_KayitliAdisyonlar::cxButton2Click()
{
    LoadBills(kCancelledBills);
}

void TL_KayitliAdisyonlar::cxButton1Click()
{
    if (!ui::askYesNo(QStringLiteral("Adisyon kalıcı silinecek! Devam edilsin mi?"), QString(),
                      ui::MessageIcon::Warning))
        return;
    db::Dataset* bills = dm->qryAdisyon;
    // An empty list has no bill to delete; an empty key must never reach the
    // delete statement.
    if (!bills->active() || bills->isEmpty() || bills->fieldByName(QStringLiteral("ADISYON_ID"))->isNull())
        throw db::ConversionError(QStringLiteral("Silinecek adisyon yok: listede seçili bir adisyon bulunmuyor."));
    const qint64 billId = bills->fieldByName(QStringLiteral("ADISYON_ID"))->asInteger();

    // The user saw the bill go: the deletion is permanent at once, and a
    // later discard elsewhere in the program cannot bring it back. The
    // database removes the bill's lines with it.
    {
        db::AtomicUnit unit(*dm->IBTransaction1, {});
        db::Statement remove(*dm->IBTransaction1);
        remove.setSql(QStringLiteral("delete from adisyon where adisyon_id = :adisyon_id"));
        remove.setParam(QStringLiteral("adisyon_id"), billId);
        remove.execute();
        unit.commit();
    }

    LoadBills(bills->sql());
}

void TL_KayitliAdisyonlar::cxButton4Click()
{
    cxGrid1->goFirst();
}

void TL_KayitliAdisyonlar::cxButton5Click()
{
    cxGrid1->goLast();
}

void TL_KayitliAdisyonlar::cxButton6Click()
{
    close();
}

void TL_KayitliAdisyonlar::zelletir1Click()
{
    cxGrid1->toggleCustomization();
}

void TL_KayitliAdisyonlar::zelletir2Click()
{
    cxGrid2->toggleCustomization();
}

void TL_KayitliAdisyonlar::Kaydet1Click()
{
    cxGrid1->saveLayout(ProgramFile(kUpperLayout));
}

void TL_KayitliAdisyonlar::Kaydet2Click()
{
    cxGrid2->saveLayout(ProgramFile(kLowerLayout));
}
