#include "u_dm.h"

#include "degiskenler.h"

#include <QDateTime>

Tdm* dm = nullptr;

namespace {
const QString kAmountFormat = QStringLiteral("###,###,##0.##");
}

db::EditableQuery* Tdm::editable(const QString& name, const QString& sql, const QString& table, const QString& key,
                                 const QString& generator)
{
    auto* q = new db::EditableQuery(*IBTransaction1, this);
    q->setObjectName(name);
    q->setSql(sql);
    q->setTableName(table);
    q->setKeyField(key);
    q->setGeneratorName(generator);
    return q;
}

db::DataSource* Tdm::source(const QString& name, db::Dataset* dataset)
{
    auto* s = new db::DataSource(dataset, this);
    s->setObjectName(name);
    return s;
}

Tdm::Tdm(QObject* owner) : QObject(owner)
{
    setObjectName(QStringLiteral("dm"));
    IBDatabase1 = new db::Connection;
    IBDatabase1->setParams({QStringLiteral("user_name=SYSDBA"), QStringLiteral("password=plumbride")});
    IBTransaction1 = new db::Transaction(*IBDatabase1);
    IBTransaction1->setParams(
        {QStringLiteral("read_committed"), QStringLiteral("rec_version"), QStringLiteral("nowait")});

    Q_Masa = editable(QStringLiteral("Q_Masa"), QStringLiteral("SELECT * FROM MASA"), QStringLiteral("MASA"),
                      QStringLiteral("MASA_ID"), QStringLiteral("MASA_MASA_ID_GEN"));
    Ds_Q_Masa = source(QStringLiteral("Ds_Q_Masa"), Q_Masa);

    Q_Adisyon = editable(QStringLiteral("Q_Adisyon"),
                         QStringLiteral("SELECT * FROM  ADISYON WHERE MASA_ID = :MASA_ID AND IPTAL_ID = 1 AND "
                                        "TURU_ID = 1 AND ACIK_KAPALI = 2"),
                         QStringLiteral("ADISYON"), QStringLiteral("ADISYON_ID"),
                         QStringLiteral("ADISYON_ADISYON_ID_GEN"));
    Q_Adisyon->setMasterSource(Ds_Q_Masa);
    Ds_Q_Adisyon = source(QStringLiteral("Ds_Q_Adisyon"), Q_Adisyon);

    Q_AH = editable(QStringLiteral("Q_AH"),
                    QStringLiteral("select * from STOK_HAREKET WHERE ADISYON_ID = :ADISYON_ID AND IPTAL_ID = 1"),
                    QStringLiteral("STOK_HAREKET"), QStringLiteral("SN"), QStringLiteral("STOK_HAREKET_SN_GEN"));
    Q_AH->setMasterSource(Ds_Q_Adisyon);
    for (const char* f : {"GIREN", "CIKAN", "FIYAT", "TUTAR", "ISKONTO", "ISKONTO_TUTAR", "ARA_TUTAR"})
        Q_AH->setFieldDisplayFormat(QString::fromLatin1(f), kAmountFormat);
    Ds_Q_AH = source(QStringLiteral("Ds_Q_AH"), Q_AH);

    qrySum = new db::Dataset(*IBTransaction1, this);
    qrySum->setObjectName(QStringLiteral("qrySum"));
    qrySum->setSql(QStringLiteral("SELECT SUM(TUTAR) AS T_TUTAR, SUM(ISKONTO_TUTAR) AS T_ISK, SUM(ARA_TUTAR) AS "
                                  "T_ARA_TUTAR from STOK_HAREKET WHERE ADISYON_ID = :ADISYON_ID AND IPTAL_ID = 1"));
    qrySum->setMasterSource(Ds_Q_AH);
    qrySum->setFieldDisplayFormat(QStringLiteral("T_ARA_TUTAR"), QStringLiteral("###,###,##0.00TL"));
    ds_qrySum = source(QStringLiteral("ds_qrySum"), qrySum);

    T_Ayarlar = new db::TableDataset(*IBTransaction1, this);
    T_Ayarlar->setObjectName(QStringLiteral("T_Ayarlar"));
    T_Ayarlar->setTableName(QStringLiteral("AYARLAR"));
    Ds_T_Ayarlar = source(QStringLiteral("Ds_T_Ayarlar"), T_Ayarlar);

    Q_Stok = editable(QStringLiteral("Q_Stok"), QStringLiteral("select * from STOK"), QStringLiteral("STOK"),
                      QStringLiteral("STOK_ID"), QStringLiteral("STOK_STOK_ID_GEN"));
    Q_Stok->setFieldDisplayFormat(QStringLiteral("FIYAT"), kAmountFormat);
    Ds_Q_Stok = source(QStringLiteral("Ds_Q_Stok"), Q_Stok);

    Q_Grup = editable(QStringLiteral("Q_Grup"), QStringLiteral("select * from GRUP"), QStringLiteral("GRUP"),
                      QStringLiteral("GRUP_ID"), QStringLiteral("GRUP_GRUP_ID_GEN"));
    Ds_Q_Grup = source(QStringLiteral("Ds_Q_Grup"), Q_Grup);

    Q_Birim = editable(QStringLiteral("Q_Birim"), QStringLiteral("select * from BIRIM"), QStringLiteral("BIRIM"),
                       QStringLiteral("SN"), QStringLiteral("BIRIM_SN_GEN"));
    Ds_Q_Birim = source(QStringLiteral("Ds_Q_Birim"), Q_Birim);

    qryAdisyon = new db::Dataset(*IBTransaction1, this);
    qryAdisyon->setObjectName(QStringLiteral("qryAdisyon"));
    qryAdisyon->setSql(QStringLiteral("SELECT * FROM  w_adisyon"));
    qryAdisyon->setKeyFields({QStringLiteral("ADISYON_ID")});
    for (const char* f : {"TUTAR", "K_TUTAR", "B_TUTAR", "ISKONTO", "ARA_TUTAR"})
        qryAdisyon->setFieldDisplayFormat(QString::fromLatin1(f), QStringLiteral("###,###,##0.00"));
    Ds_qryAdisyon = source(QStringLiteral("Ds_qryAdisyon"), qryAdisyon);

    qryAH = new db::Dataset(*IBTransaction1, this);
    qryAH->setObjectName(QStringLiteral("qryAH"));
    qryAH->setSql(QStringLiteral("select * from STOK_HAREKET WHERE ADISYON_ID = :ADISYON_ID"));
    qryAH->setKeyFields({QStringLiteral("SN")});
    qryAH->setMasterSource(Ds_qryAdisyon);
    Ds_qryAH = source(QStringLiteral("Ds_qryAH"), qryAH);

    Report = new report::Report(this);
    Report->setObjectName(QStringLiteral("Report"));
    Report->setPrinterName(QStringLiteral("Default"));
    Report->setPreviewZoom(1.0);
    frxDesigner = new report::ReportDesigner(this);
    frxDesigner->setObjectName(QStringLiteral("frxDesigner"));
    frxDesigner->attach(*Report);
    dt_1 = new report::DatasetWrapper;
    dt_2 = new report::DatasetWrapper;
    dt_3 = new report::DatasetWrapper;
    dt_4 = new report::DatasetWrapper;

    using namespace std::placeholders;
    Q_Adisyon->afterInsert = std::bind(&Tdm::Q_AdisyonAfterInsert, this, _1);
    Q_Adisyon->afterOpen = std::bind(&Tdm::Q_AdisyonAfterOpen, this, _1);
    Q_Adisyon->afterClose = std::bind(&Tdm::Q_AdisyonAfterClose, this, _1);
    Q_AH->beforePost = std::bind(&Tdm::Q_AHBeforePost, this, _1);
    Q_AH->afterInsert = std::bind(&Tdm::Q_AHAfterInsert, this, _1);
    Q_AH->afterEdit = std::bind(&Tdm::Q_AHAfterEdit, this, _1);
    Q_Stok->afterOpen = std::bind(&Tdm::Q_StokAfterOpen, this, _1);
    Q_Stok->afterInsert = std::bind(&Tdm::Q_StokAfterInsert, this, _1);
    Q_Stok->afterEdit = std::bind(&Tdm::Q_StokAfterEdit, this, _1);
    Q_Stok->afterPost = std::bind(&Tdm::Q_StokAfterPost, this, _1);
    Q_Grup->afterPost = std::bind(&Tdm::Q_GrupAfterPost, this, _1);
    Q_Birim->afterPost = std::bind(&Tdm::Q_BirimAfterPost, this, _1);
    T_Ayarlar->beforeEdit = std::bind(&Tdm::T_AyarlarBeforeEdit, this, _1);
    T_Ayarlar->afterPost = std::bind(&Tdm::T_AyarlarAfterPost, this, _1);
    qryAdisyon->afterOpen = std::bind(&Tdm::qryAdisyonAfterOpen, this, _1);
}

