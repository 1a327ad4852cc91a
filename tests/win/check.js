// What every JScript check of the Wine stage shares; each script reads it in
// with eval (see the first lines of automation.js). cscript exits 0 even
// when a script fails, so a script's last line is the result the runner
// requires: "RESULT ok N checks" or "RESULT failed N".
var failures = 0, checks = 0;
function check(ok, what) {
    checks++;
    if (!ok) { failures++; WScript.Echo("FAIL " + what); }
}
// The bytes of a string, as hex: "c6 cc".
function bytes(s) {
    var out = [];
    for (var i = 0; i < s.length; i++) out.push(s.charCodeAt(i).toString(16));
    return out.join(" ");
}
function chars() {
    var s = "";
    for (var i = 0; i < arguments.length; i++) s += String.fromCharCode(arguments[i]);
    return s;
}
// Runs `f`; the description of the error it raised, or "" when it raised
// none or one without a description (a refusal must say why).
function refused(f) {
    try { f(); } catch (x) { return x.description || ""; }
    return "";
}
function result() {
    WScript.Echo(failures ? "RESULT failed " + failures : "RESULT ok " + checks + " checks");
}
