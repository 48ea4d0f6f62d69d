// The program's version information, kept in a section of its own so that tools
// read it without running the program: `readelf -p .mirovel.version mirovel`.
#define MIROVEL_FIELDS(version)                                                     \
  "FileVersion=" version "\0ProductVersion=" version "\0FileDescription=Mirovel\0" \
  "ProductName=Mirovel\0Comments=Mirovel"

extern "C" __attribute__((used, section(".mirovel.version"))) const char mirovel_version_info[] =
    MIROVEL_FIELDS(MIROVEL_VERSION);
