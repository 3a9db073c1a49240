#include "u_F_Adisyon.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/db/Error.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/DataLabel.h"
#include "platform/ui/DataMemo.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ErrorHandler.h"

#include <QAction>
#include <QFile>
#include <QFontInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kWorkSavepoint = QStringLiteral("F_ADISYON_WORK");
const QString kGroupColumns = QStringLiteral("\\ini\\Grd1.txt");
const QString kProductColumns = QStringLiteral("\\ini\\Grd2.txt");
const QString kLinesLayout = QStringLiteral("\\ini\\fAdisyon.ini");

db::Field* field(db::Dataset* dataset, const char* name)
{
    return dataset->fieldByName(QString::fromLatin1(name));
}

qint64 setting(const char* column)
{
    db::Field* f = dm->T_Ayarlar->findField(QString::fromLatin1(column));
    return f ? f->asInteger() : 0;
}

QFont pixelFont(int pixels, bool bold)
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QSize size, int textPixels,
                        bool bold = true)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(caption);
    b->setFixedSize(size);
    b->setFont(pixelFont(textPixels, bold));
    b->setAutoDefault(false);
    // Commands are reached by Tab; a touch leaves the focus where it was.
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

// A keypad key is worked by its key on the keyboard instead: walking twelve
// keys with Tab would only stand in the way.
void keyOnKeyboard(QPushButton* button, const QKeySequence& key)
{
    button->setFocusPolicy(Qt::NoFocus);
    button->setShortcut(key);
}

bool isEnter(const QKeyEvent* event)
{
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool isPickKey(const QKeyEvent* event)
{
    return isEnter(event) || (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier);
}

}  // namespace

// The keypad writes "," as the decimal separator, whatever the user's locale.
double TF_Adisyon::keypadNumber(const QString& text)
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(QString(text).replace(u',', u'.'), &ok);
    if (!ok)
        throw db::ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return value;
}

