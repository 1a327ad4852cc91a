#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace vexa::win32 {

// Small helpers over a page's drop-down lists.
void FillList(HWND dialog, int id, const std::vector<std::string>& items);
void FillList(HWND dialog, int id, std::initializer_list<std::string_view> items);
void SelectText(HWND dialog, int id, const std::string& text);  // exact match, else none
std::string SelectedText(HWND dialog, int id);
int SelectedIndex(HWND dialog, int id);  // -1: none
std::string FieldText(HWND dialog, int id);

// Every font family the display offers, in enumeration order, once each.
std::vector<std::string> InstalledFaces(HWND window);
// The *.lin file names of a directory.
std::vector<std::string> LayoutFilesIn(const std::string& directory);

}  // namespace vexa::win32
