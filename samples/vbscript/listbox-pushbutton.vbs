' Using the VListBox and VPushButton controls from VBScript
' (cscript listbox-pushbutton.vbs).
'
' The script drives the controls as automation objects and writes its text
' in 7-bit ISCII (ISCIIDataFormat = 1 on the list box), which spells every
' ISCII character with ASCII letters, so it needs no byte functions.
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

' A list box of two items.
Dim list
Set list = CreateObject("VEXAOCX.VListBoxCtrl")
list.ScriptName = "Devanagari"
list.ISCIIDataFormat = 1
' "namaste" in 7-bit ISCII (the word starts with x), then an English item.
list.AddItem "xUZiwQr", -1
list.AddItem "Vexa", -1
WScript.Echo "items: " & list.GetCount() & ", the first in 7-bit ISCII: " & list.GetItemText(0)
Check list.GetCount() = 2, "two items: " & list.GetCount()
Check list.GetItemText(0) = "xUZiwQr", "7-bit item comes back: " & list.GetItemText(0)
Check list.GetItemText(1) = "Vexa", "English stays English"
' In 8-bit ISCII the first item is 6 script bytes.
list.ISCIIDataFormat = 0
Check Len(list.GetItemText(0)) = 6, "8-bit length: " & Len(list.GetItemText(0))
Check list.RemoveItem(1) And list.GetCount() = 1, "RemoveItem"

' A push button whose caption is the list's item.
Dim button
Set button = CreateObject("VEXAOCX.VPushButtonCtrl")
button.ScriptName = "Devanagari"
button.Caption = list.GetItemText(0)
WScript.Echo "push button caption has " & Len(button.Caption) & " ISCII characters"
Check button.Caption = list.GetItemText(0), "the caption comes back as it was set"

If failures > 0 Then
    WScript.Echo "RESULT failed " & failures & " of " & checks
Else
    WScript.Echo "RESULT ok " & checks & " checks"
End If
