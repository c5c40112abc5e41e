#pragma once

#include "app/render/QtConversions.h"
#include "framework/forms/Colour.h"

#include <QString>
#include <memory>

namespace tarvelo {

class Form;
class PageRegistry;
class SettingsHost;
class SettingsPage;
class Ui;

// The background every page gets in the settings window: the theme's window
// colour, so that frames and labels sit on one quiet surface.
inline constexpr Colour PageBackColor = SystemColour::Window;

// Opens a page as the settings window shows it: created by name and attached
// by the host, then given the window's background. Null for an unknown name.
std::unique_ptr<SettingsPage> openWindowPage(const PageRegistry& registry, const QString& className,
                                             SettingsHost& application);

// Every dialog on the pages' background: one that its page gave no colour
// (the button face it starts with) takes it when it is shown.
void giveDialogBackground(Form& dialog);

// The screen resolution the host's Ui reports.
TwipsScale screenScale(const Ui& ui);

} // namespace tarvelo
