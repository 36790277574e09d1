// A shared library that loads but lacks the engine's entry point.

extern "C" int dataTestsNotTheEntryPoint() {
    return 0;
}
