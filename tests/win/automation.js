// The edit control driven late-bound by Wine's JScript. cscript exits 0
// even when a script fails, so the last line is the result the runner
// requires: "RESULT ok N checks" or "RESULT failed N".
eval(new ActiveXObject("Scripting.FileSystemObject").OpenTextFile(
    WScript.ScriptFullName.replace(/[^\\]*$/, "check.js")).ReadAll());

try {
    var e = new ActiveXObject("VEXAOCX.VEditCtrl.1");
    check(e.Text == "VEdit", "Text starts as VEdit");
    check(e.AutoHScroll === true && e.MultiLine === false, "single-line, scrolling sideways");

    e.MultiLine = true;
    check(e.WantReturn === true, "MultiLine sets WantReturn from AutoHScroll");
    e.WantReturn = false;
    check(e.AutoHScroll === false, "WantReturn off makes a multi-line control wrap");
    e.Password = true;
    check(e.MultiLine === false && e.WantReturn === false && e.HScrollBar === false, "Password");

    e.Text = chars(0x61, 0x0A, 0x62);
    check(bytes(e.Text) == "61 d a 62", "a line feed gets its carriage return: " + bytes(e.Text));
    e.Text = chars(0xA4, 0x1E, 0xEF, 0x41, 0x42);
    check(bytes(e.Text) == "a4 42", "the 8-bit filter: " + bytes(e.Text));
    e.ISCIIDataFormat = 1;
    e.Text = "xka ";
    e.ISCIIDataFormat = 0;
    check(bytes(e.Text) == "da cd 20", "7-bit input: " + bytes(e.Text));
    e.ISCIIDataFormat = 1;
    check(e.Text == "xka ", "7-bit output: " + e.Text);
    e.ISCIIDataFormat = 2;
    check(bytes(e.Text) == "ea ac 20", "PC-ISCII output: " + bytes(e.Text));
    // Strings travel in the ANSI code page: the euro sign is byte 0x80.
    e.Text = chars(0x20AC);
    e.ISCIIDataFormat = 0;
    check(bytes(e.Text) == "a1", "PC-ISCII input: " + bytes(e.Text));

    e.ScriptName = "English";
    check(e.GetFontList() == "English", "font list of English");
    var list = e.GetScriptList();
    check(typeof list == "string" && /;$/.test(list), "script list: " + list);
    // The type library types these by enumerations; a script passes and
    // reads plain numbers as before.
    e.FontType = 1;
    check(e.FontType === 1, "FontType takes a number: " + e.FontType);
    e.FontType = 0;
    e.KeyboardType = 2;
    check(e.KeyboardType === 2 && typeof e.KeyboardType == "number", "KeyboardType: " + e.KeyboardType);
    e.KeyboardType = 0;
    check(e.ISCIIDataFormat === 0, "ISCIIDataFormat reads a number: " + e.ISCIIDataFormat);
    e.FontSize = -300;
    check(e.FontSize == -300, "a value out of range is stored unchanged");
    e.BackColor = 0x80000005;
    check(e.BackColor == 0x80000005, "colour: " + e.BackColor);
    check(e.hWnd == 0, "no window before the control is placed");

    var refused = false;
    try { e.NoSuchMember = 1; } catch (x) { refused = true; }
    check(refused, "unknown members are refused");
    refused = false;
    try { e.GetZIRVOText(); } catch (x) { refused = true; }
    check(refused, "a method called with too few arguments is refused");
} catch (x) {
    failures++;
    WScript.Echo("FAIL exception " + x.message);
}
result();
