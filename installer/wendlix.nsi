; The Wendlix installer: one script for the 64-bit program (Target amd64-unicode) and the 32-bit one
; (x86-unicode). scripts/release.sh runs it as
;   makensis -DARCH=win64|win32 -DVERSION=2.05.2 -DFILES_DIR=<Wendlix.exe and the files beside it>
;            -DOUTFILE=<installer> -DROOT=<repository> -DCOLLECTIONS=<collections.nsh> installer/wendlix.nsi
; COLLECTIONS defines the macros InstallCollections and RemoveCollections over the quick-create
; collections (scripts/lib/installer.sh writes it from the files shipped).
; Install for the current user (no administrator rights; into the user's local programs folder) or, when
; the installer runs elevated, for all users under Program Files. Silent: /S, with /ALLUSERS,
; /DESKTOP (desktop shortcut), /NOAUTORUN (no start at sign-in) and /D=folder; the uninstaller takes /S
; and /REMOVESETTINGS (settings and group files are kept unless asked).

!ifndef ARCH | VERSION | FILES_DIR | OUTFILE | ROOT | COLLECTIONS
  !error "define ARCH, VERSION, FILES_DIR, OUTFILE, ROOT and COLLECTIONS (see the top of this file)"
!endif
!include "${COLLECTIONS}"

Unicode true
!if "${ARCH}" == "win64"
  Target amd64-unicode
!else if "${ARCH}" == "win32"
  Target x86-unicode
!else
  !error "ARCH is win64 or win32"
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS all

!define PRODUCT "Wendlix"
!define PUBLISHER "Holmvik"
!define EXE "Wendlix.exe"
; The bar's own names: its main window class, its registry key (Software\Holmvik\ + the exe's base name)
; and the Run value it writes itself (named after the exe, quoted only when the path holds a blank).
!define BAR_CLASS "TWendlixMainForm"
!define APP_KEY "Software\Holmvik\Wendlix"
!define CONFIG_VALUE "Confing FileName"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Wendlix"
!define BAR_SECTION "Wendlix V3.0"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Wendlix"
; What ships beside the program and is the user's once installed: never overwritten, kept on uninstall.
!define GROUP_FILE "Wendlix.GPF"

; The numeric version is read from the exe it packs, so the two cannot differ.
!getdllversion "${FILES_DIR}/${EXE}" EXE_V_

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir ""
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${EXE_V_1}.${EXE_V_2}.${EXE_V_3}.${EXE_V_4}"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 快速启动栏 安装程序"
VIAddVersionKey /LANG=2052 "LegalCopyright" "${PUBLISHER}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "nsDialogs.nsh"
!include "WinMessages.nsh"

!define MUI_ICON "${ROOT}/src/res/wendlix.ico"
!define MUI_UNICON "${ROOT}/src/res/wendlix.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "立即启动 Wendlix"

Var AllUsers          ; 1: for all users (elevated), 0: for the current user
Var IsAdmin
Var ModePage
Var ModeMine
Var ModeAll
Var DirGiven         ; 1 when /D= named the folder

!insertmacro MUI_PAGE_WELCOME
Page custom ModePageShow ModePageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"

; ---------------------------------------------------------------------------------------------------------
; Shared by installer and uninstaller.

; $R0: a program path -> the command line the bar writes for it (quoted when it holds a blank or a tab).
Function QuoteIfBlank
  Push $R1
  Push $R2
  StrCpy $R1 0
  ${Do}
    StrCpy $R2 $R0 1 $R1
    ${If} $R2 == ""
      ${Break}
    ${ElseIf} $R2 == " "
    ${OrIf} $R2 == "$\t"
      StrCpy $R0 '"$R0"'
      ${Break}
    ${EndIf}
    IntOp $R1 $R1 + 1
  ${Loop}
  Pop $R2
  Pop $R1
FunctionEnd

; Closes every running bar (it saves its settings on the way out) and waits for it to go. Answers in $R0:
; "" when none is left, "running" otherwise. Needs $INSTDIR.
!macro CLOSE_BARS_FUNC un
Function ${un}CloseRunningBars
  Push $R1
  Push $R2
  Push $R3
  StrCpy $R0 ""
  ${Do}
    FindWindow $R1 "${BAR_CLASS}"
    ${If} $R1 == 0
      ${Break}
    ${EndIf}
    System::Call "user32::PostMessageW(p $R1, i ${WM_CLOSE}, p 0, p 0)"
    StrCpy $R2 0
    ${Do}
      Sleep 100
      System::Call "user32::IsWindow(p $R1) i .R3"
      IntOp $R2 $R2 + 1
      ${IfThen} $R2 >= 150 ${|} ${Break} ${|}
    ${LoopUntil} $R3 == 0
    ${If} $R3 != 0
      ; Still there (a message box of its own, or its close lock): the user decides.
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "Wendlix 仍在运行，无法关闭。$\r$\n请先退出 Wendlix，然后点击“重试”。" /SD IDCANCEL IDRETRY retry
      StrCpy $R0 "running"
      ${Break}
      retry:
    ${EndIf}
  ${Loop}
  ; The window goes before the process ends, and a helper process of the bar may outlive it briefly:
  ; wait until the program file can be written (a running exe cannot), up to 10 s.
  ${If} $R0 == ""
  ${AndIf} ${FileExists} "$INSTDIR\${EXE}"
    StrCpy $R2 0
    ${Do}
      ClearErrors
      FileOpen $R3 "$INSTDIR\${EXE}" a
      ${IfNot} ${Errors}
        FileClose $R3
        ${Break}
      ${EndIf}
      Sleep 100
      IntOp $R2 $R2 + 1
    ${LoopUntil} $R2 >= 100
  ${EndIf}
  Pop $R3
  Pop $R2
  Pop $R1
