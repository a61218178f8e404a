; The installer of Orvanel for Windows: a per-user install, no administrator
; rights needed, with a Start-menu entry and an uninstaller registered under
; Add/Remove Programs. /S installs silently, /D=<folder> chooses the folder.
; Uninstalling leaves the saved tally where it is (the registry key of the
; program's settings).
;   makensis -DVERSION=<x.y.z> -DPUBLISHER=<who makes it> -DTREE=<folder with the program>
;            -DSIZE_KB=<its size> -DICON=<orvanel.ico> -DREMOVE=<list of what the
;            uninstaller removes> -DSIDE=<the finish page's picture, a BMP>
;            -DWEB_ADDRESS=<the maker's site> -DOUTFILE=<setup.exe>
;            orvanel.nsi
; Neither installs nor uninstalls while Orvanel runs (it holds the mutex
; "Orvanel.Running"), asked at the start and again just before the files are
; written or removed: the user is asked to close it, and a silent run fails with
; status 2, leaving everything as it was.
; One copy per user: installing into another folder moves Orvanel there (the
; copy found elsewhere is removed by its own uninstaller first). The Start-menu
; entry and the Apps entry belong to the registered copy: an uninstaller of any
; other copy (one an older setup left) leaves them to it.
; The list names each installed file (Delete) and folder (RMDir), deepest first,
; so that the uninstaller removes what it installed and nothing else.

; 64-bit, as the program is: it runs where the program runs.
Target amd64-unicode
; Sharp at any scale of the screen.
ManifestDPIAware true
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define NAME "Orvanel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"

Name "${NAME}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${NAME}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
BrandingText "${NAME} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${NAME}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${NAME} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "MIT licence; Qt under LGPL-3"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${SIDE}"
!insertmacro MUI_PAGE_LICENSE "${TREE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Orvanel.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"

LangString RUNNING ${LANG_ENGLISH} "Orvanel is running. Close it (its tally is saved), then choose Retry."
LangString RUNNING ${LANG_GERMAN} "Orvanel läuft. Beenden Sie es (der Zählerstand wird gespeichert) und wählen Sie dann „Wiederholen“."
LangString RUNNING ${LANG_FRENCH} "Orvanel est en cours d’exécution. Fermez-le (son décompte est enregistré), puis choisissez « Réessayer »."
LangString MOVING ${LANG_ENGLISH} "Removing the copy of Orvanel in $0"
LangString MOVING ${LANG_GERMAN} "Die Kopie von Orvanel in $0 wird entfernt"
LangString MOVING ${LANG_FRENCH} "Suppression de la copie d’Orvanel dans $0"

; Waits until Orvanel no longer runs, as the user closes it; fails a silent run.
!macro WaitUntilOrvanelEnds un
Function ${un}WaitUntilOrvanelEnds
  ${Do}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "Orvanel.Running") p .r0'
    ${If} $0 P= 0
      Return
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    ${If} ${Silent}
      SetErrorLevel 2
      Quit
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(RUNNING)" IDRETRY +2
    Quit
  ${Loop}
FunctionEnd
!macroend
!insertmacro WaitUntilOrvanelEnds ""
!insertmacro WaitUntilOrvanelEnds "un."

Function .onInit
  Call WaitUntilOrvanelEnds
FunctionEnd

Function un.onInit
  Call un.WaitUntilOrvanelEnds
FunctionEnd

Section "Orvanel"
  ; Orvanel may have been started while the wizard showed its pages.
  Call WaitUntilOrvanelEnds
  ; A copy registered in another folder goes first, by its own uninstaller,
  ; waited for in place: no copy is left behind without its entries. The
  ; tally, in the registry, stays; so do files of the user's in that folder.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} $0 != $INSTDIR
  ${AndIf} ${FileExists} "$0\Uninstall.exe"
    DetailPrint "$(MOVING)"
    ExecWait '"$0\Uninstall.exe" /S _?=$0' $1
    ; Run in place, it cannot remove itself; one that failed stays, to be run again.
    ${If} $1 == 0
      Delete "$0\Uninstall.exe"
      RMDir "$0"
    ${EndIf}
  ${EndIf}
  SetOutPath "$INSTDIR"
  File /r "${TREE}\*.*"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ; The shortcut starts Orvanel in the user's own folder, never in its
  ; installation: what its dialogs save goes where the user keeps files.
  SetOutPath "$PROFILE"
  CreateShortCut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\Orvanel.exe"
  SetOutPath "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Orvanel.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${WEB_ADDRESS}"
  ${GetTime} "" "L" $0 $1 $2 $3 $4 $5 $6
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallDate" "$2$1$0"
SectionEnd

Section "Uninstall"
  Call un.WaitUntilOrvanelEnds
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    Delete "$SMPROGRAMS\${NAME}.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}
  !include "${REMOVE}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
