// The module's static objects, in the order in which they must come to life: the object map (the
// bitmap handler first, so that it registers first), the COM module, then the application.
#include "BitmapHandler.h"
#include "FacetorAddin.h"
#include "FacetorApp.h"
#include "FacetorModule.h"

#include "atlcom.h"

OBJECT_ENTRY_AUTO(CLSID_BitmapHandler, CBitmapHandler)
OBJECT_ENTRY_AUTO(CLSID_Facetor, CFacetor)

CFacetorModule _AtlModule;
CFacetorApp theApp;
