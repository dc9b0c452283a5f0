// Resource ids of MerovSet: dialogs, controls, icons, bitmaps and the texts
// of the sheet and its pages (the model's texts are in model/ModelTexts.h).
#pragma once

// Pages (dialog id = caption text id) and dialogs.
#define IDD_ABOUT 500
#define IDD_STICKY_FILES 501
#define IDD_BOOKMARKS 502
#define IDD_DRIVE_LIST 503
#define IDD_KEYBOARD 504
#define IDD_MISCELLANEOUS 505
#define IDD_PLUGINS 506
#define IDD_VIEW_MODES 507
#define IDD_AUTO_SWITCH 508
#define IDD_FILE_PANELS 509
#define IDD_TAB_OPTIONS 510
#define IDD_COMMAND_BROWSER 209

// Icons and bitmaps.
#define IDI_MEROVSET 132
#define IDB_TREE_IMAGES 143
#define IDI_KEYBOARD 148
#define IDI_BROWSE 169
#define IDI_FILTER 189
#define IDI_FILTER_ALL 190
#define IDI_PLUGIN_ADD 160
#define IDI_PLUGIN_REMOVE 161

// The pages' accelerators: Alt+P opens the file-mask menu.
#define IDR_PAGE_ACCELERATORS 198
#define ID_MASK_MENU 32771

// Keyboard Mapping page.
#define IDC_KEY_HOTKEY 1049
#define IDC_KEY_COMMANDS 1065
#define IDC_KEY_HOST_FOLDER 1066
#define IDC_KEY_FILTER 1067
#define IDC_KEY_BROWSE 1068
#define IDC_KEY_FILTER_MENU 1077
#define IDC_KEY_SET 1082
#define IDC_KEY_DUPLICATES 1155
#define IDC_KEY_SET_LABEL 1300
#define IDC_KEY_FOLDER_LABEL 1301
#define IDC_KEY_FILTER_LABEL 1302
#define IDC_KEY_HOTKEY_LABEL 1303

// Plugins page (the hotkey box and the duplicates button share the
// Keyboard Mapping page's ids).
#define IDC_PLUGIN_LIST 1006
#define IDC_PLUGIN_HOTKEY IDC_KEY_HOTKEY
#define IDC_PLUGIN_ENABLE 1070
#define IDC_PLUGIN_CURRENT 1072
#define IDC_PLUGIN_ADD 1085
#define IDC_PLUGIN_REMOVE 1086
#define IDC_PLUGIN_CURRENT_LABEL 1117
#define IDC_PLUGIN_NEW_LABEL 1118
#define IDC_PLUGIN_LIST_LABEL 1119
#define IDC_PLUGIN_DUPLICATES IDC_KEY_DUPLICATES

// Command browser (its filter edit shares the page's id).
#define IDC_BROWSER_FILTER_LABEL 1115
#define IDC_BROWSER_LIST_LABEL 1116
#define IDC_BROWSER_COMMANDS 1216

// Placeholder pages.
#define IDC_PLACEHOLDER_TEXT 1310

// Texts.
#define IDS_ADD_TO_STARTUP 101
#define IDS_CANNOT_LOAD_MODULE 131
#define IDS_REPLACE_MODULE 171
#define IDS_HOST_COMMANDS 140
#define IDS_HOTKEY_MODES 161
#define IDS_OWN_COMMANDS 141
#define IDS_COMMAND_BROWSER 212
#define IDS_FILTER_ALL 221
#define IDS_FILTER_UNASSIGNED 222
#define IDS_FILTER_OWN 223
#define IDS_FILTER_DEFAULTS 224
#define IDS_FILTER_HOST 225
#define IDS_FILTER_ASSIGNED 226
#define IDS_FILTER_MODIFIERS 227
#define IDS_CLEAR_HOTKEY 230
#define IDS_HELP_TEXT 245
#define IDS_PLACEHOLDER 246
#define IDS_MODULE_NOT_LOADED 247
#define IDS_MODULE_NO_INFO 248
#define IDS_PLUGIN_FILES 249
#define IDS_REMOVE_MODULE 250
