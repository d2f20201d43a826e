#pragma once
// The program's default colour, line-type and line-width tables, from which every new document
// takes its copies. Built once at start-up and not changed afterwards.

#include "platform/afx/CObject.h"

class ColorFeatureTable;
class LineTypeFeatureTable;
class LineWidthFeatureTable;

class DrawEnvironment : public CObject
{
    DECLARE_DYNAMIC(DrawEnvironment)
public:
    DrawEnvironment();
    ~DrawEnvironment() override;
    DrawEnvironment(const DrawEnvironment&) = delete;
    DrawEnvironment& operator=(const DrawEnvironment&) = delete;

    // Replaces the three tables by new ones holding the data model's standard entries.
    void Initialize();

    const ColorFeatureTable* GetColorFeatureTable() const { return m_pColorTable; }
    const LineTypeFeatureTable* GetLineTypeFeatureTable() const { return m_pLineTypeTable; }
    const LineWidthFeatureTable* GetLineWidthFeatureTable() const { return m_pLineWidthTable; }

private:
    ColorFeatureTable* m_pColorTable = nullptr;
    LineTypeFeatureTable* m_pLineTypeTable = nullptr;
    LineWidthFeatureTable* m_pLineWidthTable = nullptr;
};
