#pragma once
// Lets a test's own command class answer a row of the command table while the object lives: the row
// names the test class instead of its own, and gets its own name back afterwards. Test classes carry
// names no real command has, so they never meet a real command class linked into the same program.

#include <gtest/gtest.h>

#include "command/CommandInfo.h"
#include "command/CommandManager.h"

namespace kctest {

class StandInCommandRow
{
public:
    StandInCommandRow(UINT nID, LPCSTR lpszClassName)
        : m_pRow(QZ2Command::CommandManager::FindCommandInfo(QZ2Command::CommandManager::GetCommandIdentifier(nID)))
    {
        EXPECT_NE(m_pRow, nullptr) << "no table row " << nID;
        if (m_pRow != nullptr) {
            m_lpszOwnName = m_pRow->m_lpszClassName;
            m_pRow->m_lpszClassName = lpszClassName;
        }
    }
    ~StandInCommandRow()
    {
        if (m_pRow != nullptr)
            m_pRow->m_lpszClassName = m_lpszOwnName;
    }
    StandInCommandRow(const StandInCommandRow&) = delete;
    StandInCommandRow& operator=(const StandInCommandRow&) = delete;

private:
    QZ2Command::CommandInfo* m_pRow;
    LPCSTR m_lpszOwnName = nullptr;
};

}  // namespace kctest
