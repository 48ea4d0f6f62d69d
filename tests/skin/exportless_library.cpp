// A loadable library that does not export SkinH_AttachRes.
extern "C" __attribute__((visibility("default"))) int SomethingElse() { return 0; }
