// Placeholder entry point until the plug-in spine lands.
#if defined(_WIN32)
extern "C" __declspec(dllexport) int __cdecl GPMain_Skelda() { return 0; }
#else
extern "C" __attribute__((visibility("default"))) int GPMain_Skelda() { return 0; }
#endif
