// Unicode text through every control, from JScript (cscript unicode.js).
//
// Each text member has a Unicode twin (UnicodeText, UnicodeCaption, and on
// the list box UnicodeList and the *UnicodeItem methods): a script writes
// and reads ordinary strings in the control's script; the control still
// keeps ISCII, which Text gives as before. Text a script cannot hold is
// refused whole, with a description naming the character.
//
// The last line printed says whether everything worked ("RESULT ok ...").
var checks = 0, failures = 0;
function check(ok, what) {
    checks++;
    if (!ok) { failures++; WScript.Echo("FAIL " + what); }
}
function codes(s) {
    var out = [];
    for (var i = 0; i < s.length; i++) out.push(s.charCodeAt(i).toString(16).toUpperCase());
    return out.join(" ");
}

// Hindi, Tamil and Bengali words (escaped: cscript reads this file as ANSI).
var words = [
    ["Devanagari", "\u0928\u092E\u0938\u094D\u0924\u0947"],    // namaste
    ["Tamil", "\u0BB5\u0BA3\u0B95\u0BCD\u0B95\u0BAE\u0BCD"],     // vanakkam
    ["Bengali", "\u09AC\u09BE\u0982\u09B2\u09BE"]                // bangla
];
var controls = [
    ["VEXAOCX.VEditCtrl", ["UnicodeText"]],
    ["VEXAOCX.VStaticCtrl", ["UnicodeCaption", "UnicodeText"]],
    ["VEXAOCX.VPushButtonCtrl", ["UnicodeCaption", "UnicodeText"]],
    ["VEXAOCX.VCheckBoxCtrl", ["UnicodeCaption", "UnicodeText"]],
    ["VEXAOCX.VRadioButtonCtrl", ["UnicodeCaption", "UnicodeText"]],
    ["VEXAOCX.VGroupBoxCtrl", ["UnicodeCaption", "UnicodeText"]]
];

try {
    for (var c = 0; c < controls.length; c++) {
        var control = new ActiveXObject(controls[c][0]);
        for (var m = 0; m < controls[c][1].length; m++) {
            var member = controls[c][1][m];
            for (var w = 0; w < words.length; w++) {
                control.ScriptName = words[w][0];
                control[member] = words[w][1];
                check(control[member] == words[w][1],
                      controls[c][0] + "." + member + " in " + words[w][0] + ": " + codes(control[member]));
            }
        }
        WScript.Echo(controls[c][0] + ": " + words[2][0] + " as ISCII: " + codes(control.Text));
    }

    var list = new ActiveXObject("VEXAOCX.VListBoxCtrl");
    for (var w = 0; w < words.length; w++) {
        list.ScriptName = words[w][0];
        list.Clear();
        list.AddUnicodeItem(words[w][1], -1);
        list.AddUnicodeItem("Vexa", -1);
        list.SetUnicodeItem(1, words[w][1] + " Vexa");
        list.SetCurSel(1);
        check(list.GetUnicodeItem(0) == words[w][1], "VListBox item in " + words[w][0]);
        check(list.GetUnicodeSelection() == words[w][1] + " Vexa\r\n", "VListBox selection in " + words[w][0]);
        check(list.UnicodeList == words[w][1] + "\r\n" + words[w][1] + " Vexa\r\n", "VListBox list");
    }
    WScript.Echo("VListBox items in Bengali: " + codes(list.UnicodeList));

    // Tamil in a Devanagari control: refused whole, the text stays.
    var edit = new ActiveXObject("VEXAOCX.VEditCtrl");
    edit.ScriptName = "Devanagari";
    edit.UnicodeText = words[0][1];
    var refused = "";
    try { edit.UnicodeText = "a" + words[1][1]; } catch (e) { refused = e.description; }
    WScript.Echo("Tamil in a Devanagari VEdit is refused: " + refused);
    check(refused.indexOf("U+0BB5 at position 1") >= 0, "the refusal names the character");
    check(edit.UnicodeText == words[0][1], "the text is unchanged after the refusal");
} catch (e) {
    check(false, "error " + (e.number >>> 0).toString(16) + ": " + e.description);
}
WScript.Echo(failures ? "RESULT failed " + failures + " of " + checks : "RESULT ok " + checks + " checks");
