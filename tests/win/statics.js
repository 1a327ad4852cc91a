// VStatic driven late-bound by Wine's JScript: every property and method
// of its dispatch interface. A script can set any URL, but nothing it does
// opens one (only a click on the control does). cscript exits 0 even when a
// script fails, so the last line is the result the runner requires.
eval(new ActiveXObject("Scripting.FileSystemObject").OpenTextFile(
    WScript.ScriptFullName.replace(/[^\\]*$/, "check.js")).ReadAll());

try {
    var s = new ActiveXObject("VEXAOCX.VStaticCtrl.1");
    check(s.Caption == "VStatic" && s.Text == "VStatic", "Caption and Text start as VStatic");
    check(s.ScriptName == "Devanagari" && s.FontName == "DVB-TTDorvan" && s.FontSize == 18,
          "script defaults: " + s.ScriptName + " " + s.FontName + " " + s.FontSize);
    check(s.KeyboardType == 0 && s.LinFile == "dv1lay.lin" && s.DisableEnglish === false,
          "keyboard defaults");
    check(s.AccessGlobal === false && s.GlobalSettings === false, "settings flags");
    check(s.Alignment == 0 && s.ISCIIDataFormat == 0, "alignment and format defaults");
    check(s.BackColor == 0x8000000F && s.ForeColor == 0, "colours: " + s.BackColor + " " + s.ForeColor);
    check(s.LinkColor == 0xEE0000 && s.VisitedColor == 0x8B1A55, "link colours");
    check(s.IsURL === false && s.URL == "" && s.Underline === false, "link defaults");
    check(s.BorderStyle == 0 && s.Appearance == 0 && s.hWnd == 0, "stock properties, no window");

    var namaste = chars(0xC6, 0xCC, 0xD7, 0xE8, 0xC2, 0xE1);
    s.Caption = namaste;
    check(bytes(s.Text) == "c6 cc d7 e8 c2 e1", "Caption carries ISCII bytes: " + bytes(s.Text));
    s.ISCIIDataFormat = 1;
    check(s.Caption == "xUZiwQr", "7-bit Caption: " + s.Caption);
    s.Text = "xka ";
    s.ISCIIDataFormat = 2;
    check(bytes(s.Caption) == "ea ac 20", "PC-ISCII Caption: " + bytes(s.Caption));
    s.ISCIIDataFormat = 0;
    check(bytes(s.Caption) == "da cd 20", "8-bit Caption: " + bytes(s.Caption));
    check(refused(function () { s.ISCIIDataFormat = 3; }) && s.ISCIIDataFormat == 0,
          "ISCIIDataFormat 3 is refused with a reason");

    s.ScriptName = "Tamil";
    check(s.ScriptName == "Tamil" && s.FontName == "TMB-TTTesvor", "Tamil: " + s.FontName);
    s.ScriptName = "Klingon";
    check(s.ScriptName == "Klingon" && s.FontName == "TMB-TTTesvor", "unknown script stored only");
    s.FontName = "DVB-TTDorvan";
    s.FontSize = 300;
    s.KeyboardType = 2;
    s.LinFile = "tm1lay.lin";
    s.DisableEnglish = true;
    s.GlobalSettings = true;
    s.AccessGlobal = false;
    s.Alignment = 5;
    s.BackColor = 0x00C0FFEE;
    s.ForeColor = 0x80000008;
    s.BorderStyle = 1;
    s.Appearance = 1;
    check(s.FontName == "DVB-TTDorvan" && s.FontSize == 300 && s.KeyboardType == 2 &&
          s.LinFile == "tm1lay.lin" && s.DisableEnglish === true && s.GlobalSettings === true &&
          s.AccessGlobal === false && s.Alignment == 5 && s.BackColor == 0x00C0FFEE &&
          s.ForeColor == 0x80000008 && s.BorderStyle == 1 && s.Appearance == 1,
          "setters store their values");

    // The link members only store: no script call opens anything.
    s.LinkColor = 1;
    s.VisitedColor = 2;
    s.HoverColor = 3;
    s.URL = "file:///C:/windows/system32/calc.exe";
    s.IsURL = true;
    s.Underline = true;
    check(s.LinkColor == 1 && s.VisitedColor == 2 && s.HoverColor == 3 && s.IsURL === true &&
          s.Underline === true && s.URL == "file:///C:/windows/system32/calc.exe",
          "link members store their values");
    s.URL = "https://example.org/";
    s.IsURL = false;
    s.IsURL = true;
    check(refused(function () { s.hWnd = 5; }), "hWnd is read-only");
    var noMember = false;
    try { s.NoSuchMember = 1; } catch (x) { noMember = true; }
    check(noMember, "unknown members are refused");
    var unknown = false;
    try { s.Launch(); } catch (x) { unknown = true; }
    check(unknown, "there is no method that opens the URL");
    s.AboutBox();
    check(true, "AboutBox returns");
} catch (x) {
    failures++;
    WScript.Echo("FAIL exception " + x.message);
}
result();