FunctionEnd
!macroend
!insertmacro CLOSE_BARS_FUNC ""
!insertmacro CLOSE_BARS_FUNC "un."

; ---------------------------------------------------------------------------------------------------------
; Installer.

; Shell folders and default folder for the chosen mode: where an earlier install of that mode went, else
; Program Files or the user's local programs folder.
Function ApplyMode
  ${If} $AllUsers == 1
    SetShellVarContext all
    ${If} $DirGiven != 1
      ReadRegStr $INSTDIR HKLM "${UNINSTALL_KEY}" "InstallLocation"
      ${If} $INSTDIR == ""
        !if "${ARCH}" == "win64"
          StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
        !else
          StrCpy $INSTDIR "$PROGRAMFILES32\${PRODUCT}"
        !endif
      ${EndIf}
    ${EndIf}
  ${Else}
    SetShellVarContext current
    ${If} $DirGiven != 1
      ReadRegStr $INSTDIR HKCU "${UNINSTALL_KEY}" "InstallLocation"
      ${If} $INSTDIR == ""
        StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
      ${EndIf}
    ${EndIf}
  ${EndIf}
FunctionEnd

Function ModePageShow
  !insertmacro MUI_HEADER_TEXT "选择安装方式" "为谁安装 Wendlix？"
  nsDialogs::Create 1018
  Pop $ModePage
  ${NSD_CreateRadioButton} 0 10u 100% 12u "仅为我安装(&M)（无需管理员权限，安装到您的用户文件夹）"
  Pop $ModeMine
  ${NSD_CreateRadioButton} 0 30u 100% 12u "为这台计算机的所有用户安装(&A)（安装到 Program Files）"
  Pop $ModeAll
  ${If} $IsAdmin != "Admin"
    EnableWindow $ModeAll 0
    ${NSD_CreateLabel} 12u 46u 95% 24u "要为所有用户安装，请以管理员身份运行安装程序。"
    Pop $R0
  ${EndIf}
  ${If} $AllUsers == 1
    ${NSD_Check} $ModeAll
  ${Else}
    ${NSD_Check} $ModeMine
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $ModeAll $R0
  ${If} $R0 == ${BST_CHECKED}
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call ApplyMode
FunctionEnd

Section "-Wendlix" SecMain
  SectionIn RO
  Call CloseRunningBars
  ${If} $R0 != ""
    SetErrorLevel 2
    Abort "Wendlix 仍在运行。"
  ${EndIf}
  SetOutPath "$INSTDIR"
  File "${FILES_DIR}/${EXE}"
  File "${FILES_DIR}/Wendlix.htm"
  File "${FILES_DIR}/README.txt"
  !insertmacro InstallCollections
  ; The shipped group file is the user's once installed: an update never replaces it.
  SetOverwrite off
  File "${FILES_DIR}/${GROUP_FILE}"
  SetOverwrite on
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 SW_SHOWNORMAL "" \
    "Windows 快速启动工具栏"
  Call WriteUninstallEntry
SectionEnd

Section /o "桌面快捷方式" SecDesktop
  CreateShortCut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 SW_SHOWNORMAL "" \
    "Windows 快速启动工具栏"
SectionEnd

; The same value the bar's own menu item "start with Windows" writes, and the same setting in its
; settings file, so that the bar does not undo the choice when it next saves.
Section "登录 Windows 时启动 Wendlix" SecAutoRun
  StrCpy $R0 "$INSTDIR\${EXE}"
  Call QuoteIfBlank
  WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" "$R0"
  Push 1
  Call WriteAutoRunSetting
SectionEnd

Section "-NoAutoRun"
  ${IfNot} ${SectionIsSelected} ${SecAutoRun}
    Call RemoveOwnRunValue
    Push 0
    Call WriteAutoRunSetting
  ${EndIf}
SectionEnd

; The Run value goes only when it starts this copy: another copy's choice is not ours to undo.
!macro REMOVE_RUN_FUNC un
Function ${un}RemoveOwnRunValue
  ReadRegStr $R1 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  StrCpy $R0 "$INSTDIR\${EXE}"
  ${If} $R1 == $R0
  ${OrIf} $R1 == '"$R0"'
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
FunctionEnd
!macroend
!insertmacro REMOVE_RUN_FUNC ""
!insertmacro REMOVE_RUN_FUNC "un."

