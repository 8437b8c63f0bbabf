#include "ui/data_exchange.h"

namespace tarvek::ui {

void DdxText(DataExchange& dx, int id, std::string& value) {
    if (dx.Failed()) {
        return;
    }
    if (dx.IsSaving()) {
        value = dx.Host().GetAnsiText(id);
    } else {
        dx.Host().SetAnsiText(id, value);
    }
}

void DdvMaxChars(DataExchange& dx, int id, const std::string& value, int maxChars) {
    if (dx.Failed()) {
        return;
    }
    if (!dx.IsSaving()) {
        dx.Host().SetTextLimit(id, maxChars);
        return;
    }
    if (static_cast<int>(value.size()) > maxChars) {
        std::string text = kMaxCharsMessage;
        text.replace(text.find("%1"), 2, std::to_string(maxChars));
        dx.Host().ShowMessage(text, "", kMbOk | kMbIconExclamation);
        dx.Fail();
    }
}

}  // namespace tarvek::ui
