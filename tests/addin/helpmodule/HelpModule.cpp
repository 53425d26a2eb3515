// Stands in for the add-in module when only its file name and folder matter.
extern "C" __attribute__((visibility("default"))) int FacetorHelpModuleMarker()
{
    return 1;
}
