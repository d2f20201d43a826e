// Registration of the control classes beyond the basic six; each class registers its own
// widget factory once it exists.
#include "platform/win/AfxControlWidget.h"

void AfxRegisterMoreControlClasses() {}
