#pragma once
// The library's tool tip: a label and, below it, a description (the first line of a command's
// string), drawn after the tool tip parameters.

#include "platform/bcg/CBCGPToolTipParams.h"
#include "platform/win/CToolTipCtrl.h"

class CBCGPToolTipCtrl : public CToolTipCtrl {
  DECLARE_DYNCREATE(CBCGPToolTipCtrl)
public:
  explicit CBCGPToolTipCtrl(CBCGPToolTipParams* pParams = nullptr);
  ~CBCGPToolTipCtrl() override;

  void SetParams(CBCGPToolTipParams* pParams);
  const CBCGPToolTipParams& GetParams() const { return m_Params; }
  void SetDescription(const CString& strDesrciption) { m_strDescription = strDesrciption; }
  const CString& GetDescription() const { return m_strDescription; }

protected:
  CBCGPToolTipParams m_Params;
  CString m_strDescription;
};
