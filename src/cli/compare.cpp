#include "cli/compare.h"

#include <algorithm>

namespace tarvek::cli {
namespace {

constexpr int kPskIndex = 9;

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

std::vector<Difference> CompareModule(const ModuleRead& expected, const ModuleRead& actual) {
    std::vector<KeyId> unverifiable;
    std::vector<Difference> differences =
        CompareValues(WifiValues(expected), WifiValues(actual), unverifiable);
    // The keys of the size not in use are written back too, and must have stayed as they were.
    for (int size : {kWepSize40, kWepSize104}) {
        for (int k = 0; k < kWepKeyCount; ++k) {
            const std::string want = expected.settings.StoredKeyText(size, k, kKeyFormatHex);
            const std::string got = actual.settings.StoredKeyText(size, k, kKeyFormatHex);
            if (want != got && !Listed(differences, WepKey(k))) {
                differences.push_back({WepKey(k), want, got});
            }
        }
    }
    if (expected.images[kPskIndex] != actual.images[kPskIndex]) {
        differences.push_back({KeyId::WifiPassphrase, kPreSharedKey, kPreSharedKey});
    }
    return differences;
}

}  // namespace tarvek::cli
