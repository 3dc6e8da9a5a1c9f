; The Windows installer of Orvanet (scripts/windows-build.sh runs makensis with
; /DVERSION=, /DSTAGE= (the folder holding orvanet.exe, orvanet-tool.exe, the
; DLLs, plugins\ and fonts\) and /DOUTFILE=). Installs for all users under
; Program Files, adds a Start-menu entry and an uninstaller; /S installs silently.
Target amd64-unicode  ; a 64-bit installer for a 64-bit program (and Wine without its 32-bit part)
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!ifndef VERSION
  !error "VERSION is not given"
!endif
!ifndef STAGE
  !error "STAGE is not given"
!endif
!ifndef OUTFILE
  !error "OUTFILE is not given"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvanet"

Name "Orvanet ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Orvanet"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
Icon "${STAGE}\orvanet.ico"
UninstallIcon "${STAGE}\orvanet.ico"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Orvanet"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\Orvanet"
  CreateShortCut "$SMPROGRAMS\Orvanet\Orvanet.lnk" "$INSTDIR\orvanet.exe" "" "$INSTDIR\orvanet.ico"
  CreateShortCut "$SMPROGRAMS\Orvanet\Uninstall Orvanet.lnk" "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Orvanet"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Orvanet"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\orvanet.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The program's own files only: the workspace (TarvinaLabData) and orvanet.ini stay.
Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Orvanet\Orvanet.lnk"
  Delete "$SMPROGRAMS\Orvanet\Uninstall Orvanet.lnk"
  RMDir "$SMPROGRAMS\Orvanet"
  RMDir /r "$INSTDIR\plugins"
  RMDir /r "$INSTDIR\fonts"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\orvanet.exe"
  Delete "$INSTDIR\orvanet-tool.exe"
  Delete "$INSTDIR\orvanet.ico"
  Delete "$INSTDIR\qt.conf"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
