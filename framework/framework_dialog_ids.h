// Resource and control ids of the framework's product information (50102) and update (50101)
// dialogs; shared by the resource script and the dialog code.
#pragma once

#define IDD_LWF_UPDATE 50101
#define IDD_LWF_PRODUCT 50102

#define IDC_LWF_HELP 9
#define IDC_LWF_ICON 51000
#define IDC_LWF_ICON2 51001
#define IDC_LWF_PRODUCT_LINE 51002
#define IDC_LWF_RESTORE 51005
#define IDC_LWF_BACKUP 51006
#define IDC_LWF_RESET 51007
#define IDC_LWF_VENDOR_LINK 51010
#define IDC_LWF_MAKER 51014
#define IDC_LWF_PROGRAM_PATH 51024
#define IDC_LWF_DATA_PATH 51025
#define IDC_LWF_AUTOMATIC_CHECK 51026
#define IDC_LWF_CHECK_NOW 51027
#define IDC_LWF_INSTALLED_VERSION 51028
#define IDC_LWF_AVAILABLE_VERSION 51030
#define IDC_LWF_STATUS 51031