Tdm::~Tdm()
{
    delete Report;
    Report = nullptr;
    delete dt_1;
    delete dt_2;
    delete dt_3;
    delete dt_4;
    // The end of the program keeps what is still pending.
    if (IBTransaction1->active()) {
        try {
            IBTransaction1->commit();
        } catch (...) {
            // A lost server cannot take the commit; nothing more can be done.
        }
    }
    // Datasets hold prepared statements of the connection: they go first.
    for (db::Dataset* d : datasets())
        delete d;
    delete IBTransaction1;
    IBDatabase1->disconnect();
    delete IBDatabase1;
    if (dm == this)
        dm = nullptr;
}

void Tdm::loadReportTemplate(const QString& path)
{
    Report->loadFromFile(path);
    if (Report->fileName().isEmpty())
        Report->setFileName(path);
}

void Tdm::bindReportDataset(report::DatasetWrapper* wrapper, db::Dataset* dataset)
{
    static const QList<QPair<QString, QString>> names = {
        {QStringLiteral("Ds_1"), QStringLiteral("dt_1")},
        {QStringLiteral("Ds_2"), QStringLiteral("dt_2")},
        {QStringLiteral("ds_3"), QStringLiteral("dt_3")},
        {QStringLiteral("ds_4"), QStringLiteral("dt_4")},
    };
    const report::DatasetWrapper* wrappers[] = {dt_1, dt_2, dt_3, dt_4};
    for (int i = 0; i < 4; ++i) {
        if (wrappers[i] == wrapper) {
            wrapper->setDataset(dataset);
            Report->setDataset(names[i].first, dataset ? wrapper : nullptr, names[i].second);
        }
    }
}

