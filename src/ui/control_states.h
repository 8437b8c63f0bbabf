// Named control states as data: a table gives, for each control, what each state-setting
// operation (a column) does to its enabled state, and one call applies a whole column. Some
// cells depend on what the dialog knows at that moment: the printer's emulation and whether the
// port is USB.
#pragma once

#include <cstddef>

#include "ui/dialog_host.h"

namespace tarvek::ui {

enum class Cell : unsigned char {
    Keep,                   // left as it was
    On,                     //
    Off,                    //
    OnEscPosOffCpcl,        // by the emulation at that moment
    OnEscPosKeepCpcl,       //
    KeepEscPosOffCpcl,      //
    OnEscPosOrUsbElseKeep,  // the line lists when the port opens: kept for CPCL on a COM port
};

inline constexpr int kMaxStateColumns = 5;

struct StateRow {
    int controlId;
    Cell cells[kMaxStateColumns];
};

// What the conditional cells look at.
struct StateContext {
    bool escPos = false;
    bool usbPort = false;
};

// 1 on, 0 off, -1 keep.
int CellEffect(Cell cell, const StateContext& context);

// Enables and disables the controls as column `column` of the table says.
void ApplyStateColumn(DialogHost& host, const StateRow* rows, std::size_t count, int column,
                      const StateContext& context = {});

template <std::size_t N>
void ApplyStateColumn(DialogHost& host, const StateRow (&rows)[N], int column,
                      const StateContext& context = {}) {
    ApplyStateColumn(host, rows, N, column, context);
}

}  // namespace tarvek::ui
