#include "u_L_Adisyon.h"

#include "TableButton.h"
#include "u_F_Adisyon.h"
#include "u_F_MasaChange.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/db/AtomicUnit.h"
#include "platform/db/Conversions.h"
#include "platform/db/Error.h"
#include "platform/db/Statement.h"
#include "platform/ui/Colors.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/DataLabel.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ErrorHandler.h"
#include "platform/ui/Modal.h"

#include <QAction>
#include <QDateTime>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

const QString kLinesLayout = QStringLiteral("\\ini\\F_Adisyon.ini");

// The settings row's number; an empty column reads as 0.
qint64 setting(const char* column)
{
    db::Field* f = dm->T_Ayarlar->findField(QString::fromLatin1(column));
    return f ? f->asInteger() : 0;
}

db::Field* field(db::Dataset* dataset, const char* name)
{
    return dataset->fieldByName(QString::fromLatin1(name));
}

// The current table's state; NULL (or no table at all) is neither 1 nor 2.
int tableState()
{
    if (dm->Q_Masa->isEmpty())
        return 0;
    db::Field* state = field(dm->Q_Masa, "ACIK_KAPALI");
    return state->isNull() ? 0 : int(state->asInteger());
}

// A sum stored into the bill the way the bill has always received it: as its
// plain text of at most 15 significant digits, read back into the column. An
// empty sum (a bill without live lines) leaves the column empty.
void copySum(db::Field* target, const QVariant& sum)
{
    if (sum.isNull())
        target->clear();
    else
        target->setAsString(db::floatToText(sum.toDouble()));
}

}  // namespace

