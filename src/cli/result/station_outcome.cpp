#include "cli/result/station_outcome.h"

namespace tarvek::cli {
namespace {

bool PrinterNeverWent(const Outcome& end) {
    const failure::WaitRanOut* wait = end.As<failure::WaitRanOut>();
    return wait != nullptr && wait->forPrinterToGo;
}

int EndRank(const Outcome& end) {
    return end.Interrupted() ? 3 : PrinterNeverWent(end) ? 2 : !end.Ok() ? 1 : 0;
}

}  // namespace

StationTally Total(const std::vector<StationTally>& ports) {
    StationTally total;
    for (const StationTally& t : ports) {
        total.done += t.done;
        total.failed += t.failed;
        if (EndRank(t.end) > EndRank(total.end)) {
            total.end = t.end;
        }
    }
    return total;
}

Outcome StationOutcome(const StationTally& total, bool rowsUndone) {
    if (total.end.Interrupted() || PrinterNeverWent(total.end)) {
        return total.end;
    }
    if (total.failed > 0 || rowsUndone || total.done == 0) {
        return Failed(failure::StationIncomplete{total.done, total.failed, rowsUndone}, Step::None);
    }
    return Outcome{};
}

}  // namespace tarvek::cli
