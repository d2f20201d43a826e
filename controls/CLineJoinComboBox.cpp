#include "controls/CLineJoinComboBox.h"

IMPLEMENT_DYNAMIC(CLineJoinComboBox, CImageChoiceComboBox)

CLineJoinComboBox::CLineJoinComboBox() : CImageChoiceComboBox(409, 10260, 3) {}
CLineJoinComboBox::~CLineJoinComboBox() = default;
