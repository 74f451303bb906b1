#pragma once

// Resources of the framework tests (framework_test.rc).
#define IDD_TEST_DIALOG 200
#define IDD_PROBE_DIALOG 201
#define IDM_TEST_MENU 300
#define IDM_TEST_MENU_OTHER 301
#define IDA_TEST 400
#define IDI_TEST 500

#define IDC_TEST_EDIT 1001
#define IDC_TEST_LIST 1002
#define IDC_TEST_BUTTON 1003
#define IDC_TEST_PROBE 1004

#define IDM_TEST_OPEN 2001
#define IDM_TEST_SHOW 2002
#define IDM_TEST_OTHER 2003
#define IDM_TEST_ACCEL 2010

// A control class whose procedure the tests watch.
#define PROBE_CONTROL_CLASS "KwibraProbeControl"
