// Using the VEdit control from JScript (cscript vedit.js).
//
// A script has no window to put the control on, so it drives the control
// as an automation object: it sets the script and the text and reads them
// back. The text properties carry ISCII, one character per byte.
//
// The last line printed says whether everything worked ("RESULT ok ...");
// cscript itself exits 0 even when a script fails.
var checks = 0, failures = 0;
function check(ok, what) {
    checks++;
    if (!ok) { failures++; WScript.Echo("FAIL " + what); }
}
function hex(s) {
    var out = [];
    for (var i = 0; i < s.length; i++) out.push(s.charCodeAt(i).toString(16).toUpperCase());
    return out.join(" ");
}
function iscii() {  // a string of ISCII bytes
    var s = "";
    for (var i = 0; i < arguments.length; i++) s += String.fromCharCode(arguments[i]);
    return s;
}

try {
    // The version-independent ProgID finds the installed version.
    var edit = new ActiveXObject("VEXAOCX.VEditCtrl");
    WScript.Echo("scripts installed: " + edit.GetScriptList());

    edit.ScriptName = "Devanagari";
    edit.MultiLine = true;
    // "namaste" in ISCII: na ma sa virama ta e-sign.
    var namaste = iscii(0xC6, 0xCC, 0xD7, 0xE8, 0xC2, 0xE1);
    edit.Text = namaste + " Vexa";
    WScript.Echo("Text in ISCII: " + hex(edit.Text));
    check(edit.Text == namaste + " Vexa", "the text comes back as it was set");

    // The same text in 7-bit ISCII (ASCII letters; an Indian word starts with x).
    edit.ISCIIDataFormat = 1;
    WScript.Echo("Text in 7-bit ISCII: " + edit.Text);
    check(edit.Text == "xUZiwQr Vexa", "7-bit form: " + edit.Text);
    edit.ISCIIDataFormat = 0;

    // The control refuses a format it does not have, with a description.
    var refused = "";
    try { edit.ISCIIDataFormat = 7; } catch (e) { refused = e.description; }
    WScript.Echo("ISCIIDataFormat = 7 is refused: " + refused);
    check(refused != "" && edit.ISCIIDataFormat == 0, "an invalid format is refused");
} catch (e) {
    check(false, "error " + (e.number >>> 0).toString(16) + ": " + e.description);
}
WScript.Echo(failures ? "RESULT failed " + failures + " of " + checks : "RESULT ok " + checks + " checks");
