// Resource ids of the framework tests.
#define IDS_FWTEST_HELLO 101
#define IDS_FWTEST_LONG 102
#define IDS_FWTEST_MISSING 999
#define IDS_FWTEST_DLL 201
