// A control made by a script host has no site and no window, and nobody
// calls InitNew: it must still start from the default values, answer every
// member as a placed control does, raise errors a script can read, and
// never block on a message box. The runner gives this script a time limit.
eval(new ActiveXObject("Scripting.FileSystemObject").OpenTextFile(
    WScript.ScriptFullName.replace(/[^\\]*$/, "check.js")).ReadAll());

try {
    var e = new ActiveXObject("VEXAOCX.VEditCtrl.1");
    // The registry's factory defaults, as InitNew would have read them.
    check(e.ScriptName == "Devanagari", "ScriptName from the defaults: " + e.ScriptName);
    check(e.FontName == "DVB-TTDorvan", "FontName from the defaults: " + e.FontName);
    check(e.FontSize == 18, "FontSize from the defaults: " + e.FontSize);
    check(e.ISCIIDataFormat == 0, "ISCIIDataFormat from the defaults: " + e.ISCIIDataFormat);

    // The export formats the text the control holds now, not its first text.
    e.Text = "plain words";
    var formatted = e.GetFormattedZIRVOText(18, 10000);
    check(formatted.indexOf("plain words") >= 0 && formatted.indexOf("VEdit") < 0,
          "GetFormattedZIRVOText formats Text: " + formatted);
    // A narrow width breaks the line, as it does with a window.
    check(e.GetFormattedZIRVOText(18, 40).indexOf(chars(13, 10)) > 0, "a narrow width wraps");

    // Undo swaps with the undo copy (the control's first text until an
    // edit takes a new one), then back.
    e.Undo();
    check(e.Text == "VEdit", "Undo restores the copy: [" + e.Text + "]");
    e.Undo();
    check(e.Text == "plain words", "Undo again: [" + e.Text + "]");

    // The selection runs either way from its start, within the text.
    e.SelStart = 6;
    e.SelLength = -3;
    check(e.SelStart == 6 && e.SelLength == -3, "a backward selection: " + e.SelStart + "," + e.SelLength);
    e.SelLength = 100;
    check(e.SelLength == 5, "the selection stops at the end: " + e.SelLength);

    // Refusals are errors with a reason, never silent successes.
    var why = refused(function () { e.ISCIIDataFormat = 7; });
    check(why.indexOf("ISCIIDataFormat") >= 0, "an invalid data format is refused: " + why);
    check(e.ISCIIDataFormat == 0, "the refused format is not stored");
    why = refused(function () { e.hWnd = 5; });
    check(why != "", "hWnd cannot be set");
    // A dialog nobody can see would hold the script for ever: refused.
    why = refused(function () { e.ShowFindDialog(); });
    check(why.indexOf("ShowFindDialog") >= 0, "ShowFindDialog is refused: " + why);
    why = refused(function () { e.ShowReplaceDialog(); });
    check(why.indexOf("ShowReplaceDialog") >= 0, "ShowReplaceDialog is refused: " + why);

    // Each control holds its own text.
    e.Text = "kept";
    var other = new ActiveXObject("VEXAOCX.VEditCtrl.1");
    check(other.Text == "VEdit" && e.Text == "kept", "a second control starts with its own text");
} catch (x) {
    failures++;
    WScript.Echo("FAIL exception " + (x.description || x.message));
}
result();
