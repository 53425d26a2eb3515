#define IDD_SMALL 300
#define IDD_STYLES 301
#define IDC_ONE 1001
#define IDC_LIST (1000 + 2)
