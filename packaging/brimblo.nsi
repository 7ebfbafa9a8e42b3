; The installer. It copies the program and its site address file into one folder (under
; Program Files unless the user picks another), adds a Start menu entry and, when chosen,
; a desktop shortcut, both starting the program from that folder because the program
; reads web.dat from its working directory, and registers an uninstaller in the system's
; list of programs. The uninstaller deletes exactly those files, shortcuts and registry
; values, and the folder only when nothing else is left in it; while the program is
; running it asks for it to be closed (silently: it stops and changes nothing).
;
; Silent use:  brimblo-VERSION-setup.exe /S [/NODESKTOP] [/D=C:\Folder]
;              uninstall.exe /S
; The build passes PRODUCT_NSH (names, version, input files) and PROGRAM (brimblo.exe),
; and TARGET for an installer of a 64-bit build of the program.

Unicode true
!ifdef TARGET
  Target ${TARGET}
!endif
SetCompressor /SOLID lzma
!include "${PRODUCT_NSH}"
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "Sections.nsh"

Name "${PRODUCT_NAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${INSTALL_FOLDER}"
; A new version goes where the previous one was installed.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ManifestDPIAware true
BrandingText "${PRODUCT_NAME} ${PRODUCT_VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is used where the system's own is neither of the two.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString SectionProgram ${LANG_ENGLISH} "Program"
LangString SectionProgram ${LANG_SIMPCHINESE} "程序"
LangString SectionDesktop ${LANG_ENGLISH} "Desktop shortcut"
LangString SectionDesktop ${LANG_SIMPCHINESE} "桌面快捷方式"
LangString ProgramRunning ${LANG_ENGLISH} "${PRODUCT_NAME} is still open. Close it, then choose Retry."
LangString ProgramRunning ${LANG_SIMPCHINESE} "${PRODUCT_NAME} 仍在运行。请先关闭它，然后点击“重试”。"

VIProductVersion "${PRODUCT_VERSION_QUAD}"
VIFileVersion "${PRODUCT_VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${PRODUCT_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${PRODUCT_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT_NAME} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${COPYRIGHT}"

; A shortcut to the installed program whose working folder is the installation folder.
!macro ProgramShortcut LINK
  SetOutPath "$INSTDIR"
  CreateShortCut "${LINK}" "$INSTDIR\brimblo.exe" "" "$INSTDIR\brimblo.exe" 0
!macroend

; Adds a file's size in KiB to $R9.
!macro AddFileSize FILE
  ${GetSize} "$INSTDIR" "/M=${FILE} /S=0K /G=0" $0 $1 $2
  IntOp $R9 $R9 + $0
!macroend

Section "!$(SectionProgram)" SecProgram
  SectionIn RO
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "/oname=brimblo.exe" "${PROGRAM}"
  File "/oname=web.dat" "${WEB_DAT}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  !insertmacro ProgramShortcut "$SMPROGRAMS\${SHORTCUT_NAME}.lnk"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${PRODUCT_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brimblo.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  StrCpy $R9 0
  !insertmacro AddFileSize "brimblo.exe"
  !insertmacro AddFileSize "web.dat"
  !insertmacro AddFileSize "${UNINSTALLER}"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $R9
SectionEnd

Section "$(SectionDesktop)" SecDesktop
  SetShellVarContext all
  !insertmacro ProgramShortcut "$DESKTOP\${SHORTCUT_NAME}.lnk"
  ; Remembered so that the uninstaller removes a desktop shortcut only when it made one.
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "DesktopShortcut" 1
SectionEnd

Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/NODESKTOP" $R1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecDesktop}
  ${EndIf}
FunctionEnd

; The finish page's "run" box: the program starts from its folder, as from its shortcuts.
Function StartProgram
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\brimblo.exe"'
FunctionEnd

; Windows does not delete a running program's file: the removal would leave it and its
; folder behind. Writing to it fails the same way, which tells that it is running.
Function un.WaitUntilProgramClosed
  retry:
  ${IfNot} ${FileExists} "$INSTDIR\brimblo.exe"
    Return
  ${EndIf}
  ClearErrors
  FileOpen $0 "$INSTDIR\brimblo.exe" a
  ${IfNot} ${Errors}
    FileClose $0
    Return
  ${EndIf}
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ProgramRunning)" /SD IDCANCEL IDRETRY retry
  Abort
FunctionEnd

Section "Uninstall"
  Call un.WaitUntilProgramClosed
  SetShellVarContext all
  Delete "$SMPROGRAMS\${SHORTCUT_NAME}.lnk"
  ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "DesktopShortcut"
  ${If} $0 = 1
    Delete "$DESKTOP\${SHORTCUT_NAME}.lnk"
  ${EndIf}
  Delete "$INSTDIR\brimblo.exe"
  Delete "$INSTDIR\web.dat"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Not /r: a folder that also holds the user's own files stays, with those files.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
