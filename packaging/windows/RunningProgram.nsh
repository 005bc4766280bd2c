; Refusing to install or uninstall over a running Cursovia: Windows keeps the
; file of a running program locked. The program stores its list after every
; change, so closing it loses nothing; the user closes it and retries. A silent
; run changes nothing and ends with exit code 2.

; The class of Cursovia's main window, which lives as long as the program does
; (also while it sits in the notification area).
!define MAIN_WINDOW_CLASS "CursoviaMainWindow"

; Defines the function RefuseWhileRunning, with PREFIX "un." the uninstaller's.
!macro REFUSE_WHILE_RUNNING PREFIX
  Function ${PREFIX}RefuseWhileRunning
    retry:
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    StrCmp $0 0 done
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Cursovia is running. Close it (also from the notification area), then click Retry." \
      /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
    done:
  FunctionEnd
!macroend
