#pragma once

#include "host/database/SqlConnection.h"
#include "tests/app/WidgetTestSupport.h"
#include "tests/support/TestPostgres.h"

#include <optional>

namespace tarvelo::testing {

// A window test on one office of either engine: the embedded file ("MSACC")
// or a database of its own on the test server ("MSSQL", then in server).
class OnBothEngines : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        widgetApplication();
        if (QByteArray(GetParam()) == "MSSQL")
            server = DatabaseLocation{u"MSSQL"_s, QString(), testPostgresServer(), createTestDatabase()};
    }

    StrictUi ui;
    std::optional<DatabaseLocation> server;
};

} // namespace tarvelo::testing
