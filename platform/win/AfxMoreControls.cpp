// Registration of the control classes beyond the basic six.
#include "platform/win/AfxControlWidget.h"

void AfxRegisterMoreControlClasses() {
  AfxRegisterListViewClass();
  AfxRegisterTreeViewClass();
  AfxRegisterSliderClass();
  AfxRegisterProgressClass();
  AfxRegisterScrollBarClass();
  AfxRegisterTabClass();
  AfxRegisterComboBoxExClass();
}
