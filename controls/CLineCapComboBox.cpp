#include "controls/CLineCapComboBox.h"

IMPLEMENT_DYNAMIC(CLineCapComboBox, CImageChoiceComboBox)

CLineCapComboBox::CLineCapComboBox() : CImageChoiceComboBox(408, 10252, 4) {}
CLineCapComboBox::~CLineCapComboBox() = default;
