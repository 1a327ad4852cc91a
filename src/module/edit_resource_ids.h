/* Resource and command ids of the edit control's menu and dialogs: read by
   the resource compiler and by the control's C++ code alike. */
#pragma once

#define VEXA_IDM_EDIT_MENU 214
#define VEXA_IDD_FIND 215
#define VEXA_IDD_REPLACE 224

#define VEXA_IDC_FIND_NEXT 3
#define VEXA_IDC_REPLACE 4
#define VEXA_IDC_REPLACE_ALL 5
#define VEXA_IDC_DIRECTION_UP 7
#define VEXA_IDC_DIRECTION_DOWN 8
#define VEXA_IDC_FIND_WHAT 224
#define VEXA_IDC_REPLACE_WITH 225

#define VEXA_ID_EDIT_FIND 32768
#define VEXA_ID_EDIT_REPLACE 32769
#define VEXA_ID_EDIT_ATTRIBUTES 32770
#define VEXA_ID_EDIT_CUT 32771
#define VEXA_ID_EDIT_COPY 32772
#define VEXA_ID_EDIT_PASTE 32773
