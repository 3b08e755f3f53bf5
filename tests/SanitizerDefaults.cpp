// Linked into every test. Under LeakSanitizer, leaks inside system libraries that our
// code cannot free are not counted: fontconfig keeps its configuration for the life of
// the process. Without the sanitizer this function is never called.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
