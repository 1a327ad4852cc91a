// The four caption controls driven late-bound by Wine's JScript: every
// property and method of their dispatch interfaces. cscript exits 0 even
// when a script fails, so the last line is the result the runner requires.
eval(new ActiveXObject("Scripting.FileSystemObject").OpenTextFile(
    WScript.ScriptFullName.replace(/[^\\]*$/, "check.js")).ReadAll());

// The members every caption control has.
function common(c, name, caption) {
    check(c.Caption == caption, name + " Caption starts as " + c.Caption);
    check(c.Text == caption, name + " Text starts as " + c.Text);
    check(c.ScriptName == "Devanagari" && c.FontName == "DVB-TTDorvan" && c.FontSize == 18,
          name + " script defaults: " + c.ScriptName + " " + c.FontName + " " + c.FontSize);
    check(c.KeyboardType == 0 && c.LinFile == "dv1lay.lin" && c.DisableEnglish === false,
          name + " keyboard defaults");
    check(c.AccessGlobal === false && c.GlobalSettings === false, name + " settings flags");
    check(c.Enabled === true && c.hWnd == 0, name + " enabled, no window");

    var namaste = chars(0xC6, 0xCC, 0xD7, 0xE8, 0xC2, 0xE1);
    c.Caption = namaste;
    check(bytes(c.Caption) == "c6 cc d7 e8 c2 e1" && bytes(c.Text) == bytes(namaste),
          name + " Caption carries ISCII bytes: " + bytes(c.Caption));
    c.Text = "Vexa " + chars(0xB3, 0xDA);
    check(bytes(c.Caption) == "56 65 78 61 20 b3 da", name + " Text sets the caption too");
    c.ScriptName = "Tamil";
    check(c.ScriptName == "Tamil" && c.FontName == "TMB-TTTesvor", name + " Tamil: " + c.FontName);
    c.ScriptName = "Klingon";
    check(c.ScriptName == "Klingon" && c.FontName == "TMB-TTTesvor", name + " unknown script stored only");
    c.FontName = "DVB-TTDorvan";
    c.FontSize = 300;
    c.KeyboardType = 2;
    c.LinFile = "tm1lay.lin";
    c.DisableEnglish = true;
    c.GlobalSettings = true;
    check(c.FontName == "DVB-TTDorvan" && c.FontSize == 300 && c.KeyboardType == 2 &&
          c.LinFile == "tm1lay.lin" && c.DisableEnglish === true && c.GlobalSettings === true,
          name + " setters store their values");
    c.AccessGlobal = false;
    check(c.AccessGlobal === false, name + " AccessGlobal");
    c.Enabled = false;
    check(c.Enabled === false, name + " Enabled");
    var refused = false;
    try { c.hWnd = 5; } catch (x) { refused = true; }
    check(refused, name + " hWnd is read-only");
    refused = false;
    try { c.NoSuchMember = 1; } catch (x) { refused = true; }
    check(refused, name + " unknown members are refused");
}

// Value, Auto, PushLike and Alignment of the check box and radio button.
function checkable(c, name, on) {
    check(c.Auto === true && c.PushLike === false && c.Alignment == 1, name + " style defaults");
    check(c.Value == 0, name + " Value starts unchecked");
    c.Value = 5;
    check(c.Value == on, name + " any non-zero Value checks it: " + c.Value);
    check(c._Value == on, name + " the default value is Value: " + c._Value);
    c.Value = 0;
    check(c.Value == 0, name + " Value 0 clears it");
    c.Auto = false;
    c.PushLike = true;
    c.Alignment = 0;
    check(c.Auto === false && c.PushLike === true && c.Alignment == 0, name + " style setters");
    c.Alignment = -1;
    check(c.Alignment == -1, name + " Alignment stores any value");
}

try {
    var push = new ActiveXObject("VEXAOCX.VPushButtonCtrl.1");
    common(push, "VPushButton", "VPushButton");
    push.BackColor = 255;
    push.ForeColor = 255;
    check(push.BackColor == 0 && push.ForeColor == 0, "VPushButton colours always read 0");

    var box = new ActiveXObject("VEXAOCX.VCheckBoxCtrl.1");
    common(box, "VCheckBox", "VCheckBox");
    checkable(box, "VCheckBox", 1);
    box.ForeColor = 0x80000008;
    box.BackColor = 0x00C0FFEE;
    check(box.ForeColor == 0x80000008 && box.BackColor == 0x00C0FFEE, "VCheckBox stock colours");

    var radio = new ActiveXObject("VEXAOCX.VRadioButtonCtrl.1");
    common(radio, "VRadioButton", "VRadioButton");
    checkable(radio, "VRadioButton", true);

    var group = new ActiveXObject("VEXAOCX.VGroupBoxCtrl.1");
    common(group, "VGroupBox", "VGroupBox");
    var hasValue = true;
    try { group.Value = 1; } catch (x) { hasValue = false; }
    check(!hasValue, "a group box has no Value");

    // AboutBox exists on all four; with no window it shows nothing that
    // blocks (the control has no user interface).
    push.AboutBox();
    box.AboutBox();
    radio.AboutBox();
    group.AboutBox();
    check(true, "AboutBox returns");
} catch (x) {
    failures++;
    WScript.Echo("FAIL exception " + x.message);
}
result();
