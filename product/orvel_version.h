// Version of the demo Orvel program, shared by its code and its resources.
#pragma once
#define ORVEL_VERSION "1.04"
#define ORVEL_VERSION_BINARY 1, 4, 0, 0
