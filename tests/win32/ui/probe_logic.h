// A small logic class whose handlers the tests script and whose calls they record.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "ui/dialog_logic.h"

namespace tarvek::win32test {

class ProbeLogic : public ui::DialogLogic {
  public:
    explicit ProbeLogic(int templateId) : DialogLogic(templateId) {}

    std::function<void(ui::DialogHost&)> init;
    std::function<void(ui::DataExchange&)> exchange;
    std::vector<std::pair<int, int>> commands;
    std::vector<unsigned> sysCommands;
    unsigned handledSysCommand = 0;  // OnSysCommand answers true for this one
    int closes = 0;

    bool OnInitDialog() override {
        if (init) {
            init(Host());
        }
        return true;
    }
    void OnCommand(int id, int code) override { commands.emplace_back(id, code); }
    void OnClose() override {
        ++closes;
        DialogLogic::OnClose();
    }
    bool OnSysCommand(unsigned commandId) override {
        sysCommands.push_back(commandId);
        return commandId == handledSysCommand && handledSysCommand != 0;
    }
    void DoDataExchange(ui::DataExchange& dx) override {
        if (exchange) {
            exchange(dx);
        }
    }
};

}  // namespace tarvek::win32test
