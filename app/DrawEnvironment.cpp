#include "app/DrawEnvironment.h"

#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"

IMPLEMENT_DYNAMIC(DrawEnvironment, CObject)

DrawEnvironment::DrawEnvironment() = default;

DrawEnvironment::~DrawEnvironment()
{
    delete m_pColorTable;
    delete m_pLineTypeTable;
    delete m_pLineWidthTable;
}

void DrawEnvironment::Initialize()
{
    delete m_pColorTable;
    m_pColorTable = new ColorFeatureTable;
    m_pColorTable->InitializeColors();

    delete m_pLineTypeTable;
    m_pLineTypeTable = new LineTypeFeatureTable;
    m_pLineTypeTable->InitializeLineTypes();

    delete m_pLineWidthTable;
    m_pLineWidthTable = new LineWidthFeatureTable;
    m_pLineWidthTable->InitializeLineWidths();
}
