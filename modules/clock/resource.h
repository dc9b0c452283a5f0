// Resource ids of the clock module.
#pragma once

#define IDB_DIGITS_SMALL 1000
#define IDB_DIGITS_LARGE 1001
#define IDB_BACKGROUND 1002
#define IDI_STOPPED 1003
#define IDI_PAUSED 1004
#define IDI_RUNNING 1005
