#include "dialogs/agreement_layout.h"

namespace {

// The buttons stand 2.3 of their heights above the window's bottom edge.
int ButtonTop(int windowHeight, int height) {
  return static_cast<int>(windowHeight - 2.3 * height);
}

} // namespace

AgreementLayout LayOutAgreement(Extent window, Extent check, Extent ok,
                                Extent cancel, Extent label, int borderHeight,
                                int updateMode) {
  const int W = window.w, H = window.h;
  AgreementLayout l;
  l.check = {(W - check.w) / 8, ButtonTop(H, check.h), check.w, check.h};
  l.ok = {updateMode == 1 ? (W - ok.w) / 2 : (W - ok.w) / 3, ButtonTop(H, ok.h),
          ok.w, ok.h};
  l.cancel = {2 * (W - cancel.w) / 3, ButtonTop(H, cancel.h), cancel.w,
              cancel.h};
  l.list = {W / 21, H / 16, W - 2 * (W / 21) - 4,
            static_cast<int>(H - (2 * borderHeight + 3.2 * cancel.h))};
  l.label = {(W - label.w) / 2, (H / 16) / 4, label.w, label.h};
  return l;
}
