#include "cli/output/result_sentences.h"

#include "cli/output/bluetooth_texts.h"
#include "cli/output/cli_texts.h"
#include "cli/session/compare.h"
#include "cli/output/finding_texts.h"
#include "link/port_kind.h"
#include "printer/code_page_table.h"
#include "texts/port_texts.h"
#include "texts/printer_texts.h"
#include "texts/wifi_texts.h"

namespace tarvek::cli {
namespace {

using texts::FormatText;

const char* T(const texts::LocalizedText& text, const Wording& w) {
    return text.For(w.codePage);
}

bool IsSecret(const std::string& key) {
    const KeySpec* spec = FindKey(key);
    return spec != nullptr && spec->secret;
}

std::string BadValueText(const InputError& e, const Wording& w) {
    // A line option is named by its flag and takes its key's values.
    const KeySpec* spec = FindKey(e.detail.empty() ? e.key : e.detail);
    const std::string allowed = spec != nullptr ? AllowedValues(*spec, w.codePage) : "";
    const std::string value = IsSecret(e.key) && !w.showSecrets ? kHiddenValue : e.value;
    return FormatText(T(text::kBadValue, w), e.key.c_str(), value.c_str(), allowed.c_str());
}

std::string FixedText(const InputError& e, const Wording& w) {
    return FormatText(T(text::kFixedByEncryption, w), e.key.c_str(), e.detail.c_str(),
                      e.value.c_str());
}

}  // namespace

std::string AllowedValues(const KeySpec& spec, int codePage) {
    const Wording w{codePage, false};
    switch (spec.kind) {
        case ValueKind::Choice: {
            std::string list;
            for (int i = 0; i < spec.choiceCount; ++i) {
                list += (i > 0 ? ", " : "") + std::string(spec.choices[i].name);
            }
            return list;
        }
        case ValueKind::Range:
            return FormatText(T(text::kAllowedRange, w), spec.min, spec.max);
        case ValueKind::CodePage:
            return FormatText(T(text::kAllowedCodePage, w), kCodePageCount - 1);
        case ValueKind::Address:
            return T(text::kAllowedAddress, w);
        case ValueKind::Text:
            return FormatText(T(text::kAllowedText, w), spec.max);
        case ValueKind::Pin:
            return FormatText(T(text::kAllowedPin, w), spec.max);
        case ValueKind::Passphrase:
            return FormatText(T(text::kAllowedPassphrase, w), spec.min, spec.max);
        case ValueKind::WepKey:
            return T(text::kAllowedWepKey, w);
    }
    return "";
}

std::string ProblemText(const InputError& e, const Wording& w) {
    const char* key = e.key.c_str();
    std::string sentence;
    switch (e.problem) {
        case Problem::None:
            break;
        case Problem::NotKeyValue:
            sentence = FormatText(T(text::kNotKeyValue, w), e.value.c_str());
            break;
        case Problem::UnknownKey:
            sentence = FormatText(T(text::kUnknownKey, w), key);
            break;
        case Problem::BadValue:
            sentence = BadValueText(e, w);
            break;
        case Problem::RepeatedKey:
            sentence = FormatText(T(text::kRepeatedKey, w), key);
            break;
        case Problem::EnvMissing:
            sentence = FormatText(T(text::kEnvMissing, w), key, e.detail.c_str());
            break;
        case Problem::FileUnreadable:
            return FormatText(T(text::kFileUnreadable, w), e.source.c_str());
        case Problem::FileUnwritable:
            return FormatText(T(text::kFileUnwritable, w), e.source.c_str());
        case Problem::NotJson:
            return FormatText(T(text::kNotJson, w), e.source.c_str(), e.detail.c_str());
        case Problem::NotAProfile:
            return FormatText(T(text::kNotAProfile, w), e.source.c_str());
        case Problem::UnknownGroup:
            sentence = FormatText(T(text::kUnknownGroup, w), key);
            break;
        case Problem::WrongType:
            sentence = FormatText(T(text::kWrongType, w), key);
            break;
        case Problem::NoUnits:
            return FormatText(T(text::kNoUnits, w), e.source.c_str());
        case Problem::BadUnitsRow:
            sentence = T(text::kBadUnitsRow, w);
            break;
        case Problem::OpenQuote:
            sentence = T(text::kOpenQuote, w);
            break;
        case Problem::WepKeyNeedsWep:
            sentence = FormatText(T(text::kWepKeyNeedsWep, w), key);
            break;
        case Problem::WepKeyWrongSize:
            sentence = FormatText(T(text::kWepKeyWrongSize, w), key, e.detail.c_str());
            break;
        case Problem::FixedByEncryption:
            sentence = FixedText(e, w);
            break;
        case Problem::WpaWithoutAuth:
            sentence = T(text::kWpaWithoutAuth, w);
            break;
        case Problem::DataBitsParity:
            sentence = texts::kDataBitsParity.text.english;
            break;
        case Problem::MinutesNeedMode:
            sentence = T(text::kMinutesNeedMode, w);
            break;
        case Problem::CodePageNeedsEscPos:
            sentence = T(text::kCodePageNeedsEscPos, w);
            break;
        case Problem::LineFixedInCpcl:
            sentence = FormatText(T(text::kLineFixedInCpcl, w), key);
            break;
        case Problem::WpaNotOffered:
            sentence = T(text::kWpaNotOffered, w);
            break;
        case Problem::PortMissing:
            return T(text::kPortMissing, w);
        case Problem::SeveralPorts:
            return T(text::kSeveralPorts, w);
        case Problem::StationPorts:
            return T(text::kStationPorts, w);
        case Problem::UnitsByAddress:
            return T(text::kUnitsByAddress, w);
        case Problem::SendSource:
            return T(text::kSendSource, w);
        case Problem::BadHex:
            return FormatText(T(text::kBadHex, w), e.value.c_str());
        case Problem::BadEscape:
            return FormatText(T(text::kBadEscape, w), e.value.c_str());
        case Problem::ChangesModule:
            return T(text::kChangesModule, w);
        case Problem::ModuleRefusal:
            break;  // worded from the outcome's sequence (OutcomeText)
    }
    if (e.line > 0) {
        return FormatText(T(text::kInLine, w), e.source.c_str(), e.line) + sentence;
    }
    if (!e.source.empty()) {
        return FormatText(T(text::kInFile, w), e.source.c_str()) + sentence;
    }
    return sentence;
}

std::string Shown(KeyId key, const std::string& value, const Wording& w) {
    return Spec(key).secret && !w.showSecrets ? kHiddenValue : value;
}

std::string KeyList(const std::vector<KeyId>& keys) {
    std::string list;
    for (KeyId key : keys) {
        list += (list.empty() ? "" : ", ") + std::string(Spec(key).name);
    }
    return list;
}

std::string DifferenceLines(const std::vector<Difference>& differences, const Wording& w) {
    std::string lines;
    for (const Difference& d : differences) {
        const bool derived = d.expected == kPreSharedKey;
        const std::string wanted =
            derived ? T(text::kPreSharedKey, w) : Shown(d.key, d.expected, w);
        const std::string got = derived            ? "?"
                                : d.actual.empty() ? T(text::kNotReported, w)
                                                   : Shown(d.key, d.actual, w);
        lines += "\n" +
                 FormatText(T(text::kDifference, w), Spec(d.key).name, wanted.c_str(), got.c_str());
    }
    return lines;
}

std::string TallyText(int done, int failed, const Wording& w) {
    return done == 1 ? FormatText(T(text::kStationEndOne, w), failed)
                     : FormatText(T(text::kStationEnd, w), done, failed);
}

namespace {

// The sentence of each failure.
struct FailureSentence {
    const Wording& w;
    int cp;

