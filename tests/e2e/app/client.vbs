' An automation client: attaches to "Tarvek.Application", says so by creating the file named
' by the first argument, holds the object until the file named by the second argument exists
' (at most about a minute; none given: lets go at once), then lets go.
' (Wine's cscript has no WScript.Sleep; a hidden "cmd /c exit" serves as the pause.)
Set args = WScript.Arguments
Set fso = CreateObject("Scripting.FileSystemObject")
Set shell = CreateObject("WScript.Shell")
Set tarvek = CreateObject("Tarvek.Application")
fso.CreateTextFile(args(0), True).Close
If args.Count > 1 Then
    waited = 0
    Do While Not fso.FileExists(args(1)) And waited < 300
        shell.Run "cmd /c exit", 0, True
        waited = waited + 1
    Loop
End If
Set tarvek = Nothing
WScript.Echo "client released"
