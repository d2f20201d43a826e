#pragma once
// A new document with the English language library loaded, and helpers that make the value item of a
// property the way the property list does.

#include <gtest/gtest.h>

#include <memory>

#include "command/ParameterItemBase.h"
#include "libs/vevure/Draw2dDocument.h"
#include "platform/afx/ResourceModule.h"
#include "property/FeaturePropertyBase.h"

namespace kctest {

class PropertyTestDocument : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_english = AfxLoadLanguageModule(AfxGetResourceFolder(), u"ENG");
        ASSERT_NE(m_english.pModule, nullptr) << "no English language library in the resource folder";
        m_pPrevious = AfxGetResourceHandle();
        AfxSetResourceHandle(m_english.pModule);
        doc.InitDocument();
    }
    void TearDown() override
    {
        if (m_english.pModule != nullptr) {
            AfxSetResourceHandle(m_pPrevious);
            AfxFreeResourceModule(m_english.pModule);
        }
    }
    long Add(const Feature2dBase& shape)
    {
        doc.BeginUndoOperation(nullptr);
        const long id = doc.AddFeature(&shape, doc.GetActiveDrawingFeature(), 1);
        doc.EndUndoOperation();
        EXPECT_GT(id, 0);
        return id;
    }
    // The item of descriptor wId filled by the object, or NULL when the object does not offer it.
    static std::unique_ptr<QZ2Command::ParameterItemBase> Read(QZ2Command::FeaturePropertyBase& object, WORD wId)
    {
        const int n = object.FindDescriptor(wId);
        if (n < 0)
            return nullptr;
        std::unique_ptr<QZ2Command::ParameterItemBase> pItem(
            QZ2Command::ParameterItemBase::CreateItem(object.GetDescriptor(n).nValueType));
        if (!pItem || !object.GetPropertyItem(wId, pItem.get(), TRUE))
            return nullptr;
        return pItem;
    }
    static std::vector<WORD> Ids(const QZ2Command::FeaturePropertyBase& object)
    {
        std::vector<WORD> ids;
        for (int i = 0; i < object.GetDescriptorCount(); ++i)
            ids.push_back(object.GetDescriptor(i).wId);
        return ids;
    }

    Draw2dDocument doc;
    LanguageModuleResult m_english{};
    ResourceModule* m_pPrevious = nullptr;
};

}  // namespace kctest
