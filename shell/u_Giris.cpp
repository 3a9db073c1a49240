#include "u_Giris.h"

#include "u_L_AnaMenu.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/db/Error.h"
#include "platform/ui/DataCheckBox.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ErrorHandler.h"

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

TGiris* Giris = nullptr;

namespace {

QLabel* captionLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFixedSize(125, 39);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameStyle(QFrame::Box | QFrame::Raised);
    l->setLineWidth(2);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setAutoFillBackground(true);
    l->setBackgroundRole(QPalette::Button);
    return l;
}

QLineEdit* inputField(const QString& name, const QString& label, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setAlignment(Qt::AlignCenter);
    e->setMinimumHeight(39);
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(11);
    f.setBold(true);
    e->setFont(f);
    e->setAccessibleName(label);
    return e;
}

QPushButton* commandButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(QString(caption).remove(u'&'));
    b->setMinimumSize(140, 48);
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(12);
    f.setBold(true);
    b->setFont(f);
    b->setStyleSheet(QStringLiteral("QPushButton { color: white; background: #37474f; border-radius: 4px; }"
                                    "QPushButton:focus { background: #546e7a; }"));
    return b;
}

QLabel* picture(const QString& name, const QString& icon, QSize size, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setPixmap(QIcon(QStringLiteral(":/shell/images/%1.svg").arg(icon)).pixmap(size));
    l->setFixedSize(size);
    return l;
}

}  // namespace

TGiris::TGiris(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("Giris"));
    setWindowTitle(QStringLiteral("Giriş"));
    Giris = this;

    auto* outer = new QVBoxLayout(this);
    cxLabel3 = new QLabel(QStringLiteral("TavloraFree Adisyon Takip Programı"), this);
    cxLabel3->setObjectName(QStringLiteral("cxLabel3"));
    cxLabel3->setAlignment(Qt::AlignCenter);
    cxLabel3->setFixedHeight(41);
    QFont heading(QStringLiteral("Tahoma"));
    heading.setPointSize(14);
    heading.setBold(true);
    cxLabel3->setFont(heading);
    outer->addWidget(cxLabel3);

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel2->setLineWidth(5);
    // The panel takes the focus when the fields are pre-filled, but is no
    // stop of its own on the way through the fields with Tab.
    Panel2->setFocusPolicy(Qt::ClickFocus);
    Panel2->setAutoFillBackground(true);
    Panel2->setBackgroundRole(QPalette::Midlight);
    outer->addWidget(Panel2, 1);

    auto* grid = new QGridLayout(Panel2);
    grid->setVerticalSpacing(1);
    Image1 = picture(QStringLiteral("Image1"), QStringLiteral("kullanici"), QSize(128, 128), Panel2);
    Image1->setAccessibleName(QStringLiteral("Kullanıcı"));
    grid->addWidget(Image1, 0, 0, 1, 3, Qt::AlignHCenter);

    cxLabel2 = captionLabel(QStringLiteral("cxLabel2"), QStringLiteral("Database :"), Panel2);
    comDataBase = new QComboBox(Panel2);
    comDataBase->setObjectName(QStringLiteral("comDataBase"));
    comDataBase->setEditable(true);
    comDataBase->lineEdit()->setAlignment(Qt::AlignCenter);
    comDataBase->setMinimumHeight(39);
    QFont dbFont(QStringLiteral("Tahoma"));
    dbFont.setPointSize(11);
    comDataBase->setFont(dbFont);
    comDataBase->setAccessibleName(QStringLiteral("Database"));
    cxLabel2->setBuddy(comDataBase);
    iOK = picture(QStringLiteral("iOK"), QStringLiteral("baglanti_tamam"), QSize(34, 38), Panel2);
    iOK->setAccessibleName(QStringLiteral("Bağlantı kuruldu"));
    iNot = picture(QStringLiteral("iNot"), QStringLiteral("baglanti_yok"), QSize(34, 38), Panel2);
    iNot->setAccessibleName(QStringLiteral("Bağlantı kurulamadı"));
    iOK->hide();
    iNot->hide();
    grid->addWidget(cxLabel2, 1, 0);
    grid->addWidget(comDataBase, 1, 1);
    grid->addWidget(iOK, 1, 2);
    grid->addWidget(iNot, 1, 2);

    cxLabel6 = captionLabel(QStringLiteral("cxLabel6"), QStringLiteral("Kullanıcı :"), Panel2);
    eKullanici = inputField(QStringLiteral("eKullanici"), QStringLiteral("Kullanıcı"), Panel2);
    cxLabel6->setBuddy(eKullanici);
    grid->addWidget(cxLabel6, 2, 0);
    grid->addWidget(eKullanici, 2, 1);

    cxLabel1 = captionLabel(QStringLiteral("cxLabel1"), QStringLiteral("Şifre"), Panel2);
    eSifre = inputField(QStringLiteral("eSifre"), QStringLiteral("Şifre"), Panel2);
    eSifre->setEchoMode(QLineEdit::Password);
    eSifre->installEventFilter(this);
    cxLabel1->setBuddy(eSifre);
    grid->addWidget(cxLabel1, 3, 0);
    grid->addWidget(eSifre, 3, 1);

    cxDBCheckBox7 = new ui::DataCheckBox(QStringLiteral("Beni Hatırla"), Panel2);
    cxDBCheckBox7->setObjectName(QStringLiteral("cxDBCheckBox7"));
    cxDBCheckBox7->setAccessibleName(QStringLiteral("Beni Hatırla"));
    grid->addWidget(cxDBCheckBox7, 4, 1);

    auto* buttons = new QHBoxLayout;
    cxButton1 = commandButton(QStringLiteral("cxButton1"), QStringLiteral("&Giriş"), Panel2);
    cxButton2 = commandButton(QStringLiteral("cxButton2"), QStringLiteral("&Çıkış"), Panel2);
    cxButton1->setDefault(false);
    cxButton1->setAutoDefault(false);
    cxButton2->setAutoDefault(false);
    buttons->addWidget(cxButton1);
    buttons->addWidget(cxButton2);
    grid->addLayout(buttons, 5, 0, 1, 3);

    setTabOrder(comDataBase, eKullanici);
    setTabOrder(eKullanici, eSifre);
    setTabOrder(eSifre, cxButton1);
    setTabOrder(cxButton1, cxButton2);
    setTabOrder(cxButton2, cxDBCheckBox7);

    ui::connectGuarded(cxButton1, &QPushButton::clicked, this, &TGiris::cxButton1Click);
    ui::connectGuarded(cxButton2, &QPushButton::clicked, this, &TGiris::cxButton2Click);

    FormCreate();
}