; The settings file the bar will read: the one the registry names, else beside the program when its
; folder can be written (a per-user install), else in the user's application-data folder.
!macro CONFIG_BASE_FUNC un
Function ${un}ConfigBase
  ReadRegStr $R0 HKCU "${APP_KEY}" "${CONFIG_VALUE}"
  ${If} $R0 == ""
    ${If} $AllUsers == 1
      SetShellVarContext current
      StrCpy $R0 "$APPDATA\${PRODUCT}\${PRODUCT}"
      SetShellVarContext all
    ${Else}
      StrCpy $R0 "$INSTDIR\${PRODUCT}"
    ${EndIf}
  ${EndIf}
FunctionEnd
!macroend
!insertmacro CONFIG_BASE_FUNC ""
!insertmacro CONFIG_BASE_FUNC "un."

; Stack: 1 or 0. Without a settings file the bar starts with the Run value on, so only "off" needs one.
Function WriteAutoRunSetting
  Exch $R2
  Push $R0
  Call ConfigBase
  ${If} ${FileExists} "$R0.INI"
  ${OrIf} $R2 == 0
    ${GetParent} "$R0.INI" $R1
    CreateDirectory "$R1"
    WriteINIStr "$R0.INI" "${BAR_SECTION}" "AutoRun" $R2
    FlushINI "$R0.INI"
  ${EndIf}
  Pop $R0
  Pop $R2
FunctionEnd

Function WriteUninstallEntry
  ${GetSize} "$INSTDIR" "/S=0K" $R1 $R2 $R3
  IntFmt $R1 "0x%08X" $R1
  ${If} $AllUsers == 1
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} 快速启动栏"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $R1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "VersionMajor" ${EXE_V_1}
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "VersionMinor" ${EXE_V_2}
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${Else}
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} 快速启动栏"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $R1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "VersionMajor" ${EXE_V_1}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "VersionMinor" ${EXE_V_2}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${EndIf}
FunctionEnd

; Runs before any page: the command line, and the defaults it changes (the sections exist by now).
Function .onInit
  StrCpy $AllUsers 0
  StrCpy $DirGiven 0
  ${If} $INSTDIR != ""
    StrCpy $DirGiven 1
  ${EndIf}
  UserInfo::GetAccountType
  Pop $IsAdmin
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ALLUSERS" $R1
  ${IfNot} ${Errors}
    ${If} $IsAdmin != "Admin"
      MessageBox MB_OK|MB_ICONSTOP "为所有用户安装需要管理员权限。" /SD IDOK
      SetErrorLevel 740
      Quit
    ${EndIf}
    StrCpy $AllUsers 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/DESKTOP" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecDesktop} ${SF_SELECTED}
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/NOAUTORUN" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecAutoRun} 0
  ${EndIf}
  Call ApplyMode
FunctionEnd

; ---------------------------------------------------------------------------------------------------------
; Uninstaller.

Function un.onInit
  StrCpy $AllUsers 0
  ; An all-users install recorded itself under HKLM, with this folder.
  ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R0 == $INSTDIR
    UserInfo::GetAccountType
    Pop $IsAdmin
    ${If} $IsAdmin != "Admin"
      MessageBox MB_OK|MB_ICONSTOP "Wendlix 是为所有用户安装的，卸载需要管理员权限。" /SD IDOK
      SetErrorLevel 740
      Quit
    ${EndIf}
    StrCpy $AllUsers 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningBars
  ${If} $R0 != ""
    SetErrorLevel 2
    Abort "Wendlix 仍在运行。"
  ${EndIf}

  ; Settings and group files stay unless the user says otherwise (silently: /REMOVESETTINGS).
  StrCpy $R5 0
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    StrCpy $R5 1
  ${Else}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON1 \
      "是否保留您的 Wendlix 设置和分组文件？$\r$\n选择“是”保留它们，以后重新安装时继续使用。" /SD IDYES IDYES keep
    StrCpy $R5 1
    keep:
  ${EndIf}
  ${If} $R5 == 1
    Call un.ConfigBase
    Delete "$R0.INI"
    Delete "$R0.GPF"
    ${GetParent} "$R0.INI" $R1
    RMDir "$R1"
    Delete "$INSTDIR\${PRODUCT}.INI"
    Delete "$INSTDIR\${GROUP_FILE}"
  ${ElseIf} $AllUsers == 1
    ; Under Program Files the group file is the shipped default; each user's copy is elsewhere.
    Delete "$INSTDIR\${GROUP_FILE}"
  ${EndIf}

  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\Wendlix.htm"
  Delete "$INSTDIR\README.txt"
  !insertmacro RemoveCollections
  Delete "$INSTDIR\uninstall.exe"
  ; The folder goes only when nothing of the user's is left in it.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  Call un.RemoveOwnRunValue
  DeleteRegKey HKCU "${APP_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Holmvik"
  ${If} $AllUsers == 1
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${Else}
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}
SectionEnd