TL_Adisyon::TL_Adisyon(QWidget* owner) : Form(owner)
{
    Q_INIT_RESOURCE(bills);
    setObjectName(QStringLiteral("L_Adisyon"));
    setWindowTitle(QStringLiteral("Adisyon Paneli"));
    QFont base(QStringLiteral("Tahoma"));
    base.setPointSize(8);
    setFont(base);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    cxSplitter1 = new QSplitter(Qt::Vertical, this);
    cxSplitter1->setObjectName(QStringLiteral("cxSplitter1"));
    cxSplitter1->setHandleWidth(8);
    cxSplitter1->setChildrenCollapsible(false);
    layout->addWidget(cxSplitter1);

    buildTablePanel();
    pnl_Alt = new QWidget(cxSplitter1);
    pnl_Alt->setObjectName(QStringLiteral("pnl_Alt"));
    cxSplitter1->addWidget(pnl_Alt);
    cxSplitter1->setStretchFactor(0, 0);
    cxSplitter1->setStretchFactor(1, 1);
    auto* lower = new QVBoxLayout(pnl_Alt);
    lower->setContentsMargins(0, 0, 0, 0);
    lower->setSpacing(0);

    tooAdisyon = new QToolBar(pnl_Alt);
    tooAdisyon->setObjectName(QStringLiteral("tooAdisyon"));
    tooAdisyon->setIconSize(QSize(48, 48));
    tooAdisyon->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tooAdisyon->setMovable(false);
    lower->addWidget(tooAdisyon);

    tooAdisyn = addCommand(QStringLiteral("tooAdisyn"), QStringLiteral("Yeni Adisyon"), QStringLiteral("yeni_adisyon"));
    tooEk = addCommand(QStringLiteral("tooEk"), QStringLiteral("Ek Adisyon"), QStringLiteral("ek_adisyon"));
    tooAdisyon->addSeparator();
    ToolButton3 = addCommand(QStringLiteral("ToolButton3"), QStringLiteral("İptal"), QStringLiteral("iptal"));
    tooAdisyon->addSeparator();
    ToolButton4 = addCommand(QStringLiteral("ToolButton4"), QStringLiteral("Nakit Tahsilat"), QStringLiteral("nakit"));
    ToolButton5 = addCommand(QStringLiteral("ToolButton5"), QStringLiteral("Kart Tahsilat"), QStringLiteral("kart"));
    ToolButton6 = addCommand(QStringLiteral("ToolButton6"), QStringLiteral("Kısmı Tahsilat"), QStringLiteral("kismi"));
    tooAdisyon->addSeparator();
    ToolButton9 =
        addCommand(QStringLiteral("ToolButton9"), QStringLiteral("Masa Degiştir"), QStringLiteral("masa_degistir"));
    tooAdisyon->addSeparator();
    ToolButton8 = addCommand(QStringLiteral("ToolButton8"), QStringLiteral("İskonto"), QStringLiteral("iskonto"));
    tooAdisyon->addSeparator();
    ToolButton7 = addCommand(QStringLiteral("ToolButton7"), QStringLiteral("Yazdır"), QStringLiteral("yazdir"));
    ToolButton2 = addCommand(QStringLiteral("ToolButton2"), QStringLiteral("Ön İzle"), QStringLiteral("onizle"));
    ToolButton11 = addCommand(QStringLiteral("ToolButton11"), QStringLiteral("Dizayn"), QStringLiteral("dizayn"));
    tooAdisyon->addSeparator();
    ToolButton1 = addCommand(QStringLiteral("ToolButton1"), QStringLiteral("Çıkış"), QStringLiteral("cikis"));
    // On a screen too narrow for every command the toolbar folds the last
    // ones behind its extension button, which the keys must reach too.
    if (auto* more = tooAdisyon->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setFocusPolicy(Qt::TabFocus);

    ui::connectGuarded(tooAdisyn, &QToolButton::clicked, this, &TL_Adisyon::tooAdisynClick);
    ui::connectGuarded(tooEk, &QToolButton::clicked, this, &TL_Adisyon::tooEkClick);
    ui::connectGuarded(ToolButton3, &QToolButton::clicked, this, &TL_Adisyon::ToolButton3Click);
    ui::connectGuarded(ToolButton4, &QToolButton::clicked, this, &TL_Adisyon::ToolButton4Click);
    ui::connectGuarded(ToolButton5, &QToolButton::clicked, this, &TL_Adisyon::ToolButton5Click);
    ui::connectGuarded(ToolButton6, &QToolButton::clicked, this, &TL_Adisyon::ToolButton6Click);
    ui::connectGuarded(ToolButton9, &QToolButton::clicked, this, &TL_Adisyon::ToolButton9Click);
    ui::connectGuarded(ToolButton7, &QToolButton::clicked, this, &TL_Adisyon::ToolButton7Click);
    ui::connectGuarded(ToolButton2, &QToolButton::clicked, this, &TL_Adisyon::ToolButton2Click);
    ui::connectGuarded(ToolButton11, &QToolButton::clicked, this, &TL_Adisyon::ToolButton11Click);
    ui::connectGuarded(ToolButton1, &QToolButton::clicked, this, &TL_Adisyon::ToolButton1Click);

    // "İskonto" opens its menu at the first touch.
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    QFont menuFont = PopupMenu2->font();
    menuFont.setPointSize(14);
    PopupMenu2->setFont(menuFont);
    Yzde1 = PopupMenu2->addAction(QStringLiteral("Yüzde"));
    Yzde1->setObjectName(QStringLiteral("Yzde1"));
    utar1 = PopupMenu2->addAction(QStringLiteral("Tutar"));
    utar1->setObjectName(QStringLiteral("utar1"));
    ToolButton8->setMenu(PopupMenu2);
    ToolButton8->setPopupMode(QToolButton::InstantPopup);
    ui::connectGuarded(Yzde1, &QAction::triggered, this, &TL_Adisyon::Yzde1Click);
    ui::connectGuarded(utar1, &QAction::triggered, this, &TL_Adisyon::utar1Click);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    lower->addLayout(body, 1);
    buildBillPanel();
    body->addWidget(Panel1);
    buildLinesGrid();
    body->addWidget(cxGrid1DBTableView1, 1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PanelKaydet1 = PopupMenu1->addAction(QStringLiteral("Panel Kaydet"));
    PanelKaydet1->setObjectName(QStringLiteral("PanelKaydet1"));
    PopupMenu1->addSeparator();
    HataDenetle1 = PopupMenu1->addAction(QStringLiteral("Grid Özelleştir"));
    HataDenetle1->setObjectName(QStringLiteral("HataDenetle1"));
    GridKaydet1 = PopupMenu1->addAction(QStringLiteral("Grid Kaydet"));
    GridKaydet1->setObjectName(QStringLiteral("GridKaydet1"));
    ui::connectGuarded(PanelKaydet1, &QAction::triggered, this, &TL_Adisyon::PanelKaydet1Click);
    ui::connectGuarded(HataDenetle1, &QAction::triggered, this, &TL_Adisyon::HataDenetle1Click);
    ui::connectGuarded(GridKaydet1, &QAction::triggered, this, &TL_Adisyon::GridKaydet1Click);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(mapToGlobal(at)); });

    // Maximised, and already of the screen's size when first shown: the
    // table buttons are placed for the band's width at that moment.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        resize(screen->availableGeometry().size());
    setWindowState(windowState() | Qt::WindowMaximized);

    FormCreate();
}

