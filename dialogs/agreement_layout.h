// Where the AGREE dialog puts its controls, from the window's size in
// pixels and the sizes of the controls.
#pragma once

struct Extent {
  int w, h;
};

struct Placement {
  int x, y, w, h;
};

struct AgreementLayout {
  Placement check, ok, cancel, list, label;
};

AgreementLayout LayOutAgreement(Extent window, Extent check, Extent ok,
                                Extent cancel, Extent label, int borderHeight,
                                int updateMode);
