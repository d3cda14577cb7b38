// A module that only has to exist: the tests load it and name files
// relative to its folder.
extern "C" int velmarchProbe() { return 1; }