    std::string operator()(std::monostate) const { return ""; }
    std::string operator()(const failure::InputRefused& f) const {
        if (f.error.problem != Problem::ModuleRefusal) {
            return ProblemText(f.error, w);
        }
        return f.moduleRefusal == SaveRefusal::NoSelection
                   ? T(text::kModuleValueUnlisted, w)
                   : texts::SaveRefusalMessage(f.moduleRefusal).text.For(cp);
    }
    std::string operator()(const failure::PortHeld& f) const {
        // The dialogs' message speaks of a Windows printer driver; a CUPS queue is named as
        // what it is.
        return f.holder.kind == HolderKind::CupsQueue
                   ? FormatText(T(text::kQueueHolds, w), f.port.c_str(),
                                f.holder.printerName.c_str())
                   : texts::FormatPortConflict(f.port, f.holder, cp);
    }
    std::string operator()(const failure::Printer& f) const {
        switch (f.failure) {
            case PrinterFailure::OpenFailed:
                if (f.port.link == LinkKind::Network) {
                    return std::string(T(text::kNoConnection, w)) + ": " + f.port.name;
                }
                return OpenFailed(
                    f.port.link == LinkKind::Usb ? texts::kUsbOpenFailed : texts::kSerialOpenFailed,
                    f.port);
            case PrinterFailure::NotAnEmulationCode:
                return texts::kEmulationReadFailed.text.For(cp);
            case PrinterFailure::None:
            case PrinterFailure::NoAnswer:
            case PrinterFailure::BadValue:
                break;
        }
        return texts::kNoResponse.text.For(cp);
    }
    std::string operator()(const failure::ModuleOpen& f) const {
        return f.failure == ModuleOpen::OpenFailed ? OpenFailed(texts::kModuleOpenFailed, f.port)
                                                   : texts::kIspModeFailed.text.For(cp);
    }
    std::string operator()(const failure::ModuleStep& f) const {
        return (f.save ? texts::WriteOutcome(f.sequence) : texts::ReadOutcome(f.sequence))
            .text.For(cp);
    }
    std::string operator()(const failure::ValuesDiffer& f) const {
        return T(f.readBack ? text::kReadBackDiffers : text::kDiffers, w);
    }
    std::string operator()(const failure::SilentAtNewLine&) const {
        return T(text::kNoAnswerAtNewLine, w);
    }
    std::string operator()(const failure::NoUnitRow& f) const {
        return FormatText(T(text::kNoUnitRow, w), f.address.c_str());
    }
    std::string operator()(const failure::WaitRanOut& f) const {
        return FormatText(T(f.forPrinterToGo ? text::kStillConnected : text::kNoPrinterInTime, w),
                          f.seconds);
    }
    std::string operator()(const failure::PortSearch& f) const {
        return FormatText(T(f.several ? text::kAutoSeveral : text::kAutoNone, w), f.ports.c_str());
    }
    std::string operator()(const failure::StationIncomplete& f) const {
        return TallyText(f.done, f.failed, w);
    }
    std::string operator()(const failure::Interrupted&) const { return T(text::kInterrupted, w); }
    std::string operator()(const failure::NotJoined& f) const {
        return FormatText(T(text::kNotJoined, w), f.port.c_str(), f.seconds);
    }
    std::string operator()(const failure::WifiOverNetwork& f) const {
        return FormatText(T(text::kWifiOverNetwork, w), f.port.c_str());
    }
    std::string operator()(const failure::Bluetooth& f) const {
        static const texts::LocalizedText* const kSentences[] = {
            &text::kBtFailed,    &text::kBtNoService, &text::kBtNoAdapter, &text::kBtNotFound,
            &text::kBtNotPaired, &text::kBtNoSerial,  &text::kBtRefused,   &text::kBtFailed};
        return FormatText(T(*kSentences[static_cast<int>(f.result)], w), f.address.c_str());
    }

    std::string OpenFailed(const texts::LocalizedMessage& message, const PortRef& port) const {
        return std::string(message.text.For(cp)) + ": " + port.name;
    }
};

}  // namespace

std::string FailureText(const Outcome& o, const Wording& w) {
    std::string sentence = std::visit(FailureSentence{w, w.codePage}, o.failure);
    if (!o.Ok() && o.step != Step::None && o.step != Step::Check) {
        sentence += FormatText(T(text::kStep, w), StepName(o.step));
    }
    return sentence;
}

std::string OutcomeText(const Outcome& o, const Wording& w) {
    const failure::ValuesDiffer* differ = o.As<failure::ValuesDiffer>();
    return FailureText(o, w) + (differ != nullptr ? DifferenceLines(differ->differences, w) : "");
}

}  // namespace tarvek::cli
