; Per-user setup of Zarnik NX: no elevation, the programs go into the user's
; own programs folder, where the options editor can write Zrnx.ini beside
; itself. The registration is done by "ZrnxSet.exe /apply" and undone by
; "ZrnxSet.exe /remove": this script never writes the association itself.
;
; Defined by the build (installer/CMakeLists.txt):
;   ZRNX_VERSION  ZRNX_ARCH (win64 or win32)  ZRNX_SENDER  ZRNX_OPTIONS
;   ZRNX_SAMPLES  ZRNX_ICON  ZRNX_OUTFILE

!if "${ZRNX_ARCH}" == "win64"
  Target amd64-unicode
!else
  Target x86-unicode
!endif
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Zarnik NX"
!define PUBLISHER "Zarnik NX"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZarnikNX"
!define EDITOR_MUTEX "Zarnik_NX_Option"
!define MENU_FOLDER "$STARTMENU\Zarnik NX テキスト"
!define EDITOR_LINK "$SMPROGRAMS\Zarnik NX オプション.lnk"

Name "${PRODUCT}"
OutFile "${ZRNX_OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Zarnik NX"
; An upgrade goes where the previous copy is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${ZRNX_VERSION}"

VIProductVersion "${ZRNX_VERSION}.0.0"
VIAddVersionKey /LANG=1041 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${ZRNX_VERSION}"
VIAddVersionKey /LANG=1041 "FileVersion" "${ZRNX_VERSION}"
VIAddVersionKey /LANG=1041 "FileDescription" "${PRODUCT} セットアップ"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ZRNX_ICON}"
!define MUI_UNICON "${ZRNX_ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\ZrnxSet.exe"
!define MUI_FINISHPAGE_RUN_TEXT "オプションを開いて設定する"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; A running options editor holds the mutex, keeps its program file open and
; would save over what set-up writes: refuse before anything is changed.
!macro RefuseWhileEditorRuns UN
  Function ${UN}RefuseWhileEditorRuns
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${EDITOR_MUTEX}") p .r0'
    ${If} $0 P<> 0
      System::Call 'kernel32::CloseHandle(p r0)'
      MessageBox MB_OK|MB_ICONSTOP "Zarnik NX のオプションが実行中です。$\r$\nオプションを閉じてから、もう一度実行してください。" /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro RefuseWhileEditorRuns ""
!insertmacro RefuseWhileEditorRuns "un."

; Runs ZrnxSet.exe with a set-up switch; on failure shows what it wrote to
; its error stream and stops with exit code 2, so no failure passes for success.
!macro RunEditorSwitch UN
  Function ${UN}RunEditorSwitch
    Exch $0  ; the switch
    Push $1
    Push $2
    nsExec::ExecToStack '"$INSTDIR\ZrnxSet.exe" $0'
    Pop $1  ; exit code, or "error" when it could not start
    Pop $2  ; what it wrote
    ${If} $1 != 0
      DetailPrint "ZrnxSet.exe $0: $1 $2"
      MessageBox MB_OK|MB_ICONSTOP "Zarnik NX の設定に失敗しました。$\r$\n$\r$\n$2" /SD IDOK
      SetErrorLevel 2
      Abort
    ${EndIf}
    Pop $2
    Pop $1
    Pop $0
  FunctionEnd
!macroend
!insertmacro RunEditorSwitch ""
!insertmacro RunEditorSwitch "un."

Function .onInit
  SetShellVarContext current
  Call RefuseWhileEditorRuns
FunctionEnd

Section "Zarnik NX" SecMain
  SectionIn RO
  ; The editor may have been started while the pages were shown.
  Call RefuseWhileEditorRuns

  ; The settings of an earlier copy name its menu folder; a new copy gets
  ; the default one, with the samples, unless it exists already.
  ${IfNot} ${FileExists} "$INSTDIR\Zrnx.ini"
  ${AndIfNot} ${FileExists} "${MENU_FOLDER}\*.*"
    CreateDirectory "${MENU_FOLDER}"
    SetOutPath "${MENU_FOLDER}"
    SetOverwrite off
    File "${ZRNX_SAMPLES}/greeting.zrx"
    File "${ZRNX_SAMPLES}/homepage.url"
    SetOverwrite on
  ${EndIf}

  SetOutPath "$INSTDIR"
  File "${ZRNX_SENDER}"
  File "${ZRNX_OPTIONS}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortCut "${EDITOR_LINK}" "$INSTDIR\ZrnxSet.exe" "" "$INSTDIR\ZrnxSet.exe" 0 \
      SW_SHOWNORMAL "" "Zarnik NX のオプション"

  ; Written before the registration, so that a copy whose registration
  ; failed can still be removed.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${ZRNX_VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\ZrnxSet.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"

  Push "/apply"
  Call RunEditorSwitch
SectionEnd

Function un.onInit
  SetShellVarContext current
  Call un.RefuseWhileEditorRuns
FunctionEnd

Section "Uninstall"
  Call un.RefuseWhileEditorRuns

  ; Without the editor there is nothing to undo the registration with.
  ${If} ${FileExists} "$INSTDIR\ZrnxSet.exe"
    Push "/remove"
    Call un.RunEditorSwitch
  ${EndIf}

  Delete "$INSTDIR\Zrnx.exe"
  Delete "$INSTDIR\ZrnxSet.exe"
  Delete "${EDITOR_LINK}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The settings are the user's: asked for, and kept by a silent uninstall.
  ${If} ${FileExists} "$INSTDIR\Zrnx.ini"
    MessageBox MB_YESNO|MB_ICONQUESTION "設定ファイル Zrnx.ini も削除しますか？" /SD IDNO IDNO keep_settings
    Delete "$INSTDIR\Zrnx.ini"
  keep_settings:
  ${EndIf}
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  ; The menu folder holds the user's items and stays.
SectionEnd