TF_Adisyon::TF_Adisyon(QWidget* owner) : Form(owner)
{
    setObjectName(QStringLiteral("F_Adisyon"));
    setWindowTitle(QStringLiteral("F_Adisyon"));
    setFont(QFont(QStringLiteral("Tahoma")));

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    auto* topBar = new QWidget(this);
    topBar->setFixedHeight(73);
    auto* top = new QHBoxLayout(topBar);
    top->setContentsMargins(4, 4, 4, 4);
    cxButton17 = makeButton(topBar, "cxButton17", QStringLiteral("Kaydet"), QSize(195, 65), 27);
    cxButton17->setStyleSheet(
        QStringLiteral("QPushButton { color: white; background-color: maroon; border: 1px solid #400000; "
                       "border-radius: 4px; } QPushButton:pressed { background-color: #5a0000; }"));
    cxButton16 = makeButton(topBar, "cxButton16", QStringLiteral("Çıkış"), QSize(208, 65), 27);
    top->addWidget(cxButton17);
    top->addWidget(cxButton16);
    top->addStretch(1);
    root->addWidget(topBar);

    splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->setHandleWidth(8);
    splitter->setChildrenCollapsible(false);
    root->addWidget(splitter, 1);

    DBGrid1 = new ui::DataGrid(splitter);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setAccessibleName(QStringLiteral("Gruplar"));
    DBGrid1->setColumns({ui::GridColumn{QStringLiteral("GRUP_ADI"), {}, 0, true, true}});
    DBGrid1->setFont(pixelFont(21, true));
    DBGrid2 = new ui::DataGrid(splitter);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setAccessibleName(QStringLiteral("Ürünler"));
    DBGrid2->setColumns({ui::GridColumn{QStringLiteral("STOK_ADI"), {}, 0, true, true}});
    DBGrid2->setFont(pixelFont(19, false));
    for (ui::DataGrid* list : {DBGrid1, DBGrid2}) {
        list->setRowIndicatorVisible(false);
        list->setMinimumWidth(40);
    }

    auto* rest = new QWidget(splitter);
    auto* restLayout = new QHBoxLayout(rest);
    restLayout->setContentsMargins(0, 0, 0, 0);
    restLayout->setSpacing(0);
    splitter->addWidget(DBGrid1);
    splitter->addWidget(DBGrid2);
    splitter->addWidget(rest);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 0);
    splitter->setStretchFactor(2, 1);
    cxSplitter1 = splitter->handle(1);
    cxSplitter1->setObjectName(QStringLiteral("cxSplitter1"));
    cxSplitter2 = splitter->handle(2);
    cxSplitter2->setObjectName(QStringLiteral("cxSplitter2"));

    auto* keypad = new QWidget(rest);
    keypad->setObjectName(QStringLiteral("keypad"));
    keypad->setFixedWidth(296);
    auto* pad = new QVBoxLayout(keypad);
    pad->setContentsMargins(19, 4, 19, 4);
    pad->setSpacing(6);
    cxDBLabel4 = new ui::DataLabel(dm->Ds_Q_Masa, QStringLiteral("MASA_ADI"), keypad);
    cxDBLabel4->setObjectName(QStringLiteral("cxDBLabel4"));
    cxDBLabel4->setAccessibleName(QStringLiteral("Masa"));
    cxDBLabel4->setFixedHeight(48);
    cxDBLabel4->setAlignment(Qt::AlignCenter);
    cxDBLabel4->setFont(pixelFont(21, true));
    cxDBLabel4->setAutoFillBackground(true);
    QPalette namePalette = cxDBLabel4->palette();
    namePalette.setColor(QPalette::Window, namePalette.color(QPalette::Highlight));
    namePalette.setColor(QPalette::WindowText, Qt::white);
    cxDBLabel4->setPalette(namePalette);
    pad->addWidget(cxDBLabel4);

    lbNum = new QLabel(keypad);
    lbNum->setObjectName(QStringLiteral("lbNum"));
    lbNum->setAccessibleName(QStringLiteral("Miktar"));
    lbNum->setFixedSize(257, 41);
    lbNum->setAlignment(Qt::AlignCenter);
    lbNum->setFont(pixelFont(27, true));
    lbNum->setFrameStyle(QFrame::Box | QFrame::Plain);
    lbNum->setLineWidth(3);
    QPalette numPalette = lbNum->palette();
    numPalette.setColor(QPalette::WindowText, QColor(0x80, 0x00, 0x00));  // maroon
    lbNum->setPalette(numPalette);
    pad->addWidget(lbNum);

    auto* keys = new QGridLayout;
    keys->setSpacing(7);
    const QSize key(81, 57);
    cxButton1 = makeButton(keypad, "cxButton1", QStringLiteral("1"), key, 16);
    cxButton2 = makeButton(keypad, "cxButton2", QStringLiteral("2"), key, 16);
    cxButton3 = makeButton(keypad, "cxButton3", QStringLiteral("3"), key, 16);
    cxButton4 = makeButton(keypad, "cxButton4", QStringLiteral("4"), key, 16);
    cxButton5 = makeButton(keypad, "cxButton5", QStringLiteral("5"), key, 16);
    cxButton6 = makeButton(keypad, "cxButton6", QStringLiteral("6"), key, 16);
    cxButton7 = makeButton(keypad, "cxButton7", QStringLiteral("7"), key, 16);
    cxButton8 = makeButton(keypad, "cxButton8", QStringLiteral("8"), key, 16);
    cxButton9 = makeButton(keypad, "cxButton9", QStringLiteral("9"), key, 16);
    cxButton10 = makeButton(keypad, "cxButton10", QStringLiteral(","), key, 16);
    cxButton10->setAccessibleName(QStringLiteral("Virgül"));
    cxButton11 = makeButton(keypad, "cxButton11", QStringLiteral("0"), key, 16);
    cxButton12 = makeButton(keypad, "cxButton12", QStringLiteral("Sil"), key, 16);
    const QList<QPushButton*> order = {cxButton1, cxButton2, cxButton3, cxButton4,  cxButton5,  cxButton6,
                                       cxButton7, cxButton8, cxButton9, cxButton10, cxButton11, cxButton12};
    for (int i = 0; i < order.size(); ++i)
        keys->addWidget(order[i], i / 3, i % 3);
    pad->addLayout(keys);
    const Qt::Key digitKeys[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5,
                                 Qt::Key_6, Qt::Key_7, Qt::Key_8, Qt::Key_9};
    for (int i = 0; i < 9; ++i)
        keyOnKeyboard(order[i], QKeySequence(digitKeys[i]));
    keyOnKeyboard(cxButton10, QKeySequence(Qt::Key_Comma));
    keyOnKeyboard(cxButton11, QKeySequence(Qt::Key_0));
    keyOnKeyboard(cxButton12, QKeySequence(Qt::Key_Backspace));
    for (QPushButton* digit : {cxButton1, cxButton2, cxButton3, cxButton4, cxButton5, cxButton6, cxButton7, cxButton8,
                               cxButton9, cxButton10, cxButton11})
        ui::connectGuarded(digit, &QPushButton::clicked, this, [this, digit] { cxButton1Click(digit); });
    ui::connectGuarded(cxButton12, &QPushButton::clicked, this, &TF_Adisyon::cxButton12Click);

    cxButton18 = makeButton(keypad, "cxButton18", QStringLiteral("Tamam"), QSize(257, 65), 21);
    pad->addWidget(cxButton18);
    auto* lineKeys = new QHBoxLayout;
    lineKeys->setSpacing(7);
    cxButton13 = makeButton(keypad, "cxButton13", QStringLiteral("+"), key, 27);
    cxButton13->setAccessibleName(QStringLiteral("Artı"));
    cxButton14 = makeButton(keypad, "cxButton14", QStringLiteral("-"), key, 27);
    cxButton14->setAccessibleName(QStringLiteral("Eksi"));
    cxButton15 = makeButton(keypad, "cxButton15", QStringLiteral("Hareket Sil"), key, 13);
    lineKeys->addWidget(cxButton13);
    lineKeys->addWidget(cxButton14);
    lineKeys->addWidget(cxButton15);
    cxButton13->setShortcut(QKeySequence(Qt::Key_Plus));
    cxButton14->setShortcut(QKeySequence(Qt::Key_Minus));
    cxButton15->setShortcut(QKeySequence(Qt::Key_Delete));
    cxButton17->setShortcut(QKeySequence::Save);
    pad->addLayout(lineKeys);

    Label1 = new QLabel(QStringLiteral("Açıklama :"), keypad);
    Label1->setObjectName(QStringLiteral("Label1"));
    cxDBMemo1 = new ui::DataMemo(dm->Ds_Q_Adisyon, QStringLiteral("ACIKLAMA"), keypad);
    cxDBMemo1->setObjectName(QStringLiteral("cxDBMemo1"));
    cxDBMemo1->setFixedSize(257, 49);
    ui::labelControl(Label1, cxDBMemo1);
    pad->addWidget(Label1);
    pad->addWidget(cxDBMemo1);
    pad->addStretch(1);
    restLayout->addWidget(keypad);

    cxGrid1DBTableView1 = new ui::DataGrid(rest);
    cxGrid1DBTableView1->setObjectName(QStringLiteral("cxGrid1DBTableView1"));
    cxGrid1DBTableView1->setAccessibleName(QStringLiteral("Adisyon hareketleri"));
    QList<ui::GridColumn> columns;
    for (const char* name : {"STOK_KODU", "STOK_ADI", "CIKAN", "BIRIM", "FIYAT", "TUTAR", "SN", "STOK_ID", "GRUP_ID",
                             "TARIH", "IPTAL_ID", "GIREN", "ISKONTO", "ISKONTO_TUTAR", "ARA_TUTAR", "ADISYON_ID",
                             "GC_ID"}) {
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
    restLayout->addWidget(cxGrid1DBTableView1, 1);

    ui::connectGuarded(DBGrid2, &ui::DataGrid::cellClicked, this, &TF_Adisyon::DBGrid2CellClick);
    // Space or Enter on the product list picks the product, like a touch.
    DBGrid2->view()->installEventFilter(this);
    ui::connectGuarded(cxButton18, &QPushButton::clicked, this, &TF_Adisyon::cxButton18Click);
    ui::connectGuarded(cxButton13, &QPushButton::clicked, this, &TF_Adisyon::cxButton13Click);
    ui::connectGuarded(cxButton14, &QPushButton::clicked, this, &TF_Adisyon::cxButton14Click);
    ui::connectGuarded(cxButton15, &QPushButton::clicked, this, &TF_Adisyon::cxButton15Click);
    ui::connectGuarded(cxButton17, &QPushButton::clicked, this, &TF_Adisyon::cxButton17Click);
    ui::connectGuarded(cxButton16, &QPushButton::clicked, this, &TF_Adisyon::cxButton16Click);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Kaydet1 = PopupMenu1->addAction(QStringLiteral("Kaydet"));
    Kaydet1->setObjectName(QStringLiteral("Kaydet1"));
    Gridzelletir1 = PopupMenu1->addAction(QStringLiteral("Grid Özelleştir"));
    Gridzelletir1->setObjectName(QStringLiteral("Gridzelletir1"));
    ui::connectGuarded(Kaydet1, &QAction::triggered, this, &TF_Adisyon::Kaydet1Click);
    ui::connectGuarded(Gridzelletir1, &QAction::triggered, this, &TF_Adisyon::Gridzelletir1Click);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(mapToGlobal(at)); });

    if (QScreen* screen = QGuiApplication::primaryScreen())
        resize(screen->availableGeometry().size());
    setWindowState(windowState() | Qt::WindowMaximized);

    FormCreate();
    beginWork();
    // Work starts with choosing a group; Enter on an open window must not
    // save anything.
    DBGrid1->view()->setFocus(Qt::OtherFocusReason);
}

