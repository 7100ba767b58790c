// The four switches fixed when an installer is built. Each installer
// executable links exactly one definition: the full installer or the
// update.
#pragma once

struct BuildConfiguration {
  int updateMode;
  int agreementIncluded;
  int destinationChangeable;
  int iconsOffered;
};

extern const BuildConfiguration buildConfiguration;
