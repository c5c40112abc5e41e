#pragma once

#include <QString>
#include <functional>

namespace tarvelo {

class CommandButton;
class ListView;
class Procedures;
class Settings;

// The list of alternative incoming folders with its add and remove buttons,
// as the page "Inkomende berichten" and the HDN page both show it. The owner
// names the traced procedures and hears of every change the user made.
class HdnIndirLijst {
public:
    struct Names {
        QString fill;   // "FillListview" or "Fill_Listview"
        QString update; // "UpdateSetup" or "Update_SetupHDNInDirs"
    };

    HdnIndirLijst(Procedures& owner, ListView& list, CommandButton& add, CommandButton& remove, Names names);

    void setSetup(Settings* setup) { setup_ = setup; }
    // Called after an entry was added or removed.
    std::function<void()> Changed;

    // Rebuilds the rows from the setting.
    void Fill();
    // Rebuilds the setting from the rows, in list order.
    void Update();

    void cmdToevoegen_Click();
    void cmdVerwijderen_Click();
    void lstHdnIndir_Click();

private:
    Settings& setup() const;

    Procedures& owner_;
    ListView& list_;
    CommandButton& remove_;
    Names names_;
    Settings* setup_ = nullptr;
};

} // namespace tarvelo