QList<db::Dataset*> Tdm::datasets() const
{
    return findChildren<db::Dataset*>(Qt::FindDirectChildrenOnly);
}

bool Tdm::renewTransactionIfQuiet()
{
    if (!IBTransaction1->active() || IBTransaction1->savepointsInUse() > 0)
        return false;
    for (db::Dataset* d : datasets()) {
        if (d->isEditing())
            return false;
    }
    IBTransaction1->commit();
    IBTransaction1->start();
    return true;
}

void Tdm::Q_AdisyonAfterInsert(db::Dataset& dataset)
{
    dataset.fieldByName(QStringLiteral("TARIH"))->setAsDateTime(QDateTime::currentDateTime());
    dataset.fieldByName(QStringLiteral("MASA_ID"))->setAsString(Q_Masa->fieldByName(QStringLiteral("MASA_ID"))->asString());
    ModifiedState = 2;
}

void Tdm::Q_AdisyonAfterOpen(db::Dataset&)
{
    Q_AH->open();
    qrySum->open();
}

void Tdm::Q_AdisyonAfterClose(db::Dataset&)
{
    Q_AH->close();
}

void Tdm::Q_AHBeforePost(db::Dataset& dataset)
{
    dataset.fieldByName(QStringLiteral("ADISYON_ID"))
        ->setAsInteger(Q_Adisyon->fieldByName(QStringLiteral("ADISYON_ID"))->asInteger());
}

void Tdm::Q_AHAfterInsert(db::Dataset&)
{
    ModifiedState = 2;
}

void Tdm::Q_AHAfterEdit(db::Dataset&)
{
    ModifiedState = 2;
}

void Tdm::Q_StokAfterOpen(db::Dataset&)
{
    Q_Birim->open();
    Q_Grup->open();
}

void Tdm::Q_StokAfterInsert(db::Dataset&)
{
    ModifiedState = 2;
}

void Tdm::Q_StokAfterEdit(db::Dataset&)
{
    ModifiedState = 2;
}

void Tdm::Q_StokAfterPost(db::Dataset&)
{
    IBTransaction1->commitRetaining();
}

void Tdm::Q_GrupAfterPost(db::Dataset&)
{
    IBTransaction1->commitRetaining();
}

void Tdm::Q_BirimAfterPost(db::Dataset&)
{
    IBTransaction1->commitRetaining();
}

void Tdm::T_AyarlarBeforeEdit(db::Dataset&)
{
    ModifiedState = 2;
}

void Tdm::T_AyarlarAfterPost(db::Dataset&)
{
    IBTransaction1->commitRetaining();
}

void Tdm::qryAdisyonAfterOpen(db::Dataset&)
{
    qryAH->open();
}
