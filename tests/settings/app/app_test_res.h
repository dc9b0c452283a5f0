// Resource ids of the settings application tests.
#define IDS_TEST_KEYBOARD 504
#define IDS_TEST_MISC 505
#define IDS_TEST_PLUGINS 506
