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
;
; Exit codes of silent runs (/S), for scripts; each refusal changes nothing:
;   0  done
;   2  Cursovia is running (RunningProgram.nsh)
;   3  installer: the folder holds files and no earlier Cursovia
;   4  uninstaller: files it could not remove (held open by another program);
;      it removed what it could and kept its uninstall entry, to be run again
; The uninstall entry's QuietUninstallString runs the uninstaller in place
; (_?=) so that its exit code reaches the caller; run without _?=, the
; uninstaller copies itself to the temporary folder and returns at once.

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

!include "${__FILEDIR__}/InstallFolder.nsh"

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
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE LeaveFolderPage
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
  ReadRegStr $EarlierFolder HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ; The folder page checks the folder a user types; /D= of a silent run is checked here.
  ${If} ${Silent}
    Call RefuseForeignFolder
  ${EndIf}
FunctionEnd

Function LeaveFolderPage
  Call RefuseForeignFolder
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
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; The folder's own files only: /G=0 keeps GetSize out of its subfolders.
  ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  Call RemoveEarlierCopy
SectionEnd

; The copy that removes the in-place uninstaller's file and the folder.
!define REMOVE_FOLDER_OPTION "/RemoveFolder"

Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "${REMOVE_FOLDER_OPTION}" $1
  ${IfNot} ${Errors}
    Call un.RemoveFolderOnceFree
    Quit
  ${EndIf}
  Call un.RefuseWhileRunning
FunctionEnd

; Waits up to 30 s for the uninstaller in the folder to end, then removes it
; and the folder, if empty.
Function un.RemoveFolderOnceFree
  StrCpy $1 0
  ${Do}
    ClearErrors
    Delete "$INSTDIR\${UNINSTALLER}"
    ${IfNot} ${Errors}
      ${Break}
    ${EndIf}
    Sleep 100
    IntOp $1 $1 + 1
  ${LoopUntil} $1 >= 300
  RMDir "$INSTDIR"
FunctionEnd

Var NotRemoved

; Deletes a file, adding its path to NotRemoved when it is there and cannot go.
!macro REMOVE_FILE PATH
  ClearErrors
  Delete "${PATH}"
  ${If} ${Errors}
    StrCpy $NotRemoved "$NotRemoved$\r$\n${PATH}"
  ${EndIf}
!macroend

Section "Uninstall"
  ; Only the files this installer put there: the folder may have been chosen
  ; by the user and hold other files (a skin, a cursor).
  StrCpy $NotRemoved ""
  !insertmacro REMOVE_FILE "$INSTDIR\${EXE}"
  !insertmacro REMOVE_FILE "$INSTDIR\README.txt"
  !insertmacro REMOVE_FILE "$INSTDIR\LICENSE.txt"

  ${IfNot} ${FileExists} "$INSTDIR\${EXE}"
    Delete "$SMPROGRAMS\Cursovia.lnk"
    ; The program's own log-on entry, when it starts this installation; one
    ; that starts a copy elsewhere belongs to that copy.
    ReadRegStr $0 HKCU "${RUN_KEY}" "${EXE}"
    ${If} $0 == '"$INSTDIR\${EXE}"'
      DeleteRegValue HKCU "${RUN_KEY}" "${EXE}"
    ${EndIf}
  ${EndIf}

  ${If} $NotRemoved == ""
    ${If} $EXEDIR == $INSTDIR
      ; Started in place (_?=): a running program's file cannot be deleted.
      ; A copy in the temporary folder deletes it, and the folder, once this
      ; one has ended; the copy stays there, as the uninstaller's own does.
      GetTempFileName $0
      Delete $0
      CopyFiles /SILENT "$EXEPATH" "$0.exe"
      Exec '"$0.exe" ${REMOVE_FOLDER_OPTION} _?=$INSTDIR'
    ${Else}
      !insertmacro REMOVE_FILE "$INSTDIR\${UNINSTALLER}"
    ${EndIf}
  ${EndIf}

  ; What is left keeps the uninstall entry and the settings, so that the
  ; uninstaller can be run again once the files are free.
  ${If} $NotRemoved != ""
    MessageBox MB_OK|MB_ICONEXCLAMATION \
      "These files could not be removed; another program may hold them open:$\r$\n$NotRemoved$\r$\n$\r$\nClose that program, then uninstall Cursovia again: it stays in the list of installed apps until then." \
      /SD IDOK
    SetErrorLevel 4
    Return
  ${EndIf}

  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ${If} $RemoveSettings == ${BST_CHECKED}
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "${SETTINGS_PARENT_KEY}"
  ${EndIf}
SectionEnd
