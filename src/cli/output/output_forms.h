// The two forms of the output, each made by its own file.
#pragma once

#include <memory>

#include "cli/output/output.h"

namespace tarvek::cli {

std::unique_ptr<Output> MakeTextOutput(std::ostream& out, std::ostream& err, Wording wording,
                                       Terminals terminals);
std::unique_ptr<Output> MakeJsonOutput(std::ostream& out, std::ostream& err, Wording wording);

}  // namespace tarvek::cli