TL_Adisyon::~TL_Adisyon() = default;

QToolButton* TL_Adisyon::addCommand(const QString& name, const QString& caption, const QString& icon)
{
    auto* button = new QToolButton(tooAdisyon);
    button->setObjectName(name);
    button->setText(caption);
    button->setAccessibleName(caption);
    button->setIcon(QIcon(QStringLiteral(":/bills/%1.svg").arg(icon)));
    button->setIconSize(QSize(48, 48));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(10);
    button->setFont(f);
    // 86 x 71; wider only where the caption would otherwise be cut short in
    // a font wider than Tahoma.
    const int captionWidth = QFontMetrics(f).horizontalAdvance(caption) + 12;
    button->setFixedSize(std::max(86, captionWidth), 71);
    // Reached by Tab and pressed with Space; a touch leaves the focus where
    // it was.
    button->setFocusPolicy(Qt::TabFocus);
    tooAdisyon->addWidget(button);
    return button;
}

void TL_Adisyon::buildTablePanel()
{
    pnl_Masa = new QFrame(cxSplitter1);
    pnl_Masa->setObjectName(QStringLiteral("pnl_Masa"));
    pnl_Masa->setAccessibleName(QStringLiteral("Masalar"));
    pnl_Masa->setAutoFillBackground(true);
    QPalette p = pnl_Masa->palette();
    // The system's gradient active caption colour.
    p.setColor(QPalette::Window, ui::colorFromValue(0x8000001B));
    pnl_Masa->setPalette(p);
    pnl_Masa->setMinimumHeight(0);
    pnl_Masa->resize(pnl_Masa->width(), 161);
    cxSplitter1->addWidget(pnl_Masa);
}

void TL_Adisyon::buildBillPanel()
{
    Panel1 = new QFrame(pnl_Alt);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedWidth(368);
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setAutoFillBackground(true);
    QPalette p = Panel1->palette();
    p.setColor(QPalette::Window, p.color(QPalette::Midlight));  // light 3-D colour
    Panel1->setPalette(p);
    auto* column = new QVBoxLayout(Panel1);

    auto pair = [&](const QString& caption, const char* name, db::DataSource* source, const char* fieldName) {
        auto* label = new QLabel(caption, Panel1);
        label->setAlignment(Qt::AlignCenter);
        QFont cf = label->font();
        cf.setPointSize(12);
        label->setFont(cf);
        QPalette lp = label->palette();
        lp.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));  // navy
        label->setPalette(lp);
        auto* value = new ui::DataLabel(source, QString::fromLatin1(fieldName), Panel1);
        value->setObjectName(QString::fromLatin1(name));
        value->setAlignment(Qt::AlignCenter);
        QFont vf = value->font();
        vf.setPointSize(14);
        vf.setBold(true);
        value->setFont(vf);
        QPalette vp = value->palette();
        vp.setColor(QPalette::WindowText, Qt::black);
        value->setPalette(vp);
        value->setFrameShape(QFrame::StyledPanel);
        value->setMinimumHeight(34);
        ui::labelControl(label, value);
        column->addWidget(label);
        column->addWidget(value);
        return value;
    };
    cxDBLabel4 = pair(QStringLiteral("Masa"), "cxDBLabel4", dm->Ds_Q_Masa, "MASA_ADI");
    cxDBLabel1 = pair(QStringLiteral("Adisyon No"), "cxDBLabel1", dm->Ds_Q_Adisyon, "FIS_NO");
    cxDBLabel2 = pair(QStringLiteral("Açılış Tarihi"), "cxDBLabel2", dm->Ds_Q_Adisyon, "TARIH");
    cxDBLabel3 = pair(QStringLiteral("Tutar"), "cxDBLabel3", dm->ds_qrySum, "T_ARA_TUTAR");
    cxDBLabel5 = pair(QStringLiteral("Açıklama"), "cxDBLabel5", dm->Ds_Q_Adisyon, "ACIKLAMA");
    // The note of the bill gets a taller box.
    cxDBLabel5->setWordWrap(true);
    cxDBLabel5->setMinimumHeight(80);
    column->addStretch(1);
}

