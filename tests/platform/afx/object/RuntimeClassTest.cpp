#include <gtest/gtest.h>

#include "platform/afx/CObject.h"

TEST(RuntimeClass, RootClass)
{
    EXPECT_STREQ(RUNTIME_CLASS(CObject)->m_lpszClassName, "CObject");
    EXPECT_EQ(RUNTIME_CLASS(CObject)->m_pBaseClass, nullptr);
}
