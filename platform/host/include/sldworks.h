// The host's interfaces as the add-in sees them.
#pragma once

#include "host/HostIds.h"
#include "host/ISldWorks.h"
#include "host/IModelDoc.h"
#include "host/IBodies.h"
#include "host/IAssembly.h"
#include "host/ISketch.h"
#include "host/ICommandManager.h"
#include "host/ISwAddin.h"
