#include "cli/session/link_tap.h"

#include "wifimodule/module_codec.h"

namespace tarvek::cli {

bool LinkTap::MayWrite(const std::uint8_t* data, int count) const {
    if (!m_interrupted.load()) {
        return true;
    }
    const Bytes chunk(data, data + (count > 0 ? count : 0));
    return chunk == BuildIspModeSwitch(false) || chunk == Bytes{0x00};
}

void LinkTap::Wrote(const std::uint8_t* data, int count, std::uint32_t startMs) {
    if (m_trace != nullptr) {
        m_trace->Host(data, count, startMs);
    }
}

void LinkTap::Read(const std::uint8_t* data, int count) {
    if (m_trace != nullptr && count > 0) {
        m_trace->Printer(data, count);
    }
}

}  // namespace tarvek::cli
