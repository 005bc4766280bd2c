; The installation folder: the installer writes only into a folder of its own,
; and an update into another folder moves the installation there.

; Where the last installation went (the uninstall entry's InstallLocation), or empty.
Var EarlierFolder

; Refuses a folder that holds files and no earlier Cursovia: installing there
; would overwrite another program's README.txt, LICENSE.txt or Uninstall.exe,
; and the uninstaller would later delete them. On the folder page the user is
; told why and stays on the page; a silent run changes nothing and ends with
; exit code 3.
Function RefuseForeignFolder
  ${DirState} "$INSTDIR" $0 ; -1 absent, 0 empty, 1 holds something
  ${If} $0 == 1
  ${AndIfNot} ${FileExists} "$INSTDIR\${EXE}"
  ${AndIf} $INSTDIR != $EarlierFolder
    MessageBox MB_OK|MB_ICONEXCLAMATION \
      "$INSTDIR already holds other files, and no Cursovia.$\r$\n$\r$\nCursovia goes into a folder of its own: choose an empty or a new folder." \
      /SD IDOK
    ${If} ${Silent}
      SetErrorLevel 3
      Quit
    ${EndIf}
    Abort
  ${EndIf}
FunctionEnd

; After an update into another folder: removes the earlier copy's files, so
; that no second Cursovia stays behind, and moves its log-on entry to this
; one. The earlier folder's other files (a skin, a cursor) stay.
Function RemoveEarlierCopy
  ${If} $EarlierFolder == ""
  ${OrIf} $EarlierFolder == $INSTDIR
    Return
  ${EndIf}
  ; The same folder may be spelt differently (short names): compare the
  ; short forms of the two folders; one that cannot be named is no earlier copy.
  GetFullPathName /SHORT $0 "$EarlierFolder"
  GetFullPathName /SHORT $1 "$INSTDIR"
  ${If} $0 == ""
  ${OrIf} $1 == ""
  ${OrIf} $0 == $1
    Return
  ${EndIf}
  ReadRegStr $0 HKCU "${RUN_KEY}" "${EXE}"
  ${If} $0 == '"$EarlierFolder\${EXE}"'
    WriteRegStr HKCU "${RUN_KEY}" "${EXE}" '"$INSTDIR\${EXE}"'
  ${EndIf}
  ClearErrors
  Delete "$EarlierFolder\${EXE}"
  Delete "$EarlierFolder\README.txt"
  Delete "$EarlierFolder\LICENSE.txt"
  Delete "$EarlierFolder\${UNINSTALLER}"
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONEXCLAMATION \
      "Cursovia is now in $INSTDIR. Some files of the earlier installation in $EarlierFolder could not be removed; another program may hold them open. Delete them yourself." \
      /SD IDOK
  ${EndIf}
  RMDir "$EarlierFolder"
FunctionEnd
