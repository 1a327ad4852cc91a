' Using the VEdit control from VBScript (cscript vedit.vbs).
'
' A script drives the control as an automation object. This sample writes
' the text in 7-bit ISCII (ISCIIDataFormat = 1), which spells every ISCII
' character with ASCII letters, so it needs no byte functions.
'
' The last line printed says whether everything worked ("RESULT ok ...");
' cscript itself exits 0 even when a script fails.
Option Explicit
Dim checks, failures
checks = 0
failures = 0
Sub Check(ok, what)
    checks = checks + 1
    If Not ok Then
        failures = failures + 1
        WScript.Echo "FAIL " & what
    End If
End Sub

Dim edit
Set edit = CreateObject("VEXAOCX.VEditCtrl")
edit.ScriptName = "Devanagari"
edit.ISCIIDataFormat = 1
' "namaste" in 7-bit ISCII: the word starts with x.
edit.Text = "xUZiwQr Vexa"
WScript.Echo "Text in 7-bit ISCII: " & edit.Text
Check edit.Text = "xUZiwQr Vexa", "7-bit text comes back: " & edit.Text
' In 8-bit ISCII the same text is 6 script bytes, a space and "Vexa".
edit.ISCIIDataFormat = 0
WScript.Echo "Text in 8-bit ISCII has " & Len(edit.Text) & " characters"
Check Len(edit.Text) = 11, "8-bit length: " & Len(edit.Text)
Check Right(edit.Text, 5) = " Vexa", "English stays English"

' The control refuses a format it does not have, with a description.
On Error Resume Next
edit.ISCIIDataFormat = 7
Dim refusal
refusal = Err.Description
On Error GoTo 0
WScript.Echo "ISCIIDataFormat = 7 is refused: " & refusal
Check refusal <> "" And edit.ISCIIDataFormat = 0, "an invalid format is refused"

If failures > 0 Then
    WScript.Echo "RESULT failed " & failures & " of " & checks
Else
    WScript.Echo "RESULT ok " & checks & " checks"
End If
