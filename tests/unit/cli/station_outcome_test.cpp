// A station's end over its ports: the end that ranks first (Ctrl-C, then a printer that never
// went, then any other) and the exit code of what its printers came to.
#include "cli/result/station_outcome.h"

#include <gtest/gtest.h>

namespace tarvek::cli {
namespace {

TEST(StationOutcome, TheEndThatRanksFirstAndTheExitCode) {
    const Outcome kOk;
    const Outcome kNone = Failed(failure::WaitRanOut{false, 10}, Step::Wait);   // no printer came
    const Outcome kStayed = Failed(failure::WaitRanOut{true, 10}, Step::Wait);  // never went
    const Outcome kCtrlC = Failed(failure::Interrupted{}, Step::Wait);
    const struct {
        std::vector<StationTally> ports;
        bool rowsUndone;
        const Outcome& end;  // the one the station says it ended with
        int exit;
    } cases[] = {
        {{{1, 0, kOk}, {1, 0, kNone}}, false, kNone, kExitDone},  // after printers done
        {{{0, 0, kNone}, {0, 0, kOk}}, false, kNone, kExitNoAnswer},
        {{{1, 0, kNone}, {1, 0, kStayed}, {1, 0, kNone}}, false, kStayed, kExitRefused},
        {{{1, 0, kStayed}, {0, 0, kCtrlC}, {1, 1, kNone}}, true, kCtrlC, kExitInterrupted},
        {{{1, 1, kNone}, {1, 0, kOk}}, false, kNone, kExitRefused},
        {{{2, 0, kOk}}, true, kOk, kExitRefused},
    };
    for (const auto& c : cases) {
        const StationTally total = Total(c.ports);
        EXPECT_EQ(ExitCodeOf(total.end), ExitCodeOf(c.end)) << c.exit;  // each end's code differs
        EXPECT_EQ(ExitCodeOf(StationOutcome(total, c.rowsUndone)), c.exit);
    }
}

}  // namespace
}  // namespace tarvek::cli