TF_Adisyon::~TF_Adisyon()
{
    endWork();
}

// The window's work ------------------------------------------------------------

void TF_Adisyon::beginWork()
{
    dm->IBTransaction1->savepoint(kWorkSavepoint);
    workGeneration_ = dm->IBTransaction1->generation();
    workHeld_ = true;
}

void TF_Adisyon::discardWork()
{
    // A commit since the savepoint (there is none but the window's own) would
    // have ended it; then there is nothing of the window's left to undo.
    if (workHeld_ && dm->IBTransaction1->generation() == workGeneration_) {
        dm->IBTransaction1->rollbackToSavepoint(kWorkSavepoint);
        dm->IBTransaction1->releaseSavepoint(kWorkSavepoint);
    }
    workHeld_ = false;
    dm->Q_AH->cancel();
    dm->Q_Adisyon->cancel();
    dm->Q_Masa->cancel();
    // A table row stored by a failed "Kaydet" is undone too.
    dm->Q_Masa->refresh();
    dm->Q_Adisyon->close();
    dm->Q_Adisyon->open();
}

void TF_Adisyon::endWork() noexcept
{
    if (!workHeld_)
        return;
    workHeld_ = false;
    try {
        if (dm && dm->IBTransaction1->active() && dm->IBTransaction1->generation() == workGeneration_)
            dm->IBTransaction1->releaseSavepoint(kWorkSavepoint);
    } catch (...) {
        // The work itself stays in the transaction; only the mark is lost.
    }
}

