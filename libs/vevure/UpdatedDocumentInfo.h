#pragma once
// A change record made outside the document (the command manager sends kind 1 code 1 this way).

#include "libs/vevure/NotifyInfoBase.h"

class UpdatedDocumentInfo : public NotifyInfoBase
{
public:
    UpdatedDocumentInfo() : NotifyInfoBase(nullptr, kindDocument, 1) {}
    ~UpdatedDocumentInfo() override;
};
