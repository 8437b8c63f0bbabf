// A dialog's routing of control notifications: one table from (control, notification) to a
// short handler of the dialog's logic.
#pragma once

#include <cstddef>

namespace tarvek::ui {

template <class Logic>
struct CommandRoute {
    int controlId;
    int notification;
    void (Logic::*handler)();
};

// Calls the handler the table names for the notification; false when it names none.
template <class Logic, std::size_t N>
bool RouteCommand(Logic& logic, const CommandRoute<Logic> (&routes)[N], int id, int code) {
    for (const CommandRoute<Logic>& route : routes) {
        if (route.controlId == id && route.notification == code) {
            (logic.*route.handler)();
            return true;
        }
    }
    return false;
}

}  // namespace tarvek::ui
