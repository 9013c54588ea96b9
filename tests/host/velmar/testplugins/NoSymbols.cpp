// A loadable library that exports no plugin object.
extern "C" __attribute__((visibility("default"))) int velmar_test_something() {
    return 1;
}
