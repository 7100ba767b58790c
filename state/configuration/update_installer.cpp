// install-update.exe: updates an existing installation and shows the new
// changes instead of the licence.
#include "state/build_configuration.h"

extern const BuildConfiguration buildConfiguration = {
    1, // updateMode
    1, // agreementIncluded
    1, // destinationChangeable
    1, // iconsOffered
};
