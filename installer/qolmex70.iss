; Inno Setup script of the QOLMEX 70 programmer for Windows.
; Not run on the project's own machines. On a Windows PC, after the build and windeployqt
; of the README's Windows section (everything the program needs in build\deploy):
;     iscc installer\qolmex70.iss
; gives installer\Output\qolmex70-setup.exe.

#define AppName "Programátor QOLMEX 70"
#define AppVersion "0.1"
#define DeployDir "..\build\deploy"

[Setup]
AppId={{6C1F4B52-7A0E-4F4B-9E43-0F4C7D2A7070}
AppName={#AppName}
AppVersion={#AppVersion}
DefaultDirName={autopf}\QOLMEX70
DefaultGroupName={#AppName}
OutputBaseFilename=qolmex70-setup
ArchitecturesAllowed=x64
ArchitecturesInstallIn64BitMode=x64
Compression=lzma2
SolidCompression=yes

[Languages]
Name: "slovak"; MessagesFile: "compiler:Languages\Slovak.isl"

[Files]
; The window program with the Qt libraries and plugins windeployqt put beside it,
; and the command-line program, which needs nothing else.
Source: "{#DeployDir}\*"; DestDir: "{app}"; Flags: ignoreversion recursesubdirs
Source: "..\build\cli\qolmex70-cli.exe"; DestDir: "{app}"; Flags: ignoreversion skipifsourcedoesntexist

[Icons]
Name: "{group}\{#AppName}"; Filename: "{app}\qolmex70.exe"
Name: "{group}\{cm:UninstallProgram,{#AppName}}"; Filename: "{uninstallexe}"

[Run]
Filename: "{app}\qolmex70.exe"; Description: "{cm:LaunchProgram,{#AppName}}"; Flags: nowait postinstall skipifsilent
