// Using the VListBox and VCheckBox controls from JScript
// (cscript listbox-checkbox.js).
//
// As in vedit.js the script has no window: it drives the controls as
// automation objects. The list box holds ISCII items; the check box shows a
// caption in the script and keeps its checked state in Value.
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
    // A list of Devanagari words: "kamal" (lotus) and "anar" (pomegranate).
    var list = new ActiveXObject("VEXAOCX.VListBoxCtrl");
    list.ScriptName = "Devanagari";
    var kamal = iscii(0xB3, 0xCC, 0xD1), anar = iscii(0xA4, 0xC6, 0xDA, 0xCF);
    list.AddItem(kamal, -1);
    list.AddItem(anar, -1);
    list.AddItem("Vexa", -1);
    check(list.GetCount() == 3, "three items: " + list.GetCount());

    // Sorted lists order their items by their ISCII bytes, English first.
    list.Sort = true;
    WScript.Echo("sorted items: " + hex(list.GetItemText(0)) + " | " + hex(list.GetItemText(1)) +
                 " | " + hex(list.GetItemText(2)));
    check(list.GetItemText(0) == "Vexa" && list.GetItemText(1) == anar &&
          list.GetItemText(2) == kamal, "sorted by bytes, English first");

    // Find an item by the bytes it starts with, and select it.
    var at = list.FindString(0, false, iscii(0xB3));
    check(at == 2 && list.SetCurSel(at) === true && list.GetCurSel() == 2, "found and selected");

    // The same items in 7-bit ISCII (an Indian word starts with x).
    list.ISCIIDataFormat = 1;
    WScript.Echo("the selected item in 7-bit ISCII: " + list.GetItemText(list.GetCurSel()));
    check(list.GetItemText(0) == "Vexa" && list.GetItemText(2).charAt(0) == "x",
          "7-bit items: " + list.GetItemText(2));
    list.ISCIIDataFormat = 0;

    // A check box with a Devanagari caption ("namaste").
    var box = new ActiveXObject("VEXAOCX.VCheckBoxCtrl");
    box.ScriptName = "Devanagari";
    var namaste = iscii(0xC6, 0xCC, 0xD7, 0xE8, 0xC2, 0xE1);
    box.Caption = namaste;
    WScript.Echo("check box caption in ISCII: " + hex(box.Caption));
    check(box.Caption == namaste, "the caption comes back as it was set");
    check(box.Value == 0, "a new check box is unchecked");
    box.Value = 1;
    check(box.Value == 1, "Value 1 checks it: " + box.Value);
} catch (e) {
    check(false, "error " + (e.number >>> 0).toString(16) + ": " + e.description);
}
WScript.Echo(failures ? "RESULT failed " + failures + " of " + checks : "RESULT ok " + checks + " checks");
