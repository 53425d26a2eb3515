// Values as the platform's headers define them.
#include "Symbols.h"

#include <map>

namespace rc
{
bool FindBuiltinSymbol(const std::string& name, long long& value)
{
    static const std::map<std::string, long long> symbols = {
        {"WS_OVERLAPPED", 0x00000000},  {"WS_POPUP", 0x80000000},      {"WS_CHILD", 0x40000000},
        {"WS_MINIMIZE", 0x20000000},    {"WS_VISIBLE", 0x10000000},    {"WS_DISABLED", 0x08000000},
        {"WS_CLIPSIBLINGS", 0x04000000}, {"WS_CLIPCHILDREN", 0x02000000}, {"WS_MAXIMIZE", 0x01000000},
        {"WS_CAPTION", 0x00C00000},     {"WS_BORDER", 0x00800000},     {"WS_DLGFRAME", 0x00400000},
        {"WS_VSCROLL", 0x00200000},     {"WS_HSCROLL", 0x00100000},    {"WS_SYSMENU", 0x00080000},
        {"WS_THICKFRAME", 0x00040000},  {"WS_GROUP", 0x00020000},      {"WS_TABSTOP", 0x00010000},
        {"WS_MINIMIZEBOX", 0x00020000}, {"WS_MAXIMIZEBOX", 0x00010000}, {"WS_EX_TOPMOST", 0x00000008},
        {"WS_EX_TRANSPARENT", 0x00000020}, {"WS_EX_CLIENTEDGE", 0x00000200}, {"WS_EX_STATICEDGE", 0x00020000},
        {"DS_ABSALIGN", 0x01},          {"DS_SYSMODAL", 0x02},         {"DS_LOCALEDIT", 0x20},
        {"DS_SETFONT", 0x40},           {"DS_MODALFRAME", 0x80},       {"DS_NOIDLEMSG", 0x100},
        {"DS_SETFOREGROUND", 0x200},    {"DS_3DLOOK", 0x0004},         {"DS_FIXEDSYS", 0x0008},
        {"DS_NOFAILCREATE", 0x0010},    {"DS_CONTROL", 0x0400},        {"DS_CENTER", 0x0800},
        {"DS_CENTERMOUSE", 0x1000},     {"DS_CONTEXTHELP", 0x2000},    {"DS_SHELLFONT", 0x48},
        {"BS_PUSHBUTTON", 0},           {"BS_DEFPUSHBUTTON", 1},       {"BS_CHECKBOX", 2},
        {"BS_AUTOCHECKBOX", 3},         {"BS_RADIOBUTTON", 4},         {"BS_3STATE", 5},
        {"BS_AUTO3STATE", 6},           {"BS_GROUPBOX", 7},            {"BS_AUTORADIOBUTTON", 9},
        {"BS_LEFTTEXT", 0x20},          {"BS_MULTILINE", 0x2000},      {"BS_FLAT", 0x8000},
        {"CBS_SIMPLE", 1},              {"CBS_DROPDOWN", 2},           {"CBS_DROPDOWNLIST", 3},
        {"CBS_AUTOHSCROLL", 0x40},      {"CBS_SORT", 0x100},           {"CBS_HASSTRINGS", 0x200},
        {"CBS_NOINTEGRALHEIGHT", 0x400}, {"LBS_NOTIFY", 1},            {"LBS_SORT", 2},
        {"ES_LEFT", 0},                 {"ES_CENTER", 1},              {"ES_RIGHT", 2},
        {"ES_MULTILINE", 4},            {"ES_AUTOHSCROLL", 0x80},      {"ES_READONLY", 0x800},
        {"SS_LEFT", 0},                 {"SS_CENTER", 1},              {"SS_RIGHT", 2},
        {"SS_ICON", 3},                 {"SS_BLACKRECT", 4},           {"SS_ETCHEDHORZ", 0x10},
        {"SS_ETCHEDVERT", 0x11},        {"SS_NOPREFIX", 0x80},         {"SS_CENTERIMAGE", 0x200},
        {"IDOK", 1},                    {"IDCANCEL", 2},               {"IDABORT", 3},
        {"IDRETRY", 4},                 {"IDIGNORE", 5},               {"IDYES", 6},
        {"IDNO", 7},                    {"IDHELP", 9},                 {"ID_HELP", 0xE146},
        {"IDC_STATIC", -1},             {"LANG_NEUTRAL", 0x00},        {"LANG_ENGLISH", 0x09},
        {"LANG_GERMAN", 0x07},          {"SUBLANG_NEUTRAL", 0x00},     {"SUBLANG_DEFAULT", 0x01},
        {"SUBLANG_ENGLISH_US", 0x01},   {"SUBLANG_ENGLISH_UK", 0x02},  {"SUBLANG_GERMAN", 0x01},
    };
    const auto found = symbols.find(name);
    if (found == symbols.end())
        return false;
    value = found->second;
    return true;
}
} // namespace rc