void TF_Adisyon::StartNewBill()
{
    try {
        dm->Q_Adisyon->insert();
        dm->Q_Adisyon->post();
    } catch (...) {
        try {
            discardWork();
            ModifiedState = 0;
        } catch (...) {
        }
        throw;
    }
}

// Creating and closing -----------------------------------------------------------

void TF_Adisyon::FormCreate()
{
    DBGrid1->setDataSource(GroupSource);
    DBGrid2->setDataSource(ProductSource);

    const int groupFont = int(setting("GRD_1_FONT_SIZE"));
    const int productFont = int(setting("GRD_2_FONT_SIZE"));
    if (groupFont > 0) {
        QFont f = DBGrid1->font();
        f.setPointSize(groupFont);
        DBGrid1->setFont(f);
    }
    if (productFont > 0) {
        QFont f = DBGrid2->font();
        f.setPointSize(productFont);
        DBGrid2->setFont(f);
    }
    // Rows tall enough for a finger.
    for (ui::DataGrid* list : {DBGrid1, DBGrid2})
        list->view()->verticalHeader()->setDefaultSectionSize(std::max(44, list->view()->fontMetrics().height() + 16));
    groupWidth_ = int(std::max<qint64>(40, setting("GRD_1_W")));
    productWidth_ = int(std::max<qint64>(40, setting("GRD_2_W")));
    layout()->activate();
    applyListWidths();

    // A column file that is not there yet (no layout was ever saved) is no
    // error; one that cannot be read is, and the remaining layouts are left.
    const std::pair<ui::DataGrid*, QString> lists[] = {{DBGrid1, kGroupColumns}, {DBGrid2, kProductColumns}};
    for (const auto& [list, file] : lists) {
        const QString path = ProgramFile(file);
        if (!QFile::exists(path))
            continue;
        if (!list->restoreLayout(path)) {
            ui::dialogs().showError(QStringLiteral("Sütun dosyası okunamadı: %1").arg(path));
            return;
        }
    }
    cxGrid1DBTableView1->restoreLayout(ProgramFile(kLinesLayout));
}

