#include "DataModuleFixture.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"

#include <QDir>
#include <QFile>

void DataModuleFixture::SetUp()
{
    databasePath = testsupport::freshDatabase(true);
    programFolder = std::make_unique<QTemporaryDir>(testsupport::scratchDir() + QStringLiteral("/program-XXXXXX"));
    QDir folder(programFolder->path());
    folder.mkpath(QStringLiteral("ini"));
    folder.mkpath(QStringLiteral("rapor"));
    const QDir shipped(QStringLiteral(TAVLORA_SOURCE_DIR "/rapor"));
    for (const QString& name : shipped.entryList({QStringLiteral("*.fr3")}, QDir::Files))
        QFile::copy(shipped.filePath(name), folder.filePath(QStringLiteral("rapor/") + name));
    QFile list(folder.filePath(QStringLiteral("database.txt")));
    if (list.open(QIODevice::WriteOnly))
        list.write(databasePath.toLocal8Bit() + "\r\n");
    list.close();
    SetProgramFolder(programFolder->path());

    ModifiedState = 0;
    LoginAccepted = 11;
    dm = new Tdm;
    dm->IBDatabase1->setDatabaseName(databasePath);
    dm->IBDatabase1->connect();
    dm->IBTransaction1->start();
    dm->T_Ayarlar->open();
}

void DataModuleFixture::TearDown()
{
    delete dm;
    dm = nullptr;
    TableButtons.clear();
    GroupQuery = nullptr;
    GroupSource = nullptr;
    ProductQuery = nullptr;
    ProductSource = nullptr;
    WorkQuery = nullptr;
    ModifiedState = 0;
    LoginAccepted = 0;
    SetProgramFolder(QString());
}
