; The Windows installer of the QOLMEX 70 programmer, for NSIS 3 (makensis runs on Linux too).
; scripts/package-windows.sh builds the programs and then this, with
;   makensis -INPUTCHARSET UTF8 -DVERSION=<version> -DPROGRAMS=<folder of the three .exe>
;            -DICON=<the program's .ico> -DOUTPUT=<setup .exe> installer/qolmex70.nsi
; The programs are single .exe files that need only Windows' own DLLs; the vendor's
; FTD2XX.DLL comes with the chip maker's driver.

; A 64-bit installer for the 64-bit programs: it runs under Wine without 32-bit support too.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!include "MUI2.nsh"

!define PRODUCT "Programátor QOLMEX 70"
!define DEMO "Programátor QOLMEX 70 (ukážka)"
!define PUBLISHER "Korvalex"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QOLMEX70"

Name "${PRODUCT}"
OutFile "${OUTPUT}"
InstallDir "$PROGRAMFILES64\QOLMEX 70"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1051 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1051 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1051 "FileDescription" "Inštalátor programu ${PRODUCT}"
VIAddVersionKey /LANG=1051 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1051 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1051 "LegalCopyright" "2026 autori programátora QOLMEX 70"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\qolmex70.exe"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Slovak"

Section "Program"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "${PROGRAMS}\qolmex70.exe"
    File "${PROGRAMS}\qolmex70-demo.exe"
    File "${PROGRAMS}\qolmex70-cli.exe"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\qolmex70.exe"
    CreateShortCut "$SMPROGRAMS\${DEMO}.lnk" "$INSTDIR\qolmex70-demo.exe"

    ; Windows' list of installed programs.
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\qolmex70.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    Delete "$SMPROGRAMS\${DEMO}.lnk"
    Delete "$INSTDIR\qolmex70.exe"
    Delete "$INSTDIR\qolmex70-demo.exe"
    Delete "$INSTDIR\qolmex70-cli.exe"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
