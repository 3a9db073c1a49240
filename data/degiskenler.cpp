#include "degiskenler.h"

#include "u_dm.h"

#include "platform/db/AtomicUnit.h"
#include "platform/db/Error.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

QString ChooseProgramFolder(const QString& executableFolder, const QString& userFolder)
{
    const QDir shipped(executableFolder);
    // Root may write anywhere, so the installed copy says so itself.
    if (QFileInfo(executableFolder).isWritable() && !shipped.exists(QLatin1String(UserFolderMarker)))
        return executableFolder;

    QDir user(userFolder);
    user.mkpath(QStringLiteral("ini"));
    user.mkpath(QStringLiteral("rapor"));
    const QDir templates(shipped.filePath(QStringLiteral("rapor")));
    for (const QString& name : templates.entryList(QDir::Files)) {
        const QString target = user.filePath(QStringLiteral("rapor/") + name);
        if (QFileInfo::exists(target))
            continue;
        // The designer saves over the user's copy, whatever the shipped file allows.
        if (QFile::copy(templates.filePath(name), target))
            QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
    }
    return userFolder;
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

void PaintTableButton(int masaId, const QString& colorColumn)
{
    if (masaId < 0 || masaId >= TableButtons.size() || !TableButtons[masaId])
        return;
    db::Field* color = dm->T_Ayarlar->findField(colorColumn);
    const qint64 value = color ? color->asInteger() : 0;
    TableButtons[masaId]->setProperty(TableButtonFaceProperty, value);
}

void MoveBillToTable(int targetId, db::Dataset* tables, db::Dataset* bills)
{
    const QString masaId = QStringLiteral("MASA_ID");
    const QString state = QStringLiteral("ACIK_KAPALI");
    const int sourceId = int(tables->fieldByName(masaId)->asInteger());
    try {
        db::AtomicUnit unit(tables->transaction(), {tables, bills});
        tables->edit();
        tables->fieldByName(state)->setAsInteger(1);
        tables->post();
        bills->edit();
        bills->fieldByName(masaId)->setAsInteger(targetId);
        bills->post();
        if (!tables->locate(masaId, targetId))
            throw db::Error(QStringLiteral("Seçilen masa bulunamadı; başka bir terminalden silinmiş olabilir."));
        tables->edit();
        tables->fieldByName(state)->setAsInteger(2);
        tables->post();
        unit.commit();
    } catch (...) {
        // The unit has put everything back; the bill never left its table.
        try {
            tables->locate(masaId, sourceId);
        } catch (...) {
        }
        throw;
    }
    PaintTableButton(sourceId, QStringLiteral("MASA_COLOR"));
    PaintTableButton(targetId, QStringLiteral("MASA_COLOR_2"));
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
