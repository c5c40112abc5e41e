#pragma once

#include "framework/forms/CommandButton.h"
#include "pages/integrations/KoppelingPage.h"

namespace tarvelo {

// "Koppeling Invice": the link and the FileMaker folder it imports from.
class SetupKopInvice final : public KoppelingPage {
public:
    SetupKopInvice();

private:
    void cmdFilemaker_Click();

    TextBox& txtFilemakerDirectory;
};

// "Koppeling Assistent": the link, the Assistent folder and its login.
class SetupKopAssistent final : public KoppelingPage {
public:
    SetupKopAssistent();

private:
    void cmdAssistent_Click();

    TextBox& txtAssistentDirectory;
};

} // namespace tarvelo
