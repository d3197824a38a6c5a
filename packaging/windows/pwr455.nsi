; The installer of PW-R455NORD for 64-bit Windows, built by scripts/windows/make-dist:
;   makensis -DVERSION=1.0.0 -DFILES_DIR=DIST -DICON=ICO -DOUTFILE=SETUP.exe pwr455.nsi
; FILES_DIR holds install-files.nsh and uninstall-files.nsh, the lists of the files installed.
; It installs for all users under Program Files (which needs administrator rights; the program
; itself never does), adds a Start menu entry, offers the program for .qrb files and appears in
; Apps & features. An installed copy is upgraded where it is. The uninstaller removes exactly what
; was installed; it asks whether the user's profile and backups go too (they stay by default and
; under /S); data files stay. Both run silently with /S. Both speak English, Norwegian (bokmål),
; Swedish, Danish or Finnish, as the user's Windows display language is; any other language gets
; English.
; Neither replaces nor removes a program that runs: both ask to close it, and under /S they end
; with exit code 2 and change nothing. (An uninstaller started without _?= copies itself to the
; temporary folder and ends at once with 0; its copy does the work.)

Unicode true
; A 64-bit installer: Windows' 64-bit Program Files and registry, and Wine without 32-bit support.
Target amd64-unicode
SetCompressor /SOLID lzma

!define APP_NAME "PW-R455NORD"
!define PUBLISHER "Vexa"
!define PROG_ID "PW-R455NORD.Document"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\PW-R455NORD"
!define SHCNE_ASSOCCHANGED 0x08000000
; The running program holds this mutex in its session (app/pwr455_app.cpp).
!define INSTANCE_MUTEX "PWR455NORD APP Exclusive Mutex"
!define SYNCHRONIZE 0x00100000
!define ERROR_ACCESS_DENIED 5
!define EXIT_PROGRAM_RUNNING 2

Name "${APP_NAME}"
BrandingText "${APP_NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP_NAME}"
RequestExecutionLevel admin
Icon "${ICON}"
UninstallIcon "${ICON}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${APP_NAME}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright 2026 ${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APP_NAME} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

!include "MUI2.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\pwr455.exe"
!define MUI_WELCOMEPAGE_TEXT "$(WELCOME_TEXT)"
!insertmacro MUI_PAGE_WELCOME
; An upgrade goes where the installed copy is: there is no folder to choose.
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderOnUpgrade
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The first is the language of a system whose language is none of these.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Norwegian"
!insertmacro MUI_LANGUAGE "Swedish"
!insertmacro MUI_LANGUAGE "Danish"
!insertmacro MUI_LANGUAGE "Finnish"
!include "${__FILEDIR__}/languages.nsh"

; Waits until no copy of the program runs in this session, asking the user to close it; under
; /S, or when the user cancels, ends the run with EXIT_PROGRAM_RUNNING before anything changed.
!macro DEFINE_WAIT_FOR_PROGRAM_CLOSED PREFIX
Function ${PREFIX}WaitForProgramClosed
  check:
    System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "${INSTANCE_MUTEX}") p .r0 ?e'
    Pop $1
    ; A mutex this process may not open (a copy that another account started) is held too.
    StrCmp $0 0 0 running
    IntCmp $1 ${ERROR_ACCESS_DENIED} ask closed closed
  running:
    System::Call 'kernel32::CloseHandle(p r0)'
  ask:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(PROGRAM_RUNNING)" /SD IDCANCEL IDRETRY check
    SetErrorLevel ${EXIT_PROGRAM_RUNNING}
    Quit
  closed:
FunctionEnd
!macroend
!insertmacro DEFINE_WAIT_FOR_PROGRAM_CLOSED ""
!insertmacro DEFINE_WAIT_FOR_PROGRAM_CLOSED "un."

Function .onInit
  SetShellVarContext all
  SetRegView 64
  ; An installed copy is upgraded in its folder, wherever /D or the default would put a new one.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $0 "" +3
  IfFileExists "$0\uninstall.exe" 0 +2
    StrCpy $INSTDIR $0
  Call WaitForProgramClosed
FunctionEnd

Function SkipFolderOnUpgrade
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $0 $INSTDIR 0 +2
    Abort
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
  Call un.WaitForProgramClosed
FunctionEnd

Section "Install"
  ; The program may have been started since the installer was.
  Call WaitForProgramClosed
  !include "${FILES_DIR}\install-files.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\pwr455.exe" "" "" "" SW_SHOWNORMAL "" \
    "$(SHORTCUT_DESCRIPTION)"

  ; Data files: the program is offered for .qrb files (Open with), with its icon and command;
  ; it becomes the default only where no other program is.
  ReadRegStr $0 HKLM "Software\Classes\.qrb" ""
  StrCmp $0 "" 0 +2
    WriteRegStr HKLM "Software\Classes\.qrb" "" "${PROG_ID}"
  WriteRegStr HKLM "Software\Classes\.qrb\OpenWithProgids" "${PROG_ID}" ""
  WriteRegStr HKLM "Software\Classes\${PROG_ID}" "" "$(DOCUMENT_TYPE)"
  WriteRegStr HKLM "Software\Classes\${PROG_ID}\DefaultIcon" "" '"$INSTDIR\pwr455.exe",0'
  WriteRegStr HKLM "Software\Classes\${PROG_ID}\shell\open\command" "" '"$INSTDIR\pwr455.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\pwr455.exe",0'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Call un.WaitForProgramClosed
  Delete "$SMPROGRAMS\${APP_NAME}.lnk"

  ; Only what the installer added goes: the default while it is still this program's, the
  ; Open with entry, and the keys when nothing else is left in them.
  ReadRegStr $0 HKLM "Software\Classes\.qrb" ""
  StrCmp $0 "${PROG_ID}" 0 +2
    DeleteRegValue HKLM "Software\Classes\.qrb" ""
  DeleteRegValue HKLM "Software\Classes\.qrb\OpenWithProgids" "${PROG_ID}"
  DeleteRegKey /ifempty HKLM "Software\Classes\.qrb\OpenWithProgids"
  DeleteRegKey /ifempty HKLM "Software\Classes\.qrb"
  DeleteRegKey HKLM "Software\Classes\${PROG_ID}"
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'

  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  !include "${FILES_DIR}\uninstall-files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  ; The profile and the backups are the user's own (the program's folders in the user's
  ; application data): they go only when the user says so.
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(REMOVE_USER_FILES)" /SD IDNO IDNO done
    SetShellVarContext current
    RMDir /r "$APPDATA\${APP_NAME}"
    RMDir /r "$LOCALAPPDATA\${APP_NAME}"
    SetShellVarContext all
  done:
SectionEnd
