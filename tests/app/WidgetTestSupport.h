#pragma once

#include "framework/ui/ScriptedUi.h"

#include <QApplication>
#include <QColor>
#include <QString>
#include <gtest/gtest.h>

namespace tarvelo::testing {

// The one QApplication of the test program, on the offscreen platform.
QApplication& widgetApplication();

// Lets queued events and zero timers run, as a turn of the event loop would.
void runEvents();

// How far apart two colours are for the eye: the ratio of their relative
// luminances (1 for the same colour, 21 for black on white).
double contrast(const QColor& a, const QColor& b);

// A ScriptedUi that fails the running test on any dialog nobody expected.
class StrictUi : public ScriptedUi {
public:
    StrictUi()
    {
        onUnexpected = [](const QString& what) { ADD_FAILURE() << "onverwacht: " << what.toStdString(); };
    }
};

} // namespace tarvelo::testing
