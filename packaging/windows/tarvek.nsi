; The Windows installer of Tarvek, one script for both architectures (UTF-8). make-installer
; passes the defines:
;   ARCH      x86 or x64
;   VERSION   the project version (a.b.c)
;   PROGRAMS  the folder holding tarvek.exe (and tarvek-cli.exe when CLI is defined)
;   OUTFILE   the installer to write
;   CLI       defined when the folder holds tarvek-cli.exe
; Per-machine: Program Files, the all-users Start menu, HKLM. The x64 installer is a 64-bit
; program and uses the 64-bit Program Files and registry view; the x86 one the 32-bit ones, as
; the programs it carries do.

Unicode true
!if ${ARCH} == x64
    Target amd64-unicode
    !define PROGRAM_FILES $PROGRAMFILES64
    !define REG_VIEW 64
!else if ${ARCH} == x86
    Target x86-unicode
    !define PROGRAM_FILES $PROGRAMFILES32
    !define REG_VIEW 32
!else
    !error "ARCH must be x86 or x64"
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include x64.nsh

!define PRODUCT "Tarvek"
!define PUBLISHER "Veltrin"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvek"
!define ENVIRONMENT_KEY "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"
!define CLASS_KEY "CLSID\{45CB1BFF-78CE-4B47-89CD-E0CD7B68C5E9}"
!define PROG_ID "Tarvek.Application"
!define SHORTCUT "$SMPROGRAMS\Tarvek.lnk"
!define /math PATH_LIMIT ${NSIS_MAX_STRLEN} - 1

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
InstallDir "${PROGRAM_FILES}\${PRODUCT}"
; An upgrade goes into the folder of the installed version.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Veltrin Mobile Label Setup Application"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "Tarvek ${VERSION} setup (${ARCH})"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The first language is the default; the installer and uninstaller take Korean when the
; system's language is Korean.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Korean"

LangString SecProgramName ${LANG_ENGLISH} "Tarvek printer setup utility"
LangString SecProgramName ${LANG_KOREAN} "Tarvek 프린터 설정 유틸리티"
LangString SecProgramText ${LANG_ENGLISH} "The setup utility (tarvek.exe) and its Start menu shortcut."
LangString SecProgramText ${LANG_KOREAN} "설정 유틸리티(tarvek.exe)와 시작 메뉴 바로 가기."
LangString SecPathName ${LANG_ENGLISH} "Add tarvek-cli to the system PATH"
LangString SecPathName ${LANG_KOREAN} "시스템 PATH에 tarvek-cli 추가"
LangString SecPathText ${LANG_ENGLISH} "Lets scripts and command prompts run tarvek-cli without its folder."
LangString SecPathText ${LANG_KOREAN} "스크립트와 명령 프롬프트에서 폴더 없이 tarvek-cli를 실행합니다."
LangString Needs64Bit ${LANG_ENGLISH} "This installer is for 64-bit Windows. Use the x86 installer on this computer."
LangString Needs64Bit ${LANG_KOREAN} "이 설치 프로그램은 64비트 Windows용입니다. 이 컴퓨터에서는 x86 설치 프로그램을 사용하십시오."
LangString ProgramRunning ${LANG_ENGLISH} "Tarvek is running from $INSTDIR. Close tarvek.exe and tarvek-cli.exe, then start this again. Nothing was changed."
LangString ProgramRunning ${LANG_KOREAN} "$INSTDIR에서 Tarvek이 실행 중입니다. tarvek.exe와 tarvek-cli.exe를 닫은 후 다시 시작하십시오. 아무것도 변경되지 않았습니다."
LangString PathNotChanged ${LANG_ENGLISH} "The system PATH could not be read or is too long to change safely; it was left as it is. Run tarvek-cli from $INSTDIR."
LangString PathNotChanged ${LANG_KOREAN} "시스템 PATH를 읽을 수 없거나 너무 길어 안전하게 변경할 수 없으므로 그대로 두었습니다. $INSTDIR에서 tarvek-cli를 실행하십시오."
LangString PathNotCleaned ${LANG_ENGLISH} "The system PATH could not be read or is too long to change safely; remove $INSTDIR from it by hand."
LangString PathNotCleaned ${LANG_KOREAN} "시스템 PATH를 읽을 수 없거나 너무 길어 안전하게 변경할 수 없습니다. PATH에서 $INSTDIR을(를) 직접 제거하십시오."

; Stops before anything is changed while a program in $INSTDIR runs (its file cannot be
; opened for writing then): replacing or removing only some of the files would leave an
; installation that is neither the old one nor the new one.
!macro STOP_WHILE_RUNNING
    !insertmacro STOP_IF_IN_USE "$INSTDIR\tarvek.exe"
    !insertmacro STOP_IF_IN_USE "$INSTDIR\tarvek-cli.exe"
!macroend
!macro STOP_IF_IN_USE file
    ${If} ${FileExists} "${file}"
        ClearErrors
        FileOpen $0 "${file}" a
        ${If} ${Errors}
            MessageBox MB_OK|MB_ICONSTOP "$(ProgramRunning)" /SD IDOK
            DetailPrint "$(ProgramRunning)"
            Abort
        ${EndIf}
        FileClose $0
    ${EndIf}
!macroend

Function .onInit
    !if ${ARCH} == x64
        ${IfNot} ${RunningX64}
            MessageBox MB_OK|MB_ICONSTOP "$(Needs64Bit)" /SD IDOK
            Abort
        ${EndIf}
    !endif
    SetRegView ${REG_VIEW}
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView ${REG_VIEW}
    SetShellVarContext all
