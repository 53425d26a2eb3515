// The GUI library's settings store: named integers and flags under one key of the registry.
#pragma once

#include "afxwin.h"

class NVKRegistry
{
public:
    NVKRegistry();
    ~NVKRegistry();
    NVKRegistry(const NVKRegistry&) = delete;
    NVKRegistry& operator=(const NVKRegistry&) = delete;

    // Selects the key: root 1 is the current user's settings, 0 the machine's. Returns 1, or 0
    // for another root.
    int SetKey(CString key, int root);
    // The stored value as it is, or the default when it is missing or not a number.
    int ReadInt(CString name, int defaultValue);
    int ReadBool(CString name, int defaultValue);
    // Integers and flags are stored as REG_DWORD, a flag as 0 or 1. Returns 1, or 0 on failure.
    int WriteInt(CString name, int value);
    int WriteBool(CString name, int flag);

private:
    HKEY m_root = nullptr;
    CString m_key;
};
