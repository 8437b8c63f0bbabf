#include "cli/command/raw_verbs.h"

#include "cli/session/raw_exchange.h"
#include "cli/settings/raw_bytes.h"
#include "cli/settings/text_files.h"

namespace tarvek::cli {
namespace {

// Bytes that would enter the module's ISP mode or write its flash go only when forced.
bool MaySend(const Bytes& bytes, bool force, InputError& error) {
    error.problem = !force && ChangesModule(bytes) ? Problem::ChangesModule : Problem::None;
    return !error;
}

// The bytes the options give; false with the refusal.
bool BytesToSend(const SendOptions& o, Bytes& bytes, InputError& error) {
    const int given = !o.hex.empty() + !o.text.empty() + !o.file.empty();
    error.problem = Problem::SendSource;
    if (given != 1) {
        return false;
    }
    if (o.file.empty()) {
        const bool hex = !o.hex.empty();
        if (!TypedBytes(hex ? o.hex : o.text, hex, o.force, bytes, error)) {
            return false;
        }
    } else {
        std::string content;
        if (!ReadFileText(o.file, content)) {
            error.problem = Problem::FileUnreadable;
            error.source = o.file;
            return false;
        }
        bytes.assign(content.begin(), content.end());
        if (!MaySend(bytes, o.force, error)) {
            return false;
        }
    }
    error.problem = bytes.empty() ? Problem::SendSource : Problem::None;
    return !bytes.empty();
}

}  // namespace

bool TypedBytes(const std::string& typed, bool hex, bool force, Bytes& bytes, InputError& error) {
    if (!(hex ? ParseHexBytes(typed, bytes) : ParseEscapedText(typed, bytes))) {
        error.problem = hex ? Problem::BadHex : Problem::BadEscape;
        error.value = typed;
        return false;
    }
    return MaySend(bytes, force, error);
}

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
