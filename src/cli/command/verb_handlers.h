// The verb table's handlers: each takes a verb's options from the invocation to the verb's own
// function and returns its exit code. RunApplyOnPorts is apply's with several ports, or with
// "bt:units" (the cable-free station).
#pragma once

#include "cli/command/verb_table.h"

namespace tarvek::cli {

int RunShow(Invocation& invocation);
int RunSet(Invocation& invocation);
int RunKeys(Invocation& invocation);
int RunPorts(Invocation& invocation);
int RunDetect(Invocation& invocation);
int RunProfileSave(Invocation& invocation);
int RunProfileApply(Invocation& invocation);
int RunProfileDiff(Invocation& invocation);
int RunProfileCheck(Invocation& invocation);
int RunApply(Invocation& invocation);
int RunApplyOnPorts(Invocation& invocation);
int RunReport(Invocation& invocation);
int RunTerm(Invocation& invocation);
int RunSend(Invocation& invocation);

}  // namespace tarvek::cli