QString TGiris::webAddress()
{
    return QStringLiteral("https://tavlora.example.com.tr");
}

QString TGiris::connectionFailedText()
{
    return QStringLiteral("Bağlantı başarısız lütfen sitedeki soru cevap bölününe bakınız. ") + webAddress();
}

QStringList TGiris::databaseList(const QByteArray& contents)
{
    QString text = QString::fromLocal8Bit(contents);
    // Lines end in CR, LF or both; a final line break adds no empty entry.
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    else if (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
}

void TGiris::connectToFirstDatabase()
{
    WorkText = ProgramFile(QStringLiteral("database.txt"));
    QFile list(WorkText);
    if (!list.open(QIODevice::ReadOnly))
        throw db::Error(QStringLiteral("%1 okunamadı.").arg(WorkText));
    const QStringList lines = databaseList(list.readAll());
    comDataBase->clear();
    comDataBase->addItems(lines);
    if (lines.isEmpty())
        throw db::Error(QStringLiteral("%1 boş.").arg(WorkText));
    comDataBase->setCurrentText(lines.first());

    dm->IBDatabase1->disconnect();
    dm->IBDatabase1->setDatabaseName(QString());
    dm->IBDatabase1->setDatabaseName(lines.first());
    dm->IBDatabase1->connect();
    dm->IBTransaction1->start();
    if (dm->IBDatabase1->connected())
        iOK->show();
    dm->T_Ayarlar->open();
}

void TGiris::FormCreate()
{
    cxDBCheckBox7->bind(dm->Ds_T_Ayarlar, QStringLiteral("BENI_HATIRLA"));
    try {
        connectToFirstDatabase();
        if (dm->T_Ayarlar->fieldByName(QStringLiteral("BENI_HATIRLA"))->asString() != QLatin1String("True")) {
            eKullanici->clear();
            eSifre->clear();
            eKullanici->setFocus();
        } else {
            eKullanici->setText(dm->T_Ayarlar->fieldByName(QStringLiteral("KULLANICI_ADI"))->asString());
            eSifre->setText(dm->T_Ayarlar->fieldByName(QStringLiteral("KULLANICI_SIFRE"))->asString());
            Panel2->setFocus();
        }
    } catch (const db::Error& e) {
        iNot->show();
        iNot->raise();
        QString text = connectionFailedText();
        // The embedded engine lets one program at a time open the file: say
        // so, or the user looks for a fault that is not there.
        if (e.isDatabaseInUse())
            text += QStringLiteral("\rVeritabanı şu anda başka bir Tavlora Free tarafından kullanılıyor.");
        ui::showMessage(text, QStringLiteral("TavloraFree"));
    } catch (const std::exception&) {
        iNot->show();
        iNot->raise();
        ui::showMessage(connectionFailedText(), QStringLiteral("TavloraFree"));
    }
}

void TGiris::cxButton1Click()
{
    if (eKullanici->text().isEmpty()) {
        ui::showMessage(QStringLiteral("Kullanıcı giriniz"));
        eKullanici->setFocus();
        return;
    }
    if (eSifre->text().isEmpty()) {
        ui::showMessage(QStringLiteral("Şİfre giriniz"));
        eSifre->setFocus();
        return;
    }
    if (!CheckLogin(eKullanici->text(), eSifre->text())) {
        ui::showMessage(QStringLiteral("Kullanıcı ya da şifre hatalı"));
        return;
    }
    LoginAccepted = 11;
    close();
    if (ModifiedState == 2)
        dm->T_Ayarlar->post();
}

void TGiris::cxButton2Click()
{
    if (L_AnaMenu)
        L_AnaMenu->close();
    close();
}

bool TGiris::eSifreKeyPress(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    cxButton1->click();
    return true;
}

bool TGiris::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == eSifre && event->type() == QEvent::KeyPress)
        return eSifreKeyPress(static_cast<QKeyEvent*>(event)->key());
    return ui::Form::eventFilter(watched, event);
}

void TGiris::FormClose()
{
    if (LoginAccepted == 0 && L_AnaMenu)
        L_AnaMenu->close();
}

bool TGiris::formClose()
{
    FormClose();
    return true;
}
