; Veilpix's installer: per user, without administrator rights, with an uninstaller that also
; removes what Veilpix stored for the user.
;
; Built by the `dist` target:
;   makensis -INPUTCHARSET UTF8 -DTARGET=x86-unicode -DVEILPIX_EXE=<Veilpix.exe>
;            -DSETUP_ICON=<setup.ico> -DRESOURCE_H=<resources/resource.h> -DSIGN=<sign.sh>
;            -DOUTFILE=<setup.exe> veilpix.nsi
;
; Installer command line:
;   /S              silent
;   /AUTOSTART=0|1  start Veilpix when the user logs on (default 1, as the check box)
;   /D=<folder>     install folder; last, unquoted
; Uninstaller command line:
;   /S              silent
;   _?=<folder>     run in place and return when done (the uninstaller itself stays)

Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh

; Values the program's own resource header defines, so the installer and Veilpix agree. A
; value ends at the first blank: a trailing comment is not part of it.
!macro DEFINE_FROM_RESOURCE_H NAME
  !searchparse /file "${RESOURCE_H}" "#define ${NAME} " RESOURCE_H_LINE
  !searchparse "${RESOURCE_H_LINE} " "" ${NAME} " "
  !undef RESOURCE_H_LINE
!macroend
!insertmacro DEFINE_FROM_RESOURCE_H IDM_END
!insertmacro DEFINE_FROM_RESOURCE_H VEILPIX_VERSION_MAJOR
!insertmacro DEFINE_FROM_RESOURCE_H VEILPIX_VERSION_MINOR

!define PRODUCT Veilpix
!define PUBLISHER "Veilpix developers"
!define VERSION ${VEILPIX_VERSION_MAJOR}.${VEILPIX_VERSION_MINOR}
!define EXE Veilpix.exe
!define UNINSTALLER uninstall.exe
; The tray window's class (win32/tray_window.h): how a running Veilpix is found.
!define MAIN_WINDOW_CLASS VeilpixTray
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
; The same name in every language, so an uninstaller running in another one still finds it.
!define TOGGLE_SHORTCUT "$SMPROGRAMS\${PRODUCT} - switch pictures.lnk"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SETTINGS_KEY "Software\${PRODUCT}"
!define SYNCHRONIZE 0x00100000
!define WAIT_OBJECT_0 0
!define END_TIMEOUT_MS 10000
!define ORIGINAL_END_TENTHS 50

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An upgrade goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" InstallLocation
BrandingText "${PRODUCT} ${VERSION}"
; The same commit makes the same installer: no file's build time goes in.
SetDateSave off
; A maintainer's certificate (sign.sh) signs the uninstaller this carries and the installer.
; Only then is the uninstaller made apart, to be signed: packed whole, it takes 48 KB more.
; An unset variable stays as written, "$%" first.
!searchparse /noerrors "$%VEILPIX_SIGN_PKCS12%" "$%" UNSIGNED
!if "$%VEILPIX_SIGN_PKCS12%" != ""
  !ifndef UNSIGNED
    !uninstfinalize '"${SIGN}" "%1"'
    !finalize '"${SIGN}" "%1"'
  !endif
!endif

!define MUI_ICON "${SETUP_ICON}"
!define MUI_UNICON "${SETUP_ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one shown where the user's language is neither.
!insertmacro MUI_LANGUAGE Japanese
!insertmacro MUI_LANGUAGE English
!include texts.nsh

VIProductVersion ${VERSION}.0.0
VIFileVersion ${VERSION}.0.0
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey ProductVersion ${VERSION}.0.0
VIAddVersionKey FileVersion ${VERSION}.0.0
VIAddVersionKey FileDescription "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey LegalCopyright "Copyright (C) 2026 ${PUBLISHER}, MIT License"

; A running Veilpix holds its exe open, and it writes its position into the settings as it
; ends. Every running copy is asked to end through its 終了 command and waited for, so files
; and settings are removed only after it has gone.
!macro END_RUNNING_VEILPIX UN
  Function ${UN}EndRunningVeilpix
    ${Do}
      FindWindow $0 "${MAIN_WINDOW_CLASS}"
      ${IfThen} $0 = 0 ${|} ${ExitDo} ${|}
      DetailPrint "$(EndingVeilpix)"
      System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1)"
      System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r1"
      System::Call "user32::PostMessageW(p r0, i ${WM_COMMAND}, p ${IDM_END}, p 0)"
      System::Call "kernel32::WaitForSingleObject(p r1, i ${END_TIMEOUT_MS}) i .r2"
      System::Call "kernel32::CloseHandle(p r1)"
      ${If} $2 <> ${WAIT_OBJECT_0}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(VeilpixStillRunning)" /SD IDCANCEL \
          IDRETRY +2
        Abort
      ${EndIf}
    ${Loop}
  FunctionEnd
!macroend
!insertmacro END_RUNNING_VEILPIX ""
!insertmacro END_RUNNING_VEILPIX "un."

Section "$(SectionProgram)" SectionProgram
  SectionIn RO
  Call EndRunningVeilpix
  SetOutPath "$INSTDIR"
  File "/oname=${EXE}" "${VEILPIX_EXE}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${EXE}"
  ; Windows gives a Start-menu shortcut's key to the whole desktop: a switch from anywhere.
  CreateShortcut "${TOGGLE_SHORTCUT}" "$INSTDIR\${EXE}" /toggle "$INSTDIR\${EXE}" 0 \
    SW_SHOWNORMAL CONTROL|ALT|I "$(ToggleShortcutDescription)"
  ; An upgrade starts from no log-on entry; the log-on section adds it back when chosen.
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  Call RegisterUninstaller
SectionEnd

Section "$(SectionAutostart)" SectionAutostart
  WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\${EXE}"'
SectionEnd

; The entry of Windows' list of installed programs.
Function RegisterUninstaller
  WriteRegStr HKCU "${UNINSTALL_KEY}" DisplayName "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" Publisher "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" NoRepair 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" EstimatedSize $0
FunctionEnd

Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AUTOSTART=" $1
  ${IfNot} ${Errors}
    ${If} $1 == 0
      !insertmacro UnselectSection ${SectionAutostart}
    ${ElseIf} $1 != 1
      MessageBox MB_ICONSTOP "$(BadAutostartOption)" /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

; Run as usual, the uninstaller works from a copy of itself that it starts just before it ends:
; its own file can go only once it has ended. Run in place (_?=), it stays.
Function un.RemoveUninstaller
  ${IfThen} $EXEPATH == "$INSTDIR\${UNINSTALLER}" ${|} Return ${|}
  ${For} $0 1 ${ORIGINAL_END_TENTHS}
    Delete "$INSTDIR\${UNINSTALLER}"
    ${IfNotThen} ${FileExists} "$INSTDIR\${UNINSTALLER}" ${|} ${ExitFor} ${|}
    Sleep 100
  ${Next}
FunctionEnd

Section Uninstall
  Call un.EndRunningVeilpix
  Delete "$INSTDIR\${EXE}"
  Call un.RemoveUninstaller
  ; A folder that is a process's working folder cannot be removed.
  SetOutPath "$TEMP"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"
  Delete "${TOGGLE_SHORTCUT}"
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd
