#!/usr/bin/env bash
# The whole program against the simulated printer: tarvek.exe under Wine with COM1 on the pty of
# tarvek-printer-sim, the main dialog driven through window messages (tests/e2e/app's window
# tool), and what the printer received read back from the simulator's state file and traffic
# log.
#   printer_test.sh <tarvek.exe> <window_tool.exe> <native build folder> <wine prefix> <output>
# (The run's set-up is begin_run in printer_test_lib.sh.) The prefix is the test's own. A
# screenshot of the dialog with the port open goes to the output folder. (An installed printer
# holding COM1 is read from Wine's registry in tests/e2e/cli; the dialog's refusal is the unit
# tier's.)
set -uo pipefail
title="Veltrin Mobile Label Printer Utiltiy 1.40"
source "$(dirname "${BASH_SOURCE[0]}")/printer_test_lib.sh"
begin_run printer_test "$@"

echo "== a CPCL printer: open, Bluetooth and PIN, set ESC/POS, open again, serial settings, close"
printer_on cpcl
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
check "Exit enabled after Close Port" enabled_becomes "$IDOK" 10

echo "== exit"
press "$IDOK"
check "Exit ends the program" ends_within "$app" 20
check "dialog gone" tool wait-gone "$title" 5000

end_run
