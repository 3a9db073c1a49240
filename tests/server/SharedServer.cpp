#include "SharedServer.h"

#include "support/TestDatabase.h"

#include <memory>

namespace {

std::unique_ptr<testsupport::FirebirdServer> server;

// Stops the server before main() returns, while Qt and the client library
// are still whole.
class StopTheServer : public ::testing::Environment {
public:
    void TearDown() override { server.reset(); }
};

[[maybe_unused]] ::testing::Environment* const stopTheServer =
    ::testing::AddGlobalTestEnvironment(new StopTheServer);

}  // namespace

testsupport::FirebirdServer& sharedServer()
{
    if (!server)
        server = std::make_unique<testsupport::FirebirdServer>();
    return *server;
}

void OnServer::SetUp()
{
    server = &sharedServer();
    if (!server->running() && !server->start())
        GTEST_SKIP() << "no Firebird server for this test: " << server->failure().toStdString();
    path = testsupport::freshDatabase(true);
    databaseName = server->remoteName(path);
}
