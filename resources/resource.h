// Identifiers of Facetor's resources.
#pragma once

#define IDD_OPTIONS 209

// Toolbar pictures: the "Import" icon and the image strips (cells Import, Help, unused, About).
#define IDB_LARGE_ICON 202
#define IDB_SMALL_ICON 204
#define IDB_LARGE_IMAGE_STRIP 205
#define IDB_SMALL_IMAGE_STRIP 208

#define IDC_CHECK_YUP 201
#define IDC_RADIO_SOLID 1022
#define IDC_RADIO_SKETCH 1023
#define IDC_COMBO_UNITS 1024
#define IDC_CHECK_PROGRESS 1027
#define IDC_CHECK_MULTIBODY 1032

// Registration scripts of the two COM classes.
#define IDR_FACETOR 101
#define IDR_BITMAPHANDLER 111
