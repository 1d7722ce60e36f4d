// tonepak CALL LOC POWER: WSPR channel symbols, wsptones.inc and a.au for a PIC beacon.
#include <cstdio>

#include "tonepak.hpp"

int main(int argc, char** argv) { return tonepak::RunTonepak(argc, argv, stdin); }
