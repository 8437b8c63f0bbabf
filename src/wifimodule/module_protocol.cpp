#include "wifimodule/module_protocol.h"

#include <algorithm>
#include <cstring>

#include "link/answer_poll.h"
#include "link/debug_output.h"
#include "wifimodule/module_codec.h"

namespace tarvek {

namespace {

enum class EndRule { CrLf, ShortChunk };

// How one primitive sends and gathers. Pauses and read capacities differ between the serial
// and the USB link; gathering stops when the empty polls (10 ms apart) exceed the idle limit.
struct Exchange {
    std::uint32_t serialPauseMs;
    std::uint32_t usbPauseMs;
    int serialCapacity;
    int usbCapacity;
    int idleLimit;
    EndRule endRule;
    bool resetIdleOnData;
    int bufferCapacity;  // the reply buffer; bytes past it are dropped
    bool gathersReply;
};

constexpr int kReadBuffer = 256;
constexpr int kOtherBuffer = ModuleReply::kCapacity;

constexpr Exchange kIspEnter{1000, 0, 256, 256, 50, EndRule::CrLf, true, kOtherBuffer, true};
constexpr Exchange kIspLeave{500, 0, 0, 0, 0, EndRule::CrLf, true, kOtherBuffer, false};
constexpr Exchange kRead{200, 200, 256, 64, 30, EndRule::CrLf, true, kReadBuffer, true};
constexpr Exchange kWrite{1000, 1000, 256, 64, 10, EndRule::CrLf, true, kOtherBuffer, true};
constexpr Exchange kUnlock{10, 10, 256, 64, 75, EndRule::ShortChunk, false, kOtherBuffer, true};
// The flash answer is awaited like a write's: the module takes its time to program the flash.
constexpr Exchange kFlash{1000, 1000, 256, 64, 10, EndRule::CrLf, true, kOtherBuffer, true};

bool Ended(const Exchange& exchange, const ModuleReply& reply, int lastChunk) {
    if (exchange.endRule == EndRule::ShortChunk) {
        return lastChunk != 64;
    }
    return reply.count >= 2 && reply.bytes[reply.count - 2] == '\r' &&
           reply.bytes[reply.count - 1] == '\n';
}

// One exchange: a single write, the pause, then polling until the end rule, the idle limit or
// a full buffer. No link (transport kind None): nothing is sent and nothing comes back.
int Run(const ChannelSet& channels, Clock& clock, const Bytes& command, const Exchange& exchange,
        ModuleReply& reply) {
    reply.count = 0;
    PrinterLink* link = channels.Active();
    if (link == nullptr) {
        return 0;
    }
    const bool usb = channels.kind == TransportKind::Usb;
    link->Write(command);
    const std::uint32_t pause = usb ? exchange.usbPauseMs : exchange.serialPauseMs;
    if (pause > 0) {
        clock.Sleep(pause);
    }
    if (!exchange.gathersReply) {
        return 0;
    }
    const PollPlan plan{usb ? exchange.usbCapacity : exchange.serialCapacity, exchange.idleLimit,
                        true, exchange.resetIdleOnData};
    PollAnswer(*link, clock, plan, [&](const std::uint8_t* chunk, int n) {
        const int kept = std::min(n, exchange.bufferCapacity - reply.count);
        std::memcpy(reply.bytes + reply.count, chunk, static_cast<std::size_t>(kept));
        reply.count += kept;
        return !Ended(exchange, reply, n) && reply.count < exchange.bufferCapacity;
    });
    return reply.count;
}

}  // namespace

int WifiModuleProtocol::SetIspMode(bool enter, ModuleReply& reply) {
    return Run(m_channels, m_clock, BuildIspModeSwitch(enter), enter ? kIspEnter : kIspLeave,
               reply);
}

int WifiModuleProtocol::ReadRegister(int index, ModuleReply& reply) {
    return Run(m_channels, m_clock, BuildCommandFrame(BuildReadCommand(index)), kRead, reply);
}

int WifiModuleProtocol::WriteRegister(int index, const std::string& hexPayload,
                                      ModuleReply& reply) {
    const std::string prefix = BuildWriteCommandPrefix(index);
    const Bytes frame = BuildCommandFrame(prefix + hexPayload);
    if (prefix.empty() || frame.empty()) {
        reply.count = 0;
        return 0;  // not a writable register, or a payload too long for one frame
    }
    return Run(m_channels, m_clock, frame, kWrite, reply);
}

int WifiModuleProtocol::UnlockRegisters(ModuleReply& reply) {
    return Run(m_channels, m_clock, BuildCommandFrame(kUnlockCommand), kUnlock, reply) > 0 ? 0 : -1;
}

int WifiModuleProtocol::FlashRegisters(ModuleReply& reply) {
    const int count = Run(m_channels, m_clock, BuildCommandFrame(kFlashCommand), kFlash, reply);
    DebugOutput("Now Flashing......");
    return count;
}

}  // namespace tarvek
