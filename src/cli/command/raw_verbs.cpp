#include "cli/command/raw_verbs.h"

#include "cli/session/raw_exchange.h"
#include "cli/settings/raw_bytes.h"
#include "cli/settings/text_files.h"

namespace tarvek::cli {
namespace {

// The bytes the options give; false with the refusal.
bool BytesToSend(const SendOptions& o, Bytes& bytes, InputError& error) {
    const int given = !o.hex.empty() + !o.text.empty() + !o.file.empty();
    error.problem = Problem::SendSource;
    if (given != 1) {
        return false;
    }
    if (!o.hex.empty() && !ParseHexBytes(o.hex, bytes)) {
        error.problem = Problem::BadHex;
        error.value = o.hex;
        return false;
    }
    if (!o.text.empty() && !ParseEscapedText(o.text, bytes)) {
        error.problem = Problem::BadEscape;
        error.value = o.text;
        return false;
    }
    std::string content;
    if (!o.file.empty()) {
        if (!ReadFileText(o.file, content)) {
            error.problem = Problem::FileUnreadable;
            error.source = o.file;
            return false;
        }
        bytes.assign(content.begin(), content.end());
    }
    if (bytes.empty()) {
        return false;
    }
    if (!o.force && ChangesModule(bytes)) {
        error.problem = Problem::ChangesModule;
        return false;
    }
    error.problem = Problem::None;
    return true;
}

}  // namespace

int SendBytes(VerbContext& context, const SendOptions& options) {
    RawExchange exchange;
    InputError error;
    if (!BytesToSend(options, exchange.sent, error)) {
        return Fail(context.output, InputOutcome(error));
    }
    Outcome outcome;
    const RawWait wait{static_cast<std::uint32_t>(options.waitMs),
                       static_cast<std::size_t>(options.expect)};
    if (!ExchangeRaw(context.services, context.port, wait, exchange, outcome)) {
        return Fail(context.output, outcome);
    }
    context.output.Exchanged(exchange);
    return kExitDone;
}

}  // namespace tarvek::cli
