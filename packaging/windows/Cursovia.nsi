; The installer of Cursovia: for one user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Cursovia, with a Start menu shortcut and an entry in
; the user's list of installed apps. It never touches the user's settings
; (HKCU\Software\Kelvardo\Cursovia), so installing over an older version keeps
; the action list and options.
;
; build.sh beside this file compiles it, defining:
;   VERSION       the release, e.g. 1.0.0
;   VERSION_QUAD  the same with four numbers, e.g. 1.0.0.0
;   STAGE_DIR     a folder holding Cursovia.exe, README.txt and LICENSE.txt
;   ICON          the program's icon
;   OUT_FILE      the installer to write

Unicode true
; The program is 64-bit only; so is its installer.
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma
; A file that cannot be replaced (the program still running) offers Retry and
; Cancel, never Ignore: a half-updated installation is worse than none.
AllowSkipFiles off

!include MUI2.nsh
!include LogicLib.nsh
!include nsDialogs.nsh
!include FileFunc.nsh
!include "${__FILEDIR__}/RunningProgram.nsh"

!define PUBLISHER "Kelvardo"
!define EXE "Cursovia.exe"
!define UNINSTALLER "Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Cursovia"
; The program's log-on entry: a value named after its file name, holding its quoted path.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The action list and options: the program's, the installer's only to delete on request.
!define SETTINGS_PARENT_KEY "Software\Kelvardo"
!define SETTINGS_KEY "${SETTINGS_PARENT_KEY}\Cursovia"

Name "Cursovia"
OutFile "${OUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\Cursovia"
; An update goes where the last installation went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Cursovia ${VERSION}"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "Cursovia"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "Cursovia ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 Kelvardo"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_LICENSE "${STAGE_DIR}/LICENSE.txt"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE RefuseWhileRunning
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "Start Cursovia"
!insertmacro MUI_PAGE_FINISH

!include "${__FILEDIR__}/UninstallOptionsPage.nsh"
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

!insertmacro REFUSE_WHILE_RUNNING ""
!insertmacro REFUSE_WHILE_RUNNING "un."

Function .onInit
  Call RefuseWhileRunning
FunctionEnd

Section "Cursovia"
  SetOutPath "$INSTDIR"
  File "${STAGE_DIR}/${EXE}"
  File "${STAGE_DIR}/README.txt"
  File "${STAGE_DIR}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateShortcut "$SMPROGRAMS\Cursovia.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 \
    SW_SHOWNORMAL "" "Replay a list of mouse actions"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Cursovia"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  Call un.RefuseWhileRunning
FunctionEnd

Section "Uninstall"
  ; Only the files this installer put there: the folder may have been chosen
  ; by the user and hold other files (a skin, a cursor).
  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Cursovia.lnk"

  ; The program's own log-on entry, when it starts this installation; one
  ; that starts a copy elsewhere belongs to that copy.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${EXE}"
  ${If} $0 == '"$INSTDIR\${EXE}"'
    DeleteRegValue HKCU "${RUN_KEY}" "${EXE}"
  ${EndIf}

  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ${If} $RemoveSettings == ${BST_CHECKED}
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "${SETTINGS_PARENT_KEY}"
  ${EndIf}
SectionEnd
