// A module of its own, to show that resources and handles belong to the module that holds them.
extern "C" __attribute__((visibility("default"))) int TestModuleFunction()
{
    return 7;
}