void TL_Adisyon::buildLinesGrid()
{
    cxGrid1DBTableView1 = new ui::DataGrid(pnl_Alt);
    cxGrid1DBTableView1->setObjectName(QStringLiteral("cxGrid1DBTableView1"));
    cxGrid1DBTableView1->setAccessibleName(QStringLiteral("Adisyon hareketleri"));
    QList<ui::GridColumn> columns;
    for (const char* name : {"SN", "STOK_ID", "STOK_KODU", "STOK_ADI", "GRUP_ID", "TARIH", "IPTAL_ID", "CIKAN", "FIYAT",
                             "TUTAR", "ISKONTO", "ISKONTO_TUTAR", "ARA_TUTAR", "ADISYON_ID", "BIRIM", "GC_ID"}) {
        ui::GridColumn c;
        c.field = QString::fromLatin1(name);
        if (c.field == QLatin1String("CIKAN"))
            c.caption = QStringLiteral("MIKTAR");
        columns.append(c);
    }
    cxGrid1DBTableView1->setColumns(columns);
    cxGrid1DBTableView1->setEditable(false);
    cxGrid1DBTableView1->setRowIndicatorVisible(true);
    cxGrid1DBTableView1->setHighContrast(true);
    QFont large = cxGrid1DBTableView1->font();
    large.setPointSize(12);
    cxGrid1DBTableView1->setFont(large);
    cxGrid1DBTableView1->setDataSource(dm->Ds_Q_AH);
}

void TL_Adisyon::formShow()
{
    FormShow();
}

void TL_Adisyon::FormCreate()
{
    cxGrid1DBTableView1->restoreLayout(ProgramFile(kLinesLayout));
    dm->T_Ayarlar->open();
}

void TL_Adisyon::FormShow()
{
    const int bandHeight = int(std::max<qint64>(0, setting("PNL_MASA_H")));
    const int room = cxSplitter1->height() - cxSplitter1->handleWidth();
    cxSplitter1->setSizes({bandHeight, std::max(room - bandHeight, 0)});

    OpenMenuQueries();

    for (TableButton* old : pnl_Masa->findChildren<TableButton*>(Qt::FindDirectChildrenOnly))
        delete old;
    TableButtons.clear();
    TableButtons.resize(TableSlotCount());

    db::EditableQuery* masa = dm->Q_Masa;
    masa->close();
    masa->setSql(QStringLiteral("select * from masa order by masa_id  "));
    masa->open();
    dm->Q_Adisyon->open();

    const int width = int(setting("MASA_W"));
    const int height = int(setting("MASA_H"));
    const int fontSize = int(setting("MASA_FONT_SIZE"));
    const qint64 fontColor = setting("MASA_FONT_COLOR");
    const qint64 freeColor = setting("MASA_COLOR");
    const qint64 openColor = setting("MASA_COLOR_2");
    const int bandWidth = pnl_Masa->width();
    const int idColumn = field(masa, "MASA_ID")->index();
    const int nameColumn = field(masa, "MASA_ADI")->index();
    const int stateColumn = field(masa, "ACIK_KAPALI")->index();

    // The rows are read in place: moving through them would re-read the bill
    // of every table on the way.
    int left = 0;
    int top = 0;
    for (int row = 0; row < masa->recordCount(); ++row) {
        const int id = masa->value(row, idColumn).toInt();
        // TableButtons is indexed by MASA_ID: a negative id has no place.
        if (id < 0)
            continue;
        auto* button = new TableButton(pnl_Masa);
        if (id >= TableButtons.size())
            TableButtons.resize(id + 1);
        TableButtons[id] = button;
        QString caption = masa->value(row, nameColumn).toString();
        button->setText(caption.replace(u'&', QStringLiteral("&&")));
        button->setObjectName(QStringLiteral("M%1").arg(id));
        button->setGeometry(left, top, width, height);
        ui::connectGuarded(button, &QPushButton::clicked, this, [button] { TableButtonClick(button); });
        const QVariant state = masa->value(row, stateColumn);
        // The same way as every later recolouring (PaintTableButton).
        if (!state.isNull() && state.toInt() == 2)
            button->setProperty(TableButtonFaceProperty, openColor);
        else if (!state.isNull() && state.toInt() == 1)
            button->setProperty(TableButtonFaceProperty, freeColor);
        if (fontSize > 0) {
            QFont f = button->font();
            f.setPointSize(fontSize);
            button->setFont(f);
        }
        button->setTextColorValue(fontColor);
        button->show();

        left += width;
        if (width > bandWidth - left) {
            left = 0;
            top += button->height();
        }
    }
    masa->last();
    orderKeyboardFocus();
}

