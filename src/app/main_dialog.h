// The main dialog the program runs: the printer setup dialog.
#pragma once

#include "maindlg/tarvek_dlg.h"

namespace tarvek::app {
using MainDialog = CTarvekDlg;
}
