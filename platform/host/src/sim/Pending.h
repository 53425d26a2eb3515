// Operations that the simulated host records but does not model yet: they answer E_NOTIMPL.
#pragma once

#include "Call.h"

#define SIM_NOT_MODELLED(name)                                                                            \
    do                                                                                                     \
    {                                                                                                      \
        SIM_CALL(call, name);                                                                              \
        return call.Done(E_NOTIMPL);                                                \
    } while (0)
