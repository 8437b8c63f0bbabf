#!/usr/bin/env bash
# The whole program against the simulated printer: tarvek.exe under Wine with COM1 on the pty of
# tarvek-printer-sim, the main dialog driven through window messages (tests/e2e/app's window
# tool), and what the printer received read back from the simulator's state file and traffic
# log.
#   printer_test.sh <tarvek.exe> <window_tool.exe> <native build folder> <wine prefix> <output>
# (The run's set-up is begin_run in printer_test_lib.sh.) The prefix is the test's own. A
# screenshot of the dialog with the port open goes to the output folder.
set -uo pipefail
title="Veltrin Mobile Label Printer Utiltiy 1.40"
source "$(dirname "${BASH_SOURCE[0]}")/printer_test_lib.sh"
begin_run printer_test "$@"

echo "== a CPCL printer: open, Bluetooth and PIN, set ESC/POS, open again, serial settings, close"
start_printer cpcl
start_program
check "main dialog shown" tool wait-shown "$title" 60000
check "COM1 selected" tool select "$title" "$IDC_PORT" COM1
check "9600 baud selected (the printer's rate)" tool select "$title" "$IDC_BAUDRATE" 9600
press "$IDC_OPEN_PORT"
check "Close Port enabled with the port open" enabled_becomes "$IDC_CLOSE_PORT" 15
check "no message box after Open Port" no_message_box
press "$IDC_GET_EMULATION"
check "Get Emulation shows CPCL" text_becomes "$IDC_EMULATION" CPCL 15
sleep 1
screenshot printer_port_open.png
press "$IDC_GET_BLUETOOTH"
check "Get Bluetooth Information shows the printer's address" \
    text_becomes "$IDC_BT_ADDRESS" "$(state_value bt_address)" 15
check "no message box after Get Bluetooth Information" no_message_box
check "PIN typed" tool type "$title" "$IDC_PIN_CODE" 4321
check "Save Bluetooth PIN Code enabled by the typed PIN" enabled_becomes "$IDC_SAVE_PIN" 5
press "$IDC_SAVE_PIN"
check "printer's state has the new PIN" state_becomes bt_pin 4321 15
press "$IDC_SET_ESCPOS"
answer_message_box
check "printer's state says ESC/POS" state_becomes emulation escpos 15
check "emulation field shows ESC/POS" text_becomes "$IDC_EMULATION" ESC/POS 10
# The printer now answers in its new emulation; opening again asks it anew.
answers_before="$(log_count sim)"
press "$IDC_OPEN_PORT"
check "reopened port asks the printer again" poll 15 log_count_above sim "$answers_before"
check "Close Port enabled again" enabled_becomes "$IDC_CLOSE_PORT" 15
check "no message box after the second Open Port" no_message_box
answers_before="$(log_count sim)"
press "$IDC_GET_EMULATION"
check "Get Emulation asks the printer" poll 15 log_count_above sim "$answers_before"
check "Get Emulation shows ESC/POS" text_becomes "$IDC_EMULATION" ESC/POS 15
# The printer takes 19200 baud (ESC/POS): the dialog closes the port, and opens it at the new
# rate.
check "19200 baud selected" tool select "$title" "$IDC_BAUDRATE" 19200
press "$IDC_SAVE_SERIAL"
check "printer's state says 19200 baud" state_becomes baud 19200 15
check "Open Port enabled after Save Serial Port Configuration" enabled_becomes "$IDC_OPEN_PORT" 10
press "$IDC_OPEN_PORT"
check "port opens at 19200 baud" enabled_becomes "$IDC_CLOSE_PORT" 15
check "no message box at 19200 baud" no_message_box
press "$IDC_CLOSE_PORT"
check "Open Port enabled after Close Port" enabled_becomes "$IDC_OPEN_PORT" 10

echo "== a printer driver installed on COM1: blocks Open Port"
printer_key='HKLM\System\CurrentControlSet\Control\Print\Printers\Label Writer'
wine_run reg add "$printer_key" /v Name /d "Label Writer" /f >/dev/null 2>&1
wine_run reg add "$printer_key" /v Port /d "COM1:" /f >/dev/null 2>&1
wine_run reg add "$printer_key" /v "Printer Driver" /d "Generic / Text Only" /f >/dev/null 2>&1
answers_before="$(log_count sim)"
press "$IDC_OPEN_PORT"
box="$(tool box-text "$title" 30000)"
echo "      message box: ${box//$'\n'/: }"
check "conflict message names the printer" \
    grep -q "is already occupied in windows printer driver(Label Writer)" <<<"$box"
tool box-ok "$title"
check "message box closes on OK" poll 10 no_box_now
check "Open Port stays enabled after the conflict" is_enabled "$IDC_OPEN_PORT"
check "the printer heard nothing" test "$(log_count sim)" -eq "$answers_before"
wine_run reg delete "$printer_key" /f >/dev/null 2>&1
press "$IDC_OPEN_PORT"
check "port opens once the driver is gone" enabled_becomes "$IDC_CLOSE_PORT" 15
press "$IDC_CLOSE_PORT"
check "Exit enabled after Close Port" enabled_becomes "$IDOK" 10

echo "== exit"
press "$IDOK"
check "Exit ends the program" ends_within "$app" 20
check "dialog gone" tool wait-gone "$title" 5000

end_run
