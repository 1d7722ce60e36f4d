// beaconcheck RECORDING: measures every WSPR transmission in a recording of a beacon.
#include "run.hpp"

int main(int argc, char** argv) { return beaconcheck::RunBeaconcheck(argc, argv); }
