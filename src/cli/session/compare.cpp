#include "cli/session/compare.h"

#include <algorithm>

namespace tarvek::cli {
namespace {

bool Listed(const std::vector<Difference>& list, KeyId key) {
    return std::any_of(list.begin(), list.end(),
                       [key](const Difference& d) { return d.key == key; });
}

}  // namespace

std::vector<Difference> CompareValues(const Settings& wanted, const Settings& reported,
                                      std::vector<KeyId>& unverifiable) {
    std::vector<Difference> differences;
    for (const auto& [id, value] : wanted) {
        const KeySpec& spec = Spec(id);
        const auto it = reported.find(id);
        if (it == reported.end()) {
            if (spec.reported != Reported::Query) {
                unverifiable.push_back(id);
            } else {
                differences.push_back({id, FormatValue(spec, value), ""});
            }
        } else if (!SameValue(spec, value, it->second)) {
            differences.push_back({id, FormatValue(spec, value), FormatValue(spec, it->second)});
        }
    }
    return differences;
}

std::vector<Difference> CompareModule(const ModuleSettings& expected,
                                      const ModuleSettings& actual) {
    std::vector<KeyId> unverifiable;
    std::vector<Difference> differences =
        CompareValues(WifiValues(expected), WifiValues(actual), unverifiable);
    // The keys of the size not in use are written back too, and must have stayed as they were.
    for (Encryption size : {Encryption::Wep40, Encryption::Wep104}) {
        for (int k = 0; k < kWepKeyCount; ++k) {
            const std::string want = WepKeyHex(expected, size, k);
            const std::string got = WepKeyHex(actual, size, k);
            if (want != got && !Listed(differences, WepKey(k))) {
                differences.push_back({WepKey(k), want, got});
            }
        }
    }
    if (expected.images[kPskRegister] != actual.images[kPskRegister]) {
        differences.push_back({KeyId::WifiPassphrase, kPreSharedKey, kPreSharedKey});
    }
    return differences;
}

}  // namespace tarvek::cli
