; The Windows installer, made by scripts/build-windows.sh:
;   makensis -DSTAGE=<folder laid out as installed> -DVERSION=2.0 -DOUTFILE=<setup.exe> vadrel.nsi
; It installs the staged folder whole (bin\ with the programs, their DLLs and
; Qt's plugins; share\vadrel\ with the templates, help, schemas and map
; scripts; share\proj\proj.db), a Start-menu folder and an uninstaller. The
; person's working folder (%USERPROFILE%\Vadrel) is filled by the program at
; its first start, never by the installer, and the uninstaller leaves it:
; it holds the person's own files.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "x64.nsh"

Name "Vadrel ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Vadrel"
InstallDirRegKey HKLM "Software\Vadrel" "InstallDir"
RequestExecutionLevel admin
BrandingText "Vadrel ${VERSION}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vadrel"
!define MUI_ICON "${STAGE}\bin\vadrel.ico"
!define MUI_UNICON "${STAGE}\bin\vadrel.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\bin\vadrel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Abrir Vadrel"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Spanish"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductName" "Vadrel"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileDescription" "Instalador de Vadrel"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "CompanyName" "Equipo de Vadrel"
VIAddVersionKey /LANG=${LANG_SPANISH} "LegalCopyright" "© Equipo de Vadrel"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "Vadrel necesita Windows de 64 bits."
    Abort
  ${EndIf}
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Vadrel"
  SetShellVarContext all
  ; A previous version's files go first: a DLL or plugin it had and this
  ; one lacks would otherwise be loaded beside the new ones.
  RMDir /r "$INSTDIR\bin"
  RMDir /r "$INSTDIR\share"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*"
  WriteUninstaller "$INSTDIR\desinstalar.exe"

  CreateDirectory "$SMPROGRAMS\Vadrel"
  ; Started from the menu the program works in %USERPROFILE%\Vadrel, since
  ; its own folder holds no templates.
  SetOutPath "$INSTDIR\bin"
  CreateShortcut "$SMPROGRAMS\Vadrel\Vadrel.lnk" "$INSTDIR\bin\vadrel.exe" "" "$INSTDIR\bin\vadrel.ico" 0
  CreateShortcut "$SMPROGRAMS\Vadrel\Ayuda de Vadrel.lnk" "$INSTDIR\share\vadrel\ayuda.pdf"
  CreateShortcut "$SMPROGRAMS\Vadrel\Desinstalar Vadrel.lnk" "$INSTDIR\desinstalar.exe"

  WriteRegStr HKLM "Software\Vadrel" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Vadrel ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Equipo de Vadrel"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\bin\vadrel.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\desinstalar.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\desinstalar.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Vadrel\Vadrel.lnk"
  Delete "$SMPROGRAMS\Vadrel\Ayuda de Vadrel.lnk"
  Delete "$SMPROGRAMS\Vadrel\Desinstalar Vadrel.lnk"
  RMDir "$SMPROGRAMS\Vadrel"
  RMDir /r "$INSTDIR\bin"
  RMDir /r "$INSTDIR\share"
  Delete "$INSTDIR\desinstalar.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\Vadrel"
SectionEnd
