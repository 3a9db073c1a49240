#include "degiskenler.h"

#include "u_dm.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>

int ModifiedState = 0;
int LoginAccepted = 0;
db::Dataset* WorkQuery = nullptr;
QString WorkText;

QVector<QPointer<QAbstractButton>> TableButtons;
db::Dataset* GroupQuery = nullptr;
db::DataSource* GroupSource = nullptr;
db::Dataset* ProductQuery = nullptr;
db::DataSource* ProductSource = nullptr;

static QString programFolderOverride;

QString ProgramFolder()
{
    return programFolderOverride.isEmpty() ? QCoreApplication::applicationDirPath() : programFolderOverride;
}

void SetProgramFolder(const QString& folder)
{
    programFolderOverride = folder;
}

QString ProgramFile(const QString& relativePath)
{
    QString path = relativePath;
    path.replace(u'\\', u'/');
    while (path.startsWith(u'/'))
        path.remove(0, 1);
    return QDir(ProgramFolder()).filePath(path);
}

void TableButtonClick(QAbstractButton* button)
{
    const QString id = button->objectName().mid(1);
    dm->Q_Masa->locate(QStringLiteral("MASA_ID"), id);
}

void OpenMenuQueries()
{
    // Earlier sets stay with the data module until it goes, as before.
    GroupQuery = new db::Dataset(*dm->IBTransaction1, dm);
    GroupQuery->setObjectName(QStringLiteral("GroupQuery"));
    GroupQuery->setSql(QStringLiteral("select GRUP_ADI, grup_id from grup order by sira_no"));
    GroupQuery->setKeyFields({QStringLiteral("GRUP_ID")});
    GroupQuery->open();
    GroupSource = new db::DataSource(GroupQuery, dm);

    ProductQuery = new db::Dataset(*dm->IBTransaction1, dm);
    ProductQuery->setObjectName(QStringLiteral("ProductQuery"));
    ProductQuery->setSql(
        QStringLiteral("select STOK_ADI, grup_id, stok_id from stok where grup_id = :grup_id order by sira_no"));
    ProductQuery->setKeyFields({QStringLiteral("STOK_ID")});
    ProductSource = new db::DataSource(ProductQuery, dm);
    ProductQuery->setMasterSource(GroupSource);
    ProductQuery->open();
}

short TableSlotCount()
{
    WorkQuery = new db::Dataset(*dm->IBTransaction1, dm);
    WorkQuery->setSql(QStringLiteral("select max(masa_id) as max_masaid from masa "));
    WorkQuery->open();
    db::Field* max = WorkQuery->fieldByName(QStringLiteral("max_masaid"));
    // No tables at all: no slots, an empty band.
    if (max->isNull())
        return 0;
    return static_cast<short>(max->asInteger() + 1);
}

static QString settingsText(const QString& column)
{
    if (!dm || !dm->T_Ayarlar->active())
        return {};
    db::Field* f = dm->T_Ayarlar->findField(column);
    return f ? f->asString() : QString();
}

bool CheckLogin(const QString& userName, const QString& password)
{
    if (userName != settingsText(QStringLiteral("KULLANICI_ADI")))
        return false;
    return password == settingsText(QStringLiteral("KULLANICI_SIFRE"));
}

bool settingsFlag(const QString& column)
{
    return settingsText(column) == QLatin1String("True");
}
