// install.exe: the full installation of this release.
#include "state/build_configuration.h"

extern const BuildConfiguration buildConfiguration = {
    0, // updateMode
    1, // agreementIncluded
    1, // destinationChangeable
    1, // iconsOffered
};
