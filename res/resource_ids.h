#pragma once

// Every id of the resource script. Plain macros, because the resource compiler reads this file
// too; the portable dialog logic includes it for the control ids it talks to.

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_PICKER 102
#define IDD_EDITOR 129
#define IDD_NAME 130
#define IDD_SETTINGS 134
#define IDD_INPUT 137
#define IDD_REGEX 139

// Icons, bitmap, menus, strings.
#define IDI_MAINFRAME 128
#define IDI_TRAY 131
#define IDB_BANNER 138
#define IDR_TRAY_MENU 132
#define IDR_CATEGORY_MENU 133
#define IDS_ABOUTBOX 101

// The entries that list controls get from their template (the RCDATA of the same id as the
// dialog names, for each control, its first string and how many follow).
#define IDS_ITEM_KIND_FIRST 2000
#define IDS_STEP_KIND_FIRST 2010
#define IDS_LETTER_FIRST 2100

// Commands.
#define IDM_ABOUTBOX 16
#define ID_MENU_EXIT 32771
#define ID_PHRASE_BASE 32851

// Controls of the picker (102).
#define IDC_PICKER_COPY 1
#define IDC_PICKER_CANCEL 2
#define IDC_PICKER_ITEMS 1000
#define IDC_PICKER_PREVIEW 1001
#define IDC_PICKER_CATEGORIES 1002
#define IDC_PICKER_EDIT 1003
#define IDC_PICKER_SETTINGS 1004

// Controls of the editor (129).
#define IDC_EDITOR_CLOSE 1
#define IDC_EDITOR_ITEMS 1000
#define IDC_EDITOR_TEXT 1001
#define IDC_EDITOR_CATEGORIES 1002
#define IDC_EDITOR_CATEGORY_ADD 1004
#define IDC_EDITOR_CATEGORY_DELETE 1005
#define IDC_EDITOR_CATEGORY_UP 1006
#define IDC_EDITOR_CATEGORY_DOWN 1007
#define IDC_EDITOR_CATEGORY_RENAME 1008
#define IDC_EDITOR_ITEM_ADD 1009
#define IDC_EDITOR_ITEM_RENAME 1010
#define IDC_EDITOR_ITEM_DELETE 1011
#define IDC_EDITOR_ITEM_UP 1012
#define IDC_EDITOR_ITEM_DOWN 1013
#define IDC_EDITOR_KIND 1014
#define IDC_EDITOR_STEPS 1015
#define IDC_EDITOR_STEP_ADD 1016
#define IDC_EDITOR_STEP_CHANGE 1017
#define IDC_EDITOR_STEP_DELETE 1018
#define IDC_EDITOR_STEP_UP 1019
#define IDC_EDITOR_STEP_DOWN 1020
#define IDC_EDITOR_STEP_KIND 1021
#define IDC_EDITOR_STEP_A 1022
#define IDC_EDITOR_STEP_B 1023
#define IDC_EDITOR_STEP_C 1024
#define IDC_EDITOR_LABEL_A 1025
#define IDC_EDITOR_LABEL_B 1026
#define IDC_EDITOR_LABEL_C 1027
#define IDC_EDITOR_HELP 1028

// Controls of the name dialog (130) and the %input prompt (137).
#define IDC_NAME_TEXT 1005
#define IDC_INPUT_TEXT 1029

// Controls of the settings dialog (134).
#define IDC_SETTINGS_STARTUP 1006
#define IDC_SETTINGS_PICKER_ENABLED 1007
#define IDC_SETTINGS_PICKER_ALT 1008
#define IDC_SETTINGS_PICKER_CTRL 1009
#define IDC_SETTINGS_PICKER_SHIFT 1010
#define IDC_SETTINGS_PICKER_KEY 1011
#define IDC_SETTINGS_MENU_ENABLED 1012
#define IDC_SETTINGS_MENU_ALT 1013
#define IDC_SETTINGS_MENU_CTRL 1014
#define IDC_SETTINGS_MENU_SHIFT 1015
#define IDC_SETTINGS_MENU_KEY 1016
#define IDC_SETTINGS_REGEX_ENABLED 1017
#define IDC_SETTINGS_REGEX_ALT 1018
#define IDC_SETTINGS_REGEX_CTRL 1019
#define IDC_SETTINGS_REGEX_SHIFT 1020
#define IDC_SETTINGS_REGEX_KEY 1021
#define IDC_SETTINGS_DELAY 1030
#define IDC_SETTINGS_RESTORE_CLIPBOARD 1034

// Controls of the quick regular-expression dialog (139).
#define IDC_REGEX_PATTERN 1032
#define IDC_REGEX_REPLACEMENT 1033