void TF_Adisyon::applyListWidths()
{
    const int room = splitter->width() - 2 * splitter->handleWidth();
    splitter->setSizes({groupWidth_, productWidth_, std::max(room - groupWidth_ - productWidth_, 1)});
}

void TF_Adisyon::formShow()
{
    applyListWidths();
}

bool TF_Adisyon::formClose()
{
    return FormClose();
}

bool TF_Adisyon::FormClose()
{
    if (ModifiedState != 2)
        return true;
    if (!ui::askYesNo(QStringLiteral("Adisyon Fişi Kaydedilmemiş! Kayıt Yapılmadan Çıkış yapılacak\rOnaylıyor musunuz?"),
                      QStringLiteral("Hata"), ui::MessageIcon::Warning))
        return false;
    discardWork();
    ModifiedState = 0;
    return true;
}

// Keys -------------------------------------------------------------------------------

bool TF_Adisyon::eventFilter(QObject* watched, QEvent* event)
{
    const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (watched == DBGrid2->view() && key) {
        auto* press = static_cast<QKeyEvent*>(event);
        if (isPickKey(press)) {
            press->accept();
            if (event->type() == QEvent::KeyPress)
                ui::guarded([this] { DBGrid2CellClick(); });
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void TF_Adisyon::keyPressEvent(QKeyEvent* event)
{
    // Enter presses the command that has the focus; elsewhere it is the
    // keypad's "Tamam", so a quantity is typed and confirmed from the keyboard.
    if (isEnter(event)) {
        event->accept();
        if (auto* button = qobject_cast<QAbstractButton*>(focusWidget()))
            button->click();
        else
            cxButton18->click();
        return;
    }
    Form::keyPressEvent(event);
}

// Products and lines -------------------------------------------------------------

void TF_Adisyon::DBGrid2CellClick()
{
    if (!ProductQuery || !ProductQuery->active() || ProductQuery->isEmpty())
        return;
    // A table marked occupied may have lost its bill (deleted among the saved
    // bills); a line without a bill would never be seen again.
    if (!dm->Q_Adisyon->active() || dm->Q_Adisyon->isEmpty()) {
        ui::showMessage(QStringLiteral("Adisyon yok!"), {}, ui::MessageIcon::Warning);
        return;
    }
    const QVariant product = field(ProductQuery, "STOK_ID")->value();
    db::EditableQuery* lines = dm->Q_AH;
    if (settingsFlag(QStringLiteral("STOK_GRUPLA")) && lines->locate(QStringLiteral("STOK_ID"), product)) {
        lines->edit();
        db::Field* quantity = field(lines, "CIKAN");
        quantity->setAsFloat(quantity->asFloat() + 1);
        lines->post();
        return;
    }
    // New lines go to the end, in the order they were picked.
    lines->append();
    field(lines, "STOK_ID")->setValue(product);
    field(lines, "GC_ID")->setAsInteger(2);
    lines->post();
}

bool TF_Adisyon::ensureLines()
{
    if (dm->Q_AH->active() && !dm->Q_AH->isEmpty())
        return true;
    ui::showMessage(QStringLiteral("Hiç adisyon yok"), {}, ui::MessageIcon::Warning);
    return false;
}

void TF_Adisyon::cxButton1Click(QAbstractButton* sender)
{
    if (!ensureLines())
        return;
    lbNum->setText(lbNum->text() + sender->text());
}

void TF_Adisyon::cxButton12Click()
{
    lbNum->clear();
}

void TF_Adisyon::cxButton18Click()
{
    if (lbNum->text().isEmpty()) {
        ui::showMessage(QStringLiteral("Numerik bir değer oluşturunuz"));
        return;
    }
    // Lines may have been cancelled since the number was typed.
    if (!dm->Q_AH->active() || dm->Q_AH->isEmpty())
        return;
    const double quantity = keypadNumber(lbNum->text());
    dm->Q_AH->edit();
    field(dm->Q_AH, "CIKAN")->setAsFloat(quantity);
    dm->Q_AH->post();
    lbNum->clear();
}

void TF_Adisyon::changeQuantity(double delta)
{
    if (!ensureLines())
        return;
    dm->Q_AH->edit();
    db::Field* quantity = field(dm->Q_AH, "CIKAN");
    quantity->setAsFloat(quantity->asFloat() + delta);
    dm->Q_AH->post();
}

void TF_Adisyon::cxButton13Click()
{
    changeQuantity(1);
}

void TF_Adisyon::cxButton14Click()
{
    changeQuantity(-1);
}

void TF_Adisyon::cxButton15Click()
{
    if (!ui::askYesNo(QStringLiteral("Adisyon hareketi silinecek! Devam edilsin mi?")))
        return;
    if (!dm->Q_AH->active() || dm->Q_AH->isEmpty())
        return;
    dm->Q_AH->edit();
    field(dm->Q_AH, "IPTAL_ID")->setAsInteger(2);
    dm->Q_AH->post();
    dm->Q_AH->close();
    dm->Q_AH->open();
}

// Saving ---------------------------------------------------------------------------

void TF_Adisyon::cxButton17Click()
{
    db::EditableQuery* masa = dm->Q_Masa;
    const int masaId = masa->isEmpty() ? -1 : int(field(masa, "MASA_ID")->asInteger());
    bool stored = false;
    bool posted = false;
    std::exception_ptr failure;
    try {
        // Entering edit stores the note and any pending line first.
        masa->edit();
        field(masa, "ACIK_KAPALI")->setAsInteger(2);
        masa->post();
        posted = true;
        ModifiedState = 0;
        // The commit ends the savepoint; should it fail, the savepoint is
        // still there for a discard.
        dm->IBTransaction1->commitRetaining();
        workHeld_ = false;
        stored = true;
    } catch (...) {
        failure = std::current_exception();
        // The table row must not wait in edit for some later store, and the
        // work stays unsaved so that closing asks what to do with it.
        masa->cancel();
        if (posted)
            ModifiedState = 2;
    }
    // The table shows as occupied only when that is stored.
    if (stored)
        PaintTableButton(masaId, QStringLiteral("MASA_COLOR_2"));
    if (failure)
        ui::reportError(failure);
    close();
}

void TF_Adisyon::cxButton16Click()
{
    close();
}

// Context menu ---------------------------------------------------------------------

void TF_Adisyon::Kaydet1Click()
{
    db::Dataset* settings = dm->T_Ayarlar;
    settings->edit();
    field(settings, "GRD_1_FONT_SIZE")->setAsInteger(QFontInfo(DBGrid1->font()).pointSize());
    field(settings, "GRD_1_W")->setAsInteger(DBGrid1->width());
    field(settings, "GRD_2_FONT_SIZE")->setAsInteger(QFontInfo(DBGrid2->font()).pointSize());
    field(settings, "GRD_2_W")->setAsInteger(DBGrid2->width());
    // Storing the settings row commits, which ends the savepoint: from now on
    // a discard goes back to this moment.
    settings->post();
    beginWork();

    DBGrid1->saveLayout(ProgramFile(kGroupColumns));
    DBGrid2->saveLayout(ProgramFile(kProductColumns));
    cxGrid1DBTableView1->saveLayout(ProgramFile(kLinesLayout));
}

void TF_Adisyon::Gridzelletir1Click()
{
    cxGrid1DBTableView1->toggleCustomization();
}
