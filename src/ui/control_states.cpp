#include "ui/control_states.h"

namespace tarvek::ui {

int CellEffect(Cell cell, const StateContext& context) {
    switch (cell) {
        case Cell::Keep:
            return -1;
        case Cell::On:
            return 1;
        case Cell::Off:
            return 0;
        case Cell::OnEscPosOffCpcl:
            return context.escPos ? 1 : 0;
        case Cell::OnEscPosKeepCpcl:
            return context.escPos ? 1 : -1;
        case Cell::KeepEscPosOffCpcl:
            return context.escPos ? -1 : 0;
        case Cell::OnEscPosOrUsbElseKeep:
            return (context.escPos || context.usbPort) ? 1 : -1;
    }
    return -1;
}

void ApplyStateColumn(DialogHost& host, const StateRow* rows, std::size_t count, int column,
                      const StateContext& context) {
    for (std::size_t i = 0; i < count; ++i) {
        const int effect = CellEffect(rows[i].cells[column], context);
        if (effect >= 0) {
            host.EnableControl(rows[i].controlId, effect == 1);
        }
    }
}

}  // namespace tarvek::ui
