; The uninstaller's first page: what goes, and a check box, unticked, to
; remove the user's action list and options as well. A silent uninstall
; never shows it, so it keeps them.

Var RemoveSettingsBox
Var RemoveSettings

UninstPage custom un.ShowOptionsPage un.LeaveOptionsPage

Function un.ShowOptionsPage
  !insertmacro MUI_HEADER_TEXT "Uninstall Cursovia" "Remove Cursovia from your computer."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 40u "Cursovia will be removed from $INSTDIR, with its Start menu shortcut and its start at log-on.$\r$\n$\r$\nYour action list and options stay, for a later installation, unless you tick the box below."
  Pop $0
  ${NSD_CreateCheckbox} 0 52u 100% 12u "Also remove my action list and options"
  Pop $RemoveSettingsBox
  ${NSD_SetState} $RemoveSettingsBox $RemoveSettings
  GetDlgItem $0 $HWNDPARENT 1
  SendMessage $0 ${WM_SETTEXT} 0 "STR:$(^UninstallBtn)"
  nsDialogs::Show
FunctionEnd

Function un.LeaveOptionsPage
  ${NSD_GetState} $RemoveSettingsBox $RemoveSettings
FunctionEnd
