#pragma once

#include "support/FirebirdServer.h"

#include <gtest/gtest.h>

#include <QString>

// The one Firebird server of the test program, started by the first test
// that asks for it and stopped when the program's tests are done. Tests that
// stop or kill a server start one of their own instead.
testsupport::FirebirdServer& sharedServer();

// Base of the tests that work on the shared server: each gets a fresh demo
// database on it, or is skipped with the reason when the server cannot run.
class OnServer : public ::testing::Test {
protected:
    void SetUp() override;

    testsupport::FirebirdServer* server = nullptr;
    QString path;          // the database file
    QString databaseName;  // how the terminals reach it through the server
};