void TL_Adisyon::orderKeyboardFocus()
{
    // Tab (and the arrow keys on a table) go through the tables in the order
    // they stand on the band, then the commands, then the bill's lines.
    QList<QWidget*> chain;
    for (const QPointer<QAbstractButton>& table : std::as_const(TableButtons)) {
        if (table && table->parentWidget() == pnl_Masa)
            chain.append(table);
    }
    for (QToolButton* command : {tooAdisyn, tooEk, ToolButton3, ToolButton4, ToolButton5, ToolButton6, ToolButton9,
                                 ToolButton8, ToolButton7, ToolButton2, ToolButton11, ToolButton1})
        chain.append(command);
    chain.append(cxGrid1DBTableView1->view());
    for (int i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain[i], chain[i + 1]);

    // The keys start on the current table.
    const int current = dm->Q_Masa->isEmpty() ? -1 : int(field(dm->Q_Masa, "MASA_ID")->asInteger());
    if (current >= 0 && current < TableButtons.size() && TableButtons[current])
        TableButtons[current]->setFocus(Qt::OtherFocusReason);
    else
        chain.first()->setFocus(Qt::OtherFocusReason);
}

// Order entry ----------------------------------------------------------------

void TL_Adisyon::tooAdisynClick()
{
    if (dm->Q_Masa->isEmpty()) {
        ui::showMessage(QStringLiteral("Lütfen masa seçiniz"), {}, ui::MessageIcon::Warning);
        return;
    }
    if (tableState() == 2) {
        ui::showMessage(QStringLiteral("Masa Açık"), {}, ui::MessageIcon::Warning);
        return;
    }
    ui::showModal<TF_Adisyon>(this, [](TF_Adisyon& window) { window.StartNewBill(); });
}

void TL_Adisyon::tooEkClick()
{
    if (dm->Q_Masa->isEmpty()) {
        ui::showMessage(QStringLiteral("Lütfen masa seçiniz"), {}, ui::MessageIcon::Warning);
        return;
    }
    if (tableState() == 1) {
        ui::showMessage(QStringLiteral("Masa Kapalı"), {}, ui::MessageIcon::Warning);
        return;
    }
    ui::showModal<TF_Adisyon>(this);
}

// Cancelling and collecting --------------------------------------------------

void TL_Adisyon::ToolButton3Click()
{
    closeBill(Closing::Cancel);
}

void TL_Adisyon::ToolButton4Click()
{
    closeBill(Closing::Cash);
}

void TL_Adisyon::ToolButton5Click()
{
    closeBill(Closing::Card);
}

void TL_Adisyon::ToolButton6Click()
{
    closeBill(Closing::Partial);
}

