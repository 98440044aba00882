; The Zelvane installer. It installs for the player alone, without
; administrator rights, into the player's own programs folder, where the game
; may write its records file beside itself as it always has. The uninstaller
; removes what was installed and keeps the records.
;
; makensis -DVERSION=1.0.0 -DSTAGE=<folder to install> -DFILES=<files.nsh>
;          -DICON=<zelvane.ico> -DOUTFILE=<setup.exe> zelvane.nsi
; FILES holds the macros InstallFiles and RemoveFiles, ForEachCue and the
; size ESTIMATED_KB, written by build.sh from the staged folder, so that the
; installer and the uninstaller name the same files. ForEachCue names each
; sound cue with its staged file and its SHA-256.

Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!define PRODUCT "Zelvane"
!define PUBLISHER "Zelvane developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelvane"
!define UNINSTALLER "Uninstall Zelvane.exe"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Zelvane"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} installer"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright 2026 ${PUBLISHER}"

!include "LogicLib.nsh"
!include "MUI2.nsh"
!include "${FILES}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Play ${PRODUCT} now"
!define MUI_FINISHPAGE_RUN_FUNCTION PlayNow

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The game opens its cues and records by plain names, so it starts in its folder.
Function PlayNow
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\zelvane.exe"'
FunctionEnd

; Both the installer and the uninstaller need these; NSIS wants the
; uninstaller's own copies of them, named with "un.".
!macro Helpers un
; A running game holds zelvane.exe: it could be neither replaced nor removed.
; The player is asked to close it; a silent run fails rather than leave the
; old game in place. Only a refusal to share the file means the game runs.
Function ${un}CloseTheGameFirst
  ${Do}
    System::Call 'kernel32::CreateFileW(w "$INSTDIR\zelvane.exe", i 0x40000000, i 7, p 0, i 3, i 0x80, p 0) p .r0 ?e'
    Pop $1
    ${If} $0 <> -1
      System::Call 'kernel32::CloseHandle(p r0)'
      Return
    ${EndIf}
    ${IfNot} $1 = 32
      Return
    ${EndIf}
    ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Zelvane is running. Close the game, then click Retry." /SD IDCANCEL IDCANCEL`
      SetErrorLevel 2
      Abort "Zelvane is running: nothing was changed."
    ${EndIf}
  ${Loop}
FunctionEnd

; The SHA-256 of the file named on the stack, in lower-case hex, in its place;
; empty when it cannot be read. Cues are small: the file is read whole.
Function ${un}Sha256
  Exch $0
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  Push $6
  Push $7
  StrCpy $6 ""
  ClearErrors
  FileOpen $1 $0 r
  ${IfNot} ${Errors}
    System::Call 'kernel32::GetFileSizeEx(p r1, *l .r2) i .r3'
    ${If} $3 <> 0
      System::Alloc $2
      Pop $4
      System::Alloc 32
      Pop $7
      System::Call 'kernel32::ReadFile(p r1, p r4, i r2, *i .r3, p 0) i .r5'
      ${If} $5 <> 0
      ${AndIf} $3 = $2
        ; A provider of SHA-256 that needs no key container: PROV_RSA_AES, CRYPT_VERIFYCONTEXT.
        System::Call 'advapi32::CryptAcquireContextW(*p .r2, p 0, p 0, i 24, i 0xF0000000) i .r0'
        ${If} $0 <> 0
          ; CALG_SHA_256, then HP_HASHVAL.
          System::Call 'advapi32::CryptCreateHash(p r2, i 0x800C, p 0, i 0, *p .r5) i .r0'
          ${If} $0 <> 0
            System::Call 'advapi32::CryptHashData(p r5, p r4, i r3, i 0) i .r0'
            ${If} $0 <> 0
              System::Call 'advapi32::CryptGetHashParam(p r5, i 2, p r7, *i 32, i 0) i .r0'
            ${EndIf}
            ${If} $0 <> 0
              ${For} $0 0 31
                IntPtrOp $3 $7 + $0
                System::Call '*$3(&i1 .r3)'
                IntOp $3 $3 & 0xFF
                IntFmt $3 "%02x" $3
                StrCpy $6 "$6$3"
              ${Next}
            ${EndIf}
            System::Call 'advapi32::CryptDestroyHash(p r5)'
          ${EndIf}
          System::Call 'advapi32::CryptReleaseContext(p r2, i 0)'
        ${EndIf}
      ${EndIf}
      System::Free $7
      System::Free $4
    ${EndIf}
    FileClose $1
  ${EndIf}
  StrCpy $0 $6
  Pop $7
  Pop $6
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
!macroend
!insertmacro Helpers ""
!insertmacro Helpers "un."

; A cue the player replaced with their own is kept: one is ours when it is
; the cue this installer ships, or the one the last install shipped.
!macro InstallCue name file sha256
  Push "$INSTDIR\${name}"
  Call Sha256
  Pop $0
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "Shipped ${name}"
  ${If} ${FileExists} "$INSTDIR\${name}"
  ${AndIf} $0 != "${sha256}"
  ${AndIf} $0 != $1
    DetailPrint "Kept your own ${name}"
  ${Else}
    File "${file}"
  ${EndIf}
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Shipped ${name}" "${sha256}"
!macroend

; Only our own cue goes; the player's stays with their records.
!macro RemoveCue name file sha256
  Push "$INSTDIR\${name}"
  Call un.Sha256
  Pop $0
  ${If} $0 == "${sha256}"
    Delete "$INSTDIR\${name}"
  ${EndIf}
!macroend

Section "Zelvane"
  Call CloseTheGameFirst
  SetOutPath "$INSTDIR"
  !insertmacro InstallFiles
  SetOutPath "$INSTDIR"
  !insertmacro ForEachCue InstallCue
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; The shortcut starts in $OUTDIR, the game's folder.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\zelvane.exe" "" "$INSTDIR\zelvane.exe" 0

  ; What "Apps & features" shows and runs.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zelvane.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${ESTIMATED_KB}
SectionEnd

Section "Uninstall"
  Call un.CloseTheGameFirst
  !insertmacro RemoveFiles
  !insertmacro ForEachCue RemoveCue
  Delete "$INSTDIR\${UNINSTALLER}"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; Only an empty folder goes: the player's jkl.yen or cues keep it.
  RMDir "$INSTDIR"
SectionEnd
