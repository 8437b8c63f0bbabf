// The main dialog the program runs. Until the printer dialog is part of the build, a stand-in
// with its frame (system menu, About box, icon and close rules) takes its place.
#pragma once

#include "app/placeholder_tarvek_dlg.h"

namespace tarvek::app {
using MainDialog = PlaceholderTarvekDlg;
}
