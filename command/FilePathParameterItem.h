#pragma once
// The path of a file, for properties that name one.

#include "command/ParameterItemBase.h"

namespace QZ2Command {

class FilePathParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(FilePathParameterItem)
public:
    FilePathParameterItem();

    BOOL IsFilePathItem() const override;
    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    CString m_strPath;
};

}  // namespace QZ2Command
