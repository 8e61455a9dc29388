#include "toolkit/win32/Label.h"

void TLabel::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SubclassOf = "STATIC";
  params.Style |= SS_LEFT;
}
