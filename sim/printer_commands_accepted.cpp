#include "sim/printer_commands_accepted.h"

#include <algorithm>

namespace tarvek::sim {
namespace {

constexpr std::uint8_t kEsc = 0x1B, kFs = 0x1C, kGs = 0x1D;

constexpr AcceptedCommand kByteCommands[] = {
    {ByteCommand::EmulationQuery, {kFs, 'E', 'C'}, 3, CommandEnd::Fixed, 3},
    {ByteCommand::EmulationSwitch, {kFs, 'E', 'S'}, 3, CommandEnd::Fixed, 4},
    {ByteCommand::CodePage, {kFs, 'E', 'P'}, 3, CommandEnd::Fixed, 4},
    {ByteCommand::SerialSettings, {kGs, 'S', 'C'}, 3, CommandEnd::Fixed, 9},
    {ByteCommand::PowerSave, {kGs, 'S', 'P'}, 3, CommandEnd::Fixed, 5},
    {ByteCommand::QrCode, {kGs, '(', 'k'}, 3, CommandEnd::LengthWord, 0},
    {ByteCommand::BluetoothOperation, {kEsc, 'b', 't', 0x01}, 4, CommandEnd::Fixed, 5},
    {ByteCommand::BluetoothPin, {kEsc, 'b', 't', 0x05, 0x90}, 5, CommandEnd::Pause, 0},
    {ByteCommand::IspMode, {kEsc, '[', 'M'}, 3, CommandEnd::Fixed, 4},
    {ByteCommand::ModuleFrame, {kEsc, '[', 'D'}, 3, CommandEnd::LengthByte, 0},
};

// The query answers with the switch's byte.
constexpr EmulationCode kEmulationCodes[] = {
    {kEmulationCpcl, 0x00, "cpcl"},
    {kEmulationEscPos, 0x01, "escpos"},
};

constexpr struct {
    std::uint8_t code;
    BluetoothOperation operation;
} kBluetoothOperations[] = {
    {0x0E, BluetoothOperation::AddressQuery},
    {0x56, BluetoothOperation::DiscoverableQuery},
    {0x05, BluetoothOperation::DiscoverableOn},
    {0x06, BluetoothOperation::DiscoverableOff},
};

constexpr PowerSaveMode kPowerSaveModes[] = {
    {0x00, "none"},
    {0x01, "power-off"},
    {0x02, "power-save"},
};

constexpr struct {
    const char* name;
    CpclVariable variable;
} kCpclVariables[] = {
    {"bluetooth.address", CpclVariable::BluetoothAddress},
    {"bluetooth.discoverable", CpclVariable::Discoverable},
    {"bluetooth.bluetooth_pin", CpclVariable::BluetoothPin},
    {"comm.baud", CpclVariable::Baud},
    {"comm.parity", CpclVariable::Parity},
    {"comm.stop_bits", CpclVariable::StopBits},
    {"com_apply", CpclVariable::ApplyLine},
};

template <class Table, class Matches>
auto FindIn(const Table& table, Matches matches) -> decltype(&table[0]) {
    const auto found = std::find_if(std::begin(table), std::end(table), matches);
    return found == std::end(table) ? nullptr : &*found;
}

}  // namespace

const AcceptedCommand* ByteCommandOf(const Bytes& bytes, bool whole) {
    return FindIn(kByteCommands, [&bytes, whole](const AcceptedCommand& c) {
        const std::size_t n = std::min(bytes.size(), c.leadLength);
        return (!whole || n == c.leadLength) && std::equal(c.lead, c.lead + n, bytes.begin());
    });
}

bool BeginsByteCommand(std::uint8_t byte) {
    return FindIn(kByteCommands, [byte](const AcceptedCommand& c) { return c.lead[0] == byte; }) !=
           nullptr;
}

const EmulationCode* EmulationOfCode(std::uint8_t code) {
    return FindIn(kEmulationCodes, [code](const EmulationCode& e) { return e.code == code; });
}

const EmulationCode* EmulationOf(int emulation) {
    return FindIn(kEmulationCodes,
                  [emulation](const EmulationCode& e) { return e.emulation == emulation; });
}

const EmulationCode* EmulationNamed(const std::string& name) {
    return FindIn(kEmulationCodes, [&name](const EmulationCode& e) { return name == e.name; });
}

bool BluetoothOperationOf(std::uint8_t code, BluetoothOperation& operation) {
    const auto* found =
        FindIn(kBluetoothOperations, [code](const auto& o) { return o.code == code; });
    if (found == nullptr) {
        return false;
    }
    operation = found->operation;
    return true;
}

const PowerSaveMode* PowerSaveModeOf(std::uint8_t code) {
    return FindIn(kPowerSaveModes, [code](const PowerSaveMode& m) { return m.code == code; });
}

bool CpclVariableNamed(const std::string& name, CpclVariable& variable) {
    const auto* found = FindIn(kCpclVariables, [&name](const auto& v) { return name == v.name; });
    if (found == nullptr) {
        return false;
    }
    variable = found->variable;
    return true;
}

}  // namespace tarvek::sim
