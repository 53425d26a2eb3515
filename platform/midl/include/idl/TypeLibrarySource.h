// A type library as its interface-definition source describes it: the library's identity, its
// interfaces (dual, custom or dispatch-only) with their methods, and its coclasses. Read by the
// build-time header generator and, when a module's type library is loaded, by the automation
// stand-in, so that the .idl is the one source of names, dispatch identifiers and parameters.
#pragma once

#include "guiddef.h"
#include "oaidl.h"

#include <string>
#include <vector>

namespace idl
{
// A parameter's or result's type: the automation type of what it names, behind `pointers` levels
// of indirection. `spelling` is the base type as the source wrote it ("unsigned long").
struct Type
{
    VARTYPE vt = VT_EMPTY;
    int pointers = 0;
    std::string spelling;
};

struct Parameter
{
    std::string name;
    Type type;
    bool in = false;
    bool out = false;
    bool retval = false;
};

struct Method
{
    std::string name;
    DISPID id = DISPID_UNKNOWN;
    std::string helpString; // empty when the source gives none
    Type result;
    std::vector<Parameter> parameters;
};

enum class InterfaceKind
{
    Custom,   // called through its table of virtual operations only
    Dual,     // through that table and through IDispatch
    Dispatch, // a dispinterface: through IDispatch only (event interfaces)
};

struct Interface
{
    std::string name;
    GUID uuid = GUID_NULL;
    std::string helpString;
    InterfaceKind kind = InterfaceKind::Custom;
    std::string base; // "IDispatch", "IUnknown"; empty for a dispinterface
    bool nonextensible = false;
    bool oleautomation = false;
    std::vector<Method> methods;
};

struct CoClassMember
{
    std::string interfaceName;
    bool isDefault = false;
    bool isSource = false;
};

struct CoClass
{
    std::string name;
    GUID uuid = GUID_NULL;
    std::string helpString;
    std::vector<CoClassMember> members;
};

struct Library
{
    std::string name;
    GUID uuid = GUID_NULL;
    WORD majorVersion = 0;
    WORD minorVersion = 0;
    LCID lcid = 0;
    std::string helpString;
    std::vector<Interface> interfaces; // in source order, those outside the library block included
    std::vector<CoClass> coclasses;

    const Interface* FindInterface(const std::string& interfaceName) const;
};

// Parses the source; throws std::runtime_error naming `sourceName`, the line and what was
// expected. Exactly one library block is required.
Library ParseLibrary(const std::string& text, const std::string& sourceName);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in capitals.
std::string GuidText(const GUID& guid);
} // namespace idl
