// VListBox driven late-bound by Wine's JScript, made without a window as a
// script host makes it: every property and method of its dispatch
// interface, the data formats, sorting, the errors a script sees, and
// GetSelectedItems with script arrays. cscript exits 0 even when a script
// fails, so the last line is the result the runner requires.
eval(new ActiveXObject("Scripting.FileSystemObject").OpenTextFile(
    WScript.ScriptFullName.replace(/[^\\]*$/, "check.js")).ReadAll());

try {
    var l = new ActiveXObject("VEXAOCX.VListBoxCtrl.1");
    // Defaults
    check(l.ScriptName == "Devanagari" && l.FontName == "DVB-TTDorvan" && l.FontSize == 18,
          "script defaults: " + l.ScriptName + " " + l.FontName + " " + l.FontSize);
    check(l.Sort === false && l.MultipleSelection === false && l.ISCIIDataFormat == 0,
          "style defaults");
    check(l.KeyboardType == 0 && l.DisableEnglish === false && l.LinFile == "dv1lay.lin",
          "keyboard defaults");
    check(l.AccessGlobal === false && l.GlobalSettings === false, "settings flags");
    check(l.BackColor == 0x80000005 && l.ForeColor == 0, "colours " + l.BackColor + " " + l.ForeColor);
    check(l.Enabled === true && l.hWnd == 0, "enabled, no window");
    check(l.GetCount() == 0 && l.GetCurSel() == -1 && l.SelCount == 0 && l.TopIndex == 0 &&
          l.List == "", "an empty list");

    // Items: List parses CR and LF, ';' drops the pending item.
    var anar = chars(0xA4, 0xC6, 0xDA, 0xCF), kamal = chars(0xB3, 0xCC, 0xD1),
        makan = chars(0xCC, 0xB3, 0xDA, 0xC6);
    l.List = anar + "\r\n" + kamal + "\r\nskip;" + makan + "\r";
    check(l.GetCount() == 3, "three items: " + l.GetCount());
    check(bytes(l.List) == bytes(anar + "\r\n" + kamal + "\r\n" + makan), "List reads back: " + bytes(l.List));
    check(l.GetItemText(1) == kamal && l.GetItemText(7) == "", "GetItemText");
    check(l.AddItem("kamal", -1) === true && l.GetItemText(3) == "kamal", "AddItem appends");
    check(l.AddItem("x", 2) === true && l.GetItemText(2) == "x", "AddItem inserts at an index");
    check(l.AddItem("y", 50) === false && l.GetCount() == 5, "AddItem past the end fails");
    check(l.RemoveItem(2) === true && l.RemoveItem(9) === false, "RemoveItem says whether it worked");
    check(l.FindString(0, false, chars(0xB3)) == 1 && l.FindString(2, false, chars(0xA4)) == 0 &&
          l.FindString(0, true, "KAMAL") == 3 && l.FindString(0, false, "zz") == -1, "FindString");

    // Selection without a window is kept as a window would keep it.
    check(l.SetCurSel(0) === true && l.GetCurSel() == 0, "SetCurSel(0) is a success");
    check(l.SetCurSel(10) === false && l.GetCurSel() == 0, "SetCurSel past the end fails");
    check(l.SetCurSel(-1) === true && l.GetCurSel() == -1, "SetCurSel(-1) clears");
    l.TopIndex = 2;
    check(l.TopIndex == 2, "TopIndex " + l.TopIndex);
    check(refused(function () { l.SelCount = 3; }) != "", "SelCount is read-only");
    // A 16-bit parameter given a number outside 16 bits is refused, never
    // wrapped into another index.
    check(refused(function () { l.SetCurSel(65536); }).indexOf("Index") >= 0 && l.GetCurSel() == -1,
          "SetCurSel(65536) is refused and selects nothing");
    check(refused(function () { l.FindString(65536, false, "x"); }).indexOf("IndexStartFrom") >= 0,
          "FindString(65536, ...) is refused");

    // GetSelectedItems: a single-selection list has none to give; an array
    // shorter than nMaxItems is never written past its end.
    var arr = [7, 7];
    check(l.GetSelectedItems(5, arr) === false && arr.length == 2 && arr[0] == 7, "single selection");
    l.MultipleSelection = true;
    check(l.MultipleSelection === true && l.SelCount == 0, "multiple selection, none selected");
    var short = [];
    check(l.GetSelectedItems(10, short) === true && short.length == 0, "an empty array stays empty");
    // Nothing to write into: refused with a description, never True.
    check(refused(function () { l.GetSelectedItems(5, 3); }).indexOf("ArrItems") >= 0, "a number");
    check(refused(function () { l.GetSelectedItems(5, null); }).indexOf("ArrItems") >= 0, "null");
    check(refused(function () { l.GetSelectedItems(5, "abc"); }).indexOf("ArrItems") >= 0, "a string");
    check(l.SetCurSel(1) === false, "no single selection in a multiple-selection list");
    l.MultipleSelection = false;

    // Data formats at the boundary: an item read out in 7-bit or PC-ISCII
    // form and added back in that form is the same ISCII item again.
    l.Clear();
    check(l.GetCount() == 0, "Clear");
    var word = chars(0xC6, 0xCC, 0xD7, 0xE8, 0xC2, 0xE1);
    var formats = [1, 2];
    for (var f = 0; f < formats.length; f++) {
        l.ISCIIDataFormat = 0;
        l.Clear();
        l.AddItem(word, -1);
        l.ISCIIDataFormat = formats[f];
        var hosted = l.GetItemText(0);
        l.Clear();
        check(l.AddItem(hosted, -1) === true, "AddItem in format " + formats[f]);
        check(l.GetItemText(0) == hosted, "format " + formats[f] + " reads back as given");
        l.ISCIIDataFormat = 0;
        check(l.GetItemText(0) == word && hosted != word,
              "format " + formats[f] + ": " + bytes(hosted) + " holds " + bytes(l.GetItemText(0)));
    }
    var why = refused(function () { l.ISCIIDataFormat = 3; });
    check(why.indexOf("ISCIIDataFormat") >= 0 && l.ISCIIDataFormat == 0, "format 3 refused: " + why);

    // Sorting: byte order, English first.
    l.List = makan + "\r" + "zebra\r" + anar + "\r" + kamal;
    l.Sort = true;
    check(l.Sort === true && bytes(l.List) == bytes("zebra\r\n" + anar + "\r\n" + kamal + "\r\n" + makan),
          "sorted: " + bytes(l.List));
    l.AddItem(chars(0xB4), -1);
    check(l.GetItemText(3) == chars(0xB4), "a sorted list places a new item by its bytes");

    // The script and keyboard settings.
    l.ScriptName = "Tamil";
    check(l.ScriptName == "Tamil" && l.FontName == "TMB-TTTesvor", "Tamil: " + l.FontName);
    l.FontName = "DVB-TTDorvan";
    l.FontSize = 0;
    l.KeyboardType = 2;
    l.LinFile = "tm1lay.lin";
    l.DisableEnglish = true;
    l.GlobalSettings = true;
    l.AccessGlobal = false;
    check(l.FontName == "DVB-TTDorvan" && l.FontSize == 0 && l.KeyboardType == 2 &&
          l.LinFile == "tm1lay.lin" && l.DisableEnglish === true && l.GlobalSettings === true &&
          l.AccessGlobal === false, "setters store their values");
    l.BackColor = 0xC0FFEE;
    l.ForeColor = 0x80000008;
    l.Appearance = 1;
    l.BorderStyle = 1;
    l.Enabled = false;
    check(l.BackColor == 0xC0FFEE && l.ForeColor == 0x80000008 && l.Appearance == 1 &&
          l.BorderStyle == 1 && l.Enabled === false, "stock properties");
    check(refused(function () { l.hWnd = 5; }) != "", "hWnd is read-only");
    // JScript raises its own error, without a description, for a name the
    // control does not know.
    var noMember = false;
    try { l.NoSuchMember = 1; } catch (x) { noMember = true; }
    check(noMember, "unknown members are refused");
    l.AboutBox();
    check(true, "AboutBox returns");
} catch (x) {
    failures++;
    WScript.Echo("FAIL exception " + x.message);
}
result();
