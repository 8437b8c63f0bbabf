// What the main dialog is handed when it is made: its own links, the Wi-Fi dialog's links (it
// runs that dialog), and the About box of the program.
#pragma once

#include <functional>
#include <memory>

#include "link/port_services.h"
#include "ui/dialog_logic.h"

namespace tarvek {

struct MainDialogServices {
    PortServices printer;
    PortServices wifi;
    // Makes the About box that the system menu's item runs; null: the item does nothing.
    std::function<std::unique_ptr<ui::DialogLogic>()> makeAboutBox;
};

}  // namespace tarvek
