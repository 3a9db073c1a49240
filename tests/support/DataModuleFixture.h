#pragma once

#include "TestDatabase.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>

// The program as it stands after a successful login, on a fresh copy of the
// demo database: the data module connected, its transaction started, the
// settings row open, nothing pending. The program's folder (database.txt,
// ini/, rapor/) is a folder of the test's own, with the shipped templates.
class DataModuleFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs a statement on a connection of its own and commits.
    void exec(const QString& sql) const { testsupport::execSql(databasePath, sql); }
    QVariant value(const QString& sql) const { return testsupport::queryValue(databasePath, sql); }

    QString databasePath;
    std::unique_ptr<QTemporaryDir> programFolder;
};