FunctionEnd

Section "$(SecProgramName)" SecProgram
    SectionIn RO
    !insertmacro STOP_WHILE_RUNNING
    SetOutPath "$INSTDIR"
    File "${PROGRAMS}\tarvek.exe"
    !ifdef CLI
        File "${PROGRAMS}\tarvek-cli.exe"
    !endif
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\tarvek.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} (${ARCH})"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tarvek.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

!ifdef CLI
; The entry is added only when the PATH does not hold it yet, and recorded (PathEntry in the
; uninstall key) so that the uninstaller removes what this installer added and nothing else.
; NSIS strings hold ${NSIS_MAX_STRLEN} characters with the terminator, and longer ones are cut
; short without an error: a PATH that may not fit is left untouched rather than written back cut.
Section "$(SecPathName)" SecPath
    ClearErrors
    ReadRegStr $0 HKLM "${ENVIRONMENT_KEY}" "Path"
    StrLen $1 "$0;$INSTDIR"
    ${If} ${Errors}
    ${OrIf} $1 >= ${PATH_LIMIT}
        MessageBox MB_OK|MB_ICONEXCLAMATION "$(PathNotChanged)" /SD IDOK
        DetailPrint "$(PathNotChanged)"
        Return
    ${EndIf}
    Push $0
    Push "$INSTDIR"
    Call PathWithout
    Pop $1
    ${If} $1 == $0
        ${If} $0 == ""
            StrCpy $0 "$INSTDIR"
        ${Else}
            StrCpy $0 "$0;$INSTDIR"
        ${EndIf}
        WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" "Path" "$0"
        WriteRegStr HKLM "${UNINSTALL_KEY}" "PathEntry" "$INSTDIR"
        SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
    ${EndIf}
SectionEnd
!endif

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "$(SecProgramText)"
    !ifdef CLI
        !insertmacro MUI_DESCRIPTION_TEXT ${SecPath} "$(SecPathText)"
    !endif
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; PathWithout: takes a PATH and an entry from the stack (entry on top), leaves the PATH without
; every element equal to the entry (letter case and a trailing backslash aside).
!macro PATH_WITHOUT prefix
Function ${prefix}PathWithout
    Exch $1 ; entry
    Exch
    Exch $0 ; PATH
    Push $2 ; result
    Push $3 ; element
    Push $4 ; position
    Push $5 ; character
    StrCpy $2 ""
    ${Do}
        ; The next element: up to the next ';' or the end.
        StrCpy $4 0
        ${Do}
            StrCpy $5 $0 1 $4
            ${IfThen} $5 == "" ${|} ${ExitDo} ${|}
            ${IfThen} $5 == ";" ${|} ${ExitDo} ${|}
            IntOp $4 $4 + 1
        ${Loop}
        StrCpy $3 $0 $4
        ${If} $3 != $1
        ${AndIf} $3 != "$1\"
            ${If} $2 == ""
                StrCpy $2 $3
            ${Else}
                StrCpy $2 "$2;$3"
            ${EndIf}
        ${EndIf}
        ${IfThen} $5 == "" ${|} ${ExitDo} ${|}
        IntOp $4 $4 + 1
        StrCpy $0 $0 "" $4
    ${Loop}
    StrCpy $0 $2
    Pop $5
    Pop $4
    Pop $3
    Pop $2
    Exch $0 ; the caller's $0 back, the result on the stack
    Exch
    Pop $1
FunctionEnd
!macroend
!ifdef CLI
    !insertmacro PATH_WITHOUT ""
!endif
!insertmacro PATH_WITHOUT "un."

Section "Uninstall"
    !insertmacro STOP_WHILE_RUNNING
    ; The PATH entry this installer added (an entry that was there before stays).
    ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "PathEntry"
    ${If} $1 != ""
        ClearErrors
        ReadRegStr $0 HKLM "${ENVIRONMENT_KEY}" "Path"
        StrLen $2 $0
        ${If} ${Errors}
        ${OrIf} $2 >= ${PATH_LIMIT}
            MessageBox MB_OK|MB_ICONEXCLAMATION "$(PathNotCleaned)" /SD IDOK
            DetailPrint "$(PathNotCleaned)"
        ${Else}
            Push $0
            Push $1
            Call un.PathWithout
            Pop $2
            ${If} $2 != $0
                WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" "Path" "$2"
                SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
            ${EndIf}
        ${EndIf}
    ${EndIf}

    Delete "${SHORTCUT}"
    Delete "$INSTDIR\tarvek.exe"
    Delete "$INSTDIR\tarvek-cli.exe"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"

    ; tarvek.exe registers its automation server at each start. The registration goes when the
    ; program it names is gone (this one, just removed); one that names another copy of the
    ; program that still exists stays, as that copy still serves it.
    ReadRegStr $0 HKCR "${CLASS_KEY}\LocalServer32" ""
    StrCpy $1 $0 1
    ${If} $1 == '"'
        StrCpy $0 $0 "" 1
        StrCpy $0 $0 -1
    ${EndIf}
    ${If} $0 == ""
    ${OrIfNot} ${FileExists} $0
        DeleteRegKey HKCR "${CLASS_KEY}"
        DeleteRegKey HKCR "${PROG_ID}"
    ${EndIf}

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
