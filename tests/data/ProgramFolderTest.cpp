#include "data/degiskenler.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// An executable's folder with the shipped templates, and a user's data folder
// that does not exist yet.
class ProgramFolderChoice : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(executable.isValid() && home.isValid());
        ASSERT_TRUE(QDir(executable.path()).mkpath(QStringLiteral("rapor")));
        write(executable.filePath(QStringLiteral("rapor/AdisyonFisi.fr3")), "shipped slip");
        write(executable.filePath(QStringLiteral("rapor/w_Adisyon.fr3")), "shipped summary");
        user = home.filePath(QStringLiteral(".local/share/TavloraFree"));
    }

    void TearDown() override
    {
        // A folder left read-only would outlive its QTemporaryDir.
        QFile::setPermissions(executable.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    static void write(const QString& path, const QByteArray& text)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
        f.write(text);
    }

    static QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }

    void expectUserFolderMade()
    {
        ASSERT_EQ(ChooseProgramFolder(executable.path(), user), user);
        EXPECT_TRUE(QFileInfo(user + QStringLiteral("/ini")).isDir());
        EXPECT_EQ(read(user + QStringLiteral("/rapor/AdisyonFisi.fr3")), "shipped slip");
        EXPECT_EQ(read(user + QStringLiteral("/rapor/w_Adisyon.fr3")), "shipped summary");
        EXPECT_TRUE(QFileInfo(user + QStringLiteral("/rapor/w_Adisyon.fr3")).isWritable());
    }

    QTemporaryDir executable;
    QTemporaryDir home;
    QString user;
};

TEST_F(ProgramFolderChoice, AWritableFolderOfItsOwnIsTheProgramFolder)
{
    EXPECT_EQ(ChooseProgramFolder(executable.path(), user), executable.path());
    EXPECT_FALSE(QFileInfo::exists(user));
}

TEST_F(ProgramFolderChoice, AnInstalledCopyUsesTheUserFolderWithTheShippedTemplates)
{
    write(executable.filePath(QLatin1String(UserFolderMarker)), "");
    expectUserFolderMade();
}

TEST_F(ProgramFolderChoice, AReadOnlyFolderSendsTheProgramToTheUserFolder)
{
    ASSERT_TRUE(QFile::setPermissions(executable.path(), QFile::ReadOwner | QFile::ExeOwner));
    if (QFileInfo(executable.path()).isWritable())
        GTEST_SKIP() << "this user (root) may write to a read-only folder";
    expectUserFolderMade();
}

TEST_F(ProgramFolderChoice, TheUsersOwnTemplatesAreNeverReplaced)
{
    write(executable.filePath(QLatin1String(UserFolderMarker)), "");
    ASSERT_TRUE(QDir(user).mkpath(QStringLiteral("rapor")));
    write(user + QStringLiteral("/rapor/AdisyonFisi.fr3"), "my own slip");

    ASSERT_EQ(ChooseProgramFolder(executable.path(), user), user);
    EXPECT_EQ(read(user + QStringLiteral("/rapor/AdisyonFisi.fr3")), "my own slip");
    EXPECT_EQ(read(user + QStringLiteral("/rapor/w_Adisyon.fr3")), "shipped summary");

    // Nor on a later start, after the user changed the copied one too.
    write(user + QStringLiteral("/rapor/w_Adisyon.fr3"), "my own summary");
    ASSERT_EQ(ChooseProgramFolder(executable.path(), user), user);
    EXPECT_EQ(read(user + QStringLiteral("/rapor/w_Adisyon.fr3")), "my own summary");
}

}  // namespace
