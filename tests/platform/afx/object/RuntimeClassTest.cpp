#include <gtest/gtest.h>

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

namespace animals {

class CAnimal : public CObject
{
    DECLARE_DYNAMIC(CAnimal)
};

class CDog : public CAnimal
{
    DECLARE_DYNCREATE(CDog)
public:
    int m_nLegs = 4;
};

class CPuppy : public CDog
{
    DECLARE_SERIAL(CPuppy)
};

class CCat : public CAnimal
{
    DECLARE_DYNCREATE(CCat)
};

IMPLEMENT_DYNAMIC(CAnimal, CObject)
IMPLEMENT_DYNCREATE(CDog, CAnimal)
IMPLEMENT_SERIAL(CPuppy, CDog, 3 | VERSIONABLE_SCHEMA)
IMPLEMENT_DYNCREATE(CCat, CAnimal)

}  // namespace animals

using namespace animals;

// Classes inside a namespace are registered under their own name.
namespace TestCommands {
class Circle2dCommand : public CObject
{
    DECLARE_DYNCREATE(Circle2dCommand)
};
IMPLEMENT_DYNCREATE(Circle2dCommand, CObject)
}  // namespace TestCommands

using TestCommands::Circle2dCommand;
KC_FORCE_LINK(Circle2dCommand);

TEST(RuntimeClass, DescribesTheClass)
{
    const CRuntimeClass* p = RUNTIME_CLASS(CPuppy);
    EXPECT_STREQ(p->m_lpszClassName, "CPuppy");
    EXPECT_EQ(p->m_nObjectSize, (int)sizeof(CPuppy));
    EXPECT_EQ(p->m_wSchema, 3u | VERSIONABLE_SCHEMA);
    EXPECT_EQ(p->m_pBaseClass, RUNTIME_CLASS(CDog));
    EXPECT_EQ(RUNTIME_CLASS(CDog)->m_wSchema, 0xFFFFu);
    EXPECT_STREQ(RUNTIME_CLASS(CObject)->m_lpszClassName, "CObject");
    EXPECT_EQ(RUNTIME_CLASS(CObject)->m_pBaseClass, nullptr);
}

TEST(RuntimeClass, IsKindOfFollowsTheBaseChainOnly)
{
    CPuppy puppy;
    const CObject& o = puppy;
    EXPECT_EQ(o.GetRuntimeClass(), RUNTIME_CLASS(CPuppy));
    EXPECT_TRUE(o.IsKindOf(RUNTIME_CLASS(CPuppy)));
    EXPECT_TRUE(o.IsKindOf(RUNTIME_CLASS(CDog)));
    EXPECT_TRUE(o.IsKindOf(RUNTIME_CLASS(CAnimal)));
    EXPECT_TRUE(o.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(o.IsKindOf(RUNTIME_CLASS(CCat)));
    CDog dog;
    EXPECT_FALSE(dog.IsKindOf(RUNTIME_CLASS(CPuppy)));
    EXPECT_TRUE(RUNTIME_CLASS(CPuppy)->IsDerivedFrom(RUNTIME_CLASS(CAnimal)));
    EXPECT_FALSE(RUNTIME_CLASS(CAnimal)->IsDerivedFrom(RUNTIME_CLASS(CPuppy)));
    EXPECT_TRUE(puppy.IsSerializable());
    EXPECT_FALSE(dog.IsSerializable());
}

TEST(RuntimeClass, DowncastsCheckTheClass)
{
    CPuppy puppy;
    CCat cat;
    CObject* pPuppy = &puppy;
    CObject* pCat = &cat;
    EXPECT_EQ(DYNAMIC_DOWNCAST(CDog, pPuppy), &puppy);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CDog, pCat), nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CDog, (CObject*)nullptr), nullptr);
    EXPECT_EQ(STATIC_DOWNCAST(CPuppy, pPuppy), &puppy);
}

TEST(RuntimeClass, CreatesRegisteredClassesByName)
{
    struct Case
    {
        const char* name;
        const CRuntimeClass* expected;  // NULL: not found by name
    };
    const Case cases[] = {
        {"CDog", RUNTIME_CLASS(CDog)},
        {"CPuppy", RUNTIME_CLASS(CPuppy)},
        {"Circle2dCommand", RUNTIME_CLASS(Circle2dCommand)},
        {"CAnimal", nullptr},  // run-time class only: not creatable, not registered
        {"cdog", nullptr},     // names are case-sensitive
        {"", nullptr},
        {"CNoSuchClass", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CRuntimeClass::FromName(c.name), c.expected);
        EXPECT_EQ(CRuntimeClass::FromName(CString(c.name).GetString()), c.expected);
        CObject* p = CRuntimeClass::CreateObject(c.name);
        if (c.expected == nullptr) {
            EXPECT_EQ(p, nullptr);
        } else {
            ASSERT_NE(p, nullptr);
            EXPECT_EQ(p->GetRuntimeClass(), c.expected);
            delete p;
        }
    }
    EXPECT_EQ(CRuntimeClass::FromName((LPCSTR) nullptr), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(_T("CDög")), nullptr);

    CObject* dog = CRuntimeClass::CreateObject(_T("CDog"));
    ASSERT_NE(dog, nullptr);
    EXPECT_EQ(static_cast<CDog*>(dog)->m_nLegs, 4);  // constructed, not just allocated
    delete dog;
    EXPECT_EQ(RUNTIME_CLASS(CAnimal)->CreateObject(), nullptr);
}