void TL_Adisyon::closeBill(Closing kind)
{
    db::EditableQuery* masa = dm->Q_Masa;
    db::EditableQuery* bill = dm->Q_Adisyon;
    if (masa->isEmpty() || tableState() == 1) {
        ui::showMessage(QStringLiteral("Adisyon yok!"), {}, ui::MessageIcon::Warning);
        return;
    }

    double cash = 0;
    switch (kind) {
    case Closing::Cash:
        if (settingsFlag(QStringLiteral("KASA_UYARI")) &&
            !ui::askYesNo(QStringLiteral("Adisyon Nakit Tahsil edilecek Devam edilsin mi!")))
            return;
        break;
    case Closing::Card:
        if (settingsFlag(QStringLiteral("BANKA_UYARI")) &&
            !ui::askYesNo(QStringLiteral("Adisyon Banka Tahsil edilecek Devam edilsin mi!")))
            return;
        break;
    case Closing::Partial: {
        const QString text = ui::dialogs().inputBox(QStringLiteral("Kasa"), QStringLiteral("Nakit Tutar:"), QString());
        if (!db::tryStrToFloat(text, &cash)) {
            if (text.trimmed().isEmpty())
                throw db::ConversionError(QStringLiteral("Nakit tutar girilmedi; tahsilat yapılmadı."));
            throw db::ConversionError(QStringLiteral("'%1' geçerli bir tutar değil.").arg(text));
        }
        if (!(cash > 0))
            return;
        break;
    }
    case Closing::Cancel:
        break;
    }

    // The sums as the totals query holds them now.
    const QVariant gross = field(dm->qrySum, "T_TUTAR")->value();
    const QVariant discount = field(dm->qrySum, "T_ISK")->value();
    const QVariant net = field(dm->qrySum, "T_ARA_TUTAR")->value();
    const int masaId = int(field(masa, "MASA_ID")->asInteger());
    const QDateTime now = QDateTime::currentDateTime();
    {
        db::AtomicUnit unit(*dm->IBTransaction1, {masa, bill, dm->Q_AH});
        requireBillStillOpen();
        // A table marked occupied without a bill row gets one here, closed at once.
        bill->edit();
        switch (kind) {
        case Closing::Cash:
            field(bill, "TAHSILAT_ID")->setAsString(QStringLiteral("1"));
            break;
        case Closing::Card:
            field(bill, "TAHSILAT_ID")->setAsString(QStringLiteral("2"));
            break;
        case Closing::Partial:
            field(bill, "TAHSILAT_ID")->setAsString(QStringLiteral("3"));
            break;
        case Closing::Cancel:
            field(bill, "IPTAL_ID")->setAsInteger(2);
            break;
        }
        field(bill, "ACIK_KAPALI")->setAsInteger(1);
        copySum(field(bill, "TUTAR"), gross);
        copySum(field(bill, "ISKONTO"), discount);
        copySum(field(bill, "ARA_TUTAR"), net);
        switch (kind) {
        case Closing::Cash:
            copySum(field(bill, "K_TUTAR"), net);
            field(bill, "B_TUTAR")->setAsString(QStringLiteral("0"));
            break;
        case Closing::Card:
            copySum(field(bill, "B_TUTAR"), net);
            field(bill, "K_TUTAR")->setAsString(QStringLiteral("0"));
            break;
        case Closing::Partial:
            field(bill, "K_TUTAR")->setAsFloat(cash);
            // The card part in full precision, not through the sum's text.
            field(bill, "B_TUTAR")->setAsFloat((net.isNull() ? 0.0 : net.toDouble()) - cash);
            break;
        case Closing::Cancel:
            break;
        }
        field(bill, "KAPANIS_TARIHI")->setAsDateTime(now);
        bill->post();

        masa->edit();
        field(masa, "ACIK_KAPALI")->setAsInteger(1);
        masa->post();
        unit.commit();
    }
    PaintTableButton(masaId, QStringLiteral("MASA_COLOR"));
    bill->close();
    bill->open();
}

void TL_Adisyon::requireBillStillOpen()
{
    db::Dataset* bill = dm->Q_Adisyon;
    if (bill->isEmpty() || field(bill, "ADISYON_ID")->isNull())
        return;
    db::Statement check(*dm->IBTransaction1);
    check.setSql(QStringLiteral("select count(*) from ADISYON where ADISYON_ID = :ADISYON_ID and MASA_ID = :MASA_ID "
                                "and ACIK_KAPALI = 2 and IPTAL_ID = 1"));
    check.setParam(QStringLiteral("ADISYON_ID"), field(bill, "ADISYON_ID")->value());
    check.setParam(QStringLiteral("MASA_ID"), field(dm->Q_Masa, "MASA_ID")->value());
    const auto rows = check.fetchAll();
    if (rows.empty() || rows.front().value(0).toLongLong() == 0) {
        dm->Q_Masa->refresh();
        throw db::Error(QStringLiteral("Bu adisyon başka bir terminalde kapatılmış ya da başka masaya taşınmış. "
                                       "Masa yeniden okundu."));
    }
}

