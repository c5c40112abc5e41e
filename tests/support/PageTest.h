#pragma once

#include "host/testing/PageHarness.h"

#include <gtest/gtest.h>

namespace tarvelo::testing {

using namespace Qt::StringLiterals;

// A page test: a fresh reference host per test; a dialog that appears with no
// answer queued fails the test, and so does an answer that was never asked for.
class PageTest : public ::testing::Test {
protected:
    PageTest()
    {
        h.ui().onUnexpected = [](const QString& what) { ADD_FAILURE() << "onverwacht: " << what.toStdString(); };
    }
    void TearDown() override
    {
        EXPECT_TRUE(h.ui().unusedAnswers().isEmpty())
            << "klaargezet maar niet gevraagd: " << h.ui().unusedAnswers().join(u", "_s).toStdString();
    }

    PageHarness h;
};

inline std::string str(const QString& s) { return s.toStdString(); }

} // namespace tarvelo::testing

// Readable QString output in assertion failures.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE
