#include "libs/vevure/UpdatedDocumentInfo.h"

UpdatedDocumentInfo::~UpdatedDocumentInfo() = default;