// Table change -----------------------------------------------------------------

void TL_Adisyon::ToolButton9Click()
{
    ui::showModal<TF_MasaChange>(this);
}

// Discounts ------------------------------------------------------------------

void TL_Adisyon::Yzde1Click()
{
    // Every failure ends a discount silently, with nothing half-done.
    try {
        const QString text = ui::dialogs().inputBox(QStringLiteral("Yüzde İskonto"), QStringLiteral("% : "), QString());
        double percent = 0;
        if (!db::tryStrToFloat(text, &percent))
            return;
        applyDiscount(percent);
    } catch (...) {
    }
}

void TL_Adisyon::utar1Click()
{
    try {
        const QString text = ui::dialogs().inputBox(QStringLiteral("Tutar:"), QStringLiteral("Tutar : "), QString());
        double amount = 0;
        if (!db::tryStrToFloat(text, &amount))
            return;
        // The base is the gross sum, so that the bill's whole discount comes
        // to the amount typed even when the bill already carried a discount;
        // the percentage replaces the earlier one on every line.
        const double gross = field(dm->qrySum, "T_TUTAR")->asFloat();
        if (gross == 0)
            return;
        const double percent = amount * 100 / gross;
        if (!std::isfinite(percent))
            return;
        applyDiscount(percent);
    } catch (...) {
    }
}

void TL_Adisyon::applyDiscount(double percent)
{
    {
        db::AtomicUnit unit(*dm->IBTransaction1, {dm->Q_AH});
        db::Statement update(*dm->IBTransaction1);
        update.setSql(
            QStringLiteral("UPDATE STOK_HAREKET SET ISKONTO = :ISKONTO WHERE ADISYON_ID = :ADISYON_ID AND IPTAL_ID = 1 "));
        const QString adisyonId =
            dm->Q_Adisyon->isEmpty() ? QString() : field(dm->Q_Adisyon, "ADISYON_ID")->asString();
        update.setParam(QStringLiteral("ADISYON_ID"), adisyonId);
        update.setParam(QStringLiteral("ISKONTO"), percent);
        update.execute();
        unit.commit();
    }
    dm->Q_AH->close();
    dm->Q_AH->open();
}

// Bill slip ------------------------------------------------------------------

// The slip reads the open bill, its live lines, the tables and the sums
// under the names its template knows them by.
static void loadBillSlip()
{
    dm->bindReportDataset(dm->dt_1, dm->Q_Adisyon);
    dm->bindReportDataset(dm->dt_2, dm->Q_AH);
    dm->bindReportDataset(dm->dt_3, dm->Q_Masa);
    dm->bindReportDataset(dm->dt_4, dm->qrySum);
    WorkText = ProgramFile(QStringLiteral("\\rapor\\AdisyonFisi.fr3"));
    dm->loadReportTemplate(WorkText);
}

void TL_Adisyon::ToolButton7Click()
{
    loadBillSlip();
    dm->Report->setPrinterName(field(dm->T_Ayarlar, "YAZICI")->asString());
    dm->Report->prepare();
    dm->Report->setShowPrintDialog(false);
    dm->Report->print(this);
}

void TL_Adisyon::ToolButton2Click()
{
    loadBillSlip();
    dm->Report->showPreview(this);
}

void TL_Adisyon::ToolButton11Click()
{
    loadBillSlip();
    dm->Report->design(this);
}

// Layout and leaving -----------------------------------------------------------

void TL_Adisyon::ToolButton1Click()
{
    close();
}

void TL_Adisyon::PanelKaydet1Click()
{
    dm->T_Ayarlar->edit();
    field(dm->T_Ayarlar, "PNL_MASA_H")->setAsInteger(pnl_Masa->height());
    dm->T_Ayarlar->post();
    dm->IBTransaction1->commitRetaining();
}

void TL_Adisyon::HataDenetle1Click()
{
    cxGrid1DBTableView1->toggleCustomization();
}

void TL_Adisyon::GridKaydet1Click()
{
    cxGrid1DBTableView1->saveLayout(ProgramFile(kLinesLayout));
}
