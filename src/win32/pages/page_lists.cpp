#include "win32/pages/page_lists.h"

#include <algorithm>

namespace vexa::win32 {

void FillList(HWND dialog, int id, const std::vector<std::string>& items) {
    HWND list = GetDlgItem(dialog, id);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void FillList(HWND dialog, int id, std::initializer_list<std::string_view> items) {
    std::vector<std::string> strings;
    for (std::string_view item : items) strings.emplace_back(item);
    FillList(dialog, id, strings);
}

void SelectText(HWND dialog, int id, const std::string& text) {
    HWND list = GetDlgItem(dialog, id);
    LRESULT index = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(list, CB_SETCURSEL, index == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(index), 0);
}

std::string SelectedText(HWND dialog, int id) {
    HWND list = GetDlgItem(dialog, id);
    LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return {};
    std::string text(static_cast<std::size_t>(SendMessageA(list, CB_GETLBTEXTLEN, index, 0)) + 1, '\0');
    SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(text.find('\0'));
    return text;
}

int SelectedIndex(HWND dialog, int id) {
    LRESULT index = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

std::string FieldText(HWND dialog, int id) {
    HWND field = GetDlgItem(dialog, id);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(field)) + 1, '\0');
    GetWindowTextA(field, text.data(), static_cast<int>(text.size()));
    text.resize(text.find('\0'));
    return text;
}

namespace {

int CALLBACK AddFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM p) {
    auto* faces = reinterpret_cast<std::vector<std::string>*>(p);
    std::string face = font->lfFaceName;
    if (!face.empty() && face[0] != '@' && std::find(faces->begin(), faces->end(), face) == faces->end())
        faces->push_back(face);
    return 1;
}

}  // namespace

std::vector<std::string> InstalledFaces(HWND window) {
    std::vector<std::string> faces;
    HDC dc = GetDC(window);
    LOGFONTA query{};
    query.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(dc, &query, &AddFace, reinterpret_cast<LPARAM>(&faces), 0);
    ReleaseDC(window, dc);
    return faces;
}

std::vector<std::string> LayoutFilesIn(const std::string& directory) {
    std::vector<std::string> files;
    std::string pattern = directory;
    if (!pattern.empty() && pattern.back() != '\\') pattern += '\\';
    pattern += "*.lin";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

}  // namespace vexa::win32
