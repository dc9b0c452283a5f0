// Resource ids of the sticky-files dialog: the dialog, its controls, its
// icons, and the engine texts it shows (string resource = text id + 5000).
#pragma once

#define IDD_STICKY_CONFIG 4005
#define IDC_STICKY_LIST 4000
#define IDC_STICKY_FOLDERS 4001
#define IDC_STICKY_UP 4002
#define IDC_STICKY_DOWN 4003
#define IDC_STICKY_DELETE 4004
#define IDC_STICKY_LABEL 4005
#define IDC_STICKY_SAVE 4006
#define IDC_STICKY_DELETE_EVERY 4007
#define IDC_STICKY_DELETE_FOLDER 4008

#define IDI_STICKY_DIALOG 4000
#define IDI_STICKY_FILE 4010
#define IDI_STICKY_FOLDER 4011
#define IDI_STICKY_MISSING 4012
#define IDI_STICKY_UP 4013
#define IDI_STICKY_DOWN 4014
#define IDI_STICKY_DELETE_EVERY 4015
#define IDI_STICKY_DELETE 4016
#define IDI_STICKY_SAVE 4017
#define IDI_STICKY_DELETE_FOLDER 4018
