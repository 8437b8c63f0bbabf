// Results into sentences: the refusals of the input, the failures of the exchanges (with the
// dialogs' own messages where the dialogs have one) and the values as shown, secrets hidden.
#pragma once

#include <string>
#include <vector>

#include "cli/result/outcome.h"

namespace tarvek::cli {

struct Wording {
    int codePage = 0;  // texts::kKoreanCodePage for Korean
    bool showSecrets = false;
};

inline constexpr const char* kHiddenValue = "***";

std::string AllowedValues(const KeySpec& spec, int codePage);
std::string ProblemText(const InputError& error, const Wording& wording);
// The failure's sentence and its step.
std::string FailureText(const Outcome& outcome, const Wording& wording);
// The same and, for differences, one line each.
std::string OutcomeText(const Outcome& outcome, const Wording& wording);
std::string DifferenceLines(const std::vector<Difference>& differences, const Wording& wording);
// How many printers a station provisioned and how many failed.
std::string TallyText(int done, int failed, const Wording& wording);
// A value of a key as output shows it: a secret's value hidden unless asked for.
std::string Shown(KeyId key, const std::string& text, const Wording& wording);
std::string KeyList(const std::vector<KeyId>& keys);

}  // namespace tarvek::cli
