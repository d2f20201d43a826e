#include "StructureTestSupport.h"

#include <QtCore/QCoreApplication>

ResourceModule* EnglishStructureTest::s_pModule = nullptr;
ResourceModule* EnglishStructureTest::s_pPrevious = nullptr;

void EnglishStructureTest::SetUpTestSuite()
{
    LanguageModuleResult english = AfxLoadLanguageModule(AfxGetResourceFolder(), u"ENG");
    s_pModule = english.pModule;
    s_pPrevious = AfxGetResourceHandle();
    if (s_pModule != nullptr)
        AfxSetResourceHandle(s_pModule);
}

void EnglishStructureTest::TearDownTestSuite()
{
    AfxSetResourceHandle(s_pPrevious);
    if (s_pModule != nullptr)
        AfxFreeResourceModule(s_pModule);
    s_pModule = nullptr;
}

LayerDocument::LayerDocument()
{
    doc.BeginUndoOperation(nullptr);
    g1 = doc.AddLayerGroup(u"G1", -1);
    a = doc.AddLayer(g1, u"A", 1);
    g2 = doc.AddLayerGroup(u"G2", g1);
    b = doc.AddLayer(g2, u"B", 1);
    c = doc.AddLayer(g2, u"C", 1);
    d = doc.AddLayer(-1, u"D", 1);
    e = doc.AddLayer(-1, u"E", 1);
    doc.EndUndoOperation();
}

void PumpEvents()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}
