// KeepLoaded.cpp -- sanitizer build only: dlclose keeps every library loaded.
// LeakSanitizer looks for a leak's library when it checks, at exit; by then
// the GL drivers have been closed (Mesa loads llvmpipe again for each context)
// and their leaks would have no library to match tests/sanitize/lsan.supp.
extern "C" int dlclose(void*) { return 0; }
